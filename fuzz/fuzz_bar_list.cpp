// Any bytes read as a bar list, as the layout settings file and as the
// systems-per-page list, and the bar list laid over bars whose widths the
// bytes give: no list may hang, and every distribution taken must cover
// the bars in order with at most 200 lines.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <numeric>
#include <string_view>
#include <vector>

#include "layout/page_layout.h"
#include "layout/page_layout_settings.h"

namespace {

constexpr size_t kMostBars = 400;

void check(bool holds) {
  if (!holds) std::abort();
}

std::vector<int> barWidths(std::string_view text) {
  std::vector<int> widths;
  for (size_t i = 0; i < text.size() && widths.size() < kMostBars; ++i)
    widths.push_back(static_cast<unsigned char>(text[i]) % 64 + 1);
  return widths;
}

void checkDistribution(const ts::Distribution& d, size_t bars) {
  check(!d.lines.empty() && d.lines.size() <= static_cast<size_t>(ts::kMaxLayoutLines));
  int next = 0;
  for (const ts::LayoutLine& line : d.lines) {
    check(line.firstBar == next && line.barCount >= 1);
    next += line.barCount;
  }
  check(static_cast<size_t>(next) == bars);
  check(std::accumulate(d.pageLines.begin(), d.pageLines.end(), 0LL) == static_cast<long long>(d.lines.size()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const ts::BarList list = ts::parseBarList(text);
  check(list.entries.size() <= static_cast<size_t>(ts::kMaxBarListEntries));
  check((list.form == ts::BarListForm::Invalid) == list.entries.empty());
  (void)ts::readLayoutSettings(text);

  const std::vector<int> widths = barWidths(text);
  const int perPage = size > 0 ? data[0] % 12 : 1;
  const ts::DistributionOutcome outcome = ts::distributeBars(widths, list, perPage);
  if (outcome.ok) checkDistribution(outcome.distribution, widths.size());
  if (outcome.ok) {
    const ts::PageTurnOutcome turns = ts::findPageTurns(outcome.distribution, perPage - 3);
    checkDistribution(turns.distribution, widths.size());
  }
  return 0;
}
