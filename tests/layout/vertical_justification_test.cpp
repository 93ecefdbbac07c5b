#include "layout/vertical_justification.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

// Staves of size 1: a step is 175 page units.
constexpr float kStep = 175.0f;

StaffOutline staff(int number, float referenceSteps, std::vector<ItemBox> items) {
  return {number, referenceSteps * kStep, 25.0f, std::move(items)};
}

ItemBox box(float x1, float x2, float bottomSteps, float topSteps) { return {x1, bottomSteps * kStep, x2, topSteps * kStep}; }

TEST(VerticalJustification, StavesWhoseItemsDoNotMeetStayWhereTheyAre) {
  // 30 steps apart (22 between the lines), items far apart across.
  const std::vector<StaffOutline> staves = {staff(1, 0, {box(0, 100, 3, 11)}), staff(2, 30, {box(5000, 5100, 33, 41)})};
  EXPECT_TRUE(verticalMoves(staves, {4, 4, 12, 1, 200}).empty());
}

TEST(VerticalJustification, ItemsTooCloseMoveTheStaffAboveAndAllAboveIt) {
  // A note of staff 1 reaches step 16; staff 2's lowest item is at step 18
  // (its own reference 20 steps up): 2 steps of clearance where 4 are wanted.
  const std::vector<StaffOutline> staves = {staff(1, 0, {box(0, 300, 3, 16)}), staff(2, 20, {box(200, 400, 18, 31)}),
                                            staff(3, 40, {box(9000, 9100, 43, 51)})};
  const std::vector<StaffMove> moves = verticalMoves(staves, {4, 4, 12, 1, 200});
  ASSERT_EQ(moves.size(), 2u);
  EXPECT_EQ(moves[0].staff, 2);
  EXPECT_FLOAT_EQ(moves[0].steps, 2.0f);
  // Staff 3 faces nothing on staff 2: no shift of its own, but it rides up with staff 2.
  EXPECT_EQ(moves[1].staff, 3);
  EXPECT_FLOAT_EQ(moves[1].steps, 2.0f);
}

TEST(VerticalJustification, AStaffWithoutItemsRidesAlongAndIsPassedOver) {
  const std::vector<StaffOutline> staves = {staff(1, 0, {box(0, 300, 3, 16)}), staff(2, 20, {}),
                                            staff(3, 21, {box(0, 300, 19, 30)})};
  const std::vector<StaffMove> moves = verticalMoves(staves, {4, 4, 12, 1, 200});
  // Staff 3 is measured against staff 1: 3 steps of clearance, one more wanted;
  // its lines are 21 steps above staff 1's reference, 13 between the lines.
  ASSERT_EQ(moves.size(), 1u);
  EXPECT_EQ(moves[0].staff, 3);
  EXPECT_FLOAT_EQ(moves[0].steps, 1.0f);
}

TEST(VerticalJustification, SmallMovesAreNoMovesAndTheRangeIsKept) {
  EXPECT_EQ(roundedMove(0.15f), 0.0f);
  EXPECT_EQ(roundedMove(-0.19f), 0.0f);
  EXPECT_EQ(roundedMove(0.2f), 0.2f);
  const std::vector<StaffOutline> staves = {staff(1, 0, {box(0, 300, 3, 16)}), staff(2, 20, {box(200, 400, 18, 31)})};
  EXPECT_TRUE(verticalMoves(staves, {4, 4, 12, 2, 200}).empty());  // staff 2 is the bottom of the range
  float smallest = 0;
  EXPECT_TRUE(clearance(staves[0], staves[1], 4 * kStep, smallest));
  EXPECT_FLOAT_EQ(smallest, 2 * kStep);
}

}  // namespace
}  // namespace ts
