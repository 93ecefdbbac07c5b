// Note values of typed rhythms. Tuplets make values that are no power of
// two (a triplet eighth is 12); such a value is drawn as the plain value
// just below it (a triplet eighth has one flag, a triplet half a half
// head), so every rule below works on the power of two at or below the
// value.

#include "layout/typed_rhythm.h"

#include <algorithm>
#include <cmath>

namespace ts {
namespace {

constexpr float kGraceDuration = 64.0f;
constexpr float kGraceRoom = 0.1f;     // quarters of room a grace note takes
constexpr float kGraceValue = 8.0f;    // a grace note is drawn as a small eighth
constexpr int kMostDots = 4;
constexpr int kMostFlags = 9;          // P9's units digit
constexpr double kLogTolerance = 1.0e-3;

// The power of two at or below a note value, as its exponent.
int valueExponent(float noteValue) {
  if (!(noteValue > 0.0f) || !std::isfinite(noteValue)) return 2;
  return static_cast<int>(std::floor(std::log2(static_cast<double>(noteValue)) + kLogTolerance));
}

}  // namespace

RhythmValue rhythmValue(float code) {
  RhythmValue value;
  if (!std::isfinite(code) || code <= 0.0f) return value;
  const float thousands = std::floor(code / 1000.0f);
  value.duration = code - thousands * 1000.0f;
  if (value.duration <= 0.0f) return value;
  if (value.duration >= kGraceDuration) {
    value = {kGraceDuration, kGraceValue, 0, flagsOfValue(kGraceValue), true};
    return value;
  }
  value.dots = static_cast<int>(std::min(thousands, static_cast<float>(kMostDots)));
  const double power = std::ldexp(1.0, value.dots);
  const double undotted = value.duration * power / (2.0 * power - 1.0);
  value.noteValue = static_cast<float>(4.0 / undotted);
  value.flags = flagsOfValue(value.noteValue);
  return value;
}

int flagsOfValue(float noteValue) { return std::clamp(valueExponent(noteValue) - 2, 0, kMostFlags); }

int headTypeOfValue(float noteValue) {
  const int exponent = valueExponent(noteValue);
  return exponent <= -1 ? 3 : exponent == 0 ? 2 : exponent == 1 ? 1 : 0;
}

int restTypeOfValue(float noteValue) { return std::clamp(valueExponent(noteValue) - 2, -3, kMostFlags); }

float flagsAndDots(const RhythmValue& value) { return static_cast<float>(value.flags + 10 * value.dots); }

float roomOfRhythm(const RhythmValue& value) { return value.grace ? kGraceRoom : value.duration; }

}  // namespace ts
