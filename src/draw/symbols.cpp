// The symbol routine: the one place that decides where the shape of a
// symbol comes from (the outline file on the screen, the library drawings
// for numbers 45 up and for print, the outline when print finds no
// drawing), plus the small shared drawing helpers.

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "draw/draw_context.h"
#include "draw/draw_messages.h"
#include "draw/font_table.h"
#include "draw/item_colour.h"

namespace ts {
namespace {

constexpr int kLastOutlineSymbol = 44;
constexpr int kLastClefSymbol = 5;
constexpr int kAltoClef = 2;
constexpr int kTenorClef = 3;
constexpr float kClefRaiseUnits = 21.0f;     // three steps: clefs stand on the bottom line
constexpr float kTenorRaiseUnits = 14.0f;    // the tenor clef is the alto clef two steps higher
constexpr float kSmallClefScale = 0.8f;
constexpr int kSmallItemStep = 100;          // |P4| from here on marks a small (cue) item
constexpr std::array<float, kLastClefSymbol + 1> kSmallClefRaise = {0.35f, 8.75f, 5.6f, 5.6f, 5.6f, 0.35f};
constexpr float kDrawingsPerSymbolUnit = 0.25f;  // four drawing units make one symbol unit

// The stand-in that P7 = 99 asks for: a brace with fourteen short lines.
constexpr int kSubstituteBrace = 269;
constexpr float kSubstituteX = -4.0f;       // P3 of the stand-in items
constexpr float kSubstituteBraceStep = 21.0f;
constexpr float kSubstituteBraceSize = 1.4f;
constexpr float kSubstituteLineEnd = 0.1f;
constexpr int kSubstituteLines = 14;
constexpr float kSubstituteFirstStep = -5.0f;
constexpr float kSubstituteColour = 990000.0f;
constexpr int kSubstituteMarker = 99;


}  // namespace

void DrawContext::symbolSubstitute() {
  item.substituted = true;
  device.setColour(itemColour(kSubstituteColour, false));
  const float left = kSubstituteX * kUnitsPerP3;
  const float size = kDrawingsPerSymbolUnit * kSubstituteBraceSize * item.scale;
  drawing(left, stepY(kSubstituteBraceStep), kSubstituteBrace, size, size);
  for (int i = 0; i < kSubstituteLines; ++i) {
    const float y = stepY(kSubstituteFirstStep + 2.0f * static_cast<float>(i));
    device.line(left, y, kSubstituteLineEnd * kUnitsPerP3, y);
  }
}

void DrawContext::symbol(float x, float y, int n, float xs, float ys, float scale) {
  if (item.pi(7) == kSubstituteMarker) {
    if (!item.substituted) symbolSubstitute();
    return;
  }
  if (xs == 0.0f) xs = 1.0f;
  if (ys == 0.0f) ys = xs;
  if (n >= 0 && n <= kLastClefSymbol) {
    float raise = kClefRaiseUnits;
    if (std::fabs(item.p(4)) >= kSmallItemStep) {
      ys = kSmallClefScale * xs;
      xs = kSmallClefScale * xs;
      raise += kSmallClefRaise[n];
    }
    y += raise * scale;
    if (n == kTenorClef) {
      n = kAltoClef;
      y += kTenorRaiseUnits * scale;
    }
  }
  if (n < 0) return;
  // Paper takes a symbol's library drawing; a library without that drawing
  // (a user's drawing file that lacks the slot) falls back on the outline
  // rather than leaving a gap on the print.
  const bool fromDrawing = n > kLastOutlineSymbol || (!screen && !library.drawing(n).empty());
  const auto outline = fromDrawing ? std::span<const DrawingPoint>{} : library.symbol(n);
  if (outline.empty()) {
    drawing(x, y, n, kDrawingsPerSymbolUnit * xs * scale, kDrawingsPerSymbolUnit * ys * scale);
    return;
  }
  device.plotOutline(outline, x, y, xs * scale, ys * scale);
}

void DrawContext::drawing(float x, float y, int n, float xs, float ys) {
  // A drawing that begins with a draw pen would join the mark drawn before
  // it; it begins a figure of its own instead.
  const std::span<const DrawingPoint> points = library.drawing(n);
  if (device.skipPoints(points.size())) return;
  bool first = true;
  for (const DrawingPoint& point : points) {
    const int pen = first && point.pen == kPenDraw ? int{kPenMove} : int{point.pen};
    first = false;
    device.plot(x + xs * point.x, y + ys * point.y, pen);
  }
}

void DrawContext::number(float x, float baselineY, int value, float size) {
  const float staffSize = item.scale / kStepScalePerSize;
  const TextFont font = screenFont(kNumberFont, kNumberHeightUnits * size * staffSize, device.colour());
  device.text(font, x, baselineY, std::to_string(value), {kNumberFont});
}

void DrawContext::filledRect(float x1, float y1, float x2, float y2) {
  device.plot(x1, y1, kPenFill);
  device.plot(x2, y1, kPenDraw);
  device.plot(x2, y2, kPenDraw);
  device.plot(x1, y2, kPenDraw);
  device.plot(x1, y1, kPenDraw);
}

void DrawContext::warn(const std::string& message) {
  if (m_warned.insert(message).second) report.warnings.push_back(message);
}

}  // namespace ts

namespace ts {

void DrawContext::dashedLine(float x1, float y1, float x2, float y2, float dash, float space) {
  const float length = std::hypot(x2 - x1, y2 - y1);
  if (length <= 0.0f || dash <= 0.0f) return;
  const float dx = (x2 - x1) / length, dy = (y2 - y1) / length;
  const float period = dash + std::max(space, 0.0f);
  // Each dash's start is worked out afresh: a sum that stopped growing
  // (a dash too short for the float to notice) would never end. Every turn
  // draws, so the device's mark limit bounds the loop.
  for (int64_t i = 0;; ++i) {
    const float at = static_cast<float>(i) * period;
    if (!(at < length)) break;
    const float end = std::min(at + dash, length);
    device.line(x1 + dx * at, y1 + dy * at, x1 + dx * end, y1 + dy * end);
    if (space <= 0.0f) break;
  }
}

}  // namespace ts
