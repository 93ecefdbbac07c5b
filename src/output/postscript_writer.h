#pragma once
// The PostScript writer: the sink the page is drawn into for paper. Each
// flushed path becomes "X Y m" / "X Y l" lines closed by " s" (stroked) or
// "g e r s" (filled, even-odd, so that holes stay empty); texts select their
// font and show their string. `document` then puts the head, the font
// set-up, the page, the header or footer and the trailer together.
//
// The EPS bounding box is the extent of everything drawn: every point of
// every path, and each string's box taken as 0.6 of its size per character
// (the widths of the fonts are the printer's, not known here), carried
// through CANTO (size, margins, mirror, rotation) into points, widened to
// whole points outwards and by one point more for the line width.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "draw/path_sink.h"
#include "output/page_header.h"
#include "output/postscript_prolog.h"
#include "output/print_options.h"

namespace ts {

// What the head and the header lines say about the page.
struct PrintedPage {
  std::string title;     // the page file name
  int pageNumber = 1;
  std::string fontInit;  // the printer's font set-up ("fmfontinit.psc"); empty when none was found
  HeaderText header;
};

// Where the writer finds the files of included pictures: the file's bytes,
// or nothing when it cannot be read.
using PictureReader = std::function<std::optional<std::string>(std::string_view name)>;

class PostScriptWriter : public PathSink {
 public:
  // Pictures are read through `reader`; `mirror` is the page's (a picture
  // sets the page up again after itself).
  void setPictures(PictureReader reader, bool mirror);

  void path(std::span<const PathPoint> points, uint32_t colour) override;
  void text(const PrintText& text) override;
  void picture(const PrintPicture& picture) override;
  void itemStarted() override;
  void itemAbandoned() override;

  // The whole file for these options.
  std::string document(const PrintOptions& options, const PrintedPage& page) const;
  // The drawn extent in page units; empty when nothing was drawn.
  struct Extent {
    double minX = 0, minY = 0, maxX = 0, maxY = 0;
    bool empty = true;
  };
  const Extent& extent() const { return m_extent; }
  const std::vector<std::string>& fontsUsed() const { return m_fonts; }
  bool hasText() const { return m_hasText; }
  // Pictures left out: their file could not be read, or holds no bounding box.
  const std::vector<std::string>& missingPictures() const { return m_missingPictures; }
  const std::vector<std::string>& picturesWithoutBox() const { return m_picturesWithoutBox; }

 private:
  void setColour(uint32_t colour);
  void widen(double x, double y);
  void useFont(std::string_view name);

  std::string m_body;
  uint32_t m_colour = 0;
  std::string m_fontSelection;  // the last font line written, not written again
  std::vector<std::string> m_fonts;
  bool m_hasText = false;
  Extent m_extent;
  PictureReader m_readPicture;
  bool m_mirror = false;
  std::vector<std::string> m_missingPictures;
  std::vector<std::string> m_picturesWithoutBox;
  struct Mark {
    size_t body = 0;
    uint32_t colour = 0;
    std::string fontSelection;
    size_t fonts = 0;
    bool hasText = false;
    Extent extent;
    size_t missingPictures = 0;
    size_t picturesWithoutBox = 0;
  } m_itemMark;
};

// The box of the drawn extent in points, as CANTO places it.
PointBox boundingBox(const PostScriptWriter::Extent& extent, const PrintOptions& options);

}  // namespace ts
