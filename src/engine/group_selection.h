#pragma once
// The rules of group operations: which items an area takes, and how a move
// or copy maps their horizontal positions onto the destination.

#include <vector>

#include "model/page_store.h"

namespace ts {

constexpr int kMaxGroupCodes = 18;
constexpr float kDefaultRight = 200.0f;   // a right edge of 0 means the normal right edge
constexpr float kEdgeTolerance = 0.001f;

struct GroupArea {
  int lowerStaff = 0;
  float left = 0.0f;
  float right = 0.0f;  // 0 means 200
  int upperStaff = 0;  // taken as the lower staff when smaller
  std::vector<int> codes;  // empty, or a first entry of 0: every code
};

// Up to four typed numbers: lower staff, left, right, upper staff.
GroupArea areaFromNumbers(const std::vector<double>& numbers);

// The highest staff number any item of the page names.
int highestStaffInUse(const PageStore& page);

// The items an area takes, in page order (at most 6000).
std::vector<int> selectItems(const PageStore& page, const GroupArea& area);

struct HorizontalMapping {
  enum class Kind { SamePlace, Shift, Scale } kind = Kind::SamePlace;
  float shift = 0.0f;   // Shift: added to P3
  float ratio = 1.0f;   // Scale: P3 becomes ratio * P3 + offset
  float offset = 0.0f;
};

// The mapping from the source area to the destination (lower staff, left,
// right as typed; 0 where not given).
HorizontalMapping horizontalMapping(const GroupArea& source, const GroupArea& destination);
float mapPosition(const HorizontalMapping& mapping, float p3);
// True when the mapping leaves every position where it is.
bool leavesPositions(const HorizontalMapping& mapping);

// The destination staff a move or copy uses: one above the highest staff in
// use stands for the source's own staff.
int destinationStaff(int typedStaff, int sourceStaff, int highestStaff);

}  // namespace ts
