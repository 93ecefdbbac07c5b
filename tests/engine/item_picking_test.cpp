#include "engine/item_picking.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ts {
namespace {

ItemPlace placed(int x, int y, int minX, int minY, int maxX, int maxY) {
  ItemPlace place;
  place.x = x;
  place.y = y;
  place.extent = {minX, minY, maxX, maxY};
  place.drawn = true;
  return place;
}

TEST(ItemPicking, NearestMarksWinAndEmptyStaffSpacePicksTheStaff) {
  std::vector<ItemPlace> places = {
      placed(0, -9000, 0, -9000, 30000, -7600),       // a staff: its box covers the page width
      placed(3000, -8300, 3000, -8400, 3425, -8200),  // a note head
      placed(6000, -8300, 6000, -8400, 6425, -8200),
      ItemPlace{},                                    // an item that drew nothing
  };
  EXPECT_EQ(pickNearestItem(places, {3100, -8300}), 2);  // inside the staff and the head: the head's reference is nearer
  EXPECT_EQ(pickNearestItem(places, {5900, -8000}), 3);
  EXPECT_EQ(pickNearestItem(places, {15000, -8000}), 1);  // empty staff space picks the staff
  EXPECT_EQ(pickNearestItem(places, {3200, -7900}), 2);   // just above a head inside the staff
  EXPECT_EQ(pickNearestItem({}, {0, 0}), 0);
}

TEST(ItemPicking, DistanceToABox) {
  const PageExtent box{0, 0, 10, 10};
  EXPECT_EQ(distanceToExtent(box, {5, 5}), 0.0);
  EXPECT_EQ(distanceToExtent(box, {13, 14}), 5.0);
  EXPECT_EQ(distanceToExtent(box, {-3, 5}), 3.0);
}

TEST(ItemPicking, BoxesBecomeStavesAndPositions) {
  StaffTable staves;
  StaffPlacement staff1{1, 0, 0, 0, 0, 0, 0, false};
  StaffPlacement staff2{2, 0, 0, 0, 0, 0, 0, false};
  staves.place(staff1);
  staves.place(staff2);
  const DisplayOffsets offsets{0, -15000};
  const int32_t middle1 = staves.entry(1).middleY - offsets.y;
  const int32_t middle2 = staves.entry(2).middleY - offsets.y;
  // A box over both middle lines from P3 10 to 50.
  GroupArea area = areaOfBox({7500, middle2 + 100}, {1500, middle1 - 100}, staves, 2, offsets);
  EXPECT_EQ(area.lowerStaff, 1);
  EXPECT_EQ(area.upperStaff, 2);
  EXPECT_FLOAT_EQ(area.left, 10.0f);
  EXPECT_FLOAT_EQ(area.right, 50.0f);
  // A box between no middle lines takes the staff nearest its middle.
  area = areaOfBox({0, middle2 - 200}, {300, middle2 - 400}, staves, 2, offsets);
  EXPECT_EQ(area.lowerStaff, 2);
  EXPECT_EQ(area.upperStaff, 2);
  // The middle line of a staff is its step 7.
  EXPECT_FLOAT_EQ(stepOfDisplayY(middle1, staves.entry(1), offsets), 7.0f);
  EXPECT_FLOAT_EQ(positionOfDisplayX(3000, {1500, 0}), 10.0f);
}

// Positions at the ends of the int range, and a staff whose reference lies
// there, are worked out without overflow (UBSan checks these).
TEST(ItemPicking, ExtremePositionsStayInRange) {
  StaffTable staves;
  staves.place(StaffPlacement{1, 999, 1.0e7f, 0, 0, 0, 0, false});  // a giant staff far above
  const DisplayOffsets offsets{-4000000, 4000000};
  const DisplayPoint corner{2147483647, -2147483647 - 1};
  const GroupArea area = areaOfBox(corner, {-2147483647 - 1, 2147483647}, staves, 1, offsets);
  EXPECT_EQ(area.lowerStaff, 1);
  EXPECT_GT(positionOfDisplayX(corner.x, offsets), 0.0f);
  EXPECT_TRUE(std::isfinite(stepOfDisplayY(corner.y, staves.entry(1), offsets)));
  const std::vector<ItemPlace> places = {placed(2147483647, 2147483647, -2147483647 - 1, -2147483647 - 1,
                                                2147483647, 2147483647)};
  EXPECT_EQ(pickNearestItem(places, corner), 1);
}

}  // namespace
}  // namespace ts
