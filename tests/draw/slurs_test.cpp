// Slurs and ties: offsets, default ends, point counts, the arch, the
// thickness and its taper, the part drawn, and the figure drawn.

#include "draw/slurs.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/drawn_page.h"

namespace ts {
namespace {

using testing::drawOnStaff;
using testing::itemPaths;
using testing::staffStepY;

TEST(SlurOffsets, TieFamilyTableAndFlattening) {
  struct Case { float p8, p9, start, end; };
  for (const Case& c : {Case{1, 0, 17, 0}, Case{2.5f, 0, 21.5f, -4.5f}, Case{9, 0, 41, -24},  // 1 to 9
                        Case{0, 0, 8.5f, 8.5f}, Case{0.5f, 0, 8.5f, 8.5f},                     // index 1
                        Case{-3, 0, 32, -3}, Case{13, 0, 32, -3},                               // index 4 both ways
                        Case{-11, 0, 20, -12}, Case{99, 0, 20, -12},                            // index 12
                        Case{20, 0, 45, -3}, Case{98, 0, 45, -3}, Case{10, 0, 8.5f, 8.5f},      // 11 and 1
                        Case{-12, 0, 8.5f, 8.5f}, Case{50, 0, 8.5f, 8.5f},                      // out of range
                        Case{0, 0.5f, 18, 0}, Case{0, -1, -36, 54}}) {                          // P9 with P8 = 0
    const SlurOffsets o = slurOffsets(c.p8, c.p9);
    EXPECT_FLOAT_EQ(o.start, c.start) << c.p8 << " " << c.p9;
    EXPECT_FLOAT_EQ(o.end, c.end) << c.p8 << " " << c.p9;
  }
}

TEST(SlurEnd, DefaultAndBackwardEnds) {
  struct Case { float p3, p6, p7, endP6, endP7; };
  for (const Case& c : {Case{10, 0, 0, 30, 3}, Case{10, 0, -2, 30, -2}, Case{10, 5, 2, 13, 2},
                        Case{10, 40, 0, 40, 0}}) {
    const SlurEnd e = slurEnd(c.p3, c.p6, c.p7);
    EXPECT_FLOAT_EQ(e.p6, c.endP6) << c.p3 << " " << c.p6;
    EXPECT_FLOAT_EQ(e.p7, c.endP7) << c.p3 << " " << c.p6;
  }
}

TEST(SlurPoints, CountBySpacingAndCurve) {
  struct Case { float length; bool patterned; float p7; int n; };
  for (const Case& c : {Case{3000, false, 2, 30 + 4}, Case{100, false, 0, 8}, Case{100, false, 3, 14},
                        Case{3000, true, 0, 12}, Case{1000, true, 0.5f, 8 + 2}, Case{1000, true, 1.5f, 8 + 4},
                        Case{1.0e9f, false, 2, kMaxSlurPoints}, Case{-50, false, 0, 8}}) {
    EXPECT_EQ(slurPointCount(c.length, c.patterned, c.p7), c.n) << c.length << " " << c.p7;
  }
}

TEST(SlurArch, HeightAndExponent) {
  struct Case { float t, rise, k, height; };
  for (const Case& c : {Case{0, 350, 2.5f, 350}, Case{1, 350, 2.5f, 0}, Case{0.5f, 400, 2, 300},
                        Case{0.5f, -400, 2, -300}, Case{0.5f, 100, 1, 50}, Case{0.3f, 350.9f, 1, 245}}) {
    EXPECT_FLOAT_EQ(archHeight(c.t, c.rise, c.k), c.height) << c.t << " " << c.rise << " " << c.k;
  }
  EXPECT_FLOAT_EQ(archExponent(0), 2.5f);
  EXPECT_FLOAT_EQ(archExponent(1.5f), 4.0f);
  EXPECT_FLOAT_EQ(archExponent(-5), 0.1f);
}

TEST(SlurPoints, ApexPlacement) {
  struct Case { float p10, u, fraction; };
  for (const Case& c : {Case{0, 0.5f, 0.5f}, Case{0, 0.25f, 0.25f}, Case{0.3f, 0.5f, 0.3f}, Case{0.3f, 0.25f, 0.15f},
                        Case{0.3f, 0.75f, 0.65f}, Case{0.3f, 1, 1}, Case{5, 0.5f, 0.95f}, Case{-1, 0.5f, 0.05f}}) {
    EXPECT_NEAR(pointFraction(c.u, apexFraction(c.p10)), c.fraction, 1e-6f) << c.p10 << " " << c.u;
  }
}

TEST(SlurThickness, ShortSlursAreThinnerAndTheEdgesTaper) {
  struct Case { float p13, length, factor; };
  for (const Case& c : {Case{0, 3000, 0.75f}, Case{1, 5000, 1}, Case{-2, 5000, 1}, Case{2, 600, 1.2f},
                        Case{1, 601, 1 - 2399 * 0.4f / 2400}, Case{1, 1800, 0.8f}, Case{1, 2999, 1 - 0.4f / 2400}}) {
    EXPECT_NEAR(slurThicknessFactor(c.p13, c.length), c.factor, 1e-6f) << c.p13 << " " << c.length;
  }
  struct Taper { float fromEnd, p19, share; };
  for (const Taper& c : {Taper{0, 0, 0}, Taper{0.425f, 0, 0.5f}, Taper{0.85f, 0, 1}, Taper{1, 0, 1},
                         Taper{0.25f, 0.5f, 0.5f}, Taper{0.5f, -3, 0.5f / 0.85f}}) {
    EXPECT_NEAR(slurTaper(c.fromEnd, c.p19), c.share, 1e-6f) << c.fromEnd << " " << c.p19;
  }
}

TEST(SlurPart, FractionsOfTheLength) {
  struct Case { float p14, p15, from, to; };
  for (const Case& c : {Case{0, 0, 0, 1}, Case{0.5f, 0, 0.5f, 1}, Case{0, 0.5f, 0, 0.5f}, Case{1, 2, 0, 1},
                        Case{-0.5f, 0.25f, 0, 0.25f}, Case{0.75f, 0.25f, 0.25f, 0.75f}}) {
    const SlurPart part = slurPart(c.p14, c.p15);
    EXPECT_FLOAT_EQ(part.from, c.from) << c.p14 << " " << c.p15;
    EXPECT_FLOAT_EQ(part.to, c.to) << c.p14 << " " << c.p15;
  }
}

SlurShape shape(float rise, int points, bool upDown = false) {
  SlurShape sh;
  sh.x1 = 1000, sh.y1 = 500, sh.x2 = 4000, sh.y2 = 800;
  sh.rise = rise, sh.thickness = 60, sh.points = points, sh.upDown = upDown;
  return sh;
}

TEST(SlurPoints, EndsMeetTheEndPointsAndTheArchRisesBetween) {
  const auto points = slurPoints(shape(350, 9));
  ASSERT_EQ(points.size(), 9u);
  EXPECT_FLOAT_EQ(points.front().x, 1000);
  EXPECT_FLOAT_EQ(points.front().y, 500);
  EXPECT_FLOAT_EQ(points.front().thickness, 0);
  EXPECT_FLOAT_EQ(points.back().x, 4000);
  EXPECT_FLOAT_EQ(points.back().y, 800);
  EXPECT_FLOAT_EQ(points.back().thickness, 0);
  EXPECT_FLOAT_EQ(points[4].x, 2500);
  EXPECT_FLOAT_EQ(points[4].y, 650 + 350);  // the apex: the rise above the line between the ends
  EXPECT_FLOAT_EQ(points[4].thickness, 60);
  const auto down = slurPoints(shape(-350, 9));
  EXPECT_FLOAT_EQ(down[4].y, 650 - 350);
  EXPECT_FLOAT_EQ(down[4].thickness, -60);
}

TEST(SlurPoints, UpDownSlurCrossesInTheMiddle) {
  const auto points = slurPoints(shape(350, 9, true));
  EXPECT_FLOAT_EQ(points[2].y, 500 + 75 + 350);
  EXPECT_FLOAT_EQ(points[2].thickness, 60);
  EXPECT_FLOAT_EQ(points[4].y, 650);
  EXPECT_FLOAT_EQ(points[4].thickness, 0);
  EXPECT_FLOAT_EQ(points[6].y, 725 - 350);
  EXPECT_FLOAT_EQ(points[6].thickness, -60);
}

TEST(SlurPoints, PartBetweenFractions) {
  const auto points = slurPoints(shape(350, 8));
  const auto half = slurPartPoints(points, 1000, 3000, {0, 0.5f});
  ASSERT_EQ(half.size(), 5u);  // four points and the middle, interpolated
  EXPECT_FLOAT_EQ(half.front().x, 1000);
  EXPECT_NEAR(half.back().x, 2500, 0.01f);
  const auto inner = slurPartPoints(points, 1000, 3000, {0.2f, 0.8f});
  EXPECT_NEAR(inner.front().x, 1600, 0.01f);
  EXPECT_NEAR(inner.back().x, 3400, 0.01f);
  EXPECT_EQ(slurPartPoints(points, 1000, 3000, {0, 1}).size(), points.size());
}

// A slur from P3 20 at step 12 to P6 40 at step 10, arch 2 steps: one
// filled figure from the start (head middle: 8.5 step scales right) to the
// end and back.
TEST(SlurDrawing, FilledFigureBetweenItsEnds) {
  const auto paths = itemPaths(drawOnStaff({{5, 1, 20, 12, 10, 40, 2}}));
  ASSERT_EQ(paths.size(), 1u);
  const auto& figure = paths[0];
  const float s = testing::kStaffStepScale;
  const int n = slurPointCount(3000, false, 2);
  ASSERT_EQ(figure.size(), static_cast<size_t>(2 * n));
  EXPECT_EQ(figure.front().pen, 2);
  EXPECT_NEAR(figure.front().x, 3000 + 8.5f * s, 1.0f);
  EXPECT_EQ(figure.front().y, staffStepY(12));
  EXPECT_NEAR(figure[n - 1].x, 6000 + 8.5f * s, 1.0f);
  EXPECT_EQ(figure[n - 1].y, staffStepY(10));
  EXPECT_EQ(figure.back().x, figure.front().x);
  const auto top = std::max_element(figure.begin(), figure.end(), [](auto& a, auto& b) { return a.y < b.y; });
  EXPECT_GT(top->y, staffStepY(11) + 2 * 7 * s);
}

TEST(SlurDrawing, HalfSlurDrawsTheFirstHalfOfTheDoubledSlur) {
  const auto paths = itemPaths(drawOnStaff({{5, 1, 20, 12, 12, 40, 2, 0, 0, 0, 0, 1}}));
  ASSERT_EQ(paths.size(), 1u);
  const float s = testing::kStaffStepScale;
  const float startX = 3000 + 8.5f * s, endX = 6000 + 8.5f * s;
  float right = paths[0].front().x;
  for (const auto& p : paths[0]) right = std::max(right, p.x);
  EXPECT_NEAR(right, endX, 1.0f);  // the apex of a slur twice as long
  EXPECT_NEAR(paths[0].front().x, startX, 1.0f);
}

TEST(SlurDrawing, DashedSlurIsFilledDashesAndTripletWritesThree) {
  const testing::DrawnPage drawn = drawOnStaff({{5, 1, 20, 12, 12, 60, 2, 0, 0, 0, 1, 0, 0, 0, 0, 3}});
  const auto paths = itemPaths(drawn);
  EXPECT_EQ(paths.size(), static_cast<size_t>(slurPointCount(6000, true, 2) / 2));
  for (const auto& dash : paths) EXPECT_EQ(dash.front().pen, 2);
  ASSERT_EQ(drawn.blocks.size(), 1u);
  EXPECT_EQ(drawn.blocks[0].strings[0].text, "3");
}

}  // namespace
}  // namespace ts
