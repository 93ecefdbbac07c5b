#include "layout/justification_distribution.h"

#include <gtest/gtest.h>

#include <cmath>

#include "layout/justification_messages.h"

namespace ts {
namespace {

struct ChangeCase {
  const char* what;
  std::vector<float> xs, gaps, changes;
};

TEST(GapChanges, NarrowGapsGrowAndSpareRoomGivesItUp) {
  const ChangeCase cases[] = {
      {"already wide enough: nothing moves", {0, 10, 20}, {5, 5}, {0, 0}},
      {"all too narrow: no spare room, nothing moves", {0, 10, 20}, {12, 12}, {0, 0}},
      {"narrow by 2, slack 3 and 1: r = 0.5", {0, 10, 20, 30}, {12, 7, 9}, {2, -1.5f, -0.5f}},
      {"spare room short of the growth: the narrow gap takes what there is", {5, 10, 20}, {9, 8}, {2, -2}},
  };
  for (const ChangeCase& c : cases) {
    const std::vector<float> changes = gapChanges(c.xs, c.gaps);
    ASSERT_EQ(changes.size(), c.changes.size()) << c.what;
    for (size_t i = 0; i < changes.size(); ++i) EXPECT_FLOAT_EQ(changes[i], c.changes[i]) << c.what << " gap " << i;
  }
}

TEST(GapChangeMap, ColumnsMoveByTheChangesBeforeThemAndTheLastStays) {
  const std::vector<float> xs = {0, 10, 20, 30};
  const GapChangeMap map(xs, gapChanges(xs, std::vector<float>{12, 7, 9}));
  const struct {
    float from, to;
  } cases[] = {
      {-5, -5},        // left of the first column: untouched
      {0, 0},          // the left end stays
      {5, 6},          // inside the grown gap: stretched by 12/10 about 0
      {10, 12},        // a column moves by the changes before it
      {15, 16.25f},    // inside the gap that gave up 1.5: 12 + 5 x 8.5/10
      {20, 20.5f},
      {30, 30},        // the last column stays
      {40, 40},
  };
  for (const auto& c : cases) EXPECT_FLOAT_EQ(map.map(c.from), c.to) << c.from;
}

TEST(GapChangeMap, NothingMovesWhenNoGapChanges) {
  const std::vector<float> xs = {0, 10, 20};
  const GapChangeMap map(xs, gapChanges(xs, std::vector<float>{5, 5}));
  EXPECT_FALSE(map.movesAnything());
  EXPECT_FLOAT_EQ(map.map(13.7f), 13.7f);
}

TEST(GapChangeMap, AGapSqueezedPastAFifthKeepsItsInsideWithItsLeftColumn) {
  const std::vector<float> xs = {0, 10, 12};
  const std::vector<float> changes = {-9, 9};  // factor 0.1: taken as 1
  const GapChangeMap map(xs, changes);
  EXPECT_FLOAT_EQ(map.map(4), 4);
  EXPECT_FLOAT_EQ(map.map(10), 1);
  EXPECT_FLOAT_EQ(map.map(11), 6.5f);  // the next gap grows 2 -> 11: stretched by 5.5
}

TEST(FitNeeds, TenMoreThanAvailableOverElevenColumnsTakesOneFromEveryGap) {
  std::vector<float> gaps(10, 3.0f);
  const std::optional<std::string> message = fitNeeds(gaps, 20.0f);
  ASSERT_TRUE(message);
  EXPECT_EQ(*message, "*** Not enough space to justify ideally. ||Needed=   30.000, Available=   20.000");
  for (const float gap : gaps) EXPECT_FLOAT_EQ(gap, 2.0f);
}

TEST(FitNeeds, EnoughRoomChangesNothingAndNoGapNeedsLessThanNothing) {
  std::vector<float> gaps = {3, 4};
  EXPECT_FALSE(fitNeeds(gaps, 7.0f));
  EXPECT_EQ(gaps, (std::vector<float>{3, 4}));
  std::vector<float> uneven = {0.5f, 9.5f};
  ASSERT_TRUE(fitNeeds(uneven, 4.0f));  // 6 too much: 3 from each
  EXPECT_EQ(uneven, (std::vector<float>{0.0f, 6.5f}));
}

TEST(MergeColumns, ColumnsOfFurtherStavesJoinWithinATenthAndEndAtTheRight) {
  const std::vector<std::vector<SpacingColumn>> staves = {
      {{10, 4}, {20, 4}},
      {{10.05f, 6}, {15, 3}, {199.9f, 1}},  // the last is past the right less 0.2
  };
  const std::vector<SpacingColumn> merged = mergeColumns(staves, 200.0f);
  ASSERT_EQ(merged.size(), 4u);
  const float xs[] = {10, 15, 20, 200};
  const float gaps[] = {6, 3, 4, 0};
  for (size_t i = 0; i < merged.size(); ++i) {
    EXPECT_FLOAT_EQ(merged[i].x, xs[i]) << i;
    EXPECT_FLOAT_EQ(merged[i].gap, gaps[i]) << i;
  }
}

TEST(CleanedPosition, NearZeroAndNearTheRightEdgeSnap) {
  const struct {
    float from, to;
  } cases[] = {{0.004f, 0}, {-0.009f, 0}, {0.01f, 0.01f}, {199.995f, 200}, {200.008f, 200}, {199.98f, 199.98f}};
  for (const auto& c : cases) EXPECT_FLOAT_EQ(cleanedPosition(c.from, 200.0f), c.to) << c.from;
}

TEST(JustificationMessages, FieldsAreFixedWidthAndOverflowShowsAsterisks) {
  EXPECT_EQ(fixedField(112.0, 9, 3), "  112.000");
  EXPECT_EQ(fixedField(123456789.0, 9, 3), "*********");
  EXPECT_EQ(fixedField(std::nan(""), 6, 3), "******");
  EXPECT_EQ(staffBeatsLine(2, 4.0), "Staff   2 has  4.000 beats");
  EXPECT_EQ(spacingMismatchMessage(4, 3.5),
            " *** Mismatch - Spacing Staff has  4.000 Quarter Notes.\nQuarter Notes on this staff = 3.500");
}

}  // namespace
}  // namespace ts
