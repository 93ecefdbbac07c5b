// Rests (code 2): the glyph of each rest type with its dots, rests centred
// in their bar, the multi-bar block, and a count or fermata above.

#include "draw/rests.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "draw/bar_lines.h"
#include "draw/clefs_keys_meters.h"
#include "draw/draw_context.h"
#include "draw/item_colour.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

// [type + 8 - 1]: steps of the glyph above P4, for types -7..4 (4 above).
constexpr std::array<float, 12> kGlyphSteps = {8, 8, 0, 0, 8, 9, 7, 8, 8, 6, 6, 4};
// [type + 4 - 1]: first dot from X in units of s, types -3..4 (the last above).
constexpr std::array<float, 8> kDotOffsets = {19, 19, 19, 13, 15.5f, 18.4f, 22.3f, 26.2f};
constexpr int kGlyphBase = 43;  // symbol type + 43
constexpr int kWholeRest = -2, kLongaRest = -4, kLowestGlyphType = -5;
constexpr float kCueScale = 0.7f;
constexpr float kInvisibleGrey = 0.6f;
constexpr int kDotSymbol = 24;
constexpr float kDotSpacingUnits = 13.0f;
constexpr int kFermataSymbol = 31, kLongFermataDrawing = 276;
constexpr float kMarkStep = 13.0f;  // counts and fermatas stand above the staff
constexpr int kParenthesisDrawing = 208;
constexpr float kParenthesisScale = 1.4f;
constexpr float kParenthesisRightUnits = 22.0f;
constexpr float kCentredRest = -1.0f;
constexpr float kBlockMarginUnits = 28.0f;  // two staff spaces inside the bar lines
constexpr float kDigitHalfUnits = 7.6f;

struct Rest {
  float x = 0;
  float scale = 25;  // r: the rest's own scale
  int type = 0;
  float step = 0;
  bool parenthesised = false;
};

void drawBlock(DrawContext& ctx, const Rest& rest, const BarBounds& bars) {
  const float s = ctx.item.scale;
  const float left = bars.left * kUnitsPerP3 + kBlockMarginUnits * s;
  const float right = bars.right * kUnitsPerP3 - kBlockMarginUnits * s;
  ctx.filledRect(left, ctx.stepY(rest.step + 6.2f), right, ctx.stepY(rest.step + 7.8f));
  ctx.filledRect(left, ctx.stepY(rest.step + 5.0f), left + 2.0f * s, ctx.stepY(rest.step + 9.0f));
  ctx.filledRect(right - 2.0f * s, ctx.stepY(rest.step + 5.0f), right, ctx.stepY(rest.step + 9.0f));
  const int count = ctx.item.pi(8);
  if (count > 0) {
    const float middle = (left + right) / 2.0f - static_cast<float>(digitCount(count)) * kDigitHalfUnits * s;
    ctx.number(middle, ctx.stepY(rest.step + 10.5f), count, 1.35f);
  }
}

void drawDots(DrawContext& ctx, const Rest& rest) {
  const int dots = ctx.item.pi(6);
  const float step = rest.step + (rest.type > 2 ? 10.0f : 8.0f);
  float x = rest.x + restDotOffset(rest.type) * rest.scale;
  for (int i = 0; i < dots; ++i, x += kDotSpacingUnits * rest.scale) {
    ctx.symbol(x, ctx.stepY(step), kDotSymbol, 1.0f, 1.0f, rest.scale);
  }
}

void drawMarkAbove(DrawContext& ctx, const Rest& rest) {
  const int mark = ctx.item.pi(8);
  if (mark < 0) {
    const int symbol = mark == -3 ? kLongFermataDrawing : kFermataSymbol;
    ctx.symbol(rest.x + 8.0f * rest.scale, ctx.stepY(rest.step + kMarkStep), symbol, 1.0f, 1.0f, rest.scale);
  } else if (mark > 0 && rest.type >= kLowestGlyphType) {
    ctx.number(rest.x, ctx.stepY(rest.step + kMarkStep), mark, 1.0f);
  }
}

