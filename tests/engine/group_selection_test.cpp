#include "engine/group_selection.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

ItemRecord item(float code, float staff, float p3, float p4 = 0.0f) { return {{code, staff, p3, p4}, {}}; }

PageStore pageOf(const std::vector<ItemRecord>& items) {
  PageStore page;
  for (const ItemRecord& i : items) page.append(i);
  return page;
}

TEST(GroupSelection, RightZeroMeansTheNormalRightEdge) {
  const PageStore page = pageOf({item(1, 1, 200), item(1, 1, 200.01f), item(1, 1, 0)});
  EXPECT_EQ(selectItems(page, areaFromNumbers({1, 0, 0})), (std::vector<int>{1, 3}));
}

TEST(GroupSelection, EdgesSwapAndToleranceHolds) {
  const PageStore page = pageOf({item(1, 3, 19.9995f), item(1, 3, 35), item(1, 3, 50.002f), item(1, 4, 30)});
  EXPECT_EQ(selectItems(page, areaFromNumbers({3, 50, 20})), (std::vector<int>{1, 2}));
}

TEST(GroupSelection, StaffRangeCodesAndAllStaves) {
  const PageStore page = pageOf({item(8, 4, 0), item(1, 4, 10), item(2, 4, 20), item(14, 4, 30), item(1, 5, 10)});
  GroupArea area = areaFromNumbers({4, 0, 0});
  area.codes = {1, 2};
  EXPECT_EQ(selectItems(page, area), (std::vector<int>{2, 3}));
  // Upper staff smaller than lower is taken as the lower.
  EXPECT_EQ(selectItems(page, areaFromNumbers({4, 0, 0, 2})).size(), 4u);
  // Staff 1 up to beyond the highest staff in use takes every staff.
  EXPECT_EQ(selectItems(page, areaFromNumbers({1, 0, 0, 99})).size(), 5u);
  EXPECT_EQ(highestStaffInUse(page), 5);
}

TEST(GroupSelection, HorizontalMappingCases) {
  const GroupArea source = areaFromNumbers({1, 10, 30});
  struct Case {
    std::vector<double> destination;
    HorizontalMapping::Kind kind;
    float from, to;
  };
  const Case cases[] = {
      {{2, 0, 0}, HorizontalMapping::Kind::SamePlace, 15, 15},  // same range on another staff
      {{1, 10, 30}, HorizontalMapping::Kind::SamePlace, 15, 15},
      {{1, 5, 0}, HorizontalMapping::Kind::Shift, 15, 20},    // a left edge alone is the shift
      {{1, 50, 70}, HorizontalMapping::Kind::Shift, 15, 55},  // equal widths
      {{1, 10, 50}, HorizontalMapping::Kind::Scale, 20, 30},  // twice as wide from 10
  };
  for (const Case& c : cases) {
    const HorizontalMapping m = horizontalMapping(source, areaFromNumbers(c.destination));
    EXPECT_EQ(m.kind, c.kind) << c.destination[1];
    EXPECT_FLOAT_EQ(mapPosition(m, c.from), c.to) << c.destination[1];
  }
  // Source at the left edge with no destination range: nothing moves.
  EXPECT_TRUE(leavesPositions(horizontalMapping(areaFromNumbers({1, 0, 0}), areaFromNumbers({2}))));
}

TEST(GroupSelection, ScaledPositionsNearZeroBecomeZero) {
  const HorizontalMapping m = horizontalMapping(areaFromNumbers({1, 10, 20}), areaFromNumbers({1, 0, 20}));
  ASSERT_EQ(m.kind, HorizontalMapping::Kind::Scale);
  EXPECT_EQ(mapPosition(m, 10.001f), 0.0f);
}

TEST(GroupSelection, DestinationStaffAboveTheHighestIsTheSource) {
  EXPECT_EQ(destinationStaff(7, 2, 5), 2);
  EXPECT_EQ(destinationStaff(0, 2, 5), 2);
  EXPECT_EQ(destinationStaff(4, 2, 5), 4);
}

}  // namespace
}  // namespace ts
