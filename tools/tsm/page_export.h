#pragma once
// Painting a page that the engine drew into a picture file: PNG or SVG by
// the file's extension, painted by the renderer's page pictures and
// written safely. (A PDF is the print drawing: see pdf_export.h.)

#include <cstdint>
#include <span>
#include <string>

#include "render/page_picture.h"

namespace tsm {

using ExportSettings = ts::PictureSettings;

// Empty on success, else what went wrong.
std::string exportPicture(std::span<const int32_t> words, std::span<const char> text, const std::string& path,
                          const ExportSettings& settings);

}  // namespace tsm
