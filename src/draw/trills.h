#pragma once
// The rules of trills (code 7), as pure functions: how large a sign's
// outline is, and where the wavy extension runs and how many waves it has.

#include <span>

#include "draw/drawing_file.h"

namespace ts {

// The box around an outline's points (line-width markers left out), in
// symbol units; `unitsPerSymbolUnit` is 4 for a library drawing.
struct OutlineBox {
  float minX = 0, minY = 0, maxX = 0, maxY = 0;
  bool empty = true;
};
OutlineBox outlineBox(std::span<const DrawingPoint> points, float unitsPerSymbolUnit);

// Waves of a wiggle never exceed this count, whatever the room: far more
// than the widest page holds, and a bound for a figure that draws nothing.
constexpr int kMaxWigglePeriods = 2000;

// The wavy extension of a trill from the sign's right edge to P6.
struct TrillWiggle {
  bool drawn = false;
  bool endMissing = false;  // P6 set, but not to the right of the sign
  float x = 0;              // where the first wave starts
  float y = 0;              // the middle of the waves
  int periods = 0;
  float xScale = 1;         // each wave's x-scale: the waves fill the room exactly
  float yScale = 1;
};
// `signRight` and `signMiddle` place the sign's right edge and middle in
// page units; `endX` is P6's place; P9 is the wave size (1 when 0), P11
// moves the waves up or down by steps.
TrillWiggle trillWiggle(float signRight, float signMiddle, float endX, float p6, float p9, float p11,
                        float stepScale);

}  // namespace ts
