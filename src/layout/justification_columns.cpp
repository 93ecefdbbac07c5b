// Gathering one staff's items into columns and giving each column its
// widths: the largest over its items, then the rules that look at the
// neighbouring columns (a clef after a bar line, ledger-line notes side by
// side, the "AFT*" spaces after bar lines, keys, meters and clefs).

#include "layout/justification_columns.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "draw/drawable_values.h"
#include "model/page_store.h"
#include "model/preferences.h"

namespace ts {
namespace {

constexpr float kSmallestScale = 0.1f, kLargestScale = 10.0f;
constexpr float kStaffSizeOfAlternative = 0.889f;
constexpr float kLedgerNeighbourLeft = 1.3f;  // room between two notes with ledger lines
constexpr int kHighStep = 12, kLowStep = 2;
// The built-in space after a bar line, key signature, meter and clef that
// the "AFT*" settings add to.
constexpr float kBuiltInAfterBar = 2.5f, kBuiltInAfterKey = 2.8f, kBuiltInAfterMeter = 3.7f,
                kBuiltInAfterClef = 1.8f;

struct WidthColumn {
  float x = 0.0f;
  size_t first = 0, end = 0;  // its items
  unsigned kinds = 0;
  bool normalClef = false;    // a clef of the normal size
  bool high = false, low = false;
  SideWidths widths;
};

bool has(unsigned kinds, SpacingKind kind) { return (kinds & kindBit(kind)) != 0; }

std::vector<WidthColumn> groupIntoColumns(std::span<const SpacedItem> items) {
  std::vector<WidthColumn> columns;
  for (size_t i = 0; i < items.size(); ++i) {
    if (columns.empty() || items[i].x > columns.back().x + kSameColumn) columns.push_back({items[i].x, i, i});
    WidthColumn& column = columns.back();
    column.end = i + 1;
    column.kinds |= kindBit(items[i].kind);
    const float p4 = paramOf(items[i].params, 4);
    if (items[i].kind == SpacingKind::Clef && p4 < 100.0f) column.normalClef = true;
    if (items[i].kind == SpacingKind::Note) {
      const int step = truncToInt(p4) % 100;
      column.high = column.high || step > kHighStep;
      column.low = column.low || step < kLowStep;
    }
  }
  return columns;
}

struct Neighbours {
  unsigned before = 0, after = 0;
  bool last = false;
};

SideWidths itemWidths(const SpacedItem& item, const Neighbours& around, float scale) {
  const bool barFollows = has(around.after, SpacingKind::BarLine);
  switch (item.kind) {
    case SpacingKind::Note: return noteWidths(item.params, barFollows);
    case SpacingKind::Rest: return restWidths(item.params, barFollows);
    case SpacingKind::Clef: return clefWidths(item.params, has(around.before, SpacingKind::Note));
    case SpacingKind::Line: return lineWidths(item.params, around.before, scale);
    case SpacingKind::Number: return numberWidths(item.params, scale);
    case SpacingKind::BarLine: return barLineWidths(item.params);
    case SpacingKind::KeySignature: return keySignatureWidths(item.params, around.last, scale);
    case SpacingKind::Meter: return meterWidths(item.params, around.last, scale);
    case SpacingKind::None: break;
  }
  return {};
}

void giveWidths(std::vector<WidthColumn>& columns, std::span<const SpacedItem> items, float scale) {
  for (size_t c = 0; c < columns.size(); ++c) {
    WidthColumn& column = columns[c];
    const Neighbours around{c > 0 ? columns[c - 1].kinds : 0u, c + 1 < columns.size() ? columns[c + 1].kinds : 0u,
                            c + 1 == columns.size()};
    std::optional<float> meterLeft;
    for (size_t i = column.first; i < column.end; ++i) {
      const SideWidths widths = itemWidths(items[i], around, scale);
      column.widths.left = std::max(column.widths.left, widths.left);
      column.widths.right = std::max(column.widths.right, widths.right);
      if (items[i].kind == SpacingKind::Meter) meterLeft = widths.left;
    }
    if (meterLeft) column.widths.left = *meterLeft;
  }
}

void narrowBarsBeforeClefs(std::vector<WidthColumn>& columns) {
  for (size_t c = 1; c < columns.size(); ++c) {
    if (has(columns[c].kinds, SpacingKind::Clef) && has(columns[c - 1].kinds, SpacingKind::BarLine))
      columns[c - 1].widths.right = barRightBeforeClef(columns[c - 1].widths.right);
  }
}

void separateLedgerNeighbours(std::vector<WidthColumn>& columns) {
  for (size_t c = 1; c < columns.size(); ++c) {
    const WidthColumn& before = columns[c - 1];
    WidthColumn& column = columns[c];
    if (!has(before.kinds, SpacingKind::Note) || !has(column.kinds, SpacingKind::Note)) continue;
    if ((before.high && column.high) || (before.low && column.low))
      column.widths.left = std::max(column.widths.left, kLedgerNeighbourLeft);
  }
}

float growthAfterColumn(const WidthColumn& column, const Preferences& preferences, float scale) {
  float growth = 0.0f;
  if (has(column.kinds, SpacingKind::BarLine))
    growth = std::max(growth, growthAfter(preferences.afterBar, kBuiltInAfterBar, scale));
  if (has(column.kinds, SpacingKind::KeySignature))
    growth = std::max(growth, growthAfter(preferences.afterKey, kBuiltInAfterKey, scale));
  if (has(column.kinds, SpacingKind::Meter))
    growth = std::max(growth, growthAfter(preferences.afterMeter, kBuiltInAfterMeter, scale));
  if (column.normalClef) growth = std::max(growth, growthAfter(preferences.afterClef, kBuiltInAfterClef, scale));
  return growth;
}

void addSpacesAfter(std::vector<WidthColumn>& columns, const Preferences& preferences, float scale) {
  constexpr unsigned kGrowing = kindBit(SpacingKind::Note) | kindBit(SpacingKind::Rest) | kindBit(SpacingKind::Line);
  for (size_t c = 1; c < columns.size(); ++c) {
    if ((columns[c].kinds & kGrowing) == 0) continue;
    columns[c].widths.left += growthAfterColumn(columns[c - 1], preferences, scale);
  }
}

std::vector<SpacingColumn> neededGaps(const std::vector<WidthColumn>& columns, float scale) {
  std::vector<SpacingColumn> gaps;
  gaps.reserve(columns.size());
  for (size_t c = 0; c < columns.size(); ++c) {
    const float nextLeft = c + 1 < columns.size() ? columns[c + 1].widths.left : 0.0f;
    gaps.push_back({columns[c].x, (columns[c].widths.right + nextLeft) * scale});
  }
  return gaps;
}

bool drawable(const ItemRecord& record) { return firstUndrawableParameter(record.params) == 0; }

// A note close to the note before it in a column stands with it.
void bringChordsTogether(std::vector<SpacedItem>& items) {
  const SpacedItem* lastNote = nullptr;
  for (SpacedItem& item : items) {
    if (item.kind != SpacingKind::Note) continue;
    if (lastNote && item.x - lastNote->x < kSameChord) item.x = lastNote->x;
    lastNote = &item;
  }
}

}  // namespace

float staffScale(const PageStore& page, int staff) {
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeStaff || truncToInt(page.param(k, 2)) != staff) continue;
    const float alternative = page.param(k, 14);
    const float size = alternative != 0.0f ? alternative / kStaffSizeOfAlternative : page.param(k, 5);
    if (!std::isfinite(size) || size == 0.0f) return 1.0f;
    return std::clamp(std::fabs(size), kSmallestScale, kLargestScale);
  }
  return 1.0f;
}

std::vector<SpacedItem> collectSpacedItems(const PageStore& page, const StaffSpacing& staff) {
  std::vector<SpacedItem> items;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const float x = page.param(k, 3);
    if (!(x >= staff.left - kRangeTolerance && x <= staff.right + kRangeTolerance)) continue;
    ItemRecord record = page.record(k);
    const SpacingKind kind = spacingKind(record.params);
    if (kind == SpacingKind::None || !standsOnStaff(record.params, kind, staff.staff, staff.firstStaff)) continue;
    if (!drawable(record)) continue;
    items.push_back({k, x, kind, std::move(record.params)});
  }
  std::stable_sort(items.begin(), items.end(), [](const SpacedItem& a, const SpacedItem& b) { return a.x < b.x; });
  bringChordsTogether(items);
  return items;
}

std::vector<SpacingColumn> staffColumns(std::span<const SpacedItem> items, const Preferences& preferences,
                                        float scale) {
  std::vector<WidthColumn> columns = groupIntoColumns(items);
  giveWidths(columns, items, scale);
  narrowBarsBeforeClefs(columns);
  separateLedgerNeighbours(columns);
  addSpacesAfter(columns, preferences, scale);
  return neededGaps(columns, scale);
}

}  // namespace ts
