// Bar lines (code 14): single, double, heavy and repeat bars, dashed bars,
// braces, brackets and sub-brackets across one or more staves.

#include "draw/bar_lines.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "draw/draw_context.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

enum BarType {
  kSingle = 0, kDouble = 1, kHeavyDouble = 2, kRepeatLeft = 3, kRepeatRight = 4, kDoubleRepeat = 5,
  kHeavyDoubleRepeat = 6, kDash = 7, kBrace = 8, kBracket = 9, kSubBracket = 10,
};
constexpr int kBarRest = -44;       // a plain bar followed by a centred one-bar rest
constexpr int kSpanToLastStaff = 999;
constexpr float kThickUnits = 6.0f;     // width of a thick bar in thickness units
constexpr float kExtraSpaceUnits = 6.0f;  // one step of P13 or P14
constexpr int kDotSymbol = 24;
constexpr float kUpperDotStep = 8.0f, kLowerDotStep = 6.0f;
constexpr int kBraceDrawing = 269;
constexpr float kBraceDrawingHeight = 9.0f * 14.0f * 4.0f;  // nine staff spaces, in drawing units
constexpr float kInvisibleDash = 0.3f, kInvisibleSpace = 1.5f;

struct Bar {
  float x = 0.0f;
  float u = 25.0f;       // thickness unit
  float bottom = 0.0f;   // page Y of the bottom and top
  float top = 0.0f;
  int firstStaff = 1;
  int span = 1;
  float extra = 0.0f;     // P13: extra space between the lines
  float dotExtra = 0.0f;  // P14: extra space between the lines and the dots
};

void thin(DrawContext& ctx, const Bar& bar, float x) { ctx.device.line(x, bar.bottom, x, bar.top); }

void thick(DrawContext& ctx, const Bar& bar, float left, float right) {
  ctx.filledRect(left, bar.bottom, right, bar.top);
}

void dots(DrawContext& ctx, const Bar& bar, float x) {
  for (int staff = bar.firstStaff; staff < bar.firstStaff + bar.span; ++staff) {
    const float s = ctx.staves.entry(staff).stepScale;
    for (const float step : {kLowerDotStep, kUpperDotStep}) {
      ctx.symbol(x, ctx.staves.stepY(staff, step), kDotSymbol, 1.0f, 1.0f, s);
    }
  }
}

void repeatLeft(DrawContext& ctx, const Bar& b) {
  dots(ctx, b, b.x - 25.5f * b.u - kExtraSpaceUnits * b.u * (b.extra + b.dotExtra));
  thin(ctx, b, b.x - 13.8f * b.u - kExtraSpaceUnits * b.u * b.extra);
  thick(ctx, b, b.x - kThickUnits * b.u, b.x);
}

void repeatRight(DrawContext& ctx, const Bar& b) {
  thick(ctx, b, b.x - kThickUnits * b.u, b.x);
  thin(ctx, b, b.x + 7.8f * b.u + kExtraSpaceUnits * b.u * b.extra);
  dots(ctx, b, b.x + 19.5f * b.u + kExtraSpaceUnits * b.u * (b.extra + b.dotExtra));
}

// A bracket's curved tip at one end of its stroke: it leaves the stroke's
// outer edge and sweeps right, thinning to a point.
void bracketTip(DrawContext& ctx, float left, float end, float u, float direction) {
  constexpr int kSegments = 6;
  ctx.device.plot(left, end, kPenFill);
  for (int i = 0; i <= kSegments; ++i) {
    const float t = static_cast<float>(i) / kSegments;
    ctx.device.plot(left + 18.0f * u * t, end + direction * (2.5f * u + 7.0f * u * t * t), kPenDraw);
  }
  for (int i = kSegments; i >= 0; --i) {
    const float t = static_cast<float>(i) / kSegments;
    ctx.device.plot(left + 18.0f * u * t, end + direction * 7.0f * u * t * t * t, kPenDraw);
  }
  ctx.device.plot(left, end, kPenDraw);
}

void bracket(DrawContext& ctx, const Bar& b) {
  const float right = b.x - 9.6f * b.u;
  const float left = right - 4.5f * b.u;
  thick(ctx, b, left, right);
  if (ctx.item.pi(8) == 3) return;
  bracketTip(ctx, left, b.top, b.u, 1.0f);
  bracketTip(ctx, left, b.bottom, b.u, -1.0f);
}

void brace(DrawContext& ctx, const Bar& b) {
  const float height = b.top - b.bottom;
  const float ys = height / kBraceDrawingHeight;
  const float natural = 0.25f * ctx.item.scale;
  const float xs = natural * std::clamp(std::sqrt(ys / natural), 0.8f, 1.6f);
  ctx.drawing(b.x - 4.0f * b.u, b.top, kBraceDrawing, xs, ys);
}

