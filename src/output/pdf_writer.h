#pragma once
// The PDF writer: a sink the page is drawn into for paper, like the
// PostScript writer, whose figures, widths, colours and font matrices it
// writes in PDF's operators ("m"/"l", then "S" for a stroked figure or "B*"
// for a filled one: even-odd fill, then the outline stroked, as "g e r s"
// does). Texts are shown in Type 1 fonts, one per font number used.
// `document` puts one page on a sheet of the paper, placed exactly as the
// PostScript prolog's CANTO places it (scale, line width, margins, rotation,
// mirror), with its content uncompressed; `pdfDocument` puts several pages,
// each drawn into a writer of its own, one to a sheet, sharing their fonts.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "draw/path_sink.h"
#include "output/pdf_fonts.h"
#include "output/print_options.h"

namespace ts {

class PdfWriter : public PathSink {
 public:
  explicit PdfWriter(const PrintOptions& options);

  void path(std::span<const PathPoint> points, uint32_t colour) override;
  void text(const PrintText& text) override;
  // A PDF has no PostScript interpreter to run an included EPS file in:
  // the picture is left out and named.
  void picture(const PrintPicture& picture) override;
  void itemStarted() override;
  void itemAbandoned() override;

  // The font numbers the texts use, in the order of their first use.
  const std::vector<int>& fontsUsed() const { return m_fonts; }
  // The files of the included pictures left out, in page order.
  const std::vector<std::string>& picturesLeftOut() const { return m_pictures; }
  // The whole file; `fonts` holds one font for each font number used.
  std::string document(std::string_view title, const std::vector<PdfFont>& fonts) const;
  // The page's content stream: CANTO's placement, then its marks.
  std::string contentStream() const;
  const PrintOptions& options() const { return m_options; }

 private:
  void setColour(uint32_t colour);
  std::string placement() const;

  PrintOptions m_options;
  std::string m_defaultWidth;  // CANTO's line width, as the prolog writes it
  std::string m_body;  // the page's marks, in CANTO's page units
  uint32_t m_colour = 0;
  std::vector<int> m_fonts;
  std::vector<std::string> m_pictures;
  struct Mark {
    size_t body = 0;
    uint32_t colour = 0;
    size_t fonts = 0;
    size_t pictures = 0;
  } m_itemMark;
};

// The file of several pages in order, each on its own sheet; `fonts` holds
// one font for each font number any of them uses.
std::string pdfDocument(std::span<const PdfWriter> pages, std::string_view title, const std::vector<PdfFont>& fonts);

// "F7": the resource name of font number 7.
std::string pdfFontResource(int fontNumber);

}  // namespace ts
