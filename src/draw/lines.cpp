// Line items (code 4): straight and dashed lines with arrowheads, stretched
// lines, vibrato and saw-tooth lines, hairpins, endings and octave lines
// between two ends.

#include "draw/lines.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "draw/draw_context.h"
#include "draw/draw_messages.h"
#include "draw/font_table.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

enum LineKind {
  kStraight = 0, kVibrato = -2, kSawtooth = -3, kCrescendo = -10, kDecrescendo = -11, kEnding = -20,
  kOctaveUp = -30, kOctaveDown = -31, kFifteenthUp = -32, kStretched = 100,
};
constexpr float kDefaultLength = 20.0f;       // P3 units of a line without an end
constexpr float kDefaultPrintWidth = 4.0f;    // P10 of a line without an end
constexpr float kHairpinOpeningSteps = 1.0f;  // each side of the open end
constexpr float kEndingHookSteps = 4.0f;
constexpr float kOctaveHookSteps = 2.0f;
constexpr int kOctaveFont = 3;                // Times-BoldItalic
constexpr float kOctaveTextUnits = 520.0f;
// A vibrato wave is two steps long and one step from crest to trough; a
// saw tooth two steps long and one step high. Eight points draw a wave.
constexpr float kWavePeriodSteps = 2.0f;
constexpr float kVibratoHeightSteps = 0.5f, kSawtoothHeightSteps = 1.0f;
constexpr int kPointsPerWave = 8;
constexpr float kArrowLengthSteps = 2.0f, kArrowHalfWidthSteps = 0.6f;
constexpr float kTwoPi = 6.28318531f;

struct Ends {
  float x1, y1, x2, y2;
};

// Plots a figure along the line: at each fraction of a period, the offset
// across the line. Every turn plots, so the device's mark limit bounds it.
template <class Offset>
void waveFigure(DrawContext& ctx, const Ends& e, float height, int pointsPerPeriod, Offset offset) {
  const float length = std::hypot(e.x2 - e.x1, e.y2 - e.y1);
  if (length <= 0.0f) return;
  const float ux = (e.x2 - e.x1) / length, uy = (e.y2 - e.y1) / length;
  const float step = kStepUnits * ctx.item.scale;
  const int64_t periods = wavePeriods(length, kWavePeriodSteps * step);
  const auto at = [&](float along, float across) {
    ctx.device.plot(e.x1 + ux * along - uy * across, e.y1 + uy * along + ux * across, kPenDraw);
  };
  ctx.device.plot(e.x1, e.y1, kPenMove);
  const int64_t points = periods * pointsPerPeriod;
  for (int64_t i = 1; i <= points; ++i) {
    const float along = length * static_cast<float>(i) / static_cast<float>(points);
    const float phase = static_cast<float>(i % pointsPerPeriod) / static_cast<float>(pointsPerPeriod);
    offset(at, along, phase, height);
  }
}

void vibrato(DrawContext& ctx, const Ends& e) {
  const float height = kVibratoHeightSteps * kStepUnits * ctx.item.scale;
  waveFigure(ctx, e, height, kPointsPerWave, [](auto at, float along, float phase, float h) {
    at(along, h * vibratoOffset(phase));
  });
}

// Each tooth rises to its top and drops straight back to the line.
void sawtooth(DrawContext& ctx, const Ends& e) {
  const float height = kSawtoothHeightSteps * kStepUnits * ctx.item.scale;
  waveFigure(ctx, e, height, 1, [](auto at, float along, float, float h) {
    at(along, h * sawtoothOffset(1.0f));
    at(along, h * sawtoothOffset(0.0f));
  });
}

void hairpin(DrawContext& ctx, const Ends& e, bool opensRight) {
  const float h = kHairpinOpeningSteps * kStepUnits * ctx.item.scale;
  const float px = opensRight ? e.x1 : e.x2, py = opensRight ? e.y1 : e.y2;
  const float ox = opensRight ? e.x2 : e.x1, oy = opensRight ? e.y2 : e.y1;
  ctx.device.plot(ox, oy + h, kPenMove);
  ctx.device.plot(px, py, kPenDraw);
  ctx.device.plot(ox, oy - h, kPenDraw);
}

void ending(DrawContext& ctx, const Ends& e) {
  const float step = kStepUnits * ctx.item.scale;
  const float hook = kEndingHookSteps * step;
  ctx.device.plot(e.x1, e.y1 - hook, kPenMove);
  ctx.device.plot(e.x1, e.y1, kPenDraw);
  ctx.device.plot(e.x2, e.y2, kPenDraw);
  if (ctx.item.pi(8) > 0) ctx.number(e.x1 + step, e.y1 - 2.5f * step, ctx.item.pi(8), 0.8f);
}

void octaveLine(DrawContext& ctx, const Ends& e, int kind) {
  const float step = kStepUnits * ctx.item.scale;
  const char* label = kind == kOctaveUp ? "8va" : kind == kOctaveDown ? "8vb" : "15ma";
  const float size = kOctaveTextUnits * ctx.item.scale / kStepScalePerSize;
  ctx.device.text(screenFont(kOctaveFont, size, ctx.device.colour()), e.x1, e.y1, label, {kOctaveFont});
  const float start = e.x1 + static_cast<float>(std::string(label).size()) * 0.5f * size;
  ctx.dashedLine(start, e.y1 + step, e.x2, e.y2 + step, step * 0.7f, step * 0.7f);
  const float hook = (kind == kOctaveDown ? 1.0f : -1.0f) * kOctaveHookSteps * step;
  ctx.device.line(e.x2, e.y2 + step, e.x2, e.y2 + step + hook);
}

