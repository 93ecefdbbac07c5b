// Justifying a system on the page: each staff's columns, merged; the room
// shared out; every position of the staves moved, and cleaned up.

#include "layout/justification.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "draw/drawable_values.h"
#include "layout/justification_columns.h"
#include "layout/justification_distribution.h"
#include "layout/justification_lineup.h"
#include "layout/justification_messages.h"
#include "model/page_store.h"

namespace ts {
namespace {

constexpr int kSecondEnd = 6;  // P6: the right end of lines, slurs, beams and trills

bool inRange(float x, const JustifyRange& range) {
  return x >= range.left - kRangeTolerance && x <= range.right + kRangeTolerance;
}

bool onStaves(const PageStore& page, int k, const JustifyRange& range) {
  const int staff = truncToInt(page.param(k, 2));
  return staff >= range.firstStaff && staff <= range.lastStaff && page.code(k) != kCodeStaff;
}

bool setIfChanged(PageStore& page, int k, int i, float value) {
  if (page.param(k, i) == value) return false;
  return page.setParam(k, i, value);
}

// Writes back the positions that bringing a chord's notes together changed.
bool writeChordPositions(PageStore& page, const std::vector<SpacedItem>& items) {
  bool changed = false;
  for (const SpacedItem& item : items) changed = setIfChanged(page, item.item, 3, item.x) || changed;
  return changed;
}

// Moves one position of an item through the map, when it lies in the range.
bool movePosition(PageStore& page, int k, int i, const GapChangeMap& map, const JustifyRange& range) {
  const float x = page.param(k, i);
  if (!inRange(x, range)) return false;
  return setIfChanged(page, k, i, cleanedPosition(map.map(x), kNormalRightEdge));
}

bool moveItems(PageStore& page, const JustifyRange& range, const GapChangeMap& map) {
  bool changed = false;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (!onStaves(page, k, range) || firstUndrawableParameter(page.record(k).params) != 0) continue;
    changed = movePosition(page, k, 3, map, range) || changed;
    if (isTwoEndedCode(page.code(k)) && page.paramCount(k) >= kSecondEnd)
      changed = movePosition(page, k, kSecondEnd, map, range) || changed;
  }
  return changed;
}

std::vector<float> positionsOf(const std::vector<SpacingColumn>& columns) {
  std::vector<float> xs;
  for (const SpacingColumn& column : columns) xs.push_back(column.x);
  return xs;
}

std::vector<float> gapsOf(const std::vector<SpacingColumn>& columns) {
  std::vector<float> gaps;
  for (size_t i = 0; i + 1 < columns.size(); ++i) gaps.push_back(columns[i].gap);
  return gaps;
}

std::vector<TimedItem> timedItems(const PageStore& page, int staff, const JustifyRange& range) {
  std::vector<TimedItem> items;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int code = page.code(k);
    if ((code != kCodeNote && code != kCodeRest) || truncToInt(page.param(k, 2)) != staff) continue;
    if (page.param(k, 6) < 0.0f && code == kCodeRest) continue;  // an invisible rest keeps no time
    if (!inRange(page.param(k, 3), range)) continue;
    items.push_back({page.param(k, 3), page.param(k, 7)});
  }
  return items;
}

bool mapStaff(PageStore& page, int staff, const JustifyRange& range, const std::vector<Knot>& knots) {
  bool changed = false;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (truncToInt(page.param(k, 2)) != staff || page.code(k) == kCodeStaff) continue;
    for (int i : {3, kSecondEnd}) {
      if (i == kSecondEnd && (!isTwoEndedCode(page.code(k)) || page.paramCount(k) < kSecondEnd)) continue;
      const float x = page.param(k, i);
      if (inRange(x, range)) changed = setIfChanged(page, k, i, mapThroughKnots(x, knots)) || changed;
    }
  }
  return changed;
}

}  // namespace

std::vector<int> stavesInRange(const PageStore& page, const JustifyRange& range) {
  std::set<int> staves;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int staff = truncToInt(page.param(k, 2));
    if (staff >= range.firstStaff && staff <= range.lastStaff) staves.insert(staff);
  }
  return {staves.begin(), staves.end()};
}

JustifyOutcome justifyStaves(PageStore& page, const JustifyRange& range, const Preferences& preferences) {
  JustifyOutcome outcome;
  std::vector<std::vector<SpacingColumn>> staves;
  for (const int staff : stavesInRange(page, range)) {
    const std::vector<SpacedItem> items =
        collectSpacedItems(page, {staff, range.firstStaff, range.left, range.right});
    outcome.changed = writeChordPositions(page, items) || outcome.changed;
    std::vector<SpacingColumn> columns = staffColumns(items, preferences, staffScale(page, staff));
    if (columns.size() >= 2) staves.push_back(std::move(columns));
  }
  const std::vector<SpacingColumn> merged = mergeColumns(staves, range.right);
  if (merged.size() < 2) return outcome;
  const std::vector<float> xs = positionsOf(merged);
  std::vector<float> gaps = gapsOf(merged);
  if (std::optional<std::string> message = fitNeeds(gaps, range.right - range.left))
    outcome.messages.push_back(std::move(*message));
  const GapChangeMap map(xs, gapChanges(xs, gaps));
  outcome.changed = moveItems(page, range, map) || outcome.changed;
  return outcome;
}

LineUpOutcome lineUpStaves(PageStore& page, const JustifyRange& range) {
  LineUpOutcome outcome;
  std::vector<std::pair<int, StaffBeats>> staves;
  for (const int staff : stavesInRange(page, range)) {
    staves.emplace_back(staff, countBeats(timedItems(page, staff, range)));
    outcome.counts.push_back({staff, staves.back().second.total});
  }
  const auto reference = std::max_element(staves.begin(), staves.end(), [](const auto& a, const auto& b) {
    return a.second.columns.size() < b.second.columns.size();
  });
  if (reference == staves.end()) return outcome;
  for (const auto& [staff, beats] : staves) {
    if (staff == reference->first) continue;
    const std::vector<Knot> knots = lineUpKnots(beats, reference->second, range.left, range.right);
    outcome.changed = mapStaff(page, staff, range, knots) || outcome.changed;
  }
  return outcome;
}

std::string beatsReport(const std::vector<StaffBeatCount>& counts) {
  std::string report;
  for (const StaffBeatCount& count : counts) {
    if (!report.empty()) report += "\r\n";
    report += staffBeatsLine(count.staff, count.beats);
  }
  return report + justification_messages::kBeatsClosing;
}

}  // namespace ts
