#include "shell/menu_pages.h"

#include <gtest/gtest.h>

namespace ts::shell {
namespace {

TEST(EditMenuToLoad, PagesTurnWithinTheirFamily) {
  struct Case {
    int requested, selector, current, expected;
  } cases[] = {
      // lines
      {4, 0, 161, 223}, {4, 0, 224, 223}, {4, 0, 223, 161},
      {4, 1, 161, 224}, {4, 1, 223, 224}, {4, 1, 224, 161},
      // slurs, beams
      {5, 0, 162, 220}, {5, 1, 220, 221}, {5, 1, 221, 162},
      {6, 0, 175, 225}, {6, 0, 225, 175}, {6, 1, 226, 175},
      // tremolos answer the same request as beams, with their pages crossed
      {6, 0, 176, 271}, {6, 0, 271, 176}, {6, 1, 176, 270}, {6, 1, 270, 176},
      // octave signs, trills, pedals
      {7, 0, 190, 249}, {7, 1, 249, 250}, {8, 0, 252, 251}, {8, 1, 252, 202},
      {9, 0, 198, 253}, {9, 1, 254, 198},
      // brackets answer any page request
      {4, 0, 172, 268}, {9, 0, 268, 172}, {6, 1, 268, 269}, {5, 1, 269, 172},
  };
  for (const Case& c : cases)
    EXPECT_EQ(editMenuToLoad(c.requested, c.selector, c.current), c.expected)
        << c.requested << " " << c.selector << " from " << c.current;
}

TEST(EditMenuToLoad, OtherRequestsPassUnchanged) {
  EXPECT_EQ(editMenuToLoad(4, 0, 165), 4) << "no lines page current: stays below 101 and is ignored";
  EXPECT_EQ(editMenuToLoad(5, 0, 161), 5) << "a slurs request while a lines page is current";
  EXPECT_EQ(editMenuToLoad(165, 0, 161), 165);
  EXPECT_EQ(editMenuToLoad(165, 0, 172), 165) << "a menu number still leaves the brackets pages";
}

TEST(FirstPageOfFamily, NamesTheFirstPage) {
  EXPECT_EQ(firstPageOfFamily(224), 161);
  EXPECT_EQ(firstPageOfFamily(270), 176);
  EXPECT_EQ(firstPageOfFamily(172), 172);
  EXPECT_FALSE(firstPageOfFamily(188));
}

}  // namespace
}  // namespace ts::shell
