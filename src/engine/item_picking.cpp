#include "engine/item_picking.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace ts {

double distanceToExtent(const PageExtent& extent, DisplayPoint point) {
  const double dx = point.x < extent.minX ? extent.minX - point.x : point.x > extent.maxX ? point.x - extent.maxX : 0;
  const double dy = point.y < extent.minY ? extent.minY - point.y : point.y > extent.maxY ? point.y - extent.maxY : 0;
  return std::hypot(dx, dy);
}

int pickNearestItem(const std::vector<ItemPlace>& places, DisplayPoint point) {
  // Being inside an item's box is not enough: a staff's box covers the
  // whole width of the page. The distance to the reference point counts a
  // quarter, so a click beside a note head picks the note, and a click in
  // an empty part of a staff picks the staff.
  constexpr double kReferenceWeight = 0.25;
  int best = 0;
  double bestScore = std::numeric_limits<double>::infinity();
  for (size_t i = 0; i < places.size(); ++i) {
    const ItemPlace& place = places[i];
    if (!place.drawn) continue;
    const double reference = std::hypot(double(place.x) - point.x, double(place.y) - point.y);
    const double box = place.extent.empty() ? reference : distanceToExtent(place.extent, point);
    const double score = box + kReferenceWeight * reference;
    if (score < bestScore) {
      best = static_cast<int>(i) + 1;
      bestScore = score;
    }
  }
  return best;
}

// Display and page positions are combined in 64 bits: a staff placed far
// off the page can hold a reference at the edge of the int range.
float positionOfDisplayX(int32_t x, const DisplayOffsets& offsets) {
  return static_cast<float>(int64_t{x} - offsets.x) / kUnitsPerP3;
}

float stepOfDisplayY(int32_t y, const StaffEntry& staff, const DisplayOffsets& offsets) {
  const auto pageY = static_cast<float>(int64_t{y} + offsets.y);
  return (pageY - static_cast<float>(staff.referenceY)) / (kStepUnits * staff.stepScale);
}

GroupArea areaOfBox(DisplayPoint a, DisplayPoint b, const StaffTable& staves, int highestStaff,
                    const DisplayOffsets& offsets) {
  GroupArea area;
  const float left = positionOfDisplayX(std::min(a.x, b.x), offsets);
  const float right = positionOfDisplayX(std::max(a.x, b.x), offsets);
  const int64_t low = int64_t{std::min(a.y, b.y)} + offsets.y;
  const int64_t high = int64_t{std::max(a.y, b.y)} + offsets.y;
  const int64_t middle = (low + high) / 2;
  int nearest = 0;
  int64_t nearestDistance = std::numeric_limits<int64_t>::max();
  const int last = std::min(highestStaff, kStaffLimit - 1);
  for (int staff = 1; staff <= last; ++staff) {
    const int64_t y = staves.entry(staff).middleY;
    if (y >= low && y <= high) {
      if (area.lowerStaff == 0) area.lowerStaff = staff;
      area.upperStaff = staff;
    }
    const int64_t distance = y > middle ? y - middle : middle - y;
    if (distance < nearestDistance) {
      nearest = staff;
      nearestDistance = distance;
    }
  }
  if (area.lowerStaff == 0) area.lowerStaff = area.upperStaff = nearest;
  // A left edge of exactly 0 would read as "not given".
  area.left = left == 0.0f ? -0.0001f : left;
  area.right = right == 0.0f ? 0.0001f : right;
  return area;
}

}  // namespace ts
