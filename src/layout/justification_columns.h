#pragma once
// The columns of one justified staff: the items that take part, gathered
// by position, each column with the room it needs to the next.

#include <span>
#include <vector>

#include "layout/justification_widths.h"

namespace ts {

class PageStore;
struct Preferences;

constexpr float kRangeTolerance = 0.001f;  // P3 units an item may stand outside the range
constexpr float kSameColumn = 0.03f;       // items closer than this on one staff are one column
constexpr float kSameChord = 0.1f;         // notes closer than this are one chord

struct SpacedItem {
  int item = 0;    // the page's item number
  float x = 0.0f;  // its position, a chord's notes brought together
  SpacingKind kind = SpacingKind::None;
  std::vector<float> params;  // P1 onward
};

struct StaffSpacing {
  int staff = 1;
  int firstStaff = 1;  // the system's first staff, for bar lines spanning staves
  float left = 0.0f;   // the range, P3 units
  float right = 200.0f;
};

struct SpacingColumn {
  float x = 0.0f;
  float gap = 0.0f;  // room needed to the next column, P3 units
};

// The staff's scale s: its staff item's size (P14 / 0.889 when set, else
// P5, 0 meaning 1), held between 0.1 and 10 so that no width runs away.
float staffScale(const PageStore& page, int staff);

// The staff's items that take part, in order of position. Items whose
// values cannot be drawn are left where they are. A note within 0.1 of the
// note before it takes that note's position (the caller writes it back).
std::vector<SpacedItem> collectSpacedItems(const PageStore& page, const StaffSpacing& staff);

// The columns of those items with the room each needs to the next (the
// last one's room is its own right width).
std::vector<SpacingColumn> staffColumns(std::span<const SpacedItem> items, const Preferences& preferences,
                                        float scale);

}  // namespace ts
