// Text items (code 16): the string cut at its font switches, each piece set
// in its font with the widths of the font's metric file, and sent to the
// text list along the item's baseline.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "draw/draw_context.h"
#include "draw/draw_messages.h"
#include "draw/font_table.h"
#include "draw/item_routines.h"
#include "draw/text_layout.h"

namespace ts {
namespace {

constexpr float kTenthsPerDegree = 10.0f;

// The font a piece is set in: the one asked for when its metric file can be
// read, the font in use for 99, else Times-Roman with a message.
SetRun setInFont(DrawContext& ctx, const TextRun& run) {
  FontMetrics* fonts = ctx.fonts;
  const int file = fontFileNumber(run.font);
  if (file == kNoFontChange) return {ctx.fontInUse, fonts ? fonts->widths(ctx.fontInUse) : nullptr, run.text};
  const FontWidths* widths = fonts ? fonts->widths(file) : nullptr;
  int font = file;
  if (!widths) {
    ctx.warn(fontNotFoundMessage(ctx.item.number, metricFileName(file)));
    font = 0;
    widths = fonts ? fonts->widths(font) : nullptr;
  }
  ctx.fontInUse = font;
  return {font, widths, run.text};
}

std::vector<SetRun> setRuns(DrawContext& ctx, const TextParameters& params) {
  const FontSwitches switches = splitFontSwitches(ctx.page.text(ctx.item.number), params.font);
  if (switches.numberMissing) {
    ctx.warn(fontNumberMissingMessage(ctx.item.number));
    ctx.warn(kCourierSubstitutedMessage);
  }
  std::vector<SetRun> runs;
  for (const TextRun& run : switches.runs) runs.push_back(setInFont(ctx, run));
  return runs;
}

// The mean advance of the font's characters, which a text-list width
// stretches: the screen scales the face's own mean width to it.
float meanAdvance(const FontWidths* widths) {
  if (!widths) return kFallbackAdvance;
  float sum = 0.0f;
  int count = 0;
  for (const float advance : widths->advances) {
    if (advance <= 0.0f) continue;
    sum += advance;
    ++count;
  }
  return count > 0 ? sum / static_cast<float>(count) : kFallbackAdvance;
}

TextFont textFont(const DrawContext& ctx, const SetRun& run, const TextSpacing& spacing, float angle) {
  TextFont font = screenFont(run.font, spacing.em, ctx.device.colour());
  font.angle = truncToInt(angle * kTenthsPerDegree);
  if (spacing.widthFactor != 1.0f) {
    font.width = meanAdvance(run.widths) * spacing.em * spacing.widthFactor / kTextUnitPageUnits;
  }
  return font;
}

// Sizes grow with the staff, but never past the largest size: a text larger
// than any sheet would only overflow the screen's font sizes.
TextSpacing spacingOf(const TextParameters& params, float staffSize) {
  const float pointUnits = kPageUnitsPerPoint * std::min(staffSize, kLargestTextSize / params.size);
  return {params.size * pointUnits, params.widthFactor, params.charSpacing * pointUnits,
          params.spaceWidth * pointUnits, params.justifyWidth * kUnitsPerP3};
}

}  // namespace

void drawText(DrawContext& ctx) {
  const ItemState& item = ctx.item;
  const TextParameters params = textParameters(item.params);
  const std::vector<SetRun> runs = setRuns(ctx, params);
  const TextSpacing spacing = spacingOf(params, item.scale / kStepScalePerSize);
  const float radians = params.angle * std::numbers::pi_v<float> / 180.0f;
  const float baselineY = item.y + params.verticalOffset * kStepUnits * item.scale;
  for (const PlacedString& placed : placeStrings(runs, spacing)) {
    const SetRun& run = runs[placed.run];
    const float x = item.x + placed.offset * std::cos(radians);
    const float y = baselineY + placed.offset * std::sin(radians);
    ctx.device.text(textFont(ctx, run, spacing, params.angle), x, y, placed.text, {run.font, spacing.widthFactor});
  }
}

}  // namespace ts
