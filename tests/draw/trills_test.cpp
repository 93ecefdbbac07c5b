// Trills: the box of an outline, the wavy extension's place and waves, and
// what a trill draws with and without its end.

#include "draw/trills.h"

#include <gtest/gtest.h>

#include <vector>

#include "draw/draw_messages.h"
#include "support/drawn_page.h"

namespace ts {
namespace {

using testing::drawOnStaff;
using testing::itemPaths;

TEST(OutlineBox, PointsOfFiguresOnly) {
  const std::vector<DrawingPoint> points = {{4, 8, 2}, {-4, 0, 0}, {999, 600, 99}, {12, -8, 3}, {0, 0, -99}};
  const OutlineBox box = outlineBox(points, 4.0f);
  EXPECT_FALSE(box.empty);
  EXPECT_FLOAT_EQ(box.minX, -1);
  EXPECT_FLOAT_EQ(box.maxX, 3);
  EXPECT_FLOAT_EQ(box.minY, -2);
  EXPECT_FLOAT_EQ(box.maxY, 2);
  EXPECT_TRUE(outlineBox({}, 1.0f).empty);
}

TEST(TrillWiggle, WavesFillTheRoomToTheEnd) {
  constexpr float s = 25.0f;
  const float start = 1000 + 0.5f * 7 * s;
  struct Case { float endX, p6, p9, p11; bool drawn, missing; int periods; float y; };
  for (const Case& c : {Case{1000 + 0.5f * 7 * s + 14 * s * 10, 40, 0, 0, true, false, 10, 500},
                        Case{1000 + 0.5f * 7 * s + 14 * s * 10.5f, 40, 0, 0, true, false, 10, 500},
                        Case{1000 + 0.5f * 7 * s + 14 * s * 10, 40, 2, -1, true, false, 5, 500 - 7 * s},
                        Case{start + 100, 40, 0, 0, true, false, 1, 500},  // less than a wave: one, squeezed
                        Case{0, 0, 0, 0, false, false, 0, 0},               // P6 = 0: no wiggle
                        Case{900, 6, 0, 0, false, true, 0, 500},            // end left of the sign
                        Case{1.0e9f, 40, 0, 0, true, false, kMaxWigglePeriods, 500}}) {
    const TrillWiggle w = trillWiggle(1000, 500, c.endX, c.p6, c.p9, c.p11, s);
    EXPECT_EQ(w.drawn, c.drawn) << c.endX;
    EXPECT_EQ(w.endMissing, c.missing) << c.endX;
    if (!c.drawn) continue;
    EXPECT_FLOAT_EQ(w.x, start);
    EXPECT_FLOAT_EQ(w.y, c.y) << c.endX;
    EXPECT_EQ(w.periods, c.periods) << c.endX;
    // The waves end at the end: periods x one wave x the x-scale.
    EXPECT_NEAR(w.x + static_cast<float>(w.periods) * 14 * s * w.xScale, c.endX, c.endX * 1e-6f) << c.endX;
  }
}

TEST(TrillDrawing, SignAloneWithoutWiggleAndAMessageWhenTheEndIsMissing) {
  if (testing::builtSymbolLibrary().empty()) GTEST_SKIP() << "no symbol library built";
  const auto alone = drawOnStaff({{7, 1, 10, 14, 0, 0}});
  const auto sign = itemPaths(alone);
  EXPECT_FALSE(sign.empty());
  EXPECT_TRUE(alone.report.warnings.empty());
  const auto missing = drawOnStaff({{7, 1, 10, 14, 0, 5}});
  EXPECT_EQ(itemPaths(missing).size(), sign.size());
  ASSERT_FALSE(missing.report.warnings.empty());
  EXPECT_EQ(missing.report.warnings.front(), kTrillNeedsEndMessage);
  const auto withWiggle = drawOnStaff({{7, 1, 10, 14, 0, 40}});
  EXPECT_GT(itemPaths(withWiggle).size(), sign.size());
  const auto withFlat = drawOnStaff({{7, 1, 10, 14, 0, 0, 0, 1}});
  EXPECT_GT(itemPaths(withFlat).size(), sign.size());
}

}  // namespace
}  // namespace ts
