// How a host cuts the display list into figures and scales it.

#include "draw/display_figures.h"

#include <gtest/gtest.h>

#include <vector>

#include "draw/display_device.h"

namespace ts {
namespace {

std::vector<int32_t> listOf(const std::vector<int>& pens) {
  std::vector<int32_t> words;
  int x = 0;
  for (const int pen : pens) {
    words.push_back(x);
    words.push_back(-x);
    words.push_back(displayWord(pen, 0x010203));
    x += 256;
  }
  return words;
}

TEST(DisplayFigures, ScalingRoundsHalfUp) {
  struct Case { int32_t value; int zoom; int32_t view; };
  for (const Case c : {Case{4, 64, 1}, Case{2, 64, 1}, Case{1, 64, 0}, Case{-2, 64, 0}, Case{-3, 64, -1},
                       Case{4000, 64, 1000}, Case{6, 64, 2}, Case{100, 256, 100}}) {
    EXPECT_EQ(scaleToView(c.value, c.zoom), c.view) << c.value << " at " << c.zoom;
  }
}

TEST(DisplayFigures, OnePointFiguresAreDropped) {
  std::vector<int32_t> words = listOf({1, 2, 0, 0, 1});
  markOnePointFigures(words);
  EXPECT_EQ(wordOpcode(words[2]), kSkippedOpcode);
  EXPECT_EQ(wordOpcode(words[5]), 2);
  EXPECT_EQ(wordOpcode(words[14]), 1);  // the last triple is never dropped
  const std::vector<Figure> figures = buildFigures(words, 256);
  ASSERT_EQ(figures.size(), 2u);
  EXPECT_EQ(figures[0].opcode, 2);
  EXPECT_EQ(figures[0].colour, 0x010203u);
  EXPECT_EQ(figures[0].contours[0].size(), 3u);
}

TEST(DisplayFigures, ContoursOfOneFilledFigure) {
  std::vector<int32_t> words = listOf({2, 0, 0, 0, 3, 0, 0, 0, 1, 0});
  markOnePointFigures(words);
  const std::vector<Figure> figures = buildFigures(words, 64);
  ASSERT_EQ(figures.size(), 2u);
  ASSERT_EQ(figures[0].contours.size(), 2u);
  EXPECT_EQ(figures[0].contours[1].size(), 4u);
  EXPECT_EQ(figures[0].contours[1][0], (ViewPoint{256, -256}));
  EXPECT_EQ(figures[1].opcode, 1);
}

TEST(DisplayFigures, LineWidthMarkersDrawNothing) {
  std::vector<int32_t> words = listOf({99, 1, 0, -99, 1, 0});
  markOnePointFigures(words);
  const std::vector<Figure> figures = buildFigures(words, 64);
  ASSERT_EQ(figures.size(), 2u);
  EXPECT_EQ(figures[0].opcode, 1);
  EXPECT_EQ(figures[1].opcode, 1);
}

TEST(DisplayFigures, LineWidthMarkerLastInTheListDrawsNothing) {
  for (const std::vector<int>& pens : {std::vector<int>{1, 0, -99}, std::vector<int>{1, 0, 99}}) {
    std::vector<int32_t> words = listOf(pens);
    markOnePointFigures(words);
    const std::vector<Figure> figures = buildFigures(words, 64);
    ASSERT_EQ(figures.size(), 1u) << pens.back();
    EXPECT_EQ(figures[0].contours[0].size(), 2u) << pens.back();
  }
}

}  // namespace
}  // namespace ts
