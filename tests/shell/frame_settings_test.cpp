#include "shell/frame_settings.h"

#include <gtest/gtest.h>

namespace ts::shell {
namespace {

constexpr const char* kState = "1,1,0,1,0,1,7,8,9,10,96,0,255,65280,0,16711680,12632256,0";
constexpr const char* kRects = "30,0,400,0,60,0,500,30,90,0,600,60,120,0,700,90,150,0,800,120,180,0,900,150";
constexpr const char* kDocks = "59419,59422,59420,59421,0,59419";

TEST(ReadNumberList, NeedsExactlyTheCount) {
  EXPECT_EQ(readNumberList("1,-2,3", 3), (std::vector<int64_t>{1, -2, 3}));
  EXPECT_FALSE(readNumberList("1,2", 3));
  EXPECT_FALSE(readNumberList("1,2,3,4", 3));
  EXPECT_FALSE(readNumberList("1,,3", 3));
  EXPECT_FALSE(readNumberList("1, 2,3", 3));
  EXPECT_FALSE(readNumberList("1,2,x", 3));
  EXPECT_FALSE(readNumberList("1,2,99999999999", 3));
  EXPECT_FALSE(readNumberList("", 1));
}

TEST(WindowPos, ReadsBackWhatWasWritten) {
  WindowPlacement placement;
  placement.flags = 2;
  placement.showCommand = 3;
  placement.minX = placement.minY = -1;
  placement.maxX = -8;
  placement.maxY = -31;
  placement.left = 22;
  placement.top = 29;
  placement.right = 1046;
  placement.bottom = 797;
  placement.pageFrameMaximized = 1;
  const std::string text = writeWindowPos(placement);
  EXPECT_EQ(text, "2,3,-1,-1,-8,-31,22,29,1046,797 1");
  const std::optional<WindowPlacement> back = readWindowPos(text);
  ASSERT_TRUE(back);
  EXPECT_EQ(back->showCommand, 3u);
  EXPECT_EQ(back->right, 1046);
  EXPECT_EQ(back->pageFrameMaximized, 1);
  EXPECT_FALSE(readWindowPos("2,3,-1,-1,-8,-31,22,29,1046,797"));
  EXPECT_FALSE(readWindowPos("2,3,-1,-1,-8,-31,22,29,1046 797 1"));
  EXPECT_FALSE(readWindowPos("-2,3,-1,-1,-8,-31,22,29,1046,797 1"));
}

TEST(FrameSettings, StoredStateIsApplied) {
  const FrameSettings s = readFrameSettings("", kState, kRects, kDocks);
  EXPECT_EQ(s.barVisible, (std::array<int, kBars>{1, 1, 0, 1, 0, 1}));
  EXPECT_EQ(s.furtherFlags, (std::array<int, kFurtherFlags>{7, 8, 9, 10}));
  EXPECT_EQ(s.display.zoom, kDefaultZoom) << "the zoom always starts at 64";
  EXPECT_EQ(s.display.colourMode, 0);
  EXPECT_EQ(s.display.selectionColour, 255u);
  EXPECT_EQ(s.display.fillColour, 65280u);
  EXPECT_EQ(s.display.textColour, kNoColour) << "the text colour is always reset";
  EXPECT_EQ(s.display.penColour, 16711680u);
  EXPECT_EQ(s.display.backgroundColour, 12632256u);
  EXPECT_EQ(s.display.displayFlag, 0);
  EXPECT_TRUE(s.rectsStored);
  EXPECT_EQ(s.barRects[1].bottom, 60);
  EXPECT_EQ(s.barRects[1].top, 30);
  EXPECT_EQ(s.docks, (std::array<int, kBars>{kDockTop, kDockBottom, kDockLeft, kDockRight, kFloating, kDockTop}));
  EXPECT_FALSE(s.placement);
}

TEST(FrameSettings, SeventeenNumbersApplyNothing) {
  const std::string seventeen = "1,1,0,1,0,1,7,8,9,10,96,0,255,65280,0,16711680,12632256";
  const FrameSettings s = readFrameSettings("", seventeen, kRects, kDocks);
  const FrameSettings defaults;
  EXPECT_EQ(s.barVisible, defaults.barVisible);
  EXPECT_EQ(s.furtherFlags, defaults.furtherFlags);
  EXPECT_EQ(s.display.colourMode, 1);
  EXPECT_EQ(s.display.selectionColour, 0u);
  EXPECT_FALSE(s.rectsStored) << "rectangles are read only after a whole state";
  EXPECT_EQ(s.docks, defaults.docks);
}

TEST(FrameSettings, AMalformedRectsOrDocksEntryIsIgnoredWhole) {
  const FrameSettings badRects = readFrameSettings("", kState, "1,2,3", kDocks);
  EXPECT_FALSE(badRects.rectsStored);
  EXPECT_EQ(badRects.docks[1], kDockBottom);
  const FrameSettings badDocks = readFrameSettings("", kState, kRects, "59419,59422,59420,59421,0,12");
  EXPECT_TRUE(badDocks.rectsStored);
  EXPECT_EQ(badDocks.docks, FrameSettings().docks);
}

TEST(FrameSettings, FirstStartKeepsThePageVisible) {
  const FrameSettings s = readFrameSettings("", "", "", "");
  EXPECT_EQ(s.barVisible, (std::array<int, kBars>{0, 0, 1, 1, 1, 1})) << "file tools and item bar hidden";
  EXPECT_EQ(s.display.backgroundColour, kNoColour) << "no black under black drawing";
  EXPECT_EQ(s.display.textColour, kNoColour);
}

TEST(FrameSettings, WrittenStringsReadBack) {
  FrameSettings s = readFrameSettings("", kState, kRects, kDocks);
  s.display.zoom = 80;
  EXPECT_EQ(writeToolbarState(s), "1,1,0,1,0,1,7,8,9,10,80,0,255,65280,16777215,16711680,12632256,0");
  EXPECT_EQ(writeTbarRects(s), kRects);
  EXPECT_EQ(writeTbarDocks(s), kDocks);
  const FrameSettings back = readFrameSettings("", writeToolbarState(s), writeTbarRects(s), writeTbarDocks(s));
  EXPECT_EQ(back.display.fillColour, s.display.fillColour);
  EXPECT_EQ(back.docks, s.docks);
}

TEST(DockSideForAlignment, FirstMatchingSideWins) {
  EXPECT_EQ(dockSideForAlignment(0x2000), kDockTop);
  EXPECT_EQ(dockSideForAlignment(0x2000 | 0x8000), kDockTop);
  EXPECT_EQ(dockSideForAlignment(0x8000 | 0x1000), kDockBottom);
  EXPECT_EQ(dockSideForAlignment(0x1000), kDockLeft);
  EXPECT_EQ(dockSideForAlignment(0x4000), kDockRight);
  EXPECT_EQ(dockSideForAlignment(0), kFloating);
}

}  // namespace
}  // namespace ts::shell
