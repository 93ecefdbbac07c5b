// Clefs (code 3), key signatures (code 17) and meters (code 18).

#include "draw/clefs_keys_meters.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "draw/draw_context.h"
#include "draw/font_table.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

constexpr int kPatterns = 4;
// [pattern] first height of sharps and flats, and the ceiling, in units of s.
constexpr std::array<float, kPatterns> kFirstSharp = {77, 63, 70, 35};
constexpr std::array<float, kPatterns> kFirstFlat = {49, 35, 42, 56};
constexpr std::array<float, kPatterns> kCeiling = {84.5f, 70.5f, 77.5f, 77.5f};
constexpr float kThreeSteps = 21.0f;
constexpr float kFourSteps = 28.0f;
constexpr float kOctaveUnits = 49.0f;
constexpr int kTenorPattern = 3;
constexpr int kSmallKey = 100;

constexpr int kSharpSymbol = 7, kFlatSymbol = 6, kNaturalSymbol = 8;
constexpr float kKeyStartUnits = 15.0f;
constexpr float kKeyAdvanceUnits = 16.8f;
constexpr float kSmallScale = 0.8f;
constexpr int kNaturalsFrom = 100;
constexpr std::array<int, 8> kFreeKeyParams = {8, 9, 10, 11, 12, 13, 16, 17};  // P14 and P15 mean other things

constexpr int kSmallTrebleA = 44, kSmallTrebleB = 55, kSmallTrebleC = 66;
constexpr int kSmallTrebleDrawing = 3;
constexpr float kSmallTrebleScale = 0.1f;  // the drawing holds ten units per symbol unit

constexpr float kMeterScreenSize = 1.35f, kMeterPrintSize = 1.2f;
constexpr int kMeterSymbolFrom = 91;       // P5 from here: common or cut time
constexpr int kMeterSymbolBase = 117;      // drawing 117 - P5 (99 common, 98 cut)
constexpr float kMeterSymbolScale = 0.75f;
constexpr float kDigitCentringUnits = 7.6f;
constexpr float kDigitWidthUnits = 15.2f;

float clefOrOne(float value) { return value == 0.0f ? 1.0f : value; }

}  // namespace

int keyPattern(float p6) {
  int pattern = truncToInt(p6);
  if (pattern >= kSmallKey) pattern -= kSmallKey;
  return pattern >= 0 && pattern < kPatterns ? pattern : 0;
}

std::vector<float> keySignatureHeights(KeyAccidental kind, int pattern, int count) {
  if (pattern < 0 || pattern >= kPatterns) pattern = 0;
  const bool sharp = kind == KeyAccidental::Sharp;
  // Sharps go down three steps and up four (the tenor pattern starts up);
  // flats go up three steps and down four in every pattern.
  float first = sharp ? -kThreeSteps : kThreeSteps;
  float second = sharp ? kFourSteps : -kFourSteps;
  if (sharp && pattern == kTenorPattern) {
    first = kFourSteps;
    second = -kThreeSteps;
  }
  std::vector<float> heights;
  float position = sharp ? kFirstSharp[pattern] : kFirstFlat[pattern];
  for (int i = 0; i < count; ++i) {
    heights.push_back(position > kCeiling[pattern] ? position - kOctaveUnits : position);
    position += i % 2 == 0 ? first : second;
  }
  return heights;
}

OctaveMark clefOctaveMark(float p5) {
  const int hundredths = static_cast<int>(std::lround((p5 - std::trunc(p5)) * 100.0f));
  if (hundredths == 80) return {"8", false};
  if (hundredths == 88) return {"8", true};
  if (hundredths == 15) return {"15", true};
  return {};
}

MeterLayout meterLayout(float p7, bool print, bool largeOnScreen) {
  MeterLayout layout;
  const float size = clefOrOne(p7);
  const bool printForm = print || largeOnScreen;
  layout.size = size * (printForm ? kMeterPrintSize : kMeterScreenSize);
  const float lift = printForm ? 0.1f : -0.23f;
  layout.upperStep = (printForm ? 5.82f : 5.46f) * layout.size + lift;
  layout.lowerStep = 2.48f * layout.size + lift;
  layout.loneStep = 4.08f * layout.size + lift;
  return layout;
}

int digitCount(int value) {
  int digits = value < 0 ? 2 : 1;
  for (int v = std::abs(value); v >= 10; v /= 10) ++digits;
  return digits;
}

namespace {

void drawOctaveMark(DrawContext& ctx, int kind, float xs) {
  const OctaveMark mark = clefOctaveMark(ctx.item.p(5));
  if (mark.text.empty()) return;
  const float s = ctx.item.scale * xs;
  const bool bass = kind == 1;
  const float centre = ctx.item.x + (bass ? 17.0f : 18.0f) * s;
  const float step = ctx.item.y - ctx.stepY(0.0f);  // the clef's own lift above its staff
  const float below = (bass ? 1.0f : -2.6f) * 7.0f * s, above = (bass ? 13.0f : 14.3f) * 7.0f * s;
  const float y = ctx.stepY(0.0f) + step + (mark.above ? above : below);
  const int value = std::atoi(mark.text.c_str());
  ctx.number(centre - static_cast<float>(digitCount(value)) * 4.4f * s, y, value, 0.6f * xs);
}

}  // namespace

