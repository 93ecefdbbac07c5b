#pragma once
// The page as a PDF: the engine's print drawing into the PDF writer, with
// the font programs and font data found where the font metric files are.

#include <filesystem>
#include <span>
#include <string_view>
#include <string>
#include <vector>

#include "engine/print_command.h"
#include "output/pdf_fonts.h"
#include "output/pdf_writer.h"

namespace ts {

struct PdfDocument {
  std::string bytes;
  // What the reader must be told: the fonts that could not be embedded,
  // the included pictures left out.
  std::vector<std::string> warnings;
  bool picturesLeftOut = false;
};

PdfDocument printPdfDocument(const PrintPage& page, const PrintOptions& options, const PrintDrawing& draw,
                             const HostFiles& files, const FontPlaces& fontPlaces);
// Pages drawn one by one (PdfWriter each, of the same options) as one
// document named `title`, with the fonts any of them uses.
PdfDocument pdfDocumentOf(std::span<const PdfWriter> pages, std::string_view title, const HostFiles& files,
                          const FontPlaces& fontPlaces);

}  // namespace ts
