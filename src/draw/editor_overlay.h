#pragma once
// The figure a host asks to see over the page (the drawing editor's
// drawing), drawn after the items so that it stays on top.

#include <span>

#include "draw/drawing_file.h"

namespace ts {

class DrawContext;

// Points in page units with their pens; drawn in the highlight colour as
// one item, so a figure larger than the display list is left out whole
// with a message instead of cutting the page.
void drawOverlay(DrawContext& ctx, std::span<const DrawingPoint> points);

}  // namespace ts
