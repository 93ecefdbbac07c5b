// Beams (code 6): the main beams, the partial beams and hooks of two sets,
// and the number with its bracket. A beam does not look for its notes: it
// is drawn from its own ends, steps and counts.

#include "draw/beams.h"

#include <cmath>
#include <cstdlib>
#include <string>

#include "draw/draw_context.h"
#include "draw/font_table.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

constexpr int kCueStep = 100;                 // |P4| from here on: a cue beam
constexpr float kCueScale = 0.6f;
constexpr float kCueThickness = 0.8f;         // printed thickness of a cue beam when P17 = 0
constexpr float kHeadUnits = 17.0f;           // a head's width in units of b
constexpr float kBeamRiseUnits = 49.0f;       // seven steps from the end's note
constexpr float kBetweenUnits = 10.5f;
constexpr float kThicknessUnits = 7.0f;
constexpr float kHookUnits = 16.2f;
// Partial beams with neither end given (tremolo beams between two long
// notes) stop one step short of each main end, clear of the stems.
constexpr float kPartialInsetUnits = 7.0f;
constexpr float kUpperEdgeUnits = 35.0f;      // a: the zig-zag's stroke spacing
// The zig-zag ends three strokes deep: one-pixel strokes 35 page units
// apart fill the beam at the usual zooms.
constexpr float kScreenThicknessStrokes = 3.0f;
constexpr float kNumberSize = 0.875f, kCueNumberSize = 0.6f, kCueNumberOffset = 0.7f;
constexpr float kNumberAboveUnits = 6.5f, kNumberBelowUnits = -24.5f;
constexpr float kStepUnitsOfS = 7.0f;
constexpr float kUnitsPerPosition = 150.0f;
constexpr float kFlatSlopeRun = 100.0f;
constexpr int kPlainLineBracket = 2;

int digit(float value, int place) { return (std::abs(truncToInt(value)) / place) % 10; }

float orOne(float value) { return value == 0.0f ? 1.0f : value; }

}  // namespace

bool shiftsLeftEnd(int d) { return d == 1 || d == 3; }
bool shiftsRightEnd(int d) { return d == 2 || d == 3; }

BeamGeometry beamGeometry(const BeamParameters& p, float stepScale, float referenceY) {
  BeamGeometry g;
  g.cue = std::fabs(p.p4) >= static_cast<float>(kCueStep);
  g.scale = stepScale * (p.p18 > 0.0f ? p.p18 : 1.0f) * (g.cue ? kCueScale : 1.0f);
  g.up = digit(p.p7, 10) == 1;
  g.count = digit(p.p7, 1);
  g.mainDrawn = p.p7 >= 0.0f;
  g.headOffset = g.scale * kHeadUnits * orOne(p.p20);
  g.stemShift = g.up ? -g.headOffset : g.headOffset;
  g.towardHeads = g.up ? -1.0f : 1.0f;
  // P14 and P15 name the notes the ends follow, unless they belong to a
  // second set of partial beams.
  g.left.x = (p.p13 == 0.0f && p.p14 != 0.0f ? p.p14 : p.p3) * kUnitsPerPosition;
  g.right.x = (p.p13 == 0.0f && p.p15 != 0.0f ? p.p15 : p.p6) * kUnitsPerPosition;
  if (g.up) {
    g.left.x += g.headOffset;
    g.right.x += g.headOffset;
  }
  const int ends = p.p9 > 0.0f ? digit(p.p9, 100) : 0;
  if (shiftsLeftEnd(ends)) g.left.x += g.stemShift;
  if (shiftsRightEnd(ends)) g.right.x += g.stemShift;
  const float rise = -g.towardHeads * kBeamRiseUnits * g.scale;
  const float step = kStepUnitsOfS * stepScale;
  g.left.y = referenceY + std::fmod(p.p4, static_cast<float>(kCueStep)) * step + rise;
  g.right.y = referenceY + p.p5 * step + rise;
  g.between = kBetweenUnits * g.scale * orOne(p.p21);
  const float factor = p.p17 != 0.0f ? p.p17 : (g.cue ? kCueThickness : 1.0f);
  g.thickness = g.towardHeads * kThicknessUnits * g.scale * factor;
  return g;
}

