// Slurs and ties (code 5): one filled figure between two ends, an arch
// whose edges meet at the ends, or dashes or dots along it; half slurs,
// up/down slurs and the triplet slur with its 3.

#include "draw/slurs.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "draw/draw_context.h"
#include "draw/font_table.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

constexpr float kDefaultLength = 20.0f;     // P3 units of a slur without an end
constexpr float kDefaultRise = 3.0f;        // steps of its arch
constexpr float kBackwardLength = 3.0f;     // P3 units of a slur whose end lies left of its start
// d of a solid slur: a point every 100 page units is smooth at any usual
// zoom and leaves room in the display list for a page full of slurs.
constexpr float kSolidSpacing = 200.0f;
constexpr float kPatternSpacing = 500.0f;   // d of a dashed or dotted slur
constexpr int kFewestPoints = 8;
constexpr float kExponentBase = 2.5f, kLeastExponent = 0.1f;
constexpr float kPreferenceThickness = 0.75f;  // the "Slur Thckness." preference's default
constexpr float kShortSlur = 601.0f, kLongSlur = 3000.0f;
constexpr float kShortSlurFactor = 0.6f, kTaperSpan = 2400.0f, kTaperLoss = 0.4f;
constexpr float kThicknessUnits = 3.5f;
constexpr float kDefaultTaper = 0.85f;
constexpr float kDefaultApex = 0.5f;
// The apex stays inside the slur so the points keep their order.
constexpr float kLeastApex = 0.05f, kMostApex = 0.95f;

// With P8 = 0 and P9 set, the ends move by P9 x 36 (the end from 18).
constexpr float kFlatteningOffsetUnits = 36.0f, kFlatteningEndUnits = 18.0f;
// P8 from 1 to 9: a tie between the facing edges of two heads (17 units
// wide), each unit of P8 above 1 leaving 3 units more room at both ends
// for dots and accidentals; fractions ("800 .05") move the ends smoothly.
constexpr float kTieFirst = 1.0f, kTieLast = 9.0f, kHeadWidthUnits = 17.0f, kTieRoomUnits = 3.0f;
// [index - 1]: {start, end} offsets in units of the step scale, for the
// values of P8 outside 1 to 9 (index 1 - P8 for negative values, P8 - 9
// for 10 to 20, P8 - 87 for 98 and 99). Index 1 is every slur's default:
// from the middle of one head to the middle of the other.
constexpr std::array<std::array<float, 2>, 12> kOffsetTable = {{
    {8.5f, 8.5f},    // 1: P8 = 0 or 10, and values out of range: head middles
    {17.0f, 8.5f},   // 2: P8 = -1 or 11: right edge of the first head to the middle of the last
    {8.5f, 0.0f},    // 3: P8 = -2 or 12: middle of the first to the left edge of the last
    {32.0f, -3.0f},  // 4: P8 = -3 or 13: a tie after a dot
    {17.0f, 0.0f},   // 5: P8 = -4 or 14: between the facing edges of the heads
    {20.0f, -3.0f},  // 6: P8 = -5 or 15: a tie clear of both heads
    {0.0f, 0.0f},    // 7: P8 = -6 or 16: left edges (the stem side of stem-down notes)
    {17.0f, 17.0f},  // 8: P8 = -7 or 17: right edges (the stem side of stem-up notes)
    {20.0f, 8.5f},   // 9: P8 = -8 or 18: clear of the first head to the middle of the last
    {8.5f, 20.0f},   // 10: P8 = -9 or 19: middle of the first to beyond the last
    {45.0f, -3.0f},  // 11: P8 = -10, 20 or 98: a tie after two dots
    {20.0f, -12.0f}, // 12: P8 = -11 or 99: a tie clear of an accidental on the second note
}};

int offsetIndex(int p8) {
  int index = 0;
  if (p8 >= 10 && p8 <= 20) index = p8 - 9;
  else if (p8 >= 98) index = p8 - 87;
  else if (p8 < 0) index = 1 - p8;
  return index >= 1 && index <= static_cast<int>(kOffsetTable.size()) ? index : 1;
}

}  // namespace

SlurOffsets slurOffsets(float p8, float p9) {
  if (p8 >= kTieFirst && p8 <= kTieLast) {
    const float room = kTieRoomUnits * (p8 - kTieFirst);
    return {kHeadWidthUnits + room, -room};
  }
  const int whole = truncToInt(p8);
  if (whole == 0 && p9 != 0.0f) {
    return {p9 * kFlatteningOffsetUnits, kFlatteningEndUnits - p9 * kFlatteningOffsetUnits};
  }
  const auto& pair = kOffsetTable[static_cast<size_t>(offsetIndex(whole) - 1)];
  return {pair[0], pair[1]};
}

