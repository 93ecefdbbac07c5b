#include <gtest/gtest.h>

#include "draw/page_geometry.h"
#include "layout/page_layout.h"
#include "layout/page_layout_messages.h"
#include "model/preferences.h"
#include "support/page_items.h"

namespace ts {
namespace {

using testing::addItem;

constexpr float kBarSpan = 40.0f;
constexpr float kMusicStart = 20.0f;

float barLineX(int bar) { return kMusicStart + kBarSpan * static_cast<float>(bar + 1); }

// A run of `barCount` bars of four quarters on each of `staves` staves,
// the staves 8 steps apart, a clef and a meter in front.
PageStore makeRun(int barCount, int staves, float upperSkew = 0.0f) {
  PageStore run;
  for (int s = 1; s <= staves; ++s) addItem(run, {8, float(s), 0, -60.0f - 8.0f * float(s - 1), 0, 0, 0, 0, 0, 0, 0, 1});
  for (int s = 1; s <= staves; ++s) {
    addItem(run, {3, float(s), 2, 0, 0});
    addItem(run, {18, float(s), 11, 0, 4, 4});
    for (int b = 0; b < barCount; ++b) {
      const float start = b == 0 ? kMusicStart : barLineX(b - 1);
      for (int n = 0; n < 4; ++n) addItem(run, {1, float(s), start + 5.0f + 8.0f * float(n), 4, 10, 0, 1});
      addItem(run, {14, float(s), barLineX(b) + (s > 1 ? upperSkew : 0.0f), 1, 0});
    }
  }
  return run;
}

int countOnStaff(const PageStore& page, int code, int staff) {
  int count = 0;
  for (int k = 1; k <= page.itemCount(); ++k) count += page.code(k) == code && page.param(k, 2) == float(staff);
  return count;
}

float bottomLineOf(const PageStore& page, int staff) {
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) == kCodeStaff && page.param(k, 2) == float(staff))
      return bottomLineFromSteps(staff, page.param(k, 4), kStepScalePerSize * staffSize(page.param(k, 5), 0));
  }
  return 0.0f;
}

TEST(FindRunBars, BarLinesOfTheLowestStaffGiveTheWidths) {
  PageStore run = makeRun(3, 2);
  addItem(run, {14, 2, 77, 1, 0});  // a bar line of the upper staff alone does not count
  const RunBars bars = findRunBars(run);
  EXPECT_EQ(bars.staffCount, 2);
  EXPECT_EQ(bars.barLines, (std::vector<float>{60, 100, 140}));
  EXPECT_EQ(bars.widths, (std::vector<double>{60, 40, 40}));
}

TEST(LayOutPages, EachPageHoldsItsLinesBarsBetweenIndentAndRightEdge) {
  const PageStore run = makeRun(8, 1);
  const RunBars bars = findRunBars(run);
  LayoutSettings settings;
  const DistributionOutcome d = linesForm(layoutBarWidths(bars.widths, settings), 2, 1);
  ASSERT_TRUE(d.ok);
  const PagesOutcome out = layOutPages(run, d.distribution, settings, Preferences{});
  ASSERT_EQ(out.pages.size(), 2u);
  for (const PageStore& page : out.pages) {
    EXPECT_EQ(countOnStaff(page, kCodeStaff, 1), 1);
    EXPECT_EQ(countOnStaff(page, kCodeNote, 1), 16);
    EXPECT_EQ(countOnStaff(page, kCodeBars, 1), 4);
    float lastBar = 0.0f;
    for (int k = 1; k <= page.itemCount(); ++k) {
      if (page.code(k) == kCodeStaff) continue;
      EXPECT_GE(page.param(k, 3), settings.firstIndent > 0 ? 0.0f : -1.0f);
      EXPECT_LE(page.param(k, 3), kLayoutRightEdge + 0.01f);
      if (page.code(k) == kCodeBars) lastBar = std::max(lastBar, page.param(k, 3));
    }
    EXPECT_NEAR(lastBar, kLayoutRightEdge, 0.5f);
  }
  // The second line starts again with the clef in force.
  EXPECT_EQ(countOnStaff(out.pages[1], kCodeClef, 1), 1);
  EXPECT_TRUE(out.messages.empty());
}