void drawClef(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  const int kind = std::max(0, item.pi(5));
  const float xs = clefOrOne(item.p(6));
  const float ys = item.p(7) == 0.0f ? xs : item.p(7);
  const float s = item.scale;
  if (kind == kSmallTrebleA || kind == kSmallTrebleB || kind == kSmallTrebleC) {
    const float factor = kind == kSmallTrebleA ? 0.6f : kind == kSmallTrebleB ? 0.83f : 1.0f;
    const float lift = kind == kSmallTrebleA ? 1.2f : kind == kSmallTrebleB ? 0.35f : 0.0f;
    const float k = kSmallTrebleScale * factor * s;
    ctx.drawing(item.x, item.y + lift * kStepUnits * s, kSmallTrebleDrawing, k * xs, k * ys);
    return;
  }
  ctx.symbol(item.x, item.y, kind, xs, ys, s);
  drawOctaveMark(ctx, kind, std::fabs(item.p(4)) >= 100 ? 0.8f * xs : xs);
}

void drawKeySignature(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  const bool small = item.p(6) >= kSmallKey;
  const float s = item.scale * (small ? kSmallScale : 1.0f);
  const float advance = kKeyAdvanceUnits * s * clefOrOne(item.p(7));
  float x = item.x + kKeyStartUnits * s;
  if (item.p(8) != 0.0f) {
    for (const int param : kFreeKeyParams) {
      const int entry = item.pi(param);
      if (entry == 0) break;
      ctx.symbol(x, item.y + static_cast<float>(entry % 100) * kStepUnits * s, entry / 100 + 5, 1.0f, 1.0f, s);
      x += advance;
    }
    return;
  }
  const int p5 = item.pi(5);
  const bool naturals = std::abs(p5) >= kNaturalsFrom;
  const int count = naturals ? std::abs(p5) % kNaturalsFrom : std::abs(p5);
  const KeyAccidental kind = p5 > 0 ? KeyAccidental::Sharp : KeyAccidental::Flat;
  const int symbol = naturals ? kNaturalSymbol : kind == KeyAccidental::Sharp ? kSharpSymbol : kFlatSymbol;
  for (const float height : keySignatureHeights(kind, keyPattern(item.p(6)), count)) {
    ctx.symbol(x, item.y + height * s, symbol, 1.0f, 1.0f, s);
    x += advance;
  }
}

namespace {

void drawMeterPair(DrawContext& ctx, float x, int upper, int lower, const MeterLayout& layout) {
  const float s = ctx.item.scale;
  const float step = ctx.item.y;
  const auto at = [&](float steps) { return step + steps * kStepUnits * s; };
  if (upper == 0) {
    ctx.number(x, at(layout.loneStep), lower, layout.size);
    return;
  }
  const int du = digitCount(upper), dl = digitCount(lower);
  const float shift = kDigitCentringUnits * s * layout.size;
  ctx.number(x + static_cast<float>(std::max(0, dl - du)) * shift, at(layout.upperStep), upper, layout.size);
  ctx.number(x + static_cast<float>(std::max(0, du - dl)) * shift, at(layout.lowerStep), lower, layout.size);
}

}  // namespace

void drawMeter(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  const MeterLayout layout = meterLayout(item.p(7), !ctx.screen, item.p(13) != 0.0f);
  const int upper = item.pi(5);
  if (upper >= kMeterSymbolFrom) {
    const float k = kMeterSymbolScale * layout.size;
    ctx.symbol(item.x, item.y, kMeterSymbolBase - upper, k, k, item.scale);
    return;
  }
  drawMeterPair(ctx, item.x, upper, item.pi(6), layout);
  if (item.p(8) == 0.0f && item.p(9) == 0.0f) return;
  // A compound or alternating meter: the second pair after the first,
  // with a plus sign between them when P12 asks for one.
  const float s = item.scale * layout.size;
  const int digits = std::max(digitCount(upper), digitCount(item.pi(6)));
  float x = item.x + static_cast<float>(digits) * kDigitWidthUnits * s + item.p(10) * kUnitsPerP3;
  if (item.p(12) != 0.0f) {
    const float plusStep = layout.loneStep;
    ctx.device.text(screenFont(kNumberFont, kNumberHeightUnits * layout.size * item.scale / kStepScalePerSize,
                               ctx.device.colour()),
                    x, item.y + plusStep * kStepUnits * item.scale, "+", {kNumberFont});
    x += kDigitWidthUnits * s;
  }
  drawMeterPair(ctx, x + item.p(11) * kUnitsPerP3, item.pi(8), item.pi(9), layout);
}

}  // namespace ts
