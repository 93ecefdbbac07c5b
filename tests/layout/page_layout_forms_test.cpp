#include <gtest/gtest.h>

#include "layout/page_layout.h"
#include "layout/page_layout_messages.h"

namespace ts {
namespace {

namespace msg = page_layout_messages;

std::vector<int> bars(int count, int width = 10) { return std::vector<int>(count, width); }

std::vector<int> firstBarsOf(const Distribution& d) {
  std::vector<int> first;
  for (const LayoutLine& line : d.lines) first.push_back(line.firstBar);
  return first;
}

TEST(LayoutSizes, BarWidthLineCountAndLinesPerPage) {
  EXPECT_EQ(scaledBarWidth(10.0, 100), 10);
  EXPECT_EQ(scaledBarWidth(10.0, 75), 8);   // 7.5 + 0.5
  EXPECT_EQ(scaledBarWidth(10.0, 74), 7);   // 7.4 + 0.5, fraction dropped
  EXPECT_EQ(scaledBarWidth(0.4, 100), 0);
  EXPECT_EQ(scaledBarWidth(1e30, 100), std::numeric_limits<int>::max());

  LayoutSettings s;
  s.firstIndent = 12;
  s.otherIndent = 2;
  const std::vector<double> natural{40.0, 40.0, 40.0};
  EXPECT_EQ(layoutBarWidths(natural, s), (std::vector<int>{50, 40, 40}));
  EXPECT_EQ(lineWidthFor(200, s), 198);

  EXPECT_EQ(lineCountForPiece(400, 200), 2);  // 2.0 + 0.6
  EXPECT_EQ(lineCountForPiece(500, 200), 3);  // 2.5 + 0.6
  EXPECT_EQ(lineCountForPiece(460, 200), 2);  // 2.3 + 0.6
  EXPECT_EQ(lineCountForPiece(0, 200), 1);
  EXPECT_EQ(lineCountForPiece(400, 0), 1);

  struct PerPage {
    float height;
    LengthUnit unit;
    int staffSize;
    int lines;
  } perPage[] = {
      {9.0f, LengthUnit::Inches, 100, 5},        {22.86f, LengthUnit::Centimeters, 100, 5},
      {648.0f, LengthUnit::Points, 100, 5},      {9.0f, LengthUnit::Inches, 50, 10},
      {0.0f, LengthUnit::Inches, 100, 1},        {1e9f, LengthUnit::Inches, 100, kMaxLayoutLines},
  };
  for (const PerPage& p : perPage) {
    LayoutSettings settings;
    settings.pageHeight = p.height;
    settings.unit = p.unit;
    settings.staffSize = p.staffSize;
    EXPECT_EQ(linesPerPage(settings, 1.75), p.lines) << p.height;
  }
  EXPECT_EQ(pageCountFor(10, 5), 2);
  EXPECT_EQ(pageCountFor(11, 5), 3);
}

TEST(LayoutForms, LinesAndPagesForms) {
  const DistributionOutcome lines = linesForm(bars(4), 2, 1);
  ASSERT_TRUE(lines.ok);
  EXPECT_EQ(firstBarsOf(lines.distribution), (std::vector<int>{0, 2}));
  EXPECT_EQ(lines.distribution.pageLines, (std::vector<int>{1, 1}));

  const DistributionOutcome pages = pagesForm(bars(20), 2, 5);
  ASSERT_TRUE(pages.ok);
  EXPECT_EQ(pages.distribution.lines.size(), 10u);
  EXPECT_EQ(pages.distribution.pageLines, (std::vector<int>{5, 5}));

  EXPECT_EQ(linesForm(bars(3), 4, 5).message, msg::kFewerBarsThanLines);
  EXPECT_EQ(linesForm(bars(300), 201, 5).message, msg::kOverflow);
  EXPECT_EQ(pagesForm(bars(300), 30, 7).message, msg::kOverflow);
  EXPECT_EQ(pagesForm(bars(300), 0, 7).message, msg::kBadBarList);
}

TEST(LayoutForms, BarsPerLineWithPageMarksAndTurns) {
  const std::vector<int> entries{2, 2, 0, 2, -2};
  const DistributionOutcome out = explicitForm(bars(8), entries, 5);
  ASSERT_TRUE(out.ok) << out.message;
  EXPECT_EQ(firstBarsOf(out.distribution), (std::vector<int>{0, 2, 4, 6}));
  EXPECT_EQ(out.distribution.lines[1].width, 20);
  EXPECT_EQ(out.distribution.pageLines, (std::vector<int>{2, 2}));
  EXPECT_EQ(out.distribution.turnBars, (std::vector<int>{7}));

  const std::vector<int> open{1, 1, 1, 1, 1};
  EXPECT_EQ(explicitForm(bars(5), open, 2).distribution.pageLines, (std::vector<int>{2, 2, 1}));
}

TEST(LayoutForms, BarsPerLineThatDoNotAddUpAreRefused) {
  struct Refusal {
    std::vector<int> entries;
    std::string message;
  } refusals[] = {
      {{2, 2}, "Wrong number of bars.   4/  8 needed."},
      {{4, 5}, "Wrong number of bars.   9/  8 needed."},
      {{2, 0, 0, 6}, "Wrong number of bars.   2/  8 needed."},  // two zeros end the list
      {{}, "Wrong number of bars.   0/  8 needed."},
      {{-2147483647 - 1}, "Wrong number of bars. ***/  8 needed."},
  };
  for (const Refusal& r : refusals) {
    const DistributionOutcome out = explicitForm(bars(8), r.entries, 5);
    EXPECT_FALSE(out.ok);
    EXPECT_EQ(out.message, r.message);
  }
  EXPECT_EQ(explicitForm(bars(300), std::vector<int>(300, 1), 5).message, msg::kOverflow);
}

TEST(LayoutForms, PairsOfLastBarAndPages) {
  const std::vector<int> one{40, 208};
  const DistributionOutcome out = pairedForm(bars(40), one);
  ASSERT_TRUE(out.ok) << out.message;
  EXPECT_EQ(out.distribution.lines.size(), 16u);
  EXPECT_EQ(out.distribution.pageLines, (std::vector<int>{8, 8}));
  EXPECT_EQ(out.distribution.lines.back().firstBar + out.distribution.lines.back().barCount, 40);

  const std::vector<int> two{-40, 208, 64, 304};
  const DistributionOutcome both = pairedForm(bars(64), two);
  ASSERT_TRUE(both.ok) << both.message;
  EXPECT_EQ(both.distribution.pageLines, (std::vector<int>{8, 8, 4, 4, 4}));
  EXPECT_EQ(both.distribution.lines[16].firstBar, 40);
  EXPECT_EQ(both.distribution.turnBars, (std::vector<int>{39}));

  EXPECT_EQ(pairedForm(bars(41), one).message, "Wrong number of bars.  40/ 41 needed.");
  EXPECT_EQ(pairedForm(bars(39), one).message, "Wrong number of bars.  40/ 39 needed.");
  const std::vector<int> backwards{40, 101, 30, 101};
  EXPECT_EQ(pairedForm(bars(40), backwards).message, "Wrong number of bars.  30/ 40 needed.");
  const std::vector<int> noLines{40, 200};
  EXPECT_EQ(pairedForm(bars(40), noLines).message, msg::kBadBarList);
  const std::vector<int> tooMany{400, 9999};
  EXPECT_EQ(pairedForm(bars(400), tooMany).message, msg::kOverflow);
}

TEST(LayoutForms, ReportsFillTheirFields) {
  Distribution d;
  d.lines = {{0, 2, 20}, {2, 3, 31}};
  EXPECT_EQ(lineLengthsReport(d), "Line lengths: Average=   25Minimum=   20Maximum=   31");
  EXPECT_EQ(wrongBarsMessage(1000, 64), "Wrong number of bars. ***/ 64 needed.");
  EXPECT_EQ(integerField(-12, 3), "-12");
}

}  // namespace
}  // namespace ts