SlurEnd slurEnd(float p3, float p6, float p7) {
  if (p6 == 0.0f) return {p3 + kDefaultLength, p7 == 0.0f ? kDefaultRise : p7};
  if (p6 < p3) return {p3 + kBackwardLength, p7};
  return {p6, p7};
}

int slurPointCount(float length, bool patterned, float p7) {
  const float spacing = patterned ? kPatternSpacing : kSolidSpacing;
  const int64_t pairs = truncToInt(std::max(length, 0.0f) / spacing);
  int64_t n = std::max<int64_t>(2 * pairs, kFewestPoints) + truncToInt(2.0f * std::fabs(p7));
  if (patterned) n += n % 2;
  return static_cast<int>(std::min<int64_t>(n, kMaxSlurPoints));
}

float archExponent(float p9) { return std::max(p9 + kExponentBase, kLeastExponent); }

float archHeight(float t, float rise, float exponent) {
  return std::trunc(rise * (1.0f - std::pow(std::clamp(t, 0.0f, 1.0f), exponent)));
}

float apexFraction(float p10) { return p10 == 0.0f ? kDefaultApex : std::clamp(p10, kLeastApex, kMostApex); }

float pointFraction(float u, float apex) {
  if (u <= 0.5f) return 2.0f * apex * u;
  return apex + (2.0f - 2.0f * apex) * (u - 0.5f);
}

float slurThicknessFactor(float p13, float length) {
  float t = p13 == 0.0f ? kPreferenceThickness : p13 < 0.0f ? 1.0f : p13;
  if (length < kShortSlur) return t * kShortSlurFactor;
  if (length < kLongSlur) return t * (1.0f - (kLongSlur - length) * kTaperLoss / kTaperSpan);
  return t;
}

float slurTaper(float fromEnd, float p19) {
  const float full = p19 > 0.0f ? p19 : kDefaultTaper;
  return std::clamp(fromEnd / full, 0.0f, 1.0f);
}

SlurPart slurPart(float p14, float p15) {
  const auto fraction = [](float v, float none) { return v <= 0.0f || v >= 1.0f ? none : v; };
  SlurPart part{fraction(p14, 0.0f), fraction(p15, 1.0f)};
  if (part.from > part.to) std::swap(part.from, part.to);
  return part;
}

std::vector<SlurPoint> slurPoints(const SlurShape& shape) {
  const int n = std::max(shape.points, 2);
  const float length = shape.x2 - shape.x1;
  std::vector<SlurPoint> points;
  points.reserve(static_cast<size_t>(n));
  for (int i = 0; i < n; ++i) {
    const float u = static_cast<float>(i) / static_cast<float>(n - 1);
    // An up/down slur is two arches, one each side, meeting in the middle.
    const bool secondHalf = u > 0.5f;
    const float t = shape.upDown ? std::fabs(4.0f * u - (secondHalf ? 3.0f : 1.0f)) : std::fabs(2.0f * u - 1.0f);
    const float side = shape.upDown && secondHalf ? -1.0f : 1.0f;
    const float fraction = pointFraction(u, shape.apex);
    const float rise = side * archHeight(t, shape.rise, shape.exponent);
    const float below = (shape.rise < 0.0f) != (side < 0.0f) ? -1.0f : 1.0f;
    points.push_back({shape.x1 + fraction * length, shape.y1 + rise + (shape.y2 - shape.y1) * fraction,
                      below * shape.thickness * slurTaper(1.0f - t, shape.taperAt)});
  }
  return points;
}

std::vector<SlurPoint> slurPartPoints(const std::vector<SlurPoint>& points, float x1, float length, SlurPart part) {
  if (part.from <= 0.0f && part.to >= 1.0f) return points;
  const auto fractionOf = [&](const SlurPoint& p) { return length > 0.0f ? (p.x - x1) / length : 0.0f; };
  const auto between = [](const SlurPoint& a, const SlurPoint& b, float k) {
    return SlurPoint{a.x + (b.x - a.x) * k, a.y + (b.y - a.y) * k, a.thickness + (b.thickness - a.thickness) * k};
  };
  std::vector<SlurPoint> kept;
  for (size_t i = 0; i < points.size(); ++i) {
    const float f = fractionOf(points[i]);
    if (i > 0) {
      const float g = fractionOf(points[i - 1]);
      for (const float bound : {part.from, part.to}) {
        if (g < bound && bound < f) kept.push_back(between(points[i - 1], points[i], (bound - g) / (f - g)));
      }
    }
    if (f >= part.from && f <= part.to) kept.push_back(points[i]);
  }
  return kept;
}

