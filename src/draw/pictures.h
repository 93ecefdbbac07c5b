#pragma once
// Included EPS pictures (code 15): the corners of the frame the screen
// draws in the picture's place, from the size its item noted.

#include <array>

namespace ts {

inline constexpr float kPageUnitsPerPoint = 4000.0f / 72.0f;
// A picture whose size was never noted is framed as an inch square.
inline constexpr float kUnknownPictureSidePoints = 72.0f;

struct FramePoint {
  float x = 0.0f, y = 0.0f;
};

// Lower-left, lower-right, upper-right, upper-left: a box of width and height
// points at (x, y), scaled and turned counter-clockwise about that corner.
std::array<FramePoint, 4> pictureFrame(float x, float y, float widthPoints, float heightPoints, float scale,
                                       float angleDegrees);

}  // namespace ts
