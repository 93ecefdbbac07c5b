// The room items need in a justified line. The note, clef, line and
// number rules are the system's own; rests, bar lines, key signatures and
// meters follow the same measure: a quarter note's head with its space
// after it is 4.5 units, and the built-in space after a bar line (2.5), a
// key signature (2.8) and a meter is what the "AFT*" settings add to.

#include "layout/justification_widths.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

#include "model/item_codes.h"

namespace ts {
namespace {

constexpr int kLastAccidental = 14;
// [accidental code 1..14], space units; 0 is no accidental.
constexpr std::array<float, kLastAccidental + 1> kAccidentalWidths = {0.0f, 2.0f, 2.4f, 2.1f, 4.0f, 2.5f, 2.0f, 3.4f,
                                                                      2.0f, 2.8f, 4.1f, 4.6f, 4.1f, 6.2f, 4.5f};
constexpr int kSecondAccidentalSet = 9;     // P5 above 100 reads the second set
constexpr float kHeadRight = 4.5f;          // a note head and the space after it
constexpr float kWideHeadRight = 5.0f;      // whole and double whole heads
constexpr float kParenthesesLeft = 1.7f;
constexpr float kParenthesesRight = 1.8f;
constexpr float kBeforeBar = 1.5f;          // after the last note of a bar
constexpr float kDottedBeforeBar = 0.5f;    // ... whose dots already take room
constexpr float kCueFactor = 0.7f;
constexpr float kBigClefRight = 7.5f, kSmallClefRight = 6.5f, kClefAfterNote = 1.0f;
constexpr float kLineLeft = 1.3f, kLineLeftAfterBar = 0.2f, kLineRight = 1.8f;
constexpr float kNumberLeft = 0.2f, kNumberRight = 4.0f;
constexpr float kLastColumnRelief = 2.5f;   // a closing key or meter needs no space after it

// Rests: a rest glyph is about as wide as a note head, whole and longer
// rests a little wider, and each flag of a short rest widens it.
constexpr float kRestLeft = 0.5f, kRestRight = 4.0f, kLongRestRight = 4.5f, kBarRestRight = 5.0f;
constexpr float kRestFlagRight = 0.6f, kRestDotRight = 1.3f;
constexpr int kMostRestDots = 3;

// Bar lines by kind (P5 0..7): repeat dots widen the side they stand on.
struct BarWidths {
  float left, right;
};
constexpr std::array<BarWidths, 8> kBarWidths = {{
    {1.0f, 2.5f},  // single
    {1.0f, 2.8f},  // double
    {1.0f, 3.0f},  // heavy double
    {2.2f, 2.5f},  // repeat dots left
    {1.0f, 3.7f},  // repeat dots right
    {2.2f, 3.7f},  // double repeat
    {2.2f, 3.7f},  // heavy double repeat
    {1.0f, 2.5f},  // dashed
}};

// Key signatures: each accidental 2.8, then the built-in space after them.
constexpr float kKeyLeft = 1.0f, kKeyAccidental = 2.8f, kKeyRight = 2.0f;
// Meters: the same room the placing of typed notes gives them.
constexpr float kMeterLeft = 1.5f, kMeterRight = 5.5f, kWideMeterRight = 7.5f;

constexpr int kLastBarKind = 7, kLastClef = 5;
constexpr float kFarMeter = 2.0f;

int whole(float value) { return truncToInt(value); }

bool justifyTurnedOff(std::span<const float> params) { return paramOf(params, 14) != 0.0f; }

bool excluded(std::span<const float> params, int code) {
  switch (code) {
    case kCodeNote: return paramOf(params, 7) < 0.0f;
    case kCodeRest: return paramOf(params, 6) < 0.0f || paramOf(params, 7) < 0.0f;
    case kCodeClef: return paramOf(params, 5) > kLastClef;
    case kCodeLine:
      return !(params.size() >= 7 && paramOf(params, 6) == 0.0f && paramOf(params, 7) <= -1.0f);
    case kCodeNumber: return paramOf(params, 16) == 0.0f;
    case kCodeBars: return paramOf(params, 4) < 0.0f || paramOf(params, 5) > kLastBarKind;
    case kCodeKeySignature: return justifyTurnedOff(params);
    case kCodeMeter: {
      const float p7 = paramOf(params, 7) == 0.0f ? 1.0f : paramOf(params, 7);
      return justifyTurnedOff(params) || std::fabs(paramOf(params, 4) * p7) > kFarMeter;
    }
    default: return false;
  }
}

SpacingKind kindOfCode(int code) {
  switch (code) {
    case kCodeNote: return SpacingKind::Note;
    case kCodeRest: return SpacingKind::Rest;
    case kCodeClef: return SpacingKind::Clef;
    case kCodeLine: return SpacingKind::Line;
    case kCodeNumber: return SpacingKind::Number;
    case kCodeBars: return SpacingKind::BarLine;
    case kCodeKeySignature: return SpacingKind::KeySignature;
    case kCodeMeter: return SpacingKind::Meter;
    default: return SpacingKind::None;
  }
}

SideWidths scaled(SideWidths widths, float factor) { return {widths.left * factor, widths.right * factor}; }

// Cue size, then the item's own size factor. A negative P15 marks a chord
// member, not a size.
SideWidths sized(SideWidths widths, std::span<const float> params) {
  if (std::fabs(paramOf(params, 4)) >= 100.0f) widths = scaled(widths, kCueFactor);
  const float size = paramOf(params, 15);
  if (params.size() > 14 && size > 0.0f) widths = scaled(widths, size);
  return widths;
}

// The closing and small-staff rules of keys and meters.
float closingRight(float right, bool lastColumn, float scale) {
  if (lastColumn) return right - kLastColumnRelief;
  if (scale < 1.0f) return right * ((1.0f - scale) / 2.0f + scale);
  return right;
}

bool twoDigits(float number) { return std::fabs(number) >= 10.0f && std::fabs(number) < 98.0f; }

}  // namespace

float paramOf(std::span<const float> params, int i) {
  return i >= 1 && i <= static_cast<int>(params.size()) ? params[static_cast<size_t>(i - 1)] : 0.0f;
}

SpacingKind spacingKind(std::span<const float> params) {
  const int code = whole(paramOf(params, 1));
  const SpacingKind kind = kindOfCode(code);
  if (kind == SpacingKind::None || excluded(params, code)) return SpacingKind::None;
  return kind;
}

bool standsOnStaff(std::span<const float> params, SpacingKind kind, int staff, int firstStaff) {
  const int own = whole(paramOf(params, 2));
  if (kind != SpacingKind::BarLine) return own == staff;
  const int spanned = whole(paramOf(params, 4)) == 0 ? 1 : whole(paramOf(params, 4));
  return own >= firstStaff && staff >= own && static_cast<long long>(staff) < static_cast<long long>(own) + spanned;
}

float accidentalWidth(float p5) {
  const float size = std::fabs(p5);
  int code = whole(size) % 10;
  if (code == 0) return 0.0f;
  // The second set has five signs (10..14); its higher codes are measured as the last.
  if (p5 > 100.0f) code = std::min(code + kSecondAccidentalSet, kLastAccidental);
  float fraction = size - std::floor(size);
  if (fraction > 0.9f) fraction = 0.9f - fraction;
  return kAccidentalWidths[static_cast<size_t>(code)] + 10.0f * fraction;
}

SideWidths noteWidths(std::span<const float> params, bool barFollows) {
  const int head = std::abs(whole(paramOf(params, 6)));
  const bool parentheses = head >= 10 && head <= 19;
  SideWidths widths;
  widths.left = accidentalWidth(paramOf(params, 5)) + (parentheses ? kParenthesesLeft : 0.0f);
  widths.right = head < 20 && (head % 10 == 2 || head % 10 == 3) ? kWideHeadRight : kHeadRight;
  if (parentheses) widths.right += kParenthesesRight;
  if (barFollows) widths.right += paramOf(params, 9) != 0.0f ? kDottedBeforeBar : kBeforeBar;
  return sized(widths, params);
}

SideWidths restWidths(std::span<const float> params, bool barFollows) {
  const int type = whole(paramOf(params, 5));
  SideWidths widths{kRestLeft, type <= -2 ? kBarRestRight : type == -1 ? kLongRestRight : kRestRight};
  if (type > 1) widths.right += kRestFlagRight * static_cast<float>(std::min(type - 1, 6));
  const int dots = whole(paramOf(params, 6));
  if (dots > 0) widths.right += kRestDotRight * static_cast<float>(std::min(dots, kMostRestDots));
  if (barFollows) widths.right += kBeforeBar;
  return sized(widths, params);
}

SideWidths clefWidths(std::span<const float> params, bool notePrecedes) {
  return {notePrecedes ? kClefAfterNote : 0.0f, paramOf(params, 4) >= 100.0f ? kSmallClefRight : kBigClefRight};
}

SideWidths lineWidths(std::span<const float> params, unsigned before, float scale) {
  SideWidths widths{kLineLeft, kLineRight};
  if (before & kindBit(SpacingKind::BarLine)) widths.left = kLineLeftAfterBar;
  if (before & (kindBit(SpacingKind::Clef) | kindBit(SpacingKind::KeySignature) | kindBit(SpacingKind::Meter)))
    widths.left = 0.0f;
  if (params.size() >= 15) {
    widths.left -= paramOf(params, 15) / scale;
    widths.right += paramOf(params, 15) / scale;
  }
  return widths;
}

SideWidths numberWidths(std::span<const float> params, float scale) {
  const float shift = paramOf(params, 15) / scale;
  const float p6 = paramOf(params, 6);
  return {kNumberLeft - shift, (p6 != 0.0f ? p6 * kNumberRight : kNumberRight) + shift};
}

SideWidths barLineWidths(std::span<const float> params) {
  const int kind = whole(paramOf(params, 5));
  const BarWidths widths = kind >= 0 && kind <= kLastBarKind ? kBarWidths[static_cast<size_t>(kind)] : kBarWidths[0];
  return {widths.left, widths.right};
}

SideWidths keySignatureWidths(std::span<const float> params, bool lastColumn, float scale) {
  const int accidentals = std::abs(whole(paramOf(params, 5)) % 100);
  const float right = static_cast<float>(accidentals) * kKeyAccidental + kKeyRight;
  return {kKeyLeft, closingRight(right, lastColumn, scale)};
}

SideWidths meterWidths(std::span<const float> params, bool lastColumn, float scale) {
  const bool wide = twoDigits(paramOf(params, 5)) || twoDigits(paramOf(params, 6)) ||
                    twoDigits(paramOf(params, 8)) || twoDigits(paramOf(params, 9));
  return {kMeterLeft, closingRight(wide ? kWideMeterRight : kMeterRight, lastColumn, scale)};
}

float barRightBeforeClef(float right) { return right < 3.0f ? 2.0f : right - 1.0f; }

float growthAfter(float setting, float builtIn, float scale) {
  const float growth = setting / scale - builtIn;
  return growth > 0.0f ? growth : 0.0f;
}

}  // namespace ts
