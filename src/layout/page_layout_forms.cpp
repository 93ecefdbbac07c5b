// The sizes of a layout and the forms a bar list takes: a number of lines,
// pages of so many lines, bars per line, and pairs of a last bar and its
// pages.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "layout/page_layout.h"
#include "layout/page_layout_messages.h"
#include "model/item_codes.h"

namespace ts {
namespace {

namespace msg = page_layout_messages;

constexpr double kCentimetersPerInch = 2.54;
constexpr double kPointsPerInch = 72.0;
constexpr double kRoundingOfLineCount = 0.6;  // a piece a little over n lines still gets n + 1 only past 0.4

DistributionOutcome refused(std::string message) {
  DistributionOutcome outcome;
  outcome.message = std::move(message);
  return outcome;
}

std::vector<int> pagesOf(int lines, int perPage) {
  std::vector<int> pages;
  const int each = std::max(perPage, 1);
  for (int left = lines; left > 0; left -= each) pages.push_back(std::min(left, each));
  return pages;
}

// Appends balanced lines for bars [from, to) of the piece.
bool appendBalanced(Distribution& d, std::span<const int> widths, int from, int to, int lines) {
  const BalancedLines balanced = balanceBars(widths.subspan(from, to - from), lines);
  if (balanced.firstBars.empty()) return false;
  for (size_t i = 0; i < balanced.firstBars.size(); ++i) {
    const int first = from + balanced.firstBars[i];
    const int end = i + 1 < balanced.firstBars.size() ? from + balanced.firstBars[i + 1] : to;
    d.lines.push_back({first, end - first, balanced.widths[i]});
  }
  return true;
}

DistributionOutcome balancedOutcome(std::span<const int> widths, int lines, std::vector<int> pageLines) {
  if (lines > kMaxLayoutLines) return refused(msg::kOverflow);
  DistributionOutcome outcome;
  if (!appendBalanced(outcome.distribution, widths, 0, static_cast<int>(widths.size()), lines))
    return refused(msg::kFewerBarsThanLines);
  outcome.distribution.pageLines = std::move(pageLines);
  outcome.ok = true;
  return outcome;
}

long long widthOfBars(std::span<const int> widths, int from, int count) {
  long long sum = 0;
  for (int i = from; i < from + count; ++i) sum += widths[i];
  return sum;
}

// Where the open lines of a per-line list go: a zero closes the page they
// stand on; lines at the end that no zero closes fill pages of `perPage`.
void closePage(Distribution& d, int& openLines, int perPage, bool byZero) {
  if (openLines == 0) return;
  if (byZero) {
    d.pageLines.push_back(openLines);
  } else {
    for (int lines : pagesOf(openLines, perPage)) d.pageLines.push_back(lines);
  }
  openLines = 0;
}

}  // namespace

std::string integerField(long long value, int width) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) > width) return std::string(width, '*');
  return std::string(width - text.size(), ' ') + text;
}

int scaledBarWidth(double naturalWidth, int staffSize) {
  return truncToInt(naturalWidth * staffSize * 0.01 + 0.5);
}

std::vector<int> layoutBarWidths(std::span<const double> naturalWidths, const LayoutSettings& settings) {
  std::vector<int> widths;
  for (double natural : naturalWidths) widths.push_back(scaledBarWidth(natural, settings.staffSize));
  if (!widths.empty())
    widths[0] = truncToInt(static_cast<double>(widths[0]) + settings.firstIndent - settings.otherIndent);
  return widths;
}

int lineWidthFor(int usableWidth, const LayoutSettings& settings) {
  return std::max(1, truncToInt(static_cast<double>(usableWidth) - settings.otherIndent));
}

int lineCountForPiece(long long totalWidth, int lineWidth) {
  if (lineWidth < 1) return 1;
  return std::max(1, truncToInt(static_cast<double>(totalWidth) / lineWidth + kRoundingOfLineCount));
}

int linesPerPage(const LayoutSettings& settings, double systemHeightInches) {
  const double perInch = settings.unit == LengthUnit::Centimeters ? kCentimetersPerInch
                         : settings.unit == LengthUnit::Points    ? kPointsPerInch
                                                                  : 1.0;
  const double pageInches = settings.pageHeight / perInch;
  const double systemInches = systemHeightInches * settings.staffSize * 0.01;
  if (!(pageInches > 0.0) || !(systemInches > 0.0)) return 1;
  return std::clamp(truncToInt(pageInches / systemInches), 1, kMaxLayoutLines);
}

int pageCountFor(int lines, int perPage) { return static_cast<int>(pagesOf(lines, perPage).size()); }

DistributionOutcome linesForm(std::span<const int> widths, int lines, int perPage) {
  if (lines < 1) return refused(msg::kBadBarList);
  return balancedOutcome(widths, lines, pagesOf(std::min(lines, kMaxLayoutLines), perPage));
}

