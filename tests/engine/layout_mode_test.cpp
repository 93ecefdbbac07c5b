#include "engine/layout_mode.h"

#include <gtest/gtest.h>

#include "support/page_items.h"

namespace ts {
namespace {

using testing::addItem;

TEST(PartOfRun, OneStaffMovesToStaffOneWithItsOwnOrTheLowestStaffsBarLines) {
  PageStore run;
  addItem(run, {8, 1, 0, -60});
  addItem(run, {8, 2, 0, -58});
  addItem(run, {1, 1, 10, 3, 10});
  addItem(run, {1, 2, 12, 5, 10});
  addItem(run, {14, 1, 40, 1, 0});
  addItem(run, {1, 2, 50, 6, 10});
  addItem(run, {14, 1, 80, 1, 0});

  const PageStore upper = partOfRun(run, 2);
  ASSERT_EQ(upper.itemCount(), 5);  // its staff, its two notes, the lower staff's two bar lines
  for (int k = 1; k <= upper.itemCount(); ++k) EXPECT_EQ(upper.param(k, 2), 1.0f) << k;
  EXPECT_EQ(upper.param(1, 4), -58.0f);
  EXPECT_EQ(findRunBars(upper).barLines, (std::vector<float>{40, 80}));

  addItem(run, {14, 2, 60, 1, 0});
  const PageStore own = partOfRun(run, 2);
  EXPECT_EQ(findRunBars(own).barLines, (std::vector<float>{60}));  // its own bar lines only
  EXPECT_EQ(partOfRun(run, 3).itemCount(), 0);
}

}  // namespace
}  // namespace ts