void arrow(DrawContext& ctx, LinePoint tip, LinePoint from) {
  const float step = kStepUnits * ctx.item.scale;
  int pen = kPenFill;
  for (const LinePoint& p : arrowhead(tip, from, kArrowLengthSteps * step, kArrowHalfWidthSteps * step)) {
    ctx.device.plot(p.x, p.y, pen);
    pen = kPenDraw;
  }
}

// The arrowheads of P11 and P12, at the start and at the end.
void arrows(DrawContext& ctx, const Ends& e) {
  if (ctx.item.p(11) != 0.0f) arrow(ctx, {e.x1, e.y1}, {e.x2, e.y2});
  if (ctx.item.p(12) != 0.0f) arrow(ctx, {e.x2, e.y2}, {e.x1, e.y1});
}

// A straight or dashed line.
void plainLine(DrawContext& ctx, const Ends& e) {
  const ItemState& item = ctx.item;
  const DashPattern dashes = dashPattern(item.p(8), item.p(9));
  const float step = kStepUnits * item.scale;
  if (dashes.dashed) {
    ctx.dashedLine(e.x1, e.y1, e.x2, e.y2, dashes.dash * step, dashes.space * step);
  } else {
    ctx.device.line(e.x1, e.y1, e.x2, e.y2);
  }
}

// Hairpins, endings and octave lines have ends of their own; every other
// kind may carry arrowheads.
void drawFigure(DrawContext& ctx, const Ends& e, int kind) {
  switch (kind) {
    case kCrescendo:
    case kDecrescendo: hairpin(ctx, e, kind == kCrescendo); return;
    case kEnding: ending(ctx, e); return;
    case kOctaveUp:
    case kOctaveDown:
    case kFifteenthUp: octaveLine(ctx, e, kind); return;
    case kVibrato: vibrato(ctx, e); break;
    case kSawtooth: sawtooth(ctx, e); break;
    default: plainLine(ctx, e); break;
  }
  arrows(ctx, e);
}

}  // namespace

LineEnd lineEnd(float p3, float p4, float p5, float p6) {
  if (p5 == 0.0f && p6 == 0.0f) return {p3 + kDefaultLength, p4, true};
  return {p6, p5, false};
}

StretchFactors stretchFactors(float p18, float p19) {
  const float x = p18 == 0.0f ? 1.0f : p18;
  return {x, p19 == 0.0f ? x : p19};
}

DashPattern dashPattern(float p8, float p9) {
  DashPattern pattern;
  pattern.dashed = p8 > 0.0f || p9 > 0.0f;
  pattern.dash = p8 > 0.0f ? p8 : 1.0f;
  pattern.space = p9 > 0.0f ? p9 : pattern.dash;
  return pattern;
}

float vibratoOffset(float phase) { return std::sin(kTwoPi * phase); }

float sawtoothOffset(float phase) { return phase >= 1.0f ? 1.0f : phase; }

int64_t wavePeriods(float length, float period) {
  if (!(period > 0.0f)) return 1;
  return std::max<int64_t>(1, truncToInt(length / period));
}

std::array<LinePoint, 3> arrowhead(LinePoint tip, LinePoint from, float length, float halfWidth) {
  const float dx = tip.x - from.x, dy = tip.y - from.y;
  const float d = std::hypot(dx, dy);
  const float ux = d > 0.0f ? dx / d : 1.0f, uy = d > 0.0f ? dy / d : 0.0f;
  const LinePoint base{tip.x - ux * length, tip.y - uy * length};
  return {{tip,
           {base.x - uy * halfWidth, base.y + ux * halfWidth},
           {base.x + uy * halfWidth, base.y - ux * halfWidth}}};
}

void drawLine(DrawContext& ctx) {
  ItemState& item = ctx.item;
  const LineEnd end = lineEnd(item.p(3), item.p(4), item.p(5), item.p(6));
  if (end.defaulted) {
    ctx.warn(kLineNeedsEndMessage);
    item.params[10] = kDefaultPrintWidth;
  }
  const float shift = item.p(15) != 0.0f ? item.p(15) * kUnitsPerP3 : 0.0f;
  Ends e{item.x, item.y, end.position * kUnitsPerP3 + shift, ctx.stepY(end.step)};
  const int kind = item.pi(7);
  if (kind >= kStretched) {
    const StretchFactors k = stretchFactors(item.p(18), item.p(19));
    e.x2 = e.x1 + (e.x2 - e.x1) * k.x;
    e.y2 = e.y1 + (e.y2 - e.y1) * k.y;
    plainLine(ctx, e);
    arrows(ctx, e);
    return;
  }
  const bool widened = !ctx.screen && item.p(10) != 0.0f;
  if (widened) ctx.device.setLineWidth(truncToInt(2.0f * item.p(10)));
  drawFigure(ctx, e, kind);
  if (widened) ctx.device.restoreLineWidth();
}

}  // namespace ts
