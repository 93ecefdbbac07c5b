#include "shell/view_geometry.h"

#include <gtest/gtest.h>

namespace ts::shell {
namespace {

TEST(ViewToEngine, TruncatesTowardZero) {
  struct Case {
    Point view;
    int zoom;
    Point engine;
  } cases[] = {
      {{100, -200}, 64, {400, -800}}, {{100, -200}, 72, {355, -711}}, {{1, -1}, 128, {2, -2}},
      {{3, -3}, 512, {1, -1}},        {{0, 0}, 72, {0, 0}},
  };
  for (const Case& c : cases) EXPECT_EQ(viewToEngine(c.view, c.zoom), c.engine) << c.zoom;
}

TEST(EngineToView, IsTheClickConversionReversed) {
  EXPECT_EQ(engineToView({400, -800}, 64), (Point{100, -200}));
  EXPECT_EQ(viewToEngine(engineToView({4000, -8000}, 64), 64), (Point{4000, -8000}));
}

TEST(Zoom, StepsNeverReachZero) {
  EXPECT_EQ(zoomPlus(64), 72);
  EXPECT_EQ(zoomMinus(64), 56);
  EXPECT_EQ(zoomMinus(16), 8);
  EXPECT_EQ(zoomMinus(8), 8);
  EXPECT_EQ(zoomMinus(3), 3);
  EXPECT_EQ(zoomPlus(kLargestZoom), kLargestZoom);
  EXPECT_EQ(clampZoom(0), kSmallestZoom);
  EXPECT_EQ(clampZoom(-64), kSmallestZoom);
  EXPECT_EQ(zoomPercent(64), 100);
  EXPECT_EQ(zoomPercent(72), 112);
  EXPECT_EQ(zoomPercent(8), 12);
}

TEST(BoxZoom, FillsTheClientWidth) {
  const std::optional<BoxZoom> zoomed = boxZoom(64, 8000, {1000, -500}, {3000, -2500});
  ASSERT_TRUE(zoomed);
  EXPECT_EQ(zoomed->zoom, 256);
  EXPECT_EQ(zoomed->scroll, (Point{4000, 2000}));
  EXPECT_FALSE(boxZoom(64, 8000, {1000, -500}, {1000, -2500})) << "a box without width";
  const std::optional<BoxZoom> tiny = boxZoom(64, 8000, {0, 0}, {1, -1});
  ASSERT_TRUE(tiny);
  EXPECT_EQ(tiny->zoom, kLargestZoom) << "a box of one unit cannot zoom past the largest zoom";
}

TEST(OrderByWindowY, OnlyYIsOrdered) {
  Point first{10, 50}, second{30, 20};
  orderByWindowY(first, second);
  EXPECT_EQ(first, (Point{10, 20}));
  EXPECT_EQ(second, (Point{30, 50}));
}

}  // namespace
}  // namespace ts::shell
