#include "layout/justification.h"

#include <gtest/gtest.h>

#include "layout/justification_edges.h"
#include "model/page_store.h"
#include "support/page_items.h"
#include "model/preferences.h"

namespace ts {
namespace {

using testing::addItem;

TEST(JustifyStaves, ANarrowGapGrowsTheOthersGiveUpTheRoomAndTheEndsStay) {
  PageStore page;
  addItem(page, {8, 1, 0, 0});
  const int first = addItem(page, {1, 1, 10, 5, 20, 0, 1});
  const int second = addItem(page, {1, 1, 12, 5, 20, 0, 1});
  const int third = addItem(page, {1, 1, 50, 5, 20, 0, 1});
  const int last = addItem(page, {1, 1, 100, 5, 20, 0, 1});
  const int beam = addItem(page, {6, 1, 12, 7, 7, 50});
  const int text = addItem(page, {16, 1, 31, 0});
  const int other = addItem(page, {1, 2, 12, 5, 20, 0, 1});
  const JustifyOutcome outcome = justifyStaves(page, {1, 1, 0, 100}, Preferences{});
  EXPECT_TRUE(outcome.changed);
  EXPECT_TRUE(outcome.messages.empty());
  // Gaps need 4.5 each: the first (2) grows by 2.5; the others (38, 50)
  // give it up in proportion to their slack (33.5 and 45.5).
  const float r = 2.5f / 79.0f;
  const float third_ = 50.0f + 2.5f - r * 33.5f;
  EXPECT_FLOAT_EQ(page.param(first, 3), 10.0f);
  EXPECT_FLOAT_EQ(page.param(second, 3), 14.5f);
  EXPECT_NEAR(page.param(third, 3), third_, 1e-4);
  EXPECT_FLOAT_EQ(page.param(last, 3), 100.0f);
  EXPECT_FLOAT_EQ(page.param(beam, 3), 14.5f);
  EXPECT_NEAR(page.param(beam, 6), third_, 1e-4);
  EXPECT_NEAR(page.param(text, 3), 14.5f + 19.0f * (third_ - 14.5f) / 38.0f, 1e-4);
  EXPECT_FLOAT_EQ(page.param(other, 3), 12.0f);
}

TEST(JustifyStaves, ColumnsAlreadyWideEnoughMoveNothing) {
  PageStore page;
  addItem(page, {1, 1, 10, 5, 20, 0, 1});
  addItem(page, {1, 1, 50, 5, 20, 0, 1});
  addItem(page, {14, 1, 100, 1});
  EXPECT_FALSE(justifyStaves(page, {1, 1, 0, 100}, Preferences{}).changed);
  EXPECT_FLOAT_EQ(page.param(2, 3), 50.0f);
}

TEST(JustifyStaves, TooLittleRoomIsReportedAndTheColumnsStayInOrder) {
  PageStore page;
  for (int i = 0; i < 10; ++i) addItem(page, {1, 1, static_cast<float>(i), 5, 22, 0, 1});
  const JustifyOutcome outcome = justifyStaves(page, {1, 1, 0, 10}, Preferences{});
  ASSERT_EQ(outcome.messages.size(), 1u);
  EXPECT_EQ(outcome.messages[0].rfind("*** Not enough space to justify ideally. ||Needed=", 0), 0u);
  for (int k = 2; k <= page.itemCount(); ++k) EXPECT_GE(page.param(k, 3), page.param(k - 1, 3)) << k;
  // The shrunk needs leave the slack short: the narrow gaps share the one
  // gap with room to spare, and the last note ends at the right position.
  EXPECT_NEAR(page.param(page.itemCount(), 3), 10.0f, 1e-4);
}

TEST(JustifyStaves, HugeWidthsNeverCarryPositionsOutOfTheRange) {
  PageStore page;
  addItem(page, {1, 1, 10, 5, 20, 0, 1, 0, 0, 0, 0, 0, 0, 0, 9.0e6f});
  addItem(page, {1, 1, 20, 5, 20, 0, 1});
  addItem(page, {1, 1, 30, 5, 20, 0, 1});
  addItem(page, {1, 1, 1.0e9f, 5, 20, 0, 1});  // not drawable: left alone
  justifyStaves(page, {1, 1, 0, 200}, Preferences{});
  for (int k = 1; k <= 3; ++k) {
    EXPECT_GE(page.param(k, 3), 10.0f);
    EXPECT_LE(page.param(k, 3), 200.0f);
  }
  EXPECT_FLOAT_EQ(page.param(4, 3), 1.0e9f);
}

TEST(LineUpStaves, ColumnsOfEqualBeatsStandTogetherAndEachStaffIsCounted) {
  PageStore page;
  addItem(page, {1, 1, 10, 5, 20, 0, 1});
  addItem(page, {1, 1, 30, 5, 20, 0, 1});
  addItem(page, {1, 1, 50, 5, 20, 0, 2});
  const int half1 = addItem(page, {1, 2, 12, 5, 20, 0, 2});
  const int half2 = addItem(page, {1, 2, 40, 5, 20, 0, 2});
  const LineUpOutcome outcome = lineUpStaves(page, {1, 2, 0, 200});
  EXPECT_TRUE(outcome.changed);
  EXPECT_FLOAT_EQ(page.param(half1, 3), 10.0f);
  EXPECT_FLOAT_EQ(page.param(half2, 3), 50.0f);
  EXPECT_EQ(beatsReport(outcome.counts),
            "Staff   1 has  4.000 beats\r\nStaff   2 has  4.000 beats\r\n\r\nType X to exit.");
}

TEST(JustificationEdges, ClefOffTheStaffStartEndsOffTheEdgeAndWholeBarRestsCentred) {
  PageStore page;
  addItem(page, {8, 1, 0, 0});
  const int clef = addItem(page, {3, 1, 0, 0});
  const int note = addItem(page, {1, 1, 199.5f, 5, 20});
  const int beam = addItem(page, {6, 1, 150, 7, 7, 199.8f});
  const int slurToNote = addItem(page, {5, 1, 150, 7, 7, 199.5f, 2, -1});
  const int slur = addItem(page, {5, 1, 150, 7, 7, 199.5f, 2, 0});
  const int rest = addItem(page, {2, 1, 50, 0, -2});
  const int quarterRest = addItem(page, {2, 1, 60, 0, 0});
  const JustifyRange range{1, 1, 0, 200};
  EXPECT_TRUE(prepareForJustification(page, range));
  EXPECT_FLOAT_EQ(page.param(clef, 3), 1.5f);
  EXPECT_FLOAT_EQ(page.param(note, 3), 199.0f);
  EXPECT_FLOAT_EQ(page.param(beam, 6), 199.0f);
  EXPECT_FLOAT_EQ(page.param(slurToNote, 6), 199.0f);
  EXPECT_FLOAT_EQ(page.param(slur, 6), 199.5f);
  EXPECT_TRUE(finishJustification(page, range));
  EXPECT_EQ(page.paramCount(rest), 9);
  EXPECT_FLOAT_EQ(page.param(rest, 9), -1.0f);
  EXPECT_FLOAT_EQ(page.param(quarterRest, 9), 0.0f);
  EXPECT_FLOAT_EQ(stepBackFromEdge(150.0f, 200.0f), 150.0f);
}

}  // namespace
}  // namespace ts
