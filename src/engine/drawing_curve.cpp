#include "engine/drawing_curve.h"

#include <algorithm>

namespace ts {
namespace {

// Uniform Catmull-Rom between p1 and p2 at t in [0, 1].
float catmullRom(float p0, float p1, float p2, float p3, float t) {
  const float t2 = t * t;
  const float t3 = t2 * t;
  return 0.5f * (2.0f * p1 + (p2 - p0) * t + (2.0f * p0 - 5.0f * p1 + 4.0f * p2 - p3) * t2 +
                 (3.0f * p1 - p0 - 3.0f * p2 + p3) * t3);
}

}  // namespace

CurveCount checkPointsPerSegment(int perSegment) {
  if (perSegment < kCurveMinPointsPerSegment) return CurveCount::TooFew;
  if (perSegment > kCurveMaxPointsPerSegment) return CurveCount::TooMany;
  return CurveCount::Ok;
}

int64_t curvePointCount(size_t marked, int perSegment) {
  if (marked < 2) return static_cast<int64_t>(marked);
  return 1 + static_cast<int64_t>(marked - 1) * (perSegment - 1);
}

std::vector<DrawingPoint> curveThrough(std::span<const DrawingPoint> marked, int perSegment) {
  if (marked.size() < 2 || checkPointsPerSegment(perSegment) != CurveCount::Ok) {
    return {marked.begin(), marked.end()};
  }
  std::vector<DrawingPoint> curve;
  curve.reserve(static_cast<size_t>(curvePointCount(marked.size(), perSegment)));
  curve.push_back(marked.front());
  const size_t last = marked.size() - 1;
  for (size_t i = 0; i < last; ++i) {
    const DrawingPoint& p0 = marked[i == 0 ? 0 : i - 1];
    const DrawingPoint& p1 = marked[i];
    const DrawingPoint& p2 = marked[i + 1];
    const DrawingPoint& p3 = marked[std::min(i + 2, last)];
    for (int j = 1; j + 1 < perSegment; ++j) {
      const float t = static_cast<float>(j) / static_cast<float>(perSegment - 1);
      curve.push_back({catmullRom(p0.x, p1.x, p2.x, p3.x, t), catmullRom(p0.y, p1.y, p2.y, p3.y, t), 0});
    }
    curve.push_back({p2.x, p2.y, 0});  // exactly through the marked point, whatever the rounding
  }
  return curve;
}

}  // namespace ts
