#include "layout/vertical_justification.h"

#include <algorithm>
#include <cmath>

namespace ts {
namespace {

constexpr float kStepUnits = 7.0f;        // page units of a step at step scale 1
constexpr float kStaffHeightSteps = 8.0f;  // a five-line staff
constexpr float kSmallestMove = 0.2f;

float unitOf(const StaffOutline& a, const StaffOutline& b) { return kStepUnits * std::min(a.stepScale, b.stepScale); }

// The correction one pair of staves needs, in page units.
float pairShift(const StaffOutline& below, const StaffOutline& above, float facing, const VerticalSettings& s) {
  const float u = unitOf(below, above);
  const float items = std::trunc(s.minVertical * u) - facing;
  const float lines = std::trunc(s.minBetween * u - ((above.referenceY - below.referenceY) - kStaffHeightSteps * u));
  return std::max(items, lines);
}

}  // namespace

float roundedMove(float steps) { return std::fabs(steps) < kSmallestMove ? 0.0f : steps; }

bool clearance(const StaffOutline& below, const StaffOutline& above, float reach, float& smallest) {
  bool facing = false;
  for (const ItemBox& a : below.items) {
    for (const ItemBox& b : above.items) {
      const float apart = std::max(b.minX - a.maxX, a.minX - b.maxX);
      if (apart >= reach) continue;
      const float gap = b.minY - a.maxY;
      smallest = facing ? std::min(smallest, gap) : gap;
      facing = true;
    }
  }
  return facing;
}

std::vector<StaffMove> verticalMoves(const std::vector<StaffOutline>& staves, const VerticalSettings& settings) {
  std::vector<StaffMove> moves;
  const int last = settings.bottomStaff + std::max(settings.staffCount, 1) - 1;
  const StaffOutline* previous = nullptr;
  float total = 0.0f;
  for (const StaffOutline& staff : staves) {
    if (staff.staff < settings.bottomStaff || staff.staff > last) continue;
    if (!previous) {
      previous = &staff;  // the bottom staff stays where it is
      continue;
    }
    float facing = 0.0f;
    if (!staff.items.empty() &&
        clearance(*previous, staff, settings.minHorizontal * unitOf(*previous, staff), facing)) {
      total += pairShift(*previous, staff, facing, settings);
      previous = &staff;
    }
    const float steps = roundedMove(total / (kStepUnits * staff.stepScale));
    if (steps != 0.0f) moves.push_back({staff.staff, steps});
  }
  return moves;
}

}  // namespace ts
