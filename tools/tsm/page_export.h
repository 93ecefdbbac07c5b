#pragma once
// Painting a page that the engine drew into a picture file: PNG or SVG by
// the file's extension, on white, through the same renderer as the desktop
// program. (A PDF is the print drawing: see pdf_export.h.)

#include <cstdint>
#include <span>
#include <string>

#include "model/page_title.h"

namespace tsm {

struct ExportSettings {
  int zoom = 64;
  double dotsPerInch = 150.0;
  ts::PaperSize paper = ts::PaperSize::Letter;
  bool fit = false;  // only what the page draws, not the whole sheet
};

// Empty on success, else what went wrong.
std::string exportPicture(std::span<const int32_t> words, std::span<const char> text, const std::string& path,
                          const ExportSettings& settings);

}  // namespace tsm