namespace {

struct SlurItem {
  SlurShape shape;
  SlurPart part;
  float length = 0;
  int pattern = 0;  // P11: 1 dashes, -1 dots
};

// A half slur is the half toward its side of a slur twice as long and
// twice as steep.
void halfSlur(SlurItem& slur, int p12) {
  SlurShape& shape = slur.shape;
  const float reach = shape.x2 - shape.x1, climb = shape.y2 - shape.y1;
  if (p12 == 1) {
    shape.x2 += reach;
    shape.y2 += climb;
    slur.part.to = 0.5f;
  } else if (p12 == 2) {
    shape.x1 -= reach;
    shape.y1 -= climb;
    slur.part.from = 0.5f;
  }
}

SlurItem slurItem(const DrawContext& ctx) {
  const ItemState& item = ctx.item;
  const float s = item.scale;
  const SlurEnd end = slurEnd(item.p(3), item.p(6), item.p(7));
  const SlurOffsets offsets = slurOffsets(item.p(8), item.p(9));
  const float factor = item.p(20) == 0.0f ? 1.0f : item.p(20);
  SlurItem slur;
  SlurShape& shape = slur.shape;
  // P15 bounds the part drawn here, so it does not shift the slur.
  shape.x1 = item.p(3) * kUnitsPerP3 + offsets.start * s * factor;
  shape.x2 = end.p6 * kUnitsPerP3 + offsets.end * s * factor;
  shape.y1 = item.y;
  shape.y2 = ctx.stepY(item.p(5));
  slur.part = slurPart(item.p(14), item.p(15));
  halfSlur(slur, item.pi(12));
  shape.upDown = item.pi(12) == -1;
  slur.length = std::max(std::round(shape.x2 - shape.x1), 1.0f);
  shape.x2 = shape.x1 + slur.length;
  slur.pattern = item.pi(11);
  shape.points = slurPointCount(slur.length, slur.pattern == 1 || slur.pattern == -1, end.p7);
  shape.rise = end.p7 * kStepUnits * s;
  shape.exponent = archExponent(item.p(9));
  shape.apex = apexFraction(item.p(10));
  shape.thickness = slurThicknessFactor(item.p(13), slur.length) * s * kThicknessUnits;
  shape.taperAt = item.p(19);
  return slur;
}

void fillFigure(DrawContext& ctx, const std::vector<SlurPoint>& points) {
  int pen = kPenFill;
  for (const SlurPoint& p : points) {
    ctx.device.plot(p.x, p.y, pen);
    pen = kPenDraw;
  }
  for (auto p = points.rbegin(); p != points.rend(); ++p) ctx.device.plot(p->x, p->y + p->thickness, kPenDraw);
}

void drawDashes(DrawContext& ctx, const std::vector<SlurPoint>& points) {
  for (size_t i = 0; i + 1 < points.size(); i += 2) fillFigure(ctx, {points[i], points[i + 1]});
}

void drawDots(DrawContext& ctx, const std::vector<SlurPoint>& points, float radius) {
  constexpr int kDotCorners = 8;
  for (const SlurPoint& p : points) {
    const float cy = p.y + p.thickness / 2.0f;
    for (int c = 0; c < kDotCorners; ++c) {
      const float a = 2.0f * 3.14159265f * static_cast<float>(c) / kDotCorners;
      ctx.device.plot(p.x + radius * std::cos(a), cy + radius * std::sin(a), c == 0 ? kPenFill : kPenDraw);
    }
  }
}

// The 3 of a triplet slur stands clear of the apex, outside the arch.
void drawTripletNumber(DrawContext& ctx, const SlurItem& slur) {
  constexpr float kSize = 0.7f, kDigitHalfEm = 0.25f, kDigitHeightEm = 0.68f, kClearSteps = 0.5f;
  const SlurShape& shape = slur.shape;
  const float s = ctx.item.scale;
  const float em = kNumberHeightUnits * kSize * s / kStepScalePerSize;
  const float x = shape.x1 + shape.apex * slur.length;
  const float apexY = shape.y1 + shape.rise + (shape.y2 - shape.y1) * shape.apex;
  const float clear = shape.thickness + kClearSteps * kStepUnits * s;
  const float baseline = shape.rise >= 0.0f ? apexY + clear : apexY - clear - kDigitHeightEm * em;
  ctx.number(x - kDigitHalfEm * em, baseline, 3, kSize);
}

constexpr int kTripletMarker = 3;

}  // namespace

void drawSlur(DrawContext& ctx) {
  const SlurItem slur = slurItem(ctx);
  const std::vector<SlurPoint> points =
      slurPartPoints(slurPoints(slur.shape), slur.shape.x1, slur.length, slur.part);
  if (points.size() >= 2) {
    if (slur.pattern == 1) {
      drawDashes(ctx, points);
    } else if (slur.pattern == -1) {
      drawDots(ctx, points, std::max(slur.shape.thickness / 2.0f, 0.5f * ctx.item.scale));
    } else {
      fillFigure(ctx, points);
    }
  }
  if (ctx.item.pi(16) == kTripletMarker) drawTripletNumber(ctx, slur);
}

}  // namespace ts
