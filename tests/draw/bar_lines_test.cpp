// Bar steps and spans.

#include "draw/bar_lines.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(BarLines, StepsOfEachType) {
  struct Case { int type; float p10, p11, bottom, top; };
  for (const Case c : {Case{0, 0, 0, 3, 11}, Case{8, 0, 0, 3, 11}, Case{9, 0, 0, 1, 13}, Case{10, 0, 0, 7, 7},
                       Case{1, 5, 9, 5, 9}, Case{9, 0, 15, 1, 15}}) {
    const BarSteps s = barSteps(c.type, c.p10, c.p11);
    EXPECT_FLOAT_EQ(s.bottom, c.bottom) << c.type;
    EXPECT_FLOAT_EQ(s.top, c.top) << c.type;
  }
}

TEST(BarLines, Spans) {
  struct Case { int p4, staff, highest, span; };
  for (const Case c : {Case{3, 1, 5, 3}, Case{0, 1, 5, 1}, Case{999, 2, 5, 4}, Case{9, 4, 5, 2}, Case{-2, 1, 5, 2},
                       Case{1, 7, 5, 1}}) {
    EXPECT_EQ(barSpan(c.p4, c.staff, c.highest), c.span) << c.p4 << " on " << c.staff;
  }
}

}  // namespace
}  // namespace ts
