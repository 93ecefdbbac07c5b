#include "output/midi_pitch.h"

#include <array>
#include <cmath>

#include "draw/clefs_keys_meters.h"
#include "model/item_codes.h"

namespace ts {
namespace {

constexpr int kStepsPerOctave = 7;
constexpr int kMostKeyAccidentals = 7;
constexpr int kMiddleCOctaves = 2;  // MIDI note 24 is step 0's C: middle C (step 21) is 60
// [degree C..B] semitones above C
constexpr std::array<int, kStepsPerOctave> kDegreeSemitones = {0, 2, 4, 5, 7, 9, 11};
// [accidental code 0..5] semitones: none, flat, sharp, natural, double flat, double sharp
constexpr std::array<int, 6> kAccidentalSemitones = {0, -1, 1, 0, -2, 2};
// [clef kind 0..3] step of step 0: treble, bass, alto, tenor
constexpr std::array<int, 4> kClefBases = {kTrebleClefBase, 8, 14, 12};
// Degrees (C = 0) in the order sharps and flats are added to a key.
constexpr std::array<int, kMostKeyAccidentals> kSharpOrder = {3, 0, 4, 1, 5, 2, 6};
constexpr std::array<int, kMostKeyAccidentals> kFlatOrder = {6, 2, 5, 1, 4, 0, 3};

int floorDiv(int value, int divisor) { return value >= 0 ? value / divisor : -((-(value + 1)) / divisor) - 1; }
int floorMod(int value, int divisor) { return value - floorDiv(value, divisor) * divisor; }

}  // namespace

int clefBaseStep(float p5) {
  const int kind = truncToInt(p5);
  const int base = kind >= 0 && kind < static_cast<int>(kClefBases.size()) ? kClefBases[static_cast<size_t>(kind)] : kTrebleClefBase;
  const OctaveMark mark = clefOctaveMark(p5);
  if (mark.text.empty()) return base;
  const int octaves = mark.text == "15" ? 2 : 1;
  return base + (mark.above ? octaves : -octaves) * kStepsPerOctave;
}

int pitchStep(int clefBase, float p4) { return clefBase + truncToInt(std::fmod(p4, 100.0f)); }

int accidentalCode(float p5) { return truncToInt(std::fmod(p5, 10.0f)); }

int accidentalOffset(int code) {
  return code >= 0 && code < static_cast<int>(kAccidentalSemitones.size()) ? kAccidentalSemitones[static_cast<size_t>(code)] : 0;
}

bool accidentalSetsPitch(int code) { return code >= 1 && code <= 6; }

int keySignatureCount(float p5) {
  const int count = truncToInt(p5);
  if (count >= 100 || count <= -100) return 0;
  return count > kMostKeyAccidentals ? kMostKeyAccidentals : count < -kMostKeyAccidentals ? -kMostKeyAccidentals : count;
}

int keyOffset(int count, int step) {
  const int degree = floorMod(step, kStepsPerOctave);
  const auto& order = count > 0 ? kSharpOrder : kFlatOrder;
  const int used = count > 0 ? count : -count;
  for (int i = 0; i < used && i < kMostKeyAccidentals; ++i) {
    if (order[static_cast<size_t>(i)] == degree) return count > 0 ? 1 : -1;
  }
  return 0;
}

int midiNoteNumber(int step, int offset) {
  // Steps come from a float parameter's remainder and a clef base: far
  // inside the int range, so this arithmetic cannot overflow.
  const int octave = floorDiv(step, kStepsPerOctave);
  const int degree = floorMod(step, kStepsPerOctave);
  return 12 * (octave + kMiddleCOctaves) + kDegreeSemitones[static_cast<size_t>(degree)] + offset;
}

std::optional<int> octaveSignShift(float p7) {
  if (!std::isfinite(p7)) return std::nullopt;
  int rounded = truncToInt(std::round(p7));
  if (rounded == 155) rounded = 15;
  if (rounded != 15 && rounded % 8 != 0) return std::nullopt;
  if (rounded < 0) return -12;
  if (rounded == 15) return 24;
  return rounded == 0 ? 0 : 12;
}

}  // namespace ts