float beamSlope(BeamPoint a, BeamPoint b) {
  const float run = b.x - a.x;
  return (b.y - a.y) / (run == 0.0f ? kFlatSlopeRun : run);
}

float beamLineY(const BeamGeometry& g, float x) { return g.left.y + beamSlope(g.left, g.right) * (x - g.left.x); }

PartialSpan partialBeamSpan(float start, float end, int shiftDigit, const BeamGeometry& g) {
  const float hook = kHookUnits * g.scale;
  const auto place = [&](float position, bool shifted) {
    float x = position * kUnitsPerPosition + (g.up ? g.headOffset : 0.0f);
    return shifted ? x + g.stemShift : x;
  };
  PartialSpan span;
  if (start == 0.0f && end == 0.0f) {
    const float inset = kPartialInsetUnits * g.scale;
    return {g.left.x + inset, g.right.x - inset};
  }
  span.x1 = start == -1.0f ? g.left.x : place(start, shiftsLeftEnd(shiftDigit));
  span.x2 = end == -1.0f ? g.right.x : place(end, shiftsRightEnd(shiftDigit));
  if (start == 0.0f) span.x1 = span.x2 - hook;
  if (end == 0.0f) span.x2 = span.x1 + hook;
  return span;
}

PartialSet partialSet(float packed) { return {digit(packed, 10), digit(packed, 1)}; }

std::array<BeamPoint, 7> screenBeamPath(BeamPoint a, BeamPoint b, float towardHeads) {
  const float e = kUpperEdgeUnits * towardHeads;
  return {{a, b, {b.x, b.y + e}, {a.x, a.y + e}, {a.x, a.y + 2 * e}, {b.x, b.y + 2 * e},
           {b.x, b.y + kScreenThicknessStrokes * e}}};
}

std::array<BeamPoint, 4> printBeamCorners(BeamPoint a, BeamPoint b, float w) {
  return {{{b.x, b.y + w}, b, a, {a.x, a.y + w}}};
}

BeamNumber beamNumber(const BeamParameters& p, const BeamGeometry& g, float stepScale) {
  BeamNumber n;
  const int packed = truncToInt(p.p8);
  n.value = packed % 1000;
  n.bracket = packed / 1000 == 0 ? 0 : packed / 1000 == kPlainLineBracket ? kPlainLineBracket : 1;
  const float along = p.p16 == 0.0f ? 0.5f : p.p16;
  n.x = g.left.x + along * (g.right.x - g.left.x);
  float offset = (g.up ? kNumberAboveUnits : kNumberBelowUnits) + kStepUnitsOfS * p.p19;
  if (g.cue) offset *= kCueNumberOffset;
  n.baselineY = g.left.y + along * (g.right.y - g.left.y) + offset * stepScale;
  n.size = g.cue ? kCueNumberSize : kNumberSize;
  return n;
}

std::vector<std::vector<BeamPoint>> numberBracket(const BeamGeometry& g, const BeamNumber& n, float digitsMiddle,
                                                  float halfGap, float stepScale) {
  const float m = beamSlope(g.left, g.right);
  const auto at = [&](float x) { return BeamPoint{x, n.baselineY + digitsMiddle + m * (x - n.x)}; };
  const float hook = n.bracket == kPlainLineBracket ? 0.0f : g.towardHeads * kStepUnitsOfS * stepScale;
  const BeamPoint start = at(g.left.x), end = at(g.right.x);
  std::vector<BeamPoint> left, right;
  if (hook != 0.0f) left.push_back({start.x, start.y + hook});
  left.push_back(start);
  if (halfGap <= 0.0f) {
    left.push_back(end);
    if (hook != 0.0f) left.push_back({end.x, end.y + hook});
    return {left};
  }
  left.push_back(at(n.x - halfGap));
  right.push_back(at(n.x + halfGap));
  right.push_back(end);
  if (hook != 0.0f) right.push_back({end.x, end.y + hook});
  return {left, right};
}

