// Balancing bars over a number of lines: a greedy start, a search that
// moves boundary bars from the longest line towards the shortest while
// keeping the best distribution seen, and finishing moves between
// neighbours.

#include <algorithm>
#include <limits>

#include "layout/page_layout.h"

namespace ts {
namespace {

constexpr int kWiderAllowance = 5;      // a move may make a line this much wider than the longest
constexpr int kUnchangedRoundsToStop = 10;
constexpr int kRoundsPerBar = 4;       // bounds the search however the spread wanders

struct Lines {
  std::span<const int> bars;
  const std::vector<long long>* sums = nullptr;  // sums[i]: width of bars 0..i-1
  std::vector<int> first;  // first bar of each line; line i ends before first[i + 1]
  int end(size_t line) const { return line + 1 < first.size() ? first[line + 1] : static_cast<int>(bars.size()); }
  int count(size_t line) const { return end(line) - first[line]; }
  long long width(size_t line) const { return (*sums)[end(line)] - (*sums)[first[line]]; }
};

std::vector<long long> runningSums(std::span<const int> bars) {
  std::vector<long long> sums(bars.size() + 1, 0);
  for (size_t i = 0; i < bars.size(); ++i) sums[i + 1] = sums[i] + bars[i];
  return sums;
}

int saturatedWidth(long long width) {
  return static_cast<int>(std::clamp<long long>(width, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

struct Measure {
  long long longest = 0;
  long long shortest = 0;
  size_t longestLine = 0;
  size_t shortestLine = 0;
  long long spread() const { return longest - shortest; }
  bool betterThan(const Measure& other) const {
    if (longest != other.longest) return longest < other.longest;
    return spread() < other.spread();
  }
};

Measure measure(const Lines& lines) {
  Measure m;
  for (size_t i = 0; i < lines.first.size(); ++i) {
    const long long w = lines.width(i);
    if (i == 0 || w > m.longest) m.longest = w, m.longestLine = i;
    if (i == 0 || w < m.shortest) m.shortest = w, m.shortestLine = i;
  }
  return m;
}

// A line takes bars while its width plus half the next bar stays below the
// target, keeping at least one bar for itself and one for every later line.
Lines greedyStart(std::span<const int> bars, const std::vector<long long>& sums, int lineCount) {
  Lines lines{bars, &sums, {}};
  long long remaining = sums.back();
  int next = 0;
  const int barCount = static_cast<int>(bars.size());
  for (int k = lineCount; k > 0; --k) {
    lines.first.push_back(next);
    const long long target = remaining / k;
    long long width = bars[next];
    ++next;
    while (k > 1 && next < barCount - (k - 1) && 2 * width + bars[next] < 2 * target) width += bars[next++];
    if (k == 1) next = barCount;
    remaining -= width;
  }
  return lines;
}

// Moves the boundary bar between lines i and i + 1 one place: the last bar
// of line i down (toward i + 1) or the first bar of line i + 1 up.
bool moveBoundary(Lines& lines, size_t i, bool down) {
  if (down ? lines.count(i) < 2 : lines.count(i + 1) < 2) return false;
  lines.first[i + 1] += down ? -1 : 1;
  return true;
}

// One walk from the longest line to the shortest; each move is kept only
// when no line passes the bounds of the measure the walk started from.
void walkLongestToShortest(Lines& lines, const Measure& m) {
  const bool down = m.longestLine < m.shortestLine;
  size_t line = m.longestLine;
  while (line != m.shortestLine) {
    const size_t boundary = down ? line : line - 1;
    const Lines before = lines;
    if (!moveBoundary(lines, boundary, down)) return;
    const Measure after = measure(lines);
    if (after.longest > m.longest + kWiderAllowance || after.shortest < m.shortest) {
      lines = before;
      return;
    }
    line = down ? line + 1 : line - 1;
  }
}

Lines searchBest(Lines lines) {
  Lines best = lines;
  Measure bestMeasure = measure(lines);
  long long lastSpread = bestMeasure.spread();
  int unchanged = 0;
  const int roundLimit = kRoundsPerBar * static_cast<int>(lines.bars.size()) + kUnchangedRoundsToStop;
  for (int round = 0; round < roundLimit && unchanged < kUnchangedRoundsToStop; ++round) {
    walkLongestToShortest(lines, measure(lines));
    const Measure now = measure(lines);
    if (now.betterThan(bestMeasure)) best = lines, bestMeasure = now;
    unchanged = now.spread() == lastSpread ? unchanged + 1 : 0;
    lastSpread = now.spread();
  }
  return best;
}

// A bar at the boundary goes from the wider line to the narrower when it is
// narrower than their difference; at the first line's end an equal bar
// goes too, but only once, since moving it again would only undo it.
bool finishingMove(Lines& lines, size_t i, bool& equalMoveMade) {
  const long long left = lines.width(i);
  const long long right = lines.width(i + 1);
  const bool down = left > right;
  const long long difference = down ? left - right : right - left;
  const int bar = down ? lines.bars[lines.end(i) - 1] : lines.bars[lines.first[i + 1]];
  const bool equalAllowed = i == 0 && !equalMoveMade;
  if (difference == 0 || bar > difference || (bar == difference && !equalAllowed)) return false;
  if (!moveBoundary(lines, i, down)) return false;
  if (bar == difference) equalMoveMade = true;
  return true;
}

void finish(Lines& lines) {
  bool equalMoveMade = false;
  const size_t passLimit = lines.bars.size() * lines.first.size() + 1;
  for (size_t pass = 0; pass < passLimit; ++pass) {
    bool moved = false;
    for (size_t i = 0; i + 1 < lines.first.size(); ++i) moved = finishingMove(lines, i, equalMoveMade) || moved;
    if (!moved) return;
  }
}

}  // namespace

BalancedLines balanceBars(std::span<const int> widths, int lines) {
  if (lines < 1 || static_cast<size_t>(lines) > widths.size()) return {};
  const std::vector<long long> sums = runningSums(widths);
  Lines best = searchBest(greedyStart(widths, sums, lines));
  finish(best);
  BalancedLines result;
  result.firstBars = best.first;
  for (size_t i = 0; i < best.first.size(); ++i) result.widths.push_back(saturatedWidth(best.width(i)));
  return result;
}

}  // namespace ts
