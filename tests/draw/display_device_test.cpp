// The flush rules of the display device and the guards of its capacities.

#include "draw/display_device.h"

#include <gtest/gtest.h>

#include <vector>

#include "draw/display_figures.h"
#include "draw/text_list.h"

namespace ts {
namespace {

struct Lists {
  explicit Lists(int words = 300, int bytes = 200) : display(words), text(bytes) {
    target = {display.data(), words, &used, text.data(), bytes, &textUsed};
  }
  std::vector<int32_t> display;
  std::vector<char> text;
  int32_t used = -1, textUsed = -1;
  DisplayTarget target;
  std::vector<int> pens() const {
    std::vector<int> out;
    for (int i = 0; i < used; i += 3) out.push_back(wordPen(display[i + 2]));
    return out;
  }
};

TEST(DisplayDevice, ConsecutiveMovesLeaveTheLast) {
  struct Case {
    std::vector<int> pens, expected;
  };
  for (const Case& c : {Case{{1, 1}, {1}}, Case{{1, 0}, {1, 0}}, Case{{1, 2, 0, 0}, {2, 0, 0}},
                        Case{{2, 0, 0, 0, 3, 0, 0, 0}, {2, 0, 0, 0, 3, 0, 0, 0}}, Case{{99, 1, 0}, {1, 0}},
                        Case{{1, 0, -99}, {1, 0, -99}}}) {
    Lists lists;
    DisplayDevice device(lists.target);
    EXPECT_EQ(lists.used, 0);
    for (const int pen : c.pens) device.plot(10, 20, pen);
    device.flush();
    EXPECT_EQ(lists.pens(), c.expected);
  }
}

TEST(DisplayDevice, MovesCollapseAcrossFlushes) {
  Lists lists;
  DisplayDevice device(lists.target);
  device.plot(1, 1, kPenMove);
  device.flush();
  device.plot(5, 5, kPenMove);
  device.plot(6, 6, kPenDraw);
  device.flush();
  EXPECT_EQ(lists.pens(), (std::vector<int>{1, 0}));
  EXPECT_EQ(lists.display[0], 5);
}

TEST(DisplayDevice, OffsetsColourAndRightSheet) {
  Lists lists;
  DisplayDevice device(lists.target);
  device.setOffsets(100, -15000);
  device.setColour(0x00FF00);
  device.setRightSheet(true);
  device.line(10.9f, -20000.7f, -3.9f, 0);
  device.flush();
  EXPECT_EQ(lists.display[0], 10 + 100 + 34050);
  EXPECT_EQ(lists.display[1], -20000 + 15000);
  EXPECT_EQ(lists.display[3], -3 + 100 + 34050);
  EXPECT_EQ(wordColour(lists.display[2]), 0x00FF00u);
  EXPECT_EQ(static_cast<uint32_t>(lists.display[5]), 0x0000FF00u);
}

TEST(DisplayDevice, LineWidthMarkersAndWords) {
  EXPECT_EQ(static_cast<uint32_t>(displayWord(99, 0)), 0x63000000u);
  EXPECT_EQ(static_cast<uint32_t>(displayWord(-99, 255)), 0x9D0000FFu);
  Lists lists;
  DisplayDevice device(lists.target);
  device.setLineWidth(600);
  device.restoreLineWidth();
  device.flush();
  ASSERT_EQ(lists.used, 3);  // the width point gives way to the restore point
  EXPECT_EQ(lists.pens(), (std::vector<int>{-99}));
}

TEST(DisplayDevice, ExtentOfWhatIsWritten) {
  Lists lists;
  DisplayDevice device(lists.target);
  device.startItem();
  device.line(-50, 10, 70, -20);
  device.flush();
  const Extent extent = device.stopExtent();
  EXPECT_EQ(extent.minX, -50);
  EXPECT_EQ(extent.maxX, 70);
  EXPECT_EQ(extent.minY, -20);
  EXPECT_EQ(extent.maxY, 10);
}

TEST(DisplayDevice, NeverWritesPastTheDisplayList) {
  Lists lists(12);  // room for four points
  DisplayDevice device(lists.target);
  device.line(0, 0, 1, 1);
  device.flush();
  device.line(2, 2, 3, 3);
  device.line(4, 4, 5, 5);  // the second path does not fit: neither part is written
  device.flush();
  device.line(6, 6, 7, 7);  // nor anything after it
  device.flush();
  EXPECT_EQ(lists.used, 6);
  EXPECT_TRUE(device.displayFull());
}

TEST(DisplayDevice, LongPathsFlushOnTheirOwn) {
  Lists lists(3 * (kPendingPathPoints + 10));
  DisplayDevice device(lists.target);
  device.plot(0, 0, kPenMove);
  for (int i = 1; i <= kPendingPathPoints + 5; ++i) device.plot(static_cast<float>(i), 0, kPenDraw);
  EXPECT_LT(device.pendingPoints(), 10u);
  device.flush();
  EXPECT_EQ(lists.used, 3 * (kPendingPathPoints + 6));
}

TEST(DisplayDevice, AnItemWithTooManyMarksIsTakenBackWhole) {
  Lists lists(3 * kItemPointLimit, 400);
  DisplayDevice device(lists.target);
  const TextFont font{"Times New Roman", 12, 0, 0, 0, 400, false, false};
  device.startItem();
  device.line(0, 0, 10, 10);
  device.text(font, 0, 0, "kept");
  device.stopExtent();
  device.flush();
  const int32_t used = lists.used, textUsed = lists.textUsed;
  device.startItem();
  device.text(font, 0, 0, "taken back");
  bool thrown = false;
  try {
    for (int i = 0;; ++i) {
      device.line(0, static_cast<float>(i), 10, 0);
      if (i % 1000 == 0) device.flush();  // some of it already in the list
    }
  } catch (const TooManyMarks&) {
    thrown = true;
    device.abandonItem();
  }
  ASSERT_TRUE(thrown);
  EXPECT_EQ(lists.used, used);
  EXPECT_EQ(lists.textUsed, textUsed);
  device.startItem();
  device.text(font, 5, 5, "next");  // the block of the kept string goes on
  device.stopExtent();
  const auto blocks = readTextList({lists.text.data(), static_cast<size_t>(lists.textUsed)});
  ASSERT_EQ(blocks.size(), 1u);
  ASSERT_EQ(blocks[0].strings.size(), 2u);
  EXPECT_EQ(blocks[0].strings[1].text, "next");
}

TEST(DisplayDevice, OffsetsNeverOverflowACoordinate) {
  Lists lists;
  DisplayDevice device(lists.target);
  device.setOffsets(2147483647, -2147483647);
  device.setRightSheet(true);
  EXPECT_GT(device.displayPointX(3.0e38f), 0);
  EXPECT_GT(device.displayPointY(3.0e38f), 0);
}

TEST(DisplayDevice, TextBaselineAndFullTextList) {
  Lists lists(30, 60);
  DisplayDevice device(lists.target);
  device.setOffsets(0, -15000);
  TextFont font{"Times New Roman", 12, 0, 0, 0, 400, false, false};
  device.text(font, 100, -20000, "1");
  ASSERT_GT(lists.textUsed, 0);
  const auto blocks = readTextList({lists.text.data(), static_cast<size_t>(lists.textUsed)});
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].strings[0].y, -20000 + 15000 - 96);
  device.text(font, 0, 0, std::string(40, 'x'));
  EXPECT_TRUE(device.textFull());
  EXPECT_LE(lists.textUsed, 60);
}

