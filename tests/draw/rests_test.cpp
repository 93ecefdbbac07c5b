// Rest glyph steps, dot offsets and bar centring.

#include "draw/rests.h"

#include <gtest/gtest.h>

#include <vector>

namespace ts {
namespace {

TEST(Rests, GlyphStepsAndDots) {
  struct Case { int type; float step, dot; };
  for (const Case c : {Case{-7, 8, 19}, Case{-5, 0, 19}, Case{-3, 8, 19}, Case{-2, 9, 19}, Case{-1, 7, 19},
                       Case{0, 8, 13}, Case{1, 8, 15.5f}, Case{2, 6, 18.4f}, Case{4, 4, 26.2f}, Case{6, 4, 26.2f},
                       Case{-9, 8, 19}}) {
    EXPECT_FLOAT_EQ(restGlyphStep(c.type), c.step) << c.type;
    EXPECT_FLOAT_EQ(restDotOffset(c.type), c.dot) << c.type;
  }
}

TEST(Rests, CentringBetweenBars) {
  const std::vector<float> bars = {0, 50, 100};
  struct Case { float p3, left, right; };
  for (const Case c : {Case{20, 0, 50}, Case{60, 50, 100}, Case{50, 50, 100}, Case{120, 100, 200}, Case{-5, 0, 0}}) {
    const BarBounds b = barBoundsAround(bars, c.p3);
    EXPECT_FLOAT_EQ(b.left, c.left) << c.p3;
    EXPECT_FLOAT_EQ(b.right, c.right) << c.p3;
  }
  EXPECT_TRUE(barBoundsAround({}, 10).right == 200.0f);
  EXPECT_FLOAT_EQ(centredRestP3(50, 100, -2, 25), 75 - 1.4f);
  EXPECT_FLOAT_EQ(centredRestP3(50, 100, -4, 25), 75 - 3.425f);
}

}  // namespace
}  // namespace ts
