// Staff placement and item positions in page units.

#include "draw/page_geometry.h"

#include <gtest/gtest.h>

#include "model/item_codes.h"

namespace ts {
namespace {

TEST(PageGeometry, StaffSizeAndKind) {
  struct Case { float p5, p14, size; };
  for (const Case c : {Case{0, 0, 1.0f}, Case{0.8f, 0, 0.8f}, Case{0, 0.889f, 1.0f}, Case{2, 0.4445f, 0.5f}}) {
    EXPECT_FLOAT_EQ(staffSize(c.p5, c.p14), c.size) << c.p5 << " " << c.p14;
  }
  EXPECT_EQ(staffKind(0, 0.6f), -1);
  EXPECT_EQ(staffKind(0, 0.65f), 0);
  EXPECT_EQ(staffKind(3, 0.5f), 3);
}

TEST(PageGeometry, BaseHeightsAndRightSheet) {
  struct Case { int staff, base; };
  for (const Case c : {Case{1, -24000}, Case{2, -20850}, Case{10, 4350}, Case{201, -20850}, Case{200, -24000}}) {
    EXPECT_EQ(staffBaseHeight(c.staff), c.base) << c.staff;
  }
  EXPECT_FALSE(onRightSheet(199));
  EXPECT_TRUE(onRightSheet(201));
}

TEST(PageGeometry, StepsOfPackedCodes) {
  struct Case { int code; float p4, step; };
  for (const Case c : {Case{kCodeNote, 105, 5}, Case{kCodeLine, 105, 105}, Case{kCodeRest, -103, -3},
                       Case{kCodeClef, 100, 0}, Case{kCodeBeam, 207.5f, 7.5f}, Case{kCodeStaff, 1005, 1005}}) {
    EXPECT_FLOAT_EQ(itemStep(c.code, c.p4), c.step) << c.code << " " << c.p4;
  }
}

TEST(PageGeometry, StaffLinesFromP7) {
  struct Case { float p7; int count, raised; bool visible; };
  for (const Case c : {Case{0, 5, 0, true}, Case{1, 1, 0, true}, Case{305, 5, 2, true}, Case{105, 5, 0, true},
                       Case{-1, 5, 0, false}}) {
    const StaffLines lines = staffLines(c.p7);
    EXPECT_EQ(lines.count, c.count) << c.p7;
    EXPECT_EQ(lines.raisedSpacings, c.raised) << c.p7;
    EXPECT_EQ(lines.visible, c.visible) << c.p7;
  }
}

TEST(PageGeometry, PrintStaffLineWeight) {
  struct Case { float p7, p11; int weight; };
  for (const Case c : {Case{0, 0, 0}, Case{0, 3, 3}, Case{0, 2.9f, 2}, Case{0, 99, 0}, Case{-1, 3, 0},
                       Case{105, 12, 12}, Case{0, -4, -4}}) {
    EXPECT_EQ(printStaffLineWeight(c.p7, c.p11), c.weight) << c.p7 << " " << c.p11;
  }
}

TEST(PageGeometry, HangingPlaceAndNumberPosition) {
  EXPECT_EQ(hangingPlace(202).fromStaff, 2);
  EXPECT_FLOAT_EQ(hangingPlace(202).distance, 2);
  EXPECT_EQ(hangingPlace(1.5f).fromStaff, 1);
  EXPECT_NEAR(lengthUnits(2, true), 3149.6f, 0.1f);
  EXPECT_FLOAT_EQ(lengthUnits(2, false), 8000);
  EXPECT_FLOAT_EQ(staffNumberX(5, 0), -1200);
  EXPECT_FLOAT_EQ(staffNumberX(105, 0), -1700);
  EXPECT_FLOAT_EQ(staffNumberX(5, -3000), -4200);
}

TEST(StaffTable, ThreePlacements) {
  StaffTable staves;
  // By steps: staff 1 at P4 = 0 has its bottom line on its base.
  ASSERT_TRUE(staves.place({.staff = 1}));
  EXPECT_EQ(staves.entry(1).referenceY, -24000 - 525);
  EXPECT_EQ(staves.entry(1).middleY, -24000 - 525 + 1225);
  // Hanging 2 cm above staff 1 (metric): the bottom line 3149.6 units higher.
  ASSERT_TRUE(staves.place({.staff = 3, .p10 = 102, .metric = true}));
  // P10 = 102 hangs from staff 1 (k = 1) at 2 cm.
  EXPECT_EQ(staves.entry(3).referenceY + 525, -24000 + 3150);
  ASSERT_TRUE(staves.place({.staff = 2, .p4 = 2, .p5 = 0.5f}));
  EXPECT_FLOAT_EQ(staves.entry(2).stepScale, 12.5f);
  EXPECT_EQ(staves.entry(2).referenceY, -20850 + 175 - 263);
  EXPECT_EQ(staves.entry(2).kind, -1);
  // P4 of 1000 or more is no placement and leaves the entry alone.
  EXPECT_FALSE(staves.place({.staff = 2, .p4 = 1000}));
  EXPECT_FLOAT_EQ(staves.entry(2).stepScale, 12.5f);
  EXPECT_FLOAT_EQ(staves.stepY(1, 3), -24000);
}

TEST(StaffTable, RightSheetStaffSharesHeight) {
  StaffTable staves;
  staves.place({.staff = 2});
  staves.place({.staff = 201});
  EXPECT_EQ(staves.entry(201).referenceY, staves.entry(2).referenceY);
  EXPECT_FALSE(staves.place({.staff = kStaffLimit}));
}

}  // namespace
}  // namespace ts
