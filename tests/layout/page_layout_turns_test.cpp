#include <gtest/gtest.h>

#include "layout/page_layout.h"

namespace ts {
namespace {

// Lines of one bar each, so line i ends at bar i.
Distribution oneBarLines(int lines, std::vector<int> pages, std::vector<int> turns) {
  Distribution d;
  for (int i = 0; i < lines; ++i) d.lines.push_back({i, 1, 10});
  d.pageLines = std::move(pages);
  d.turnBars = std::move(turns);
  return d;
}

TEST(FindPageTurns, RightHandPageEndsMoveToTheNearestMarkedBar) {
  struct Case {
    int lines;
    std::vector<int> pages, turns;
    int firstPage;
    std::vector<int> expected, withoutTurn;
  } cases[] = {
      {6, {2, 2, 2}, {2}, 1, {3, 1, 2}, {}},        // page 1 grows by a line
      {6, {3, 3}, {1}, 1, {2, 4}, {}},              // page 1 gives a line to page 2
      {6, {2, 2, 2}, {1}, 1, {2, 2, 2}, {}},        // already at a turn
      {6, {2, 2, 2}, {0}, 1, {2, 2, 2}, {1}},       // a page keeps its first line
      {6, {2, 2, 2}, {4}, 2, {2, 3, 1}, {}},        // page 3 is the right-hand one
      {6, {2, 2, 2}, {2, 0}, 1, {3, 1, 2}, {}},
      {4, {2, 2}, {3}, 1, {4}, {}},                 // page 2 taken whole, the empty page goes
      {6, {2, 2, 2}, {}, 1, {2, 2, 2}, {1}},
  };
  for (const Case& c : cases) {
    const PageTurnOutcome out = findPageTurns(oneBarLines(c.lines, c.pages, c.turns), c.firstPage);
    EXPECT_EQ(out.distribution.pageLines, c.expected) << c.pages.size() << " pages, first " << c.firstPage;
    EXPECT_EQ(out.pagesWithoutTurn, c.withoutTurn);
  }
}

}  // namespace
}  // namespace ts
