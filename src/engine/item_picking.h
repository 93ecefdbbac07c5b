#pragma once
// Turning positions on the display back into items and areas: the item a
// click picks, and the staves and horizontal range a dragged box covers.

#include <cstdint>
#include <vector>

#include "draw/page_drawing.h"
#include "engine/group_selection.h"

namespace ts {

struct DisplayPoint {
  int32_t x = 0, y = 0;
};

// How far a point lies from a box (0 inside it), in display units.
double distanceToExtent(const PageExtent& extent, DisplayPoint point);

// The item (1-based) whose marks lie nearest the point: the distance to its
// box plus a quarter of the distance to its reference point, the first
// item winning a tie. 0 when nothing was drawn.
int pickNearestItem(const std::vector<ItemPlace>& places, DisplayPoint point);

// The display offsets the drawing used, to go back to page positions.
struct DisplayOffsets {
  int x = 0;
  int y = 0;
};

// P3 of a display X.
float positionOfDisplayX(int32_t x, const DisplayOffsets& offsets);
// The step of a display Y on a staff.
float stepOfDisplayY(int32_t y, const StaffEntry& staff, const DisplayOffsets& offsets);

// The area a box covers: the staves whose middle lines it spans (the staff
// nearest its middle when it spans none), and its horizontal range.
GroupArea areaOfBox(DisplayPoint a, DisplayPoint b, const StaffTable& staves, int highestStaff,
                    const DisplayOffsets& offsets);

}  // namespace ts
