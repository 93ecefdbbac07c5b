#include "draw/drawable_values.h"

#include <algorithm>
#include <cmath>

namespace ts {

UndrawableValue classifyValue(float value) {
  if (!std::isfinite(value)) return UndrawableValue::NotANumber;
  if (std::fabs(value) > kLargestDrawableValue) return UndrawableValue::TooLarge;
  return UndrawableValue::None;
}

int firstUndrawableParameter(std::span<const float> params) {
  for (size_t i = 0; i < params.size(); ++i) {
    if (classifyValue(params[i]) != UndrawableValue::None) return static_cast<int>(i) + 1;
  }
  return 0;
}

bool insideDrawableWindow(float x, float y) {
  return std::fabs(x) <= kDrawableExtent && std::fabs(y) <= kDrawableExtent;
}

int32_t clampToDrawableWindow(int64_t value) {
  const auto limit = static_cast<int64_t>(kDrawableExtent);
  return static_cast<int32_t>(std::clamp(value, -limit, limit));
}

}  // namespace ts
