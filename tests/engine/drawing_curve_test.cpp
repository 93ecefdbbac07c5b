#include "engine/drawing_curve.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ts {
namespace {

TEST(DrawingCurveTest, PointsPerSegmentRunFromThreeToFifty) {
  const struct { int n; CurveCount expected; } cases[] = {
      {-5, CurveCount::TooFew}, {0, CurveCount::TooFew}, {2, CurveCount::TooFew},  {3, CurveCount::Ok},
      {50, CurveCount::Ok},     {51, CurveCount::TooMany}, {1 << 30, CurveCount::TooMany},
  };
  for (const auto& c : cases) EXPECT_EQ(checkPointsPerSegment(c.n), c.expected) << c.n;
}

TEST(DrawingCurveTest, TheCurvePassesThroughEveryMarkedPointWithTheCountedPoints) {
  const std::vector<DrawingPoint> marked{{0, 0, 2}, {10, 10, 0}, {20, 0, 0}, {30, 10, 0}};
  for (const int n : {3, 7, 50}) {
    const std::vector<DrawingPoint> curve = curveThrough(marked, n);
    ASSERT_EQ(static_cast<int64_t>(curve.size()), curvePointCount(marked.size(), n)) << n;
    EXPECT_EQ(curve.size(), 1 + 3 * static_cast<size_t>(n - 1)) << n;
    for (size_t k = 0; k < marked.size(); ++k) {
      const DrawingPoint& on = curve[k * static_cast<size_t>(n - 1)];
      EXPECT_EQ(on.x, marked[k].x) << n << " " << k;
      EXPECT_EQ(on.y, marked[k].y) << n << " " << k;
    }
    EXPECT_EQ(curve.front().pen, 2);  // the first point keeps its pen, the rest draw
    for (size_t i = 1; i < curve.size(); ++i) EXPECT_EQ(curve[i].pen, 0);
  }
}

TEST(DrawingCurveTest, ASegmentBetweenTwoPointsBendsTowardItsNeighbours) {
  // Through (0,0), (10,10), (20,0): the middle of the first segment lies
  // above the chord, since the curve heads on down to (20,0) after (10,10).
  const std::vector<DrawingPoint> curve = curveThrough(std::vector<DrawingPoint>{{0, 0, 1}, {10, 10, 0}, {20, 0, 0}}, 3);
  ASSERT_EQ(curve.size(), 5u);
  EXPECT_FLOAT_EQ(curve[1].x, 4.375f);
  EXPECT_FLOAT_EQ(curve[1].y, 5.625f);
  // Two points make a straight line.
  const std::vector<DrawingPoint> line = curveThrough(std::vector<DrawingPoint>{{0, 0, 1}, {10, 0, 0}}, 3);
  EXPECT_FLOAT_EQ(line[1].x, 5.0f);
  EXPECT_FLOAT_EQ(line[1].y, 0.0f);
}

}  // namespace
}  // namespace ts
