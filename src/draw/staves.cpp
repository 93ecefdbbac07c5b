// Staff items (code 8): each one places its staff in the staff tables and
// draws the staff's lines, its guide line and its number.

#include "draw/draw_context.h"
#include "draw/draw_messages.h"
#include "draw/item_colour.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

constexpr float kLineSpacingUnits = 14.0f;   // two steps between staff lines
constexpr float kBottomLineUnits = 21.0f;    // the bottom line is three steps above step 0
constexpr float kInvisibleStaffGrey = 0.8f;  // colour selector of a shown invisible staff
constexpr float kStaffNumberStep = 5.5f;     // baseline of the staff number: centred on the middle line

StaffPlacement placementOf(const ItemState& item, bool metric) {
  StaffPlacement p;
  p.staff = item.pi(2);
  p.p4 = item.p(4);
  p.p5 = item.p(5);
  p.p10 = item.p(10);
  p.p11 = item.p(11);
  p.p14 = item.p(14);
  p.p26 = item.p(26);
  p.metric = metric;
  return p;
}

void drawStaffLines(DrawContext& ctx, float left, float right, float bottom, float scale) {
  const StaffLines lines = staffLines(ctx.item.p(7));
  const float spacing = kLineSpacingUnits * scale;
  // Only paper shows a line weight; the screen keeps its one-pixel lines.
  const int weight = ctx.screen ? 0 : printStaffLineWeight(ctx.item.p(7), ctx.item.p(11));
  if (weight != 0) ctx.device.setLineWidth(weight);
  for (int i = 0; i < lines.count; ++i) {
    const float y = bottom + static_cast<float>(lines.raisedSpacings + i) * spacing;
    ctx.device.line(left, y, right, y);
  }
  if (weight != 0) ctx.device.restoreLineWidth();
}

}  // namespace

bool placeStaff(StaffTable& staves, const ItemState& item, bool metric) {
  return staves.place(placementOf(item, metric));
}

void drawStaff(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  if (item.pi(2) < 1) return;
  if (ctx.device.verticalOffset() == 0) ctx.device.setVerticalOffset(kFirstStaffDisplayOffset);
  if (!placeStaff(ctx.staves, item, ctx.request.unit != 0.0f)) {
    ctx.warn(staffOutOfRangeMessage(item.pi(2)));
    return;
  }
  ctx.item.scale = ctx.staves.entry(item.staff).stepScale;
  const float scale = ctx.item.scale;
  const float bottom = ctx.stepY(0.0f) + kBottomLineUnits * scale;
  const float left = item.x;
  const float right = item.p(6) != 0.0f ? item.p(6) * kUnitsPerP3 : static_cast<float>(kWritingRight);
  if (item.p(8) != 0.0f && ctx.screen) {
    const float guide = bottom + lengthUnits(item.p(8), ctx.request.unit != 0.0f);
    ctx.device.line(left, guide, right, guide);
  }
  const bool visible = staffLines(item.p(7)).visible;
  if (visible || (ctx.screen && ctx.request.showInvisible)) {
    if (!visible) {
      ctx.device.flush();
      ctx.device.setColour(itemColour(kInvisibleStaffGrey, false));
    }
    drawStaffLines(ctx, left, right, bottom, scale);
  }
  if (item.p(12) == 0.0f && ctx.screen) {
    const float size = scale / kStepScalePerSize;
    ctx.number(staffNumberX(item.staff, left), ctx.stepY(kStaffNumberStep), item.staff, 1.0f / size);
  }
}

}  // namespace ts
