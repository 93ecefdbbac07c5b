#include "engine/group_selection.h"

#include <algorithm>
#include <cmath>

namespace ts {

GroupArea areaFromNumbers(const std::vector<double>& numbers) {
  GroupArea area;
  const auto at = [&](size_t i) { return i < numbers.size() ? numbers[i] : 0.0; };
  area.lowerStaff = truncToInt(at(0));
  area.left = static_cast<float>(at(1));
  area.right = static_cast<float>(at(2));
  area.upperStaff = truncToInt(at(3));
  return area;
}

int highestStaffInUse(const PageStore& page) {
  int highest = 0;
  for (int k = 1; k <= page.itemCount(); ++k) highest = std::max(highest, truncToInt(page.param(k, 2)));
  return highest;
}

std::vector<int> selectItems(const PageStore& page, const GroupArea& area) {
  const int lower = area.lowerStaff;
  const int upper = std::max(area.upperStaff, lower);
  const bool allStaves = lower == 1 && upper > highestStaffInUse(page);
  float left = area.left;
  float right = area.right == 0.0f ? kDefaultRight : area.right;
  if (right < left) std::swap(left, right);
  const bool allCodes = area.codes.empty() || area.codes.front() == 0;

  std::vector<int> selected;
  for (int k = 1; k <= page.itemCount() && selected.size() < static_cast<size_t>(kMaxItems); ++k) {
    const int staff = truncToInt(page.param(k, 2));
    if (!allStaves && (staff < lower || staff > upper)) continue;
    const float p3 = page.param(k, 3);
    if (p3 < left - kEdgeTolerance || p3 > right + kEdgeTolerance) continue;
    if (!allCodes && std::find(area.codes.begin(), area.codes.end(), page.code(k)) == area.codes.end()) continue;
    selected.push_back(k);
  }
  return selected;
}

HorizontalMapping horizontalMapping(const GroupArea& source, const GroupArea& destination) {
  HorizontalMapping mapping;
  const float l1 = source.left, r1 = source.right;
  float l2 = destination.left, r2 = destination.right;
  if (l2 == 0.0f && r2 == 0.0f) {
    if (l1 == 0.0f) return mapping;  // the same place
    l2 = l1;
    r2 = r1;
  }
  if (l2 != 0.0f && r2 == 0.0f) {
    mapping.kind = HorizontalMapping::Kind::Shift;
    mapping.shift = l2;  // a left edge alone is the shift itself
    return mapping;
  }
  if (l2 == l1 && r2 == r1) return mapping;
  const float w2 = r2 - l2;
  const float w1 = (r1 - l1) == 0.0f ? w2 : r1 - l1;
  if (std::fabs(w1 - w2) <= kEdgeTolerance) {
    mapping.kind = HorizontalMapping::Kind::Shift;
    mapping.shift = l2 - l1;
    return mapping;
  }
  mapping.kind = HorizontalMapping::Kind::Scale;
  mapping.ratio = w2 / w1;
  mapping.offset = l2 - mapping.ratio * l1;
  return mapping;
}

float mapPosition(const HorizontalMapping& mapping, float p3) {
  switch (mapping.kind) {
    case HorizontalMapping::Kind::Shift: return p3 + mapping.shift;
    case HorizontalMapping::Kind::Scale: {
      if (mapping.ratio == 0.0f) return p3;
      const float mapped = mapping.ratio * p3 + mapping.offset;
      return std::fabs(mapped) < 0.005f ? 0.0f : mapped;
    }
    case HorizontalMapping::Kind::SamePlace: break;
  }
  return p3;
}

bool leavesPositions(const HorizontalMapping& mapping) {
  return mapping.kind == HorizontalMapping::Kind::SamePlace ||
         (mapping.kind == HorizontalMapping::Kind::Shift && mapping.shift == 0.0f) ||
         (mapping.kind == HorizontalMapping::Kind::Scale && (mapping.ratio == 0.0f || (mapping.ratio == 1.0f && mapping.offset == 0.0f)));
}

int destinationStaff(int typedStaff, int sourceStaff, int highestStaff) {
  if (typedStaff == 0 || typedStaff > highestStaff) return sourceStaff;
  return typedStaff;
}

}  // namespace ts
