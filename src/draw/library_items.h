#pragma once
// The numeric rule of library drawing items (code 9).

namespace ts {

// Page units per drawing unit, across and up.
struct LibraryScale {
  float x = 0.0f;
  float y = 0.0f;
};

// The scale of a code 9 item from its P6 (x-size), P7 (y-size) and its
// staff's step scale s (25 x the staff size): a quarter of s times each size.
LibraryScale libraryItemScale(float p6, float p7, float stepScale);

}  // namespace ts
