// Page turns: the ends of right-hand pages moved onto bars the bar list
// marked as places where the music may stop for a turn.

#include <algorithm>
#include <cstdlib>

#include "layout/page_layout.h"

namespace ts {
namespace {

constexpr int kLinesIntoNextPage = 2;  // a page may grow by this many lines to reach a turn

bool endsAtTurn(const Distribution& d, int line) {
  const LayoutLine& l = d.lines[line];
  return std::find(d.turnBars.begin(), d.turnBars.end(), l.firstBar + l.barCount - 1) != d.turnBars.end();
}

// The last line of the page that the turn should close, or -1.
int nearestTurnLine(const Distribution& d, int firstLine, int lastLine) {
  const int total = static_cast<int>(d.lines.size());
  int best = -1;
  for (int line = firstLine; line <= std::min(lastLine + kLinesIntoNextPage, total - 1); ++line) {
    if (!endsAtTurn(d, line)) continue;
    if (best < 0 || std::abs(line - lastLine) < std::abs(best - lastLine)) best = line;
  }
  return best;
}

// Moves the end of page p to after `line`, the next page giving or taking
// the difference; a page left empty goes.
void moveEnd(std::vector<int>& pages, size_t p, int firstLine, int line) {
  const int oldCount = pages[p];
  const int newCount = line - firstLine + 1;
  pages[p] = newCount;
  if (p + 1 == pages.size()) pages.push_back(0);
  int rest = oldCount - newCount;
  for (size_t q = p + 1; q < pages.size() && rest < 0; ++q) {
    const int taken = std::min(pages[q], -rest);
    pages[q] -= taken;
    rest += taken;
  }
  if (rest > 0) pages[p + 1] += rest;
  pages.erase(std::remove(pages.begin() + static_cast<long>(p) + 1, pages.end(), 0), pages.end());
}

}  // namespace

PageTurnOutcome findPageTurns(const Distribution& distribution, int firstPageNumber) {
  PageTurnOutcome out{distribution, {}};
  std::vector<int>& pages = out.distribution.pageLines;
  const int total = static_cast<int>(distribution.lines.size());
  int firstLine = 0;
  for (size_t p = 0; p < pages.size() && firstLine < total; ++p) {
    const int pageNumber = firstPageNumber + static_cast<int>(p);
    const int lastLine = firstLine + pages[p] - 1;
    if (pageNumber % 2 != 0 && lastLine < total - 1 && !endsAtTurn(distribution, lastLine)) {
      const int line = nearestTurnLine(distribution, firstLine + 1, lastLine);
      if (line < 0) out.pagesWithoutTurn.push_back(pageNumber);
      else moveEnd(pages, p, firstLine, line);
    }
    firstLine += pages[p];
  }
  return out;
}

}  // namespace ts