// Points after the display list is full are not kept, but still count
// toward the item's limit, as one by one.
TEST(DisplayDevice, AFullListStillCountsEveryMarkOfAnItem) {
  struct Case {
    int plotted, skipped;
    bool tooMany;
  };
  for (const Case c : {Case{0, kItemPointLimit, false}, Case{0, kItemPointLimit + 1, true},
                       Case{10, kItemPointLimit - 10, false}, Case{10, kItemPointLimit - 9, true}}) {
    Lists lists(6);
    DisplayDevice device(lists.target);
    EXPECT_FALSE(device.skipPoints(1));
    device.line(0, 0, 1, 1);
    device.line(0, 0, 1, 1);
    device.flush();
    device.startItem();
    const auto draw = [&] {
      for (int i = 0; i < c.plotted; ++i) device.plot(1, 1, kPenDraw);
      EXPECT_TRUE(device.skipPoints(static_cast<size_t>(c.skipped)));
    };
    if (c.tooMany) EXPECT_THROW(draw(), TooManyMarks) << c.plotted << " + " << c.skipped;
    else EXPECT_NO_THROW(draw()) << c.plotted << " + " << c.skipped;
    EXPECT_EQ(device.pendingPoints(), 0u);
  }
}

}  // namespace
}  // namespace ts
