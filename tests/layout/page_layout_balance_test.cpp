#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "layout/page_layout.h"

namespace ts {
namespace {

struct BalanceCase {
  std::vector<int> widths;
  int lines;
  std::vector<int> firstBars;
  std::vector<int> lineWidths;
};

TEST(BalanceBars, WorkedCases) {
  const BalanceCase cases[] = {
      // Target 20: each line takes two bars.
      {{10, 10, 10, 10}, 2, {0, 2}, {20, 20}},
      // Target 30: 30 + half of 10 is not below 30, so the first line stops.
      {{30, 10, 10, 10}, 2, {0, 1}, {30, 30}},
      {{10, 10, 10, 10, 10, 10}, 3, {0, 2, 4}, {20, 20, 20}},
      // Greedy gives 16 | 25; moving the 8 up gives 24 | 17, a shorter
      // longest line; moving it back would make a line narrower than 17.
      {{8, 8, 8, 8, 9}, 2, {0, 3}, {24, 17}},
      // The big last bar cannot leave its line empty: nothing better exists.
      {{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 30}, 2, {0, 10}, {10, 30}},
      {{7}, 1, {0}, {7}},
      {{5, 5, 5}, 3, {0, 1, 2}, {5, 5, 5}},
  };
  for (const BalanceCase& c : cases) {
    const BalancedLines result = balanceBars(c.widths, c.lines);
    EXPECT_EQ(result.firstBars, c.firstBars) << "lines " << c.lines << ", first width " << c.widths[0];
    EXPECT_EQ(result.widths, c.lineWidths) << "lines " << c.lines << ", first width " << c.widths[0];
  }
}

TEST(BalanceBars, RefusesImpossibleCounts) {
  const std::vector<int> three{10, 10, 10};
  EXPECT_TRUE(balanceBars(three, 4).firstBars.empty());
  EXPECT_TRUE(balanceBars(three, 0).firstBars.empty());
  EXPECT_TRUE(balanceBars(three, -3).firstBars.empty());
  EXPECT_TRUE(balanceBars({}, 1).firstBars.empty());
}

// Whatever the widths, every line gets at least one bar and the lines
// cover the bars in order.
TEST(BalanceBars, RandomPiecesStayWholeInOrderAndNearAnEvenShare) {
  std::mt19937 random(12);
  for (int round = 0; round < 300; ++round) {
    std::uniform_int_distribution<int> barCount(1, 80), width(1, 120);
    std::vector<int> widths(barCount(random));
    for (int& w : widths) w = width(random);
    const int lines = std::uniform_int_distribution<int>(1, static_cast<int>(widths.size()))(random);
    const BalancedLines result = balanceBars(widths, lines);
    ASSERT_EQ(result.firstBars.size(), static_cast<size_t>(lines));
    ASSERT_EQ(result.firstBars.front(), 0);
    for (size_t i = 0; i + 1 < result.firstBars.size(); ++i) EXPECT_LT(result.firstBars[i], result.firstBars[i + 1]);
    EXPECT_LT(result.firstBars.back(), static_cast<int>(widths.size()));
    EXPECT_EQ(std::accumulate(result.widths.begin(), result.widths.end(), 0LL),
              std::accumulate(widths.begin(), widths.end(), 0LL));
    const int longestBar = *std::max_element(widths.begin(), widths.end());
    const long long total = std::accumulate(widths.begin(), widths.end(), 0LL);
    // No line needs to be longer than an even share plus two of the widest bars.
    EXPECT_LE(*std::max_element(result.widths.begin(), result.widths.end()), total / lines + 2 * longestBar);
  }
}

TEST(BalanceBars, HostileWidthsEndAndSaturate) {
  std::vector<int> widths(1000, std::numeric_limits<int>::max());
  widths[3] = std::numeric_limits<int>::min();
  const BalancedLines result = balanceBars(widths, kMaxLayoutLines);
  ASSERT_EQ(result.firstBars.size(), static_cast<size_t>(kMaxLayoutLines));
  for (int w : result.widths) EXPECT_GE(w, std::numeric_limits<int>::min());
}

}  // namespace
}  // namespace ts
