#pragma once
// The drawing routine of each code, one family per source.

namespace ts {

class DrawContext;
class StaffTable;
struct ItemState;

void drawNote(DrawContext& ctx);          // notes.cpp
void drawRest(DrawContext& ctx);          // rests.cpp
void drawClef(DrawContext& ctx);          // clefs_keys_meters.cpp
void drawKeySignature(DrawContext& ctx);  // clefs_keys_meters.cpp
void drawMeter(DrawContext& ctx);         // clefs_keys_meters.cpp
void drawBarLine(DrawContext& ctx);       // bar_lines.cpp
void drawStaff(DrawContext& ctx);         // staves.cpp
// Places a staff item's staff in the tables without drawing it (the pass
// before the drawing, so items ahead of their staff item find it).
bool placeStaff(StaffTable& staves, const ItemState& item, bool metric);
void drawLine(DrawContext& ctx);          // lines.cpp
void drawSlur(DrawContext& ctx);          // slurs.cpp
void drawBeam(DrawContext& ctx);          // beams.cpp
void drawTrill(DrawContext& ctx);         // trills.cpp
void drawLibraryItem(DrawContext& ctx);   // library_items.cpp
void drawNumberItem(DrawContext& ctx);    // numbers.cpp
void drawText(DrawContext& ctx);          // texts.cpp
void drawPicture(DrawContext& ctx);       // pictures.cpp

// A whole rest centred in the bar that ends at the bar line at `barX`
// (P3 units) on the item's staff: the one-bar rest of bar type -44.
void drawBarRest(DrawContext& ctx, float barP3);

}  // namespace ts
