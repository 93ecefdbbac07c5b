// Clicks, dragged boxes and drags: a click opens the item nearest to it,
// a box answers the area or destination of a group operation, a drag
// moves the item being edited.

#include <algorithm>
#include <cmath>

#include "engine/engine.h"
#include "engine/engine_messages.h"
#include "engine/item_picking.h"

namespace ts {

DisplayOffsets Engine::drawnOffsets() const { return {m_displayOffsetX, m_displayOffsetY}; }

void Engine::clickCommand() {
  const DisplayPoint point{m_click.x, m_click.y};
  if (m_drawMode.active()) {
    // Back from the display to the page: display X = page X + offset X, display Y = page Y - offset Y.
    const DisplayOffsets offsets = drawnOffsets();
    takeDrawModeReply(m_drawMode.click(static_cast<float>(int64_t{point.x} - offsets.x),
                                       static_cast<float>(int64_t{point.y} + offsets.y)));
    return;
  }
  if (groupActive()) {
    // A click stands for a box of no size: its staff and position.
    GroupArea area = areaOfBox(point, point, m_drawer.staves(), highestStaffInUse(m_page), drawnOffsets());
    if (m_group.step == GroupStep::Destination && m_group.area.right != 0.0f) {
      area.right = area.left + (m_group.area.right - m_group.area.left);  // the area starts at the click
    } else if (m_group.step == GroupStep::Area) {
      area.right = 0.0f;  // from the click to the right edge
    }
    groupBox(area);
    return;
  }
  const int item = pickNearestItem(m_places, point);
  if (item == 0) {
    setMessage(messages::kNoItems);
    return;
  }
  openItem(item);
}

void Engine::boxCommand() {
  const DisplayPoint start{m_dragStart.x, m_dragStart.y};
  const DisplayPoint end{m_click.x, m_click.y};
  if (!groupActive()) {
    setMessage(messages::kBoxWithoutCommand);
    return;
  }
  groupBox(areaOfBox(start, end, m_drawer.staves(), highestStaffInUse(m_page), drawnOffsets()));
}

void Engine::dragCommand() {
  if (!m_editing) return;
  const int staff = truncToInt(m_edit[1]);
  if (staff < 1 || staff >= kStaffLimit) return;
  const float p3 = positionOfDisplayX(m_click.x, drawnOffsets());
  const float step = stepOfDisplayY(m_click.y, m_drawer.staves().entry(staff), drawnOffsets());
  // The item keeps the hundreds its P4 carries; the step is rounded to a half.
  const float half = std::round(step * 2.0f) / 2.0f;
  moveEdited(p3 - m_edit[2], half - itemStep(truncToInt(m_edit[0]), m_edit[3]));
}

}  // namespace ts
