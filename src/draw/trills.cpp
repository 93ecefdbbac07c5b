// Trills (code 7): the trill sign, its accidental above it (P8 1 flat,
// 2 sharp, 3 natural) and the wavy extension to P6.

#include "draw/trills.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "draw/draw_context.h"
#include "draw/draw_messages.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

constexpr int kTrillSign = 21;
constexpr int kWiggleWave = 22;        // one wave, a staff space long, centred on its line
constexpr float kWaveUnits = 14.0f;    // symbol units of one wave
constexpr int kAccidentalBase = 5;     // P8 1, 2, 3: symbols 6, 7, 8 as in key signatures
constexpr int kLastAccidental = 3;
constexpr float kAccidentalScale = 0.6f;
constexpr float kAccidentalGapSteps = 0.3f;
constexpr float kWiggleGapSteps = 0.5f;  // between the sign and the first wave
constexpr float kDrawingUnitsPerSymbolUnit = 4.0f;
// The sign's size when the library has no outline for it, in symbol units.
constexpr OutlineBox kSignFallback{0.0f, 0.0f, 31.0f, 20.0f, false};
constexpr OutlineBox kAccidentalFallback{-12.0f, -10.0f, -2.1f, 10.0f, false};

OutlineBox boxOfSymbol(DrawContext& ctx, int n, const OutlineBox& fallback) {
  OutlineBox box = outlineBox(ctx.library.symbol(n), 1.0f);
  if (box.empty) box = outlineBox(ctx.library.drawing(n), kDrawingUnitsPerSymbolUnit);
  return box.empty ? fallback : box;
}

void drawAccidental(DrawContext& ctx, const OutlineBox& sign) {
  const int p8 = ctx.item.pi(8);
  if (p8 < 1 || p8 > kLastAccidental) return;
  const float s = ctx.item.scale;
  const OutlineBox box = boxOfSymbol(ctx, kAccidentalBase + p8, kAccidentalFallback);
  const float k = kAccidentalScale * s;
  const float centre = ctx.item.x + (sign.minX + sign.maxX) / 2.0f * s;
  const float bottom = ctx.item.y + sign.maxY * s + kAccidentalGapSteps * kStepUnits * s;
  ctx.symbol(centre - (box.minX + box.maxX) / 2.0f * k, bottom - box.minY * k, kAccidentalBase + p8,
             kAccidentalScale, kAccidentalScale, s);
}

void drawWiggle(DrawContext& ctx, const OutlineBox& sign) {
  const ItemState& item = ctx.item;
  const float s = item.scale;
  const float endX = item.p(6) * kUnitsPerP3 + (item.p(15) != 0.0f ? item.p(15) * kUnitsPerP3 : 0.0f);
  const TrillWiggle w = trillWiggle(item.x + sign.maxX * s, item.y + (sign.minY + sign.maxY) / 2.0f * s, endX,
                                    item.p(6), item.p(9), item.p(11), s);
  if (w.endMissing) ctx.warn(kTrillNeedsEndMessage);
  if (!w.drawn) return;
  const float wave = kWaveUnits * w.xScale * s;
  for (int i = 0; i < w.periods; ++i) {
    ctx.symbol(w.x + wave * static_cast<float>(i), w.y, kWiggleWave, w.xScale, w.yScale, s);
  }
}

}  // namespace

OutlineBox outlineBox(std::span<const DrawingPoint> points, float unitsPerSymbolUnit) {
  OutlineBox box;
  for (const DrawingPoint& p : points) {
    if (p.pen < kPenDraw || p.pen > kPenContour) continue;
    const float x = p.x / unitsPerSymbolUnit, y = p.y / unitsPerSymbolUnit;
    if (box.empty) {
      box = {x, y, x, y, false};
      continue;
    }
    box.minX = std::min(box.minX, x);
    box.minY = std::min(box.minY, y);
    box.maxX = std::max(box.maxX, x);
    box.maxY = std::max(box.maxY, y);
  }
  return box;
}

TrillWiggle trillWiggle(float signRight, float signMiddle, float endX, float p6, float p9, float p11,
                        float stepScale) {
  TrillWiggle w;
  if (p6 == 0.0f) return w;
  const float step = kStepUnits * stepScale;
  w.x = signRight + kWiggleGapSteps * step;
  w.y = signMiddle + p11 * step;
  const float room = endX - w.x;
  const float size = p9 > 0.0f ? p9 : 1.0f;
  const float wave = kWaveUnits * size * stepScale;
  if (!(room > 0.0f) || !(wave > 0.0f)) {
    w.endMissing = true;
    return w;
  }
  w.periods = static_cast<int>(std::clamp<int64_t>(truncToInt(room / wave), 1, kMaxWigglePeriods));
  w.xScale = size * room / (wave * static_cast<float>(w.periods));
  w.yScale = size;
  w.drawn = true;
  return w;
}

void drawTrill(DrawContext& ctx) {
  const OutlineBox sign = boxOfSymbol(ctx, kTrillSign, kSignFallback);
  ctx.symbol(ctx.item.x, ctx.item.y, kTrillSign, 1.0f, 1.0f, ctx.item.scale);
  drawAccidental(ctx, sign);
  drawWiggle(ctx, sign);
}

}  // namespace ts