void drawGlyph(DrawContext& ctx, const Rest& rest) {
  const float y = ctx.stepY(rest.step + restGlyphStep(rest.type));
  ctx.symbol(rest.x, y, rest.type + kGlyphBase, 1.0f, 1.0f, rest.scale);
  if (!rest.parenthesised) return;
  const float middle = ctx.stepY(rest.step + 7.0f);
  const float r = rest.scale;
  ctx.symbol(rest.x - 8.0f * r, middle, kParenthesisDrawing, kParenthesisScale, kParenthesisScale, r);
  ctx.symbol(rest.x + kParenthesisRightUnits * r, middle, kParenthesisDrawing, -kParenthesisScale,
             kParenthesisScale, r);
}

}  // namespace

float restGlyphStep(int type) {
  const int index = type + 8;
  if (index < 1) return kGlyphSteps[0];
  if (index > 12) return kGlyphSteps[11];
  return kGlyphSteps[index - 1];
}

float restDotOffset(int type) {
  const int index = std::clamp(type + 4, 1, 8);
  return kDotOffsets[index - 1];
}

float centredRestP3(float left, float right, int type, float scale) {
  return (left + right) / 2.0f - (type == kLongaRest ? 0.137f : 0.056f) * scale;
}

BarBounds barBoundsAround(std::span<const float> sortedBars, float p3) {
  BarBounds bounds;
  const auto after = std::upper_bound(sortedBars.begin(), sortedBars.end(), p3);
  if (after != sortedBars.end()) bounds.right = *after;
  // A rest at the very place of a bar line belongs to the bar after it.
  if (after != sortedBars.begin()) bounds.left = *(after - 1);
  return bounds;
}

const std::vector<float>& DrawContext::barsOfStaff(int staff) {
  if (!m_barsFound) {
    m_barsFound = true;
    for (int k = 1; k <= page.itemCount(); ++k) {
      const int code = page.code(k);
      if (code != kCodeBars && code != kCodeClef) continue;
      const int first = truncToInt(page.param(k, 2));
      // Only the bars and clefs the page draws divide a staff into bars.
      if (undrawable[static_cast<size_t>(k - 1)] != 0 || first < 0 || first > highestStaff) continue;
      const int span = code == kCodeBars ? barSpan(truncToInt(page.param(k, 4)), first, highestStaff) : 1;
      for (int s = first; s < first + span && s < kStaffLimit; ++s) m_bars[s].push_back(page.param(k, 3));
    }
    for (auto& entry : m_bars) std::sort(entry.second.begin(), entry.second.end());
  }
  static const std::vector<float> kNone;
  const auto found = m_bars.find(staff);
  return found == m_bars.end() ? kNone : found->second;
}

void drawRest(DrawContext& ctx) {
  ItemState& item = ctx.item;
  Rest rest;
  const float s = item.scale;
  rest.scale = std::abs(item.pi(4)) >= 100 ? kCueScale * s : s;
  if (item.p(15) != 0.0f) rest.scale = s * item.p(15);
  rest.step = itemStep(kCodeRest, item.p(4));
  rest.type = item.pi(5);
  rest.parenthesised = std::abs(rest.type) >= 100;
  if (rest.parenthesised) rest.type %= 100;
  if (item.pi(6) == -1) {
    if (!(ctx.screen && ctx.request.showInvisible)) return;
    ctx.device.setColour(itemColour(kInvisibleGrey, false));
  }
  float p3 = item.p(3);
  BarBounds bars;
  if (item.p(9) == kCentredRest || rest.type < kLowestGlyphType) {
    bars = barBoundsAround(ctx.barsOfStaff(item.staff), p3);
    if (item.p(9) == kCentredRest) p3 = centredRestP3(bars.left, bars.right, rest.type, s);
  }
  rest.x = p3 * kUnitsPerP3 + (s * item.p(10) / kStepScalePerSize) * kUnitsPerP3;
  if (rest.type < kLowestGlyphType) {
    drawBlock(ctx, rest, bars);
    return;
  }
  drawGlyph(ctx, rest);
  drawDots(ctx, rest);
  drawMarkAbove(ctx, rest);
}

void drawBarRest(DrawContext& ctx, float barP3) {
  const std::vector<float>& bars = ctx.barsOfStaff(ctx.item.staff);
  const auto before = std::lower_bound(bars.begin(), bars.end(), barP3);
  const float left = before == bars.begin() ? 0.0f : *(before - 1);
  const float s = ctx.item.scale;
  const float x = centredRestP3(left, barP3, kWholeRest, s) * kUnitsPerP3;
  ctx.symbol(x, ctx.stepY(restGlyphStep(kWholeRest)), kWholeRest + kGlyphBase, 1.0f, 1.0f, s);
}

}  // namespace ts