void subBracket(DrawContext& ctx, const Bar& b) {
  const float x = b.x - 36.0f * b.u, hook = b.x - 21.0f * b.u;
  const float bottom = ctx.staves.stepY(b.firstStaff, 7.0f);
  const float top = ctx.staves.stepY(b.firstStaff + b.span - 1, 7.0f);
  ctx.device.line(x, bottom, x, top);
  if (ctx.item.pi(8) != 1) ctx.device.line(x, bottom, hook, bottom);
  if (ctx.item.pi(8) != 2) ctx.device.line(x, top, hook, top);
}

void drawType(DrawContext& ctx, const Bar& b, int type) {
  const float s = ctx.item.scale;
  switch (type) {
    case kDouble:
      thin(ctx, b, b.x);
      thin(ctx, b, b.x - 7.5f * b.u - kExtraSpaceUnits * b.u * b.extra);
      return;
    case kHeavyDouble:
      thin(ctx, b, b.x - 13.8f * b.u - kExtraSpaceUnits * b.u * b.extra);
      thick(ctx, b, b.x - kThickUnits * b.u, b.x);
      return;
    case kRepeatLeft: repeatLeft(ctx, b); return;
    case kRepeatRight: repeatRight(ctx, b); return;
    case kDoubleRepeat:
      repeatRight(ctx, b);
      repeatLeft(ctx, b);
      return;
    case kHeavyDoubleRepeat:
      dots(ctx, b, b.x - 18.36f * b.u - kExtraSpaceUnits * b.u * b.dotExtra);
      thick(ctx, b, b.x - kThickUnits * b.u, b.x);
      thick(ctx, b, b.x + 12.4f * b.u, b.x + 18.4f * b.u);
      dots(ctx, b, b.x + 25.2f * b.u + kExtraSpaceUnits * b.u * b.dotExtra);
      return;
    case kDash: {
      const float dash = ctx.item.p(8) == 0.0f ? 1.0f : ctx.item.p(8);
      const float space = ctx.item.p(9) == 0.0f ? 2.0f : ctx.item.p(9);
      ctx.dashedLine(b.x, b.bottom, b.x, b.top, dash * kStepUnits * s, space * kStepUnits * s);
      return;
    }
    case kBrace: brace(ctx, b); return;
    case kBracket: bracket(ctx, b); return;
    case kSubBracket: subBracket(ctx, b); return;
    default: break;
  }
  const int width = ctx.item.pi(6);
  if (width == 0) thin(ctx, b, b.x);
  else thick(ctx, b, b.x - static_cast<float>(width + 1) * b.u, b.x);
}

}  // namespace

BarSteps barSteps(int type, float p10, float p11) {
  BarSteps steps;
  if (type >= kBracket) steps = {1.0f, 13.0f};
  if (type == kSubBracket) steps = {7.0f, 7.0f};
  if (p10 != 0.0f) steps.bottom = p10;
  if (p11 != 0.0f) steps.top = p11;
  return steps;
}

int barSpan(int p4, int staff, int highestStaff) {
  const int most = std::max(1, highestStaff - staff + 1);
  if (p4 == kSpanToLastStaff) return most;
  return std::clamp(std::abs(p4), 1, most);
}

void drawBarLine(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  int type = item.pi(5);
  const bool restAfter = type == kBarRest;
  if (restAfter) type = kSingle;
  const bool invisible = item.pi(4) < 0;
  if (invisible && !(ctx.screen && ctx.request.showInvisible)) return;
  Bar b;
  b.x = item.x + (item.p(7) != 0.0f && item.p(15) == 0.0f ? item.p(7) * kUnitsPerP3 : 0.0f);
  b.u = item.p(17) != 0.0f ? kStepScalePerSize * item.p(17) : item.scale;
  b.firstStaff = item.staff;
  b.span = barSpan(item.pi(4), item.staff, ctx.highestStaff);
  b.extra = item.p(13);
  b.dotExtra = item.p(14);
  const BarSteps steps = barSteps(invisible ? kDash : type, item.p(10), item.p(11));
  b.bottom = ctx.stepY(steps.bottom);
  b.top = ctx.staves.stepY(item.staff + b.span - 1, steps.top);
  if (invisible) {
    const float step = kStepUnits * item.scale;
    ctx.dashedLine(b.x, b.bottom, b.x, b.top, kInvisibleDash * step, kInvisibleSpace * step);
    return;
  }
  drawType(ctx, b, type);
  if (restAfter) drawBarRest(ctx, item.p(3));
}

}  // namespace ts
