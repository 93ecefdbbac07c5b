#include "layout/justification_text.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <utility>

#include "layout/justification_columns.h"
#include "model/page_store.h"

namespace ts {
namespace {

constexpr float kSameRow = 0.5f;  // steps

using Anchors = std::vector<std::pair<float, int>>;  // position, item; sorted

bool inRange(float x, const JustifyRange& range) {
  return x >= range.left - kRangeTolerance && x <= range.right + kRangeTolerance;
}

std::map<int, Anchors> notesByStaff(const PageStore& page, const JustifyRange& range) {
  std::map<int, Anchors> notes;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int code = page.code(k);
    const float x = page.param(k, 3);
    if ((code == kCodeNote || code == kCodeRest) && inRange(x, range))
      notes[truncToInt(page.param(k, 2))].emplace_back(x, k);
  }
  for (auto& [staff, list] : notes) std::sort(list.begin(), list.end());
  return notes;
}

const std::pair<float, int>* nearest(const Anchors& notes, float x) {
  const auto after = std::lower_bound(notes.begin(), notes.end(), std::make_pair(x, 0));
  const std::pair<float, int>* best = after != notes.end() ? &*after : nullptr;
  if (after != notes.begin()) {
    const std::pair<float, int>* before = &*(after - 1);
    if (!best || x - before->first <= best->first - x) best = before;
  }
  return best;
}

bool inRow(const PageStore& page, int k, const std::optional<TextRow>& row) {
  if (!row) return true;
  return truncToInt(page.param(k, 2)) == row->staff && std::fabs(page.param(k, 4) - row->step) <= kSameRow;
}

}  // namespace

std::vector<TextAnchor> anchorTexts(const PageStore& page, const JustifyRange& range, std::optional<TextRow> row) {
  const std::map<int, Anchors> notes = notesByStaff(page, range);
  std::vector<TextAnchor> anchors;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeText || !inRow(page, k, row)) continue;
    const int staff = truncToInt(page.param(k, 2));
    const float x = page.param(k, 3);
    const auto list = notes.find(staff);
    if (staff < range.firstStaff || staff > range.lastStaff || !inRange(x, range) || list == notes.end()) continue;
    if (const std::pair<float, int>* note = nearest(list->second, x)) anchors.push_back({k, note->second, x - note->first});
  }
  return anchors;
}

bool followAnchors(PageStore& page, const std::vector<TextAnchor>& anchors) {
  bool changed = false;
  for (const TextAnchor& anchor : anchors) {
    const float x = page.param(anchor.note, 3) + anchor.offset;
    if (std::isfinite(x) && x != page.param(anchor.text, 3)) changed = page.setParam(anchor.text, 3, x) || changed;
  }
  return changed;
}

}  // namespace ts
