#include "interchange/page_systems.h"

#include <algorithm>
#include <cmath>
#include <map>

#include "draw/page_geometry.h"

namespace ts::interchange {
namespace {

constexpr float kAtLeftEnd = 1.0f;  // P3 units from a staff's start that still count as its left end
constexpr int kBraceType = 8;
constexpr int kMaxPageStaff = 399;

struct Span {
  int low = 0;
  int count = 0;
};

// Bars at the left end of a staff: braces when `braces`, else the rest.
std::vector<Span> leftSpans(const PageStore& page, const std::map<int, float>& staves, bool braces) {
  std::vector<Span> spans;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeBars) continue;
    const int staff = truncToInt(page.param(k, 2));
    const auto found = staves.find(staff);
    const int type = truncToInt(page.param(k, 5));
    if (found == staves.end() || (type == kBraceType) != braces) continue;
    if (std::fabs(page.param(k, 3) - found->second) > kAtLeftEnd) continue;
    const int count = std::clamp(std::abs(truncToInt(page.param(k, 4))), 1, kMaxPageStaff);
    if (count > 1 || braces) spans.push_back({staff, count});
  }
  return spans;
}

int spanOwning(const std::vector<Span>& spans, int staff) {
  int best = -1;
  for (size_t i = 0; i < spans.size(); ++i)
    if (staff >= spans[i].low && staff < spans[i].low + spans[i].count &&
        (best < 0 || spans[i].count > spans[static_cast<size_t>(best)].count))
      best = static_cast<int>(i);
  return best;
}

}  // namespace

int PageSystem::staffCount() const {
  int n = 0;
  for (const PagePart& part : parts) n += static_cast<int>(part.staves.size());
  return n;
}

// Staves from the top of the page down, by where their items place them.
std::vector<int> stavesFromTop(const PageStore& page, const std::map<int, float>& staves) {
  StaffTable table;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeStaff || !staves.count(truncToInt(page.param(k, 2)))) continue;
    table.place({truncToInt(page.param(k, 2)), page.param(k, 4), page.param(k, 5), page.param(k, 10), page.param(k, 11),
                 page.param(k, 14), page.param(k, 26), false});
  }
  std::vector<int> order;
  for (const auto& [staff, left] : staves) order.push_back(staff);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return table.entry(a).referenceY > table.entry(b).referenceY;
  });
  return order;
}

std::vector<PageSystem> pageSystems(const PageStore& page) {
  std::map<int, float> staves;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int staff = truncToInt(page.param(k, 2));
    if (page.code(k) == kCodeStaff && staff >= 1 && staff <= kMaxPageStaff && !staves.count(staff))
      staves[staff] = page.param(k, 3);
  }
  const std::vector<Span> systems = leftSpans(page, staves, false);
  const std::vector<Span> braces = leftSpans(page, staves, true);
  std::vector<PageSystem> result;
  int lastSystem = -2, lastBrace = -2;
  for (const int staff : stavesFromTop(page, staves)) {
    const int system = spanOwning(systems, staff);
    if (system < 0 || system != lastSystem || result.empty()) {
      result.push_back({{}, staves[staff]});
      lastBrace = -2;
    }
    lastSystem = system;
    const int brace = spanOwning(braces, staff);
    if (brace < 0 || brace != lastBrace || result.back().parts.empty()) result.back().parts.push_back({});
    lastBrace = brace;
    result.back().parts.back().staves.push_back(staff);
  }
  return result;
}

}  // namespace ts::interchange
