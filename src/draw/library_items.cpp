// Library drawing items (code 9): drawing P5 at the item's place. A
// drawing is kept in drawing units, four to a symbol unit, so it scales
// with its staff like the symbols do; P6 and P7 are its x- and y-size.

#include "draw/draw_context.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

constexpr float kDrawingUnitsPerSymbolUnit = 0.25f;

}  // namespace

void drawLibraryItem(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  const float xs = item.p(6) == 0.0f ? 1.0f : item.p(6);
  const float ys = item.p(7) == 0.0f ? xs : item.p(7);
  const float k = kDrawingUnitsPerSymbolUnit * item.scale;
  ctx.drawing(item.x, item.y, item.pi(5), k * xs, k * ys);
}

}  // namespace ts
