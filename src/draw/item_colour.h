#pragma once
// An item's colour comes from its colour selector (P26, or P16 for an
// extended text): 0 is black (red while the item is highlighted), a value
// below 1 a grey level with two decimals, anything else three pairs of
// decimal digits giving red, green and blue in percent.

#include <cstdint>

namespace ts {

constexpr uint32_t kHighlightColour = 255;   // pure red, 0x00BBGGRR
constexpr float kWhiteSelector = 0.99f;      // the lightest grey the selector can name

// The Windows colour value 0x00BBGGRR of a selector.
uint32_t itemColour(float selector, bool highlighted);

// The selector that names a colour as closely as the percent pairs allow.
float selectorForColour(uint32_t colour);

}  // namespace ts
