// Beams: the ends and heights of the main beams, the slope rule, partial
// beams and hooks, the number and its bracket, and what a beam draws.

#include "draw/beams.h"

#include <gtest/gtest.h>

#include "support/drawn_page.h"

namespace ts {
namespace {

using testing::DrawnPage;
using testing::drawOnStaff;
using testing::itemPaths;
using testing::staffStepY;

constexpr float s = 25.0f;  // step scale of a staff of size 1

BeamParameters beam(float p3, float p4, float p5, float p6, float p7) {
  BeamParameters p;
  p.p3 = p3, p.p4 = p4, p.p5 = p5, p.p6 = p6, p.p7 = p7;
  return p;
}

TEST(BeamGeometry, EndsAndHeights) {
  struct Case { BeamParameters p; float x1, y1, x2, y2; bool up; int count; };
  BeamParameters cue = beam(10, 105, 9, 30, 11);
  BeamParameters shifted = beam(10, 5, 9, 30, 21);
  shifted.p9 = 300;  // both ends follow stems on the other side
  BeamParameters larger = beam(10, 5, 9, 30, 12);
  larger.p18 = 2;
  BeamParameters followed = beam(10, 5, 9, 30, 21);
  followed.p14 = 12, followed.p15 = 28;
  BeamParameters secondSet = followed;
  secondSet.p13 = 1;  // P14 and P15 then belong to the partial beams
  for (const Case& c : {
           // Stems up: heads' right edges, seven steps above the end notes.
           Case{beam(10, 5, 9, 30, 12), 1500 + 17 * s, 5 * 7 * s + 49 * s, 4500 + 17 * s, 9 * 7 * s + 49 * s, true, 2},
           // Stems down: at the positions, seven steps below.
           Case{beam(10, 5, 9, 30, 21), 1500, 5 * 7 * s - 49 * s, 4500, 9 * 7 * s - 49 * s, false, 1},
           // Cue: step 5 of P4 = 105, at 0.6 of the scale.
           Case{cue, 1500 + 17 * 0.6f * s, 5 * 7 * s + 49 * 0.6f * s, 4500 + 17 * 0.6f * s, 9 * 7 * s + 49 * 0.6f * s,
                true, 1},
           Case{shifted, 1500 + 17 * s, 5 * 7 * s - 49 * s, 4500 + 17 * s, 9 * 7 * s - 49 * s, false, 1},
           Case{larger, 1500 + 34 * s, 5 * 7 * s + 98 * s, 4500 + 34 * s, 9 * 7 * s + 98 * s, true, 2},
           Case{followed, 1800, 5 * 7 * s - 49 * s, 4200, 9 * 7 * s - 49 * s, false, 1},
           Case{secondSet, 1500, 5 * 7 * s - 49 * s, 4500, 9 * 7 * s - 49 * s, false, 1},
       }) {
    const BeamGeometry g = beamGeometry(c.p, s, 0.0f);
    EXPECT_FLOAT_EQ(g.left.x, c.x1) << c.p.p7 << " " << c.p.p9;
    EXPECT_FLOAT_EQ(g.left.y, c.y1) << c.p.p7;
    EXPECT_FLOAT_EQ(g.right.x, c.x2) << c.p.p7;
    EXPECT_FLOAT_EQ(g.right.y, c.y2) << c.p.p7;
    EXPECT_EQ(g.up, c.up) << c.p.p7;
    EXPECT_EQ(g.count, c.count) << c.p.p7;
  }
}

TEST(BeamGeometry, DistanceThicknessAndHiddenBeams) {
  BeamParameters p = beam(10, 5, 5, 30, 13);
  EXPECT_FLOAT_EQ(beamGeometry(p, s, 0).between, 10.5f * s);
  EXPECT_FLOAT_EQ(beamGeometry(p, s, 0).thickness, -7.0f * s);  // toward the heads, below
  p.p21 = 1.5f;
  p.p17 = 2.0f;
  EXPECT_FLOAT_EQ(beamGeometry(p, s, 0).between, 15.75f * s);
  EXPECT_FLOAT_EQ(beamGeometry(p, s, 0).thickness, -14.0f * s);
  EXPECT_FLOAT_EQ(beamGeometry(beam(10, 105, 5, 30, 21), s, 0).thickness, 7.0f * 0.6f * 0.8f * s);
  EXPECT_TRUE(beamGeometry(p, s, 0).mainDrawn);
  EXPECT_FALSE(beamGeometry(beam(10, 5, 5, 30, -12), s, 0).mainDrawn);
  EXPECT_TRUE(beamGeometry(beam(10, 5, 5, 30, -12), s, 0).up);
}

TEST(BeamSlope, OneHundredUnitsWhenTheEndsShareAPosition) {
  struct Case { BeamPoint a, b; float slope; };
  for (const Case& c : {Case{{0, 0}, {1000, 500}, 0.5f}, Case{{1000, 500}, {0, 0}, 0.5f},
                        Case{{300, 0}, {300, 700}, 7.0f}, Case{{300, 700}, {300, 0}, -7.0f},
                        Case{{0, 0}, {0, 0}, 0.0f}}) {
    EXPECT_FLOAT_EQ(beamSlope(c.a, c.b), c.slope) << c.a.x << "," << c.b.y;
  }
}

TEST(PartialBeams, EndsHooksAndInsets) {
  const BeamGeometry down = beamGeometry(beam(10, 5, 5, 30, 21), s, 0);
  const BeamGeometry up = beamGeometry(beam(10, 5, 5, 30, 11), s, 0);
  const float hook = 16.2f * s, head = 17 * s;
  struct Case { const BeamGeometry& g; float start, end; int shift; float x1, x2; };
  for (const Case& c : {Case{down, 20, 30, 0, 3000, 4500}, Case{up, 20, 30, 0, 3000 + head, 4500 + head},
                        Case{down, 0, 20, 0, 3000 - hook, 3000},       // a hook left of its end
                        Case{down, 20, 0, 0, 3000, 3000 + hook},       // ... right of its start
                        Case{down, -1, 20, 0, 1500, 3000}, Case{down, 20, -1, 0, 3000, 4500},
                        Case{down, 0, -1, 0, 4500 - hook, 4500},
                        Case{down, 0, 0, 0, 1500 + 7 * s, 4500 - 7 * s},  // neither end: inset
                        Case{down, 20, 25, 1, 3000 + head, 3750}, Case{down, 20, 25, 2, 3000, 3750 + head},
                        Case{up, 20, 25, 3, 3000, 3750}}) {
    const PartialSpan span = partialBeamSpan(c.start, c.end, c.shift, c.g);
    EXPECT_FLOAT_EQ(span.x1, c.x1) << c.start << " " << c.end << " " << c.shift;
    EXPECT_FLOAT_EQ(span.x2, c.x2) << c.start << " " << c.end << " " << c.shift;
  }
  EXPECT_EQ(partialSet(21).depth, 2);
  EXPECT_EQ(partialSet(21).count, 1);
  EXPECT_EQ(partialSet(3).depth, 0);
  EXPECT_EQ(partialSet(3).count, 3);
}

TEST(BeamFigures, ScreenZigZagAndPrintedQuadrilateral) {
  const auto path = screenBeamPath({0, 0}, {1000, 100}, -1.0f);
  const float ys[] = {0, 100, 65, -35, -70, 30, -5};
  const float xs[] = {0, 1000, 1000, 0, 0, 1000, 1000};
  for (size_t i = 0; i < path.size(); ++i) {
    EXPECT_FLOAT_EQ(path[i].x, xs[i]) << i;
    EXPECT_FLOAT_EQ(path[i].y, ys[i]) << i;
  }
  const auto corners = printBeamCorners({0, 0}, {1000, 100}, 175);
  EXPECT_FLOAT_EQ(corners[0].y, 275);
  EXPECT_FLOAT_EQ(corners[1].y, 100);
  EXPECT_FLOAT_EQ(corners[2].x, 0);
  EXPECT_FLOAT_EQ(corners[3].y, 175);
}

TEST(BeamNumber, PlaceSizeAndBracketStyle) {
  BeamParameters p = beam(10, 5, 9, 30, 21);
  p.p8 = 3;
  BeamGeometry g = beamGeometry(p, s, 0);
  BeamNumber n = beamNumber(p, g, s);
  EXPECT_EQ(n.value, 3);
  EXPECT_EQ(n.bracket, 0);
  EXPECT_FLOAT_EQ(n.x, 3000);
  EXPECT_FLOAT_EQ(n.baselineY, (g.left.y + g.right.y) / 2 - 24.5f * s);
  p.p8 = 1005, p.p16 = 0.25f, p.p19 = 1;
  n = beamNumber(p, g, s);
  EXPECT_EQ(n.value, 5);
  EXPECT_EQ(n.bracket, 1);
  EXPECT_FLOAT_EQ(n.x, 1500 + 0.25f * 3000);
  EXPECT_FLOAT_EQ(n.baselineY, g.left.y + 0.25f * (g.right.y - g.left.y) + (7 - 24.5f) * s);
  p.p8 = 2006;
  EXPECT_EQ(beamNumber(p, g, s).bracket, 2);
  p.p8 = 7003;
  EXPECT_EQ(beamNumber(p, g, s).bracket, 1);
  const BeamParameters cue = beam(10, 105, 5, 30, 11);
  const BeamNumber small = beamNumber(cue, beamGeometry(cue, s, 0), s);
  EXPECT_FLOAT_EQ(small.size, 0.6f);
  EXPECT_FLOAT_EQ(small.baselineY, beamGeometry(cue, s, 0).left.y + 6.5f * 0.7f * s);
}

TEST(BeamNumber, BracketBrokenByTheNumberWithHooksTowardTheNotes) {
  BeamParameters p = beam(10, 5, 5, 30, 21);
  p.p8 = 1003;
  const BeamGeometry g = beamGeometry(p, s, 0);
  const BeamNumber n = beamNumber(p, g, s);
  const auto strokes = numberBracket(g, n, 100, 200, s);
  ASSERT_EQ(strokes.size(), 2u);
  ASSERT_EQ(strokes[0].size(), 3u);
  EXPECT_FLOAT_EQ(strokes[0][0].y - strokes[0][1].y, 7 * s);  // the hook points up, to the notes
  EXPECT_FLOAT_EQ(strokes[0][2].x, n.x - 200);
  EXPECT_FLOAT_EQ(strokes[1][0].x, n.x + 200);
  EXPECT_FLOAT_EQ(strokes[1][1].x, g.right.x);
  p.p8 = 2000;  // a plain line, no number: unbroken
  const auto plain = numberBracket(g, beamNumber(p, g, s), 100, 0, s);
  ASSERT_EQ(plain.size(), 1u);
  EXPECT_EQ(plain[0].size(), 2u);
}

// The drawn beam, read back from the display list.
TEST(BeamDrawing, TwoBeamsAboveTheNotesTenAndAHalfStepScalesApart) {
  const auto paths = itemPaths(drawOnStaff({{6, 1, 10, 5, 5, 30, 12}}));
  ASSERT_EQ(paths.size(), 2u);
  ASSERT_EQ(paths[0].size(), 7u);
  EXPECT_EQ(paths[0][0].x, 1500 + 17 * s);
  EXPECT_EQ(paths[0][0].y, staffStepY(5) + 49 * s);
  EXPECT_EQ(paths[1][0].x, paths[0][0].x);
  EXPECT_NEAR(paths[0][0].y - paths[1][0].y, 10.5f * s, 1.0f);
  EXPECT_EQ(paths[0][1].x, 4500 + 17 * s);
}

TEST(BeamDrawing, EndsAtOnePositionTakeTheSlopeOverOneHundredUnits) {
  // One beam from step 5 to step 9 at one position, with a partial beam
  // from that position hooked to the right.
  const auto paths = itemPaths(drawOnStaff({{6, 1, 20, 5, 9, 20, 21, 0, 0, 1, 20, 0}}));
  ASSERT_EQ(paths.size(), 2u);
  const auto& hook = paths[1];
  const float slope = 4 * 7 * s / 100.0f;
  EXPECT_NEAR(hook[1].x - hook[0].x, 16.2f * s, 1.0f);
  EXPECT_NEAR(hook[1].y - hook[0].y, slope * 16.2f * s, 1.0f);
}

TEST(BeamDrawing, PartialBeamWithoutStartIsAHookAtItsEnd) {
  const auto paths = itemPaths(drawOnStaff({{6, 1, 10, 5, 5, 30, 21, 0, 0, 11, 0, 30}}));
  ASSERT_EQ(paths.size(), 2u);
  EXPECT_NEAR(paths[1][0].x, 4500 - 16.2f * s, 1.0f);
  EXPECT_EQ(paths[1][1].x, 4500);
  EXPECT_NEAR(paths[1][0].y, staffStepY(5) - 49 * s + 10.5f * s, 1.0f);  // one beam further in
}

TEST(BeamDrawing, NegativeCountLeavesOnlyPartialBeamsAndNumber) {
  const DrawnPage drawn = drawOnStaff({{6, 1, 10, 5, 5, 30, -21, 3, 0, 1, -1, -1}});
  const auto paths = itemPaths(drawn);
  ASSERT_EQ(paths.size(), 1u);
  EXPECT_EQ(paths[0][0].x, 1500);
  EXPECT_EQ(paths[0][1].x, 4500);
  ASSERT_EQ(drawn.blocks.size(), 1u);
  EXPECT_EQ(drawn.blocks[0].strings[0].text, "3");
}

}  // namespace
}  // namespace ts
