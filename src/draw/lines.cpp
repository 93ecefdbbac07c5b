// Line items (code 4): straight and dashed lines, wavy lines, hairpins,
// endings and octave lines between two ends.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>

#include "draw/draw_context.h"
#include "draw/font_table.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

enum LineKind {
  kStraight = 0, kWavy = -2, kSawtooth = -3, kCrescendo = -10, kDecrescendo = -11, kEnding = -20,
  kOctaveUp = -30, kOctaveDown = -31, kFifteenthUp = -32,
};
constexpr float kHairpinOpeningSteps = 1.0f;  // each side of the open end
constexpr float kEndingHookSteps = 4.0f;
constexpr float kOctaveHookSteps = 2.0f;
constexpr float kWaveSteps = 1.0f;            // one wave's length and height
constexpr int kOctaveFont = 3;                // Times-BoldItalic
constexpr float kOctaveTextUnits = 520.0f;

struct Ends {
  float x1, y1, x2, y2;
};

void wavy(DrawContext& ctx, const Ends& e, float step, bool saw) {
  const float length = std::hypot(e.x2 - e.x1, e.y2 - e.y1);
  if (length <= 0.0f) return;
  const float ux = (e.x2 - e.x1) / length, uy = (e.y2 - e.y1) / length;
  const int64_t waves = std::max(1, truncToInt(length / (kWaveSteps * step)));
  const int64_t segments = waves * 4;
  ctx.device.plot(e.x1, e.y1, kPenMove);
  for (int64_t i = 1; i <= segments; ++i) {
    const float t = length * static_cast<float>(i) / static_cast<float>(segments);
    const float phase = static_cast<float>(i % 4);
    const float side = saw ? (phase == 0 ? 0.0f : (phase - 2.0f) * 0.5f)
                           : (phase == 1 ? 1.0f : phase == 3 ? -1.0f : 0.0f);
    const float h = side * 0.5f * kWaveSteps * step;
    ctx.device.plot(e.x1 + ux * t - uy * h, e.y1 + uy * t + ux * h, kPenDraw);
  }
}

void octaveLine(DrawContext& ctx, const Ends& e, float step, int kind) {
  const char* label = kind == kOctaveUp ? "8va" : kind == kOctaveDown ? "8vb" : "15ma";
  const float size = kOctaveTextUnits * ctx.item.scale / kStepScalePerSize;
  ctx.device.text(screenFont(kOctaveFont, size, ctx.device.colour()), e.x1, e.y1, label);
  const float start = e.x1 + static_cast<float>(std::string(label).size()) * 0.5f * size;
  ctx.dashedLine(start, e.y1 + step, e.x2, e.y2 + step, step * 0.7f, step * 0.7f);
  const float hook = (kind == kOctaveDown ? 1.0f : -1.0f) * kOctaveHookSteps * step;
  ctx.device.line(e.x2, e.y2 + step, e.x2, e.y2 + step + hook);
}

}  // namespace

void drawLine(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  const float step = kStepUnits * item.scale;
  const float right = item.p(6) * kUnitsPerP3 + (item.p(15) != 0.0f ? item.p(15) * kUnitsPerP3 : 0.0f);
  const Ends e{item.x, item.y, right, ctx.stepY(item.p(5))};
  const int kind = item.pi(7);
  switch (kind) {
    case kWavy: wavy(ctx, e, step, false); return;
    case kSawtooth: wavy(ctx, e, step, true); return;
    case kCrescendo:
    case kDecrescendo: {
      const float h = kHairpinOpeningSteps * step;
      const bool opensRight = kind == kCrescendo;
      const float px = opensRight ? e.x1 : e.x2, py = opensRight ? e.y1 : e.y2;
      const float ox = opensRight ? e.x2 : e.x1, oy = opensRight ? e.y2 : e.y1;
      ctx.device.plot(ox, oy + h, kPenMove);
      ctx.device.plot(px, py, kPenDraw);
      ctx.device.plot(ox, oy - h, kPenDraw);
      return;
    }
    case kEnding: {
      const float hook = kEndingHookSteps * step;
      ctx.device.plot(e.x1, e.y1 - hook, kPenMove);
      ctx.device.plot(e.x1, e.y1, kPenDraw);
      ctx.device.plot(e.x2, e.y2, kPenDraw);
      if (item.pi(8) > 0) ctx.number(e.x1 + step, e.y1 - 2.5f * step, item.pi(8), 0.8f);
      return;
    }
    case kOctaveUp:
    case kOctaveDown:
    case kFifteenthUp: octaveLine(ctx, e, step, kind); return;
    default: break;
  }
  if (item.p(8) > 0.0f) {
    const float space = item.p(9) > 0.0f ? item.p(9) : item.p(8);
    ctx.dashedLine(e.x1, e.y1, e.x2, e.y2, item.p(8) * step, space * step);
    return;
  }
  ctx.device.line(e.x1, e.y1, e.x2, e.y2);
}

}  // namespace ts
