#pragma once
// A page the engine drew, painted into a PNG or SVG picture in memory, on
// white, through the same renderer as the screen. The batch driver and the
// desktop program's export both write what this paints, so the two never
// differ. (A PDF or PostScript file is the print drawing, not this.)

#include <QByteArray>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "model/page_title.h"

namespace ts {

enum class PictureFormat { Png, Svg };

struct PictureSettings {
  int zoom = 64;
  double dotsPerInch = 150.0;
  PaperSize paper = PaperSize::Letter;
  bool fit = false;  // only what the page draws, not the whole sheet
};

// The format a file name's extension names (either case); nothing for any other.
std::optional<PictureFormat> pictureFormatFor(std::string_view path);

// The whole picture as its file would hold it; empty when it cannot be painted.
QByteArray paintPagePicture(std::span<const int32_t> words, std::span<const char> text, PictureFormat format,
                            const PictureSettings& settings);

}  // namespace ts