DistributionOutcome pagesForm(std::span<const int> widths, int pages, int perPage) {
  if (pages < 1 || perPage < 1) return refused(msg::kBadBarList);
  if (pages > kMaxLayoutLines || perPage > kMaxLayoutLines) return refused(msg::kOverflow);
  return balancedOutcome(widths, pages * perPage, std::vector<int>(std::min(pages, kMaxLayoutLines), perPage));
}

DistributionOutcome explicitForm(std::span<const int> widths, std::span<const int> entries, int perPage) {
  const int barCount = static_cast<int>(widths.size());
  DistributionOutcome outcome;
  Distribution& d = outcome.distribution;
  int used = 0;
  int openLines = 0;
  int previous = -1;
  const size_t readable = std::min(entries.size(), static_cast<size_t>(kMaxBarListEntries));
  for (size_t i = 0; i < readable && used < barCount; ++i) {
    const int entry = entries[i];
    if (entry == 0 && previous == 0) break;
    previous = entry;
    if (entry == 0) {
      closePage(d, openLines, perPage, true);
      continue;
    }
    const long long bars = std::llabs(static_cast<long long>(entry));
    if (used + bars > barCount) return refused(wrongBarsMessage(truncToInt(used + static_cast<double>(bars)), barCount));
    if (static_cast<int>(d.lines.size()) == kMaxLayoutLines) return refused(msg::kOverflow);
    d.lines.push_back({used, static_cast<int>(bars), truncToInt(static_cast<double>(widthOfBars(widths, used, static_cast<int>(bars))))});
    used += static_cast<int>(bars);
    if (entry < 0) d.turnBars.push_back(used - 1);
    ++openLines;
  }
  if (used != barCount || barCount == 0) return refused(wrongBarsMessage(used, barCount));
  closePage(d, openLines, perPage, false);
  outcome.ok = true;
  return outcome;
}

DistributionOutcome pairedForm(std::span<const int> widths, std::span<const int> entries) {
  const int barCount = static_cast<int>(widths.size());
  if (entries.empty() || entries.size() % 2 != 0) return refused(msg::kBadBarList);
  DistributionOutcome outcome;
  Distribution& d = outcome.distribution;
  int done = 0;
  for (size_t i = 0; i + 1 < entries.size() && i < static_cast<size_t>(kMaxBarListEntries); i += 2) {
    const int last = entries[i] < 0 ? -std::max(entries[i], -barCount - 1) : entries[i];
    const int pages = entries[i + 1] / 100;
    const int perPage = entries[i + 1] % 100;
    if (pages < 1 || perPage < 1) return refused(msg::kBadBarList);
    if (last <= done || last > barCount) return refused(wrongBarsMessage(last, barCount));
    if (pages > kMaxLayoutLines || static_cast<int>(d.lines.size()) + pages * perPage > kMaxLayoutLines)
      return refused(msg::kOverflow);
    if (!appendBalanced(d, widths, done, last, pages * perPage)) return refused(msg::kFewerBarsThanLines);
    d.pageLines.insert(d.pageLines.end(), pages, perPage);
    if (entries[i] < 0) d.turnBars.push_back(last - 1);
    done = last;
  }
  if (done != barCount) return refused(wrongBarsMessage(done, barCount));
  outcome.ok = true;
  return outcome;
}

DistributionOutcome distributeBars(std::span<const int> widths, const BarList& list, int perPage) {
  const std::vector<int>& e = list.entries;
  switch (list.form) {
    case BarListForm::Lines:
      return linesForm(widths, e[0], perPage);
    case BarListForm::PagesAndLines:
      return pagesForm(widths, e[0], e[1]);
    case BarListForm::PerLine:
      return explicitForm(widths, e, perPage);
    case BarListForm::Paired:
      return pairedForm(widths, e);
    case BarListForm::Invalid:
      break;
  }
  return refused(msg::kBadBarList);
}

std::string lineLengthsReport(const Distribution& distribution) {
  long long total = 0;
  int shortest = 0;
  int longest = 0;
  for (size_t i = 0; i < distribution.lines.size(); ++i) {
    const int w = distribution.lines[i].width;
    total += w;
    shortest = i == 0 ? w : std::min(shortest, w);
    longest = i == 0 ? w : std::max(longest, w);
  }
  const long long count = std::max<long long>(1, static_cast<long long>(distribution.lines.size()));
  return "Line lengths: Average=" + integerField(total / count, 5) + "Minimum=" + integerField(shortest, 5) +
         "Maximum=" + integerField(longest, 5);
}

std::string wrongBarsMessage(int listed, int needed) {
  return "Wrong number of bars. " + integerField(listed, 3) + "/" + integerField(needed, 3) + " needed.";
}

}  // namespace ts
