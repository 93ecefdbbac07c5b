// Wrapping an edit menu's buttons into lines: every button placed once, in
// order, no line longer than the bar unless one button alone is.

#include "shell/button_wrap.h"

#include <gtest/gtest.h>

namespace ts::shell {
namespace {

TEST(ButtonWrap, ButtonsWrapIntoLinesThatFitTheBar) {
  struct Case {
    const char* what;
    std::vector<ButtonExtent> buttons;
    int limit;
    std::vector<int> lineOf;  // the line of each button
    int longestLine, acrossUsed;
  };
  const Case cases[] = {
      {"all fit on one line", {{30, 30}, {30, 30}, {30, 30}}, 100, {0, 0, 0}, 90, 30},
      {"exactly the limit still fits", {{50, 30}, {50, 30}}, 100, {0, 0}, 100, 30},
      {"one past the limit wraps", {{50, 30}, {51, 30}}, 100, {0, 1}, 51, 60},
      {"lines as thick as their thickest button", {{40, 20}, {40, 34}, {40, 26}}, 80, {0, 0, 1}, 80, 60},
      {"a button longer than the bar stands alone", {{30, 30}, {250, 30}, {30, 30}}, 100, {0, 1, 2}, 250, 90},
      {"a bar of no length: a line each", {{30, 30}, {30, 30}}, 0, {0, 1}, 30, 60},
      {"negative sizes count as nothing", {{-5, -5}, {30, 30}}, 30, {0, 0}, 30, 30},
      {"no buttons", {}, 100, {}, 0, 0},
  };
  for (const Case& c : cases) {
    const WrappedButtons wrapped = wrapButtons(c.buttons, c.limit);
    ASSERT_EQ(wrapped.places.size(), c.buttons.size()) << c.what;
    std::vector<int> lineOf;
    std::vector<int> starts;
    for (const ButtonPlace& place : wrapped.places) {
      if (starts.empty() || place.across != starts.back()) starts.push_back(place.across);
      lineOf.push_back(static_cast<int>(starts.size()) - 1);
    }
    EXPECT_EQ(lineOf, c.lineOf) << c.what;
    EXPECT_EQ(wrapped.lines, static_cast<int>(starts.size())) << c.what;
    EXPECT_EQ(wrapped.longestLine, c.longestLine) << c.what;
    EXPECT_EQ(wrapped.acrossUsed, c.acrossUsed) << c.what;
  }
}

TEST(ButtonWrap, ButtonsOfALineFollowEachOtherAndShareItsThickness) {
  const std::vector<ButtonExtent> buttons{{20, 10}, {25, 30}, {40, 12}, {10, 5}};
  const WrappedButtons wrapped = wrapButtons(buttons, 50);
  ASSERT_EQ(wrapped.places.size(), 4u);
  EXPECT_EQ(wrapped.places[1].along, 20);
  EXPECT_EQ(wrapped.places[0].thickness, 30);
  EXPECT_EQ(wrapped.places[1].thickness, 30);
  EXPECT_EQ(wrapped.places[2].along, 0) << "a new line starts at the bar's start";
  EXPECT_EQ(wrapped.places[2].across, 30) << "below the first line, past its thickest button";
  EXPECT_EQ(wrapped.places[3].along, 40);
  EXPECT_EQ(wrapped.places[3].thickness, 12);
}

}  // namespace
}  // namespace ts::shell
