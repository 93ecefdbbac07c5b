#pragma once
// The rules of rests (code 2), as pure functions.

#include <span>

namespace ts {

// Steps above the rest's P4 at which the glyph of rest type t stands.
float restGlyphStep(int type);
// Units of s from the rest's X to its first dot.
float restDotOffset(int type);
// The place midway between the boundaries around a rest (P3 units), less
// the half width of the glyph that centring allows for.
float centredRestP3(float left, float right, int type, float scale);
// The bar around a position among sorted boundaries: the last at or left
// of it and the first right of it (0 and 200 when there is none).
struct BarBounds {
  float left = 0.0f;
  float right = 200.0f;
};
BarBounds barBoundsAround(std::span<const float> sortedBars, float p3);

}  // namespace ts
