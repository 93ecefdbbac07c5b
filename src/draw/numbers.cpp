// Number items (code 10): a whole number at its place, in the number font.

#include "draw/draw_context.h"
#include "draw/item_routines.h"

namespace ts {

void drawNumberItem(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  const float size = item.p(6) == 0.0f ? 1.0f : item.p(6);
  ctx.number(item.x, item.y, item.pi(5), size);
}

}  // namespace ts