namespace {

void drawOneBeam(DrawContext& ctx, BeamPoint a, BeamPoint b, const BeamGeometry& g) {
  if (ctx.screen) {
    int pen = kPenMove;
    for (const BeamPoint& p : screenBeamPath(a, b, g.towardHeads)) {
      ctx.device.plot(p.x, p.y, pen);
      pen = kPenDraw;
    }
    return;
  }
  int pen = kPenFill;
  for (const BeamPoint& p : printBeamCorners(a, b, g.thickness)) {
    ctx.device.plot(p.x, p.y, pen);
    pen = kPenDraw;
  }
}

void drawMainBeams(DrawContext& ctx, const BeamGeometry& g) {
  if (!g.mainDrawn) return;
  for (int k = 0; k < g.count; ++k) {
    const float in = g.towardHeads * g.between * static_cast<float>(k);
    drawOneBeam(ctx, {g.left.x, g.left.y + in}, {g.right.x, g.right.y + in}, g);
  }
}

void drawPartialSet(DrawContext& ctx, const BeamGeometry& g, float packed, float start, float end, int shift) {
  const PartialSet set = partialSet(packed);
  if (set.count == 0) return;
  const PartialSpan span = partialBeamSpan(start, end, shift, g);
  for (int j = 0; j < set.count; ++j) {
    const float in = g.towardHeads * g.between * static_cast<float>(set.depth + j);
    drawOneBeam(ctx, {span.x1, beamLineY(g, span.x1) + in}, {span.x2, beamLineY(g, span.x2) + in}, g);
  }
}

// Times digits all advance half an em and stand about 0.68 em high.
constexpr float kDigitAdvanceEm = 0.5f, kDigitsMiddleEm = 0.34f, kGapEm = 0.25f;

void drawNumber(DrawContext& ctx, const BeamParameters& p, const BeamGeometry& g) {
  const float s = ctx.item.scale;
  const BeamNumber n = beamNumber(p, g, s);
  const float em = kNumberHeightUnits * n.size * s / kStepScalePerSize;
  const std::string digits = n.value > 0 ? std::to_string(n.value) : std::string();
  const float halfWidth = static_cast<float>(digits.size()) * kDigitAdvanceEm * em / 2.0f;
  if (!digits.empty()) ctx.number(n.x - halfWidth, n.baselineY, n.value, n.size);
  if (n.bracket == 0) return;
  const float halfGap = digits.empty() ? 0.0f : halfWidth + kGapEm * em;
  for (const auto& stroke : numberBracket(g, n, kDigitsMiddleEm * em, halfGap, s)) {
    int pen = kPenMove;
    for (const BeamPoint& q : stroke) {
      ctx.device.plot(q.x, q.y, pen);
      pen = kPenDraw;
    }
  }
}

}  // namespace

void drawBeam(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  const BeamParameters p = beamParameters([&](int i) { return item.p(i); });
  const BeamGeometry g = beamGeometry(p, item.scale, static_cast<float>(ctx.staves.entry(item.staff).referenceY));
  drawMainBeams(ctx, g);
  const int partialShift = p.p9 > 0.0f ? truncToInt(p.p9) % 100 : 0;
  drawPartialSet(ctx, g, p.p10, p.p11, p.p12, partialShift);
  if (p.p13 != 0.0f) drawPartialSet(ctx, g, p.p13, p.p14, p.p15, partialShift);
  if (p.p8 > 0.0f) drawNumber(ctx, p, g);
}

}  // namespace ts