TEST(LayOutPages, LinesOfOnePageGetTheirOwnStavesTopDown) {
  const PageStore run = makeRun(6, 2);
  const RunBars bars = findRunBars(run);
  LayoutSettings settings;
  const DistributionOutcome d = linesForm(layoutBarWidths(bars.widths, settings), 3, 3);
  ASSERT_TRUE(d.ok);
  const PagesOutcome out = layOutPages(run, d.distribution, settings, Preferences{});
  ASSERT_EQ(out.pages.size(), 1u);
  const PageStore& page = out.pages[0];
  for (int staff = 1; staff <= 6; ++staff) EXPECT_EQ(countOnStaff(page, kCodeNote, staff), 8) << staff;
  // Within a line the run's order holds; each line lies below the one before.
  EXPECT_LT(bottomLineOf(page, 1), bottomLineOf(page, 2));
  EXPECT_LT(bottomLineOf(page, 3), bottomLineOf(page, 1));
  EXPECT_LT(bottomLineOf(page, 5), bottomLineOf(page, 3));
  EXPECT_NEAR(bottomLineOf(page, 2) - bottomLineOf(page, 1), bottomLineOf(page, 4) - bottomLineOf(page, 3), 1.0f);
}

TEST(LayOutPages, ABarLineAHairRightOfTheLowestStaffsStaysWithItsBar) {
  const PageStore run = makeRun(4, 2, 0.02f);
  const DistributionOutcome d = linesForm(layoutBarWidths(findRunBars(run).widths, LayoutSettings{}), 2, 2);
  ASSERT_TRUE(d.ok);
  const PagesOutcome out = layOutPages(run, d.distribution, LayoutSettings{}, Preferences{});
  ASSERT_EQ(out.pages.size(), 1u);
  for (int staff = 1; staff <= 4; ++staff) EXPECT_EQ(countOnStaff(out.pages[0], kCodeBars, staff), 2) << staff;
}

TEST(LayOutPages, ASlurOntoTheNextPageStaysWithItsStartAndIsReported) {
  PageStore run = makeRun(4, 1);
  addItem(run, {5, 1, barLineX(1) - 3.0f, 4, 4, barLineX(2) - 3.0f});
  const RunBars bars = findRunBars(run);
  const std::vector<int> entries{2, 0, 2};
  const DistributionOutcome d = explicitForm(layoutBarWidths(bars.widths, LayoutSettings{}), entries, 5);
  ASSERT_TRUE(d.ok);
  const PagesOutcome out = layOutPages(run, d.distribution, LayoutSettings{}, Preferences{});
  ASSERT_EQ(out.pages.size(), 2u);
  EXPECT_EQ(countOnStaff(out.pages[0], kCodeSlur, 1), 1);
  EXPECT_EQ(countOnStaff(out.pages[1], kCodeSlur, 1), 0);
  EXPECT_EQ(out.messages, (std::vector<std::string>{page_layout_messages::kOtherPage}));
}

TEST(LayOutPages, ADistributionThatDoesNotMatchTheRunMakesNoPages) {
  const PageStore run = makeRun(4, 1);
  Distribution d;
  d.lines = {{0, 3, 120}};
  d.pageLines = {1};
  const PagesOutcome out = layOutPages(run, d, LayoutSettings{}, Preferences{});
  EXPECT_TRUE(out.pages.empty());
  EXPECT_EQ(out.messages, (std::vector<std::string>{"Wrong number of bars.   3/  4 needed."}));
  EXPECT_TRUE(layOutPages(PageStore{}, d, LayoutSettings{}, Preferences{}).pages.empty());
}

}  // namespace
}  // namespace ts
