#pragma once
// How a host reads the display list: one-point figures are dropped, the
// rest is cut into figures (stroked or filled) made of contours, and every
// point is scaled by the zoom to view units (0.001 inch, Y upward) with the
// rounding the screen uses. Kept beside the writer so the two agree.

#include <cstdint>
#include <span>
#include <vector>

namespace ts {

constexpr uint8_t kSkippedOpcode = 0xFF;
constexpr int kZoomUnit = 256;  // zoom is in 1/256
constexpr int kDefaultZoom = 64;

struct ViewPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const ViewPoint&) const = default;
};

struct Figure {
  uint8_t opcode = 1;      // 1 stroked; anything else filled
  uint32_t colour = 0;     // 0x00BBGGRR
  std::vector<std::vector<ViewPoint>> contours;
};

// Opcode byte and colour of a display-list word.
uint8_t wordOpcode(int32_t word);
uint32_t wordColour(int32_t word);
// Signed pen code of a word's high byte.
int wordPen(int32_t word);

// (value x zoom) / 256, rounded half up on the product.
int32_t scaleToView(int32_t value, int zoom);
// Marks every figure start that is directly followed by another start.
void markOnePointFigures(std::span<int32_t> words);
// The figures of a (marked) list, scaled to view units.
std::vector<Figure> buildFigures(std::span<const int32_t> words, int zoom);

}  // namespace ts
