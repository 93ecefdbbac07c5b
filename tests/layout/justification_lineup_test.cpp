#include "layout/justification_lineup.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(RoundedBeat, NearWholeNumbersSnap) {
  const struct {
    double sum, beat;
  } cases[] = {{2.996, 3}, {3.004, 3}, {2.994, 2.994}, {0.3333, 0.3333}, {-0.001, 0}};
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(roundedBeat(c.sum), c.beat) << c.sum;
}

TEST(CountBeats, ColumnsTakeTheShortestDurationAndGraceNotesCountNothing) {
  const TimedItem items[] = {
      {30, 1}, {10, 2}, {10.05f, 1},  // a chord's notes of different lengths: the shorter counts
      {20, 64},                       // grace note
      {25, 0},                        // no duration
      {40, 1.0f / 3}, {45, 1.0f / 3}, {50, 1.0f / 3},
  };
  const StaffBeats beats = countBeats(items);
  ASSERT_EQ(beats.columns.size(), 5u);
  const double expected[] = {0, 1, 2, 2 + 1.0 / 3, 2 + 2.0 / 3};
  for (size_t i = 0; i < beats.columns.size(); ++i) EXPECT_NEAR(beats.columns[i].beat, expected[i], 1e-6) << i;
  EXPECT_DOUBLE_EQ(beats.total, 3.0);  // three triplet eighths round to the whole beat
}

TEST(PositionAtBeat, OnColumnsBetweenThemAndTowardsTheRightEnd) {
  StaffBeats reference;
  reference.columns = {{10, 0}, {30, 1}, {50, 3}};
  reference.total = 4;
  const struct {
    double beat;
    float x;
  } cases[] = {{0, 10}, {1, 30}, {0.5, 20}, {2, 40}, {3.5, 125}, {4, 200}, {-1, 10}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(positionAtBeat(reference, c.beat, 200), c.x) << c.beat;
  EXPECT_FLOAT_EQ(positionAtBeat(StaffBeats{}, 1, 200), 200);
}

TEST(LineUpKnots, EachColumnGoesToItsBeatOnTheReference) {
  StaffBeats reference;
  reference.columns = {{10, 0}, {30, 1}, {50, 2}};
  reference.total = 3;
  StaffBeats staff;
  staff.columns = {{12, 0}, {40, 2}};
  staff.total = 3;
  const std::vector<Knot> knots = lineUpKnots(staff, reference, 0, 200);
  ASSERT_EQ(knots.size(), 4u);
  EXPECT_FLOAT_EQ(knots[1].to, 10);
  EXPECT_FLOAT_EQ(knots[2].to, 50);
  EXPECT_FLOAT_EQ(mapThroughKnots(12, knots), 10);
  EXPECT_FLOAT_EQ(mapThroughKnots(26, knots), 30);  // halfway between the two columns
  EXPECT_FLOAT_EQ(mapThroughKnots(120, knots), 125);
  EXPECT_FLOAT_EQ(mapThroughKnots(250, knots), 250);  // outside the knots: stays
}

}  // namespace
}  // namespace ts
