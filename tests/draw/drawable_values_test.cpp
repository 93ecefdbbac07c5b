// Which values drawing accepts, and the saturation of outside positions.

#include "draw/drawable_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace ts {
namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(DrawableValues, ClassifiesEachValue) {
  struct Case {
    float value;
    UndrawableValue expected;
  };
  for (const Case& c : {Case{0.0f, UndrawableValue::None}, Case{-9999.0f, UndrawableValue::None},
                        Case{990000.0f, UndrawableValue::None},  // a colour selector
                        Case{kLargestDrawableValue, UndrawableValue::None},
                        Case{-1.0e10f, UndrawableValue::TooLarge}, Case{3.0e38f, UndrawableValue::TooLarge},
                        Case{kInf, UndrawableValue::NotANumber}, Case{-kInf, UndrawableValue::NotANumber},
                        Case{kNaN, UndrawableValue::NotANumber}}) {
    EXPECT_EQ(classifyValue(c.value), c.expected) << c.value;
  }
}

TEST(DrawableValues, NamesTheFirstBadParameter) {
  EXPECT_EQ(firstUndrawableParameter(std::vector<float>{8, 1, 0, 0}), 0);
  EXPECT_EQ(firstUndrawableParameter(std::vector<float>{4, 1, 10, 0, 0, kInf, -30, kNaN}), 6);
  EXPECT_EQ(firstUndrawableParameter(std::vector<float>{kNaN}), 1);
  EXPECT_EQ(firstUndrawableParameter(std::vector<float>{}), 0);
}

TEST(DrawableValues, WindowAndClamp) {
  EXPECT_TRUE(insideDrawableWindow(64050.0f, 603000.0f));  // right-hand sheet, highest staff
  EXPECT_FALSE(insideDrawableWindow(1.5e9f, 0.0f));
  EXPECT_FALSE(insideDrawableWindow(0.0f, -kInf));
  const auto limit = static_cast<int32_t>(kDrawableExtent);
  EXPECT_EQ(clampToDrawableWindow(2147483647), limit);
  EXPECT_EQ(clampToDrawableWindow(-2147483648LL), -limit);
  EXPECT_EQ(clampToDrawableWindow(-1234), -1234);
}

}  // namespace
}  // namespace ts
