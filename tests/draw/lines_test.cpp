// Lines: the default end, stretched ends, dash patterns, wave figures and
// arrowheads, and what a line draws.

#include "draw/lines.h"

#include <gtest/gtest.h>

#include <cmath>

#include "draw/draw_messages.h"
#include "support/drawn_page.h"

namespace ts {
namespace {

using testing::drawOnStaff;
using testing::itemPaths;
using testing::staffStepY;

TEST(LineEnd, BothZeroMeansTwentyUnitsRightOnTheSameStep) {
  struct Case { float p3, p4, p5, p6, position, step; bool defaulted; };
  for (const Case& c : {Case{10, 4, 0, 0, 30, 4, true}, Case{10, 4, 6, 0, 0, 6, false},
                        Case{10, 4, 0, 50, 50, 0, false}, Case{10, 4, 6, 50, 50, 6, false}}) {
    const LineEnd e = lineEnd(c.p3, c.p4, c.p5, c.p6);
    EXPECT_FLOAT_EQ(e.position, c.position) << c.p5 << " " << c.p6;
    EXPECT_FLOAT_EQ(e.step, c.step) << c.p5 << " " << c.p6;
    EXPECT_EQ(e.defaulted, c.defaulted) << c.p5 << " " << c.p6;
  }
}

TEST(LineStretch, FactorsFromP18AndP19) {
  struct Case { float p18, p19, x, y; };
  for (const Case& c : {Case{0, 0, 1, 1}, Case{1, 0, 1, 1}, Case{2, 0, 2, 2}, Case{2, 0.5f, 2, 0.5f},
                        Case{0, 3, 1, 3}, Case{-1, 0, -1, -1}}) {
    const StretchFactors k = stretchFactors(c.p18, c.p19);
    EXPECT_FLOAT_EQ(k.x, c.x) << c.p18 << " " << c.p19;
    EXPECT_FLOAT_EQ(k.y, c.y) << c.p18 << " " << c.p19;
  }
}

TEST(LineDashes, DefaultsOfDashAndSpace) {
  struct Case { float p8, p9; bool dashed; float dash, space; };
  for (const Case& c : {Case{0, 0, false, 1, 1}, Case{2, 0, true, 2, 2}, Case{0, 1.5f, true, 1, 1.5f},
                        Case{0.6f, 0.4f, true, 0.6f, 0.4f}, Case{-1, -1, false, 1, 1}}) {
    const DashPattern d = dashPattern(c.p8, c.p9);
    EXPECT_EQ(d.dashed, c.dashed) << c.p8 << " " << c.p9;
    EXPECT_FLOAT_EQ(d.dash, c.dash) << c.p8 << " " << c.p9;
    EXPECT_FLOAT_EQ(d.space, c.space) << c.p8 << " " << c.p9;
  }
}

TEST(LineWaves, FiguresAndPeriods) {
  struct Case { float phase, vibrato, saw; };
  for (const Case& c : {Case{0, 0, 0}, Case{0.25f, 1, 0.25f}, Case{0.5f, 0, 0.5f}, Case{0.75f, -1, 0.75f},
                        Case{1, 0, 1}}) {
    EXPECT_NEAR(vibratoOffset(c.phase), c.vibrato, 1e-6f) << c.phase;
    EXPECT_FLOAT_EQ(sawtoothOffset(c.phase), c.saw) << c.phase;
  }
  struct Periods { float length, period; int64_t count; };
  for (const Periods& c : {Periods{1000, 350, 2}, Periods{100, 350, 1}, Periods{3500, 350, 10},
                           Periods{1000, 0, 1}, Periods{1000, NAN, 1}}) {
    EXPECT_EQ(wavePeriods(c.length, c.period), c.count) << c.length << " " << c.period;
  }
}

TEST(LineArrows, TriangleWithItsTipAtTheEnd) {
  const auto right = arrowhead({1000, 0}, {0, 0}, 350, 105);
  EXPECT_FLOAT_EQ(right[0].x, 1000);
  EXPECT_FLOAT_EQ(right[1].x, 650);
  EXPECT_FLOAT_EQ(right[1].y, 105);
  EXPECT_FLOAT_EQ(right[2].y, -105);
  const auto up = arrowhead({0, 1000}, {0, 0}, 350, 105);
  EXPECT_FLOAT_EQ(up[1].y, 650);
  EXPECT_FLOAT_EQ(std::fabs(up[1].x), 105);
  const auto point = arrowhead({5, 5}, {5, 5}, 350, 105);  // no direction: points right
  EXPECT_FLOAT_EQ(point[1].x, 5 - 350);
}

TEST(LineDrawing, LineWithoutEndSaysSoAndRunsTwentyUnitsRight) {
  const testing::DrawnPage drawn = drawOnStaff({{4, 1, 10, 4, 0, 0}});
  const auto paths = itemPaths(drawn);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0][0].x, 1500);
  EXPECT_EQ(paths[0][1].x, 4500);
  EXPECT_EQ(paths[0][1].y, staffStepY(4));
  ASSERT_FALSE(drawn.report.warnings.empty());
  EXPECT_EQ(drawn.report.warnings.front(), kLineNeedsEndMessage);
}

TEST(LineDrawing, StretchedLineAndArrowheads) {
  // P7 = 100: the end moves to start + 2 x (end - start) across and 0.5 x up.
  const auto stretched = itemPaths(drawOnStaff({{4, 1, 10, 4, 8, 30, 100, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0.5f}}));
  ASSERT_EQ(stretched.size(), 1u);
  EXPECT_EQ(stretched[0][1].x, 1500 + 2 * 3000);
  EXPECT_EQ(stretched[0][1].y, staffStepY(6));
  const auto arrows = itemPaths(drawOnStaff({{4, 1, 10, 4, 4, 30, 0, 0, 0, 0, 1, 1}}));
  ASSERT_EQ(arrows.size(), 3u);
  EXPECT_EQ(arrows[1][0].pen, 2);
  EXPECT_EQ(arrows[1][0].x, 1500);
  EXPECT_EQ(arrows[2][0].x, 4500);
}

TEST(LineDrawing, VibratoAndSawtoothEndOnTheEndPoint) {
  for (const float kind : {-2.0f, -3.0f}) {
    const auto paths = itemPaths(drawOnStaff({{4, 1, 10, 4, 4, 30, kind}}));
    ASSERT_EQ(paths.size(), 1u) << kind;
    EXPECT_EQ(paths[0].front().x, 1500) << kind;
    EXPECT_NEAR(paths[0].back().x, 4500, 1.0f) << kind;
    EXPECT_NEAR(paths[0].back().y, staffStepY(4), 1.0f) << kind;
  }
}

}  // namespace
}  // namespace ts
