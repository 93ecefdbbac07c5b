#pragma once
// Curves of the drawing editor: the marked points are joined by a
// Catmull-Rom spline, which passes through every marked point (so the user
// places the curve by its points, not by control points off the curve) and
// needs no settings beyond the number of points per segment.

#include <cstdint>
#include <span>
#include <vector>

#include "draw/drawing_file.h"

namespace ts {

constexpr int kCurveMinPointsPerSegment = 3;   // fewer would be the straight line already there
constexpr int kCurveMaxPointsPerSegment = 50;

enum class CurveCount { Ok, TooFew, TooMany };

CurveCount checkPointsPerSegment(int perSegment);

// Points of the curve through `marked` (at least two) with `perSegment`
// points on each segment, both its ends counted, so neighbouring segments
// share their end: 1 + (marked - 1) x (perSegment - 1) points.
int64_t curvePointCount(size_t marked, int perSegment);

// The curve itself; its first point keeps the pen of the first marked
// point, the others draw. The ends use their own point as the missing
// neighbour, so the curve starts and ends along its first and last chords.
std::vector<DrawingPoint> curveThrough(std::span<const DrawingPoint> marked, int perSegment);

}  // namespace ts
