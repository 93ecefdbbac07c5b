#pragma once
// Vertical justification: the staves of a page moved up or down so that
// the items of neighbouring staves keep a clearance and the staff lines a
// distance. Staves are walked from the bottom one of the range upward; each
// staff moves by the sum of the corrections below it.
//
// Outlines are the boxes the drawing put around each item, so every kind of
// item (a note with its stem and ledger lines, a slur, a text) is as high
// as it is drawn. Two items of neighbouring staves face each other when
// their boxes come within the minimum horizontal distance across.

#include <string>
#include <vector>

namespace ts {

struct ItemBox {
  float minX = 0, minY = 0, maxX = 0, maxY = 0;
};

// One staff as the page stands: its position and step scale as the drawing
// placed it, and the boxes of the items that count for its outline.
struct StaffOutline {
  int staff = 0;
  float referenceY = 0;  // page Y of step 0 (three steps below the bottom line)
  float stepScale = 25;  // 25 x the staff's size
  std::vector<ItemBox> items;
};

struct VerticalSettings {
  float minVertical = 0;      // "Minimum vertical space steps."
  float minHorizontal = 4;    // "Minimum horizontal space steps."
  float minBetween = 12;      // "Minimum steps between staves."
  int bottomStaff = 1;        // "Bottom staff number."
  int staffCount = 200;       // "Number of staves to process."
};

struct StaffMove {
  int staff = 0;
  float steps = 0;  // added to the staff item's P4
};

// The staves' moves, in staff order; staves that stay are left out.
// `staves` holds each staff of the page once, in staff order.
std::vector<StaffMove> verticalMoves(const std::vector<StaffOutline>& staves, const VerticalSettings& settings);

// The smallest clearance between the upper outline of `below` and the lower
// outline of `above` where their items face each other (`reach` apart
// across at most); nothing when none face each other.
bool clearance(const StaffOutline& below, const StaffOutline& above, float reach, float& smallest);

// A move of less than a fifth of a step in size is no move.
float roundedMove(float steps);

}  // namespace ts
