#include "draw/editor_overlay.h"

#include "draw/draw_context.h"
#include "draw/item_colour.h"

namespace ts {
namespace {

constexpr const char* kOverlayTooLarge = "*** The drawing has more points than the display shows.";

}  // namespace

void drawOverlay(DrawContext& ctx, std::span<const DrawingPoint> points) {
  if (points.empty()) return;
  DisplayDevice& device = ctx.device;
  device.setColour(itemColour(0.0f, true));
  device.setRightSheet(false);
  device.startItem();
  try {
    for (const DrawingPoint& point : points) device.plot(point.x, point.y, point.pen);
    device.flush();
  } catch (const TooManyMarks&) {
    device.abandonItem();
    ctx.warn(kOverlayTooLarge);
  }
  (void)device.stopExtent();
}

}  // namespace ts
