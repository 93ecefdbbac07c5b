#include "draw/item_colour.h"

#include <algorithm>
#include <cmath>

#include "model/item_codes.h"

namespace ts {

uint32_t itemColour(float selector, bool highlighted) {
  if (selector <= 0.0f || std::isnan(selector)) return highlighted ? kHighlightColour : 0;
  float v = selector == 1.0f ? 0.92f : selector;
  if (v < 1.0f) {
    const float grey = std::trunc(v * 100.0f + 0.5f);  // the grey level's two decimals
    v = grey * 10000.0f + grey * 100.0f + grey;
  }
  const int value = truncToInt(v);
  const auto channel = [](int percent) { return static_cast<uint32_t>(std::clamp(truncToInt(percent * 2.56), 0, 255)); };
  const uint32_t red = channel(value / 10000);
  const uint32_t green = channel((value % 10000) / 100);
  const uint32_t blue = channel(value % 100);
  return blue * 65536u + green * 256u + red;
}

float selectorForColour(uint32_t colour) {
  const auto percent = [](uint32_t channel) {
    return std::clamp(static_cast<int>(std::lround(static_cast<double>(channel) / 2.56)), 0, 99);
  };
  const int red = percent(colour & 0xFF);
  const int green = percent((colour >> 8) & 0xFF);
  const int blue = percent((colour >> 16) & 0xFF);
  const int value = red * 10000 + green * 100 + blue;
  // 0 would mean "no colour of its own" (black); 1 counts as a grey.
  if (value <= 1) return value == 0 ? 0.0f : 2.0f;
  return static_cast<float>(value);
}

}  // namespace ts
