// Library drawing items (code 9): drawing P5 at the item's place. A drawing
// is kept in drawing units, four to a symbol unit, and is drawn as the
// symbol routine draws its library symbols: at a quarter of the staff step
// scale times the item's sizes, so a drawing grows with its staff and a
// staff step (7 symbol units) is 28 drawing units. P6 is the x-size and P7
// the y-size (1 and the x-size when 0, as the symbol routine reads its
// scales; the P7 = 99 stand-in of the symbol routine makes its code 9 item
// larger through P6 this way). A drawing that cannot be found draws
// nothing and says why, once per drawing number.

#include "draw/draw_context.h"
#include "draw/draw_messages.h"
#include "draw/item_routines.h"
#include "draw/library_items.h"

namespace ts {
namespace {

constexpr float kDrawingUnitsPerSymbolUnit = 0.25f;

}  // namespace

LibraryScale libraryItemScale(float p6, float p7, float stepScale) {
  const float xs = p6 == 0.0f ? 1.0f : p6;
  const float ys = p7 == 0.0f ? xs : p7;
  const float k = kDrawingUnitsPerSymbolUnit * stepScale;
  return {k * xs, k * ys};
}

void drawLibraryItem(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  const int number = item.pi(5);
  const LibraryDrawing& drawing = ctx.library.find(number);
  if (drawing.status != DrawingLookup::Found) {
    ctx.warn(libraryDrawingMessage(number, drawing.status));
    return;
  }
  const LibraryScale scale = libraryItemScale(item.p(6), item.p(7), item.scale);
  ctx.drawing(item.x, item.y, number, scale.x, scale.y);
}

}  // namespace ts
