#include "layout/transposition_tables.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace ts {
namespace {

// [|half steps| modulo 12] -> diatonic steps.
constexpr std::array<int, 12> kShiftByHalfSteps = {0, 1, 1, 2, 2, 3, 3, 4, 5, 5, 6, 6};
// [index 1..13, stored from 0] -> sharps (positive) or flats the key gains:
// the circle of fifths read by half steps (+1 half step is five flats).
constexpr std::array<int, 13> kKeyChangeByIndex = {-6, 1, -4, 3, -2, 5, 0, -5, 2, -3, 4, -1, 6};
// [letter C..B, stored from 0] -> half step within the octave.
constexpr std::array<int, 7> kLetterHalfStep = {1, 3, 5, 6, 8, 10, 12};
// The order in which sharps enter a key (F C G D A E B); flats enter in reverse.
constexpr std::array<int, 7> kSharpOrder = {4, 1, 5, 2, 6, 3, 7};
// [half step 1..12, stored from 0] -> root code: C Db D Eb E F F# G Ab A Bb B.
constexpr std::array<int, 12> kChordRootByHalfStep = {10, 21, 20, 31, 30, 40, 42, 50, 61, 60, 71, 70};
// [units digit of a root code] -> alteration: natural, flat, sharp.
constexpr std::array<int, 3> kChordRootAlteration = {0, -1, 1};
// [alteration + 2] -> accidental digit of a note's P5.
constexpr std::array<int, 5> kDigitByAlteration = {4, 1, 3, 2, 5};
// [digit 1..6, stored from 0] -> alteration (6, the double natural, is a natural).
constexpr std::array<int, 6> kAlterationByDigit = {-1, 1, 0, -2, 2, 0};

// [interval number 1..7, stored from 0] -> half steps of its perfect or
// major form, and whether it is perfect (unison, fourth, fifth).
struct IntervalForm {
  int halfSteps;
  bool perfect;
};
constexpr std::array<IntervalForm, 7> kIntervalForms = {
    {{0, true}, {2, false}, {4, false}, {5, true}, {7, true}, {9, false}, {11, false}}};
constexpr int kLargestIntervalNumber = 15;  // two octaves
constexpr int kLargestTypedAmount = 1000;   // typed whole numbers beyond are no amount

constexpr int kKeyIndexOffset = 7;
constexpr int kKeyIndexCount = 13;
constexpr int kLargestKey = 7;

int floorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

int wrapInto(int value, int low, int count) { return ((value - low) % count + count) % count + low; }

Spelling spellingAt(int pitch, int step) { return {step, pitch - naturalHalfSteps(step)}; }

// The nearest of the neighbouring letters when one letter needs more than
// a double accidental.
Spelling nearestSpelling(int pitch, int step) {
  const Spelling here = spellingAt(pitch, step);
  if (std::abs(here.alteration) <= kLargestAlteration) return here;
  const Spelling below = spellingAt(pitch, step - 1);
  const Spelling above = spellingAt(pitch, step + 1);
  return std::abs(below.alteration) < std::abs(above.alteration) ? below : above;
}

// Half steps a quality adds to the perfect or major form; nothing when the
// quality does not go with the interval (a major fifth, a perfect third).
std::optional<int> qualityOffset(char quality, bool perfect) {
  switch (quality) {
    case 'P': return perfect ? std::optional<int>(0) : std::nullopt;
    case 'M': return perfect ? std::nullopt : std::optional<int>(0);
    case 'm': return perfect ? std::nullopt : std::optional<int>(-1);
    case 'A': return 1;
    case 'd': return perfect ? -1 : -2;
    default: return std::nullopt;
  }
}

std::optional<int> wholeNumber(std::string_view digits) {
  if (digits.empty() || digits.size() > 4) return std::nullopt;
  int value = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::optional<int> halfStepsOfInterval(std::string_view name) {
  if (name.size() < 3 || (name[0] != '+' && name[0] != '-')) return std::nullopt;
  const std::optional<int> number = wholeNumber(name.substr(2));
  if (!number || *number < 1 || *number > kLargestIntervalNumber) return std::nullopt;
  const IntervalForm form = kIntervalForms[static_cast<size_t>((*number - 1) % kStepsPerOctave)];
  const std::optional<int> offset = qualityOffset(name[1], form.perfect);
  if (!offset) return std::nullopt;
  const int size = form.halfSteps + *offset + kHalfStepsPerOctave * ((*number - 1) / kStepsPerOctave);
  return name[0] == '-' ? -size : size;
}

std::optional<int> transpositionAmountOfText(std::string_view text) {
  if (text == "enh+") return kEnharmonicUp;
  if (text == "enh-") return kEnharmonicDown;
  if (const std::optional<int> interval = halfStepsOfInterval(text)) return interval;
  const bool signed_ = !text.empty() && (text[0] == '+' || text[0] == '-');
  const std::optional<int> size = wholeNumber(signed_ ? text.substr(1) : text);
  if (!size || *size > kLargestTypedAmount) return std::nullopt;
  return signed_ && text[0] == '-' ? -*size : *size;
}

int diatonicShift(int halfSteps) {
  // Held within the amounts any command gives, so that no int overflows.
  const int size = std::abs(std::clamp(halfSteps, -kEnharmonicUp, kEnharmonicUp));
  int shift = kShiftByHalfSteps[static_cast<size_t>(size % kHalfStepsPerOctave)];
  if (size >= kHalfStepsPerOctave) shift += kStepsPerOctave;
  if (size >= 2 * kHalfStepsPerOctave) shift += kStepsPerOctave;
  return halfSteps < 0 ? -shift : shift;
}

std::optional<int> keySignatureChange(int halfSteps) {
  if (halfSteps < -kLargestAmount || halfSteps > kLargestAmount) return std::nullopt;
  int index = halfSteps + kKeyIndexOffset;
  if (index > kKeyIndexCount) index = halfSteps - 5;
  if (index > kKeyIndexCount) index -= kHalfStepsPerOctave;
  if (index < 1) index += kHalfStepsPerOctave;
  if (index < 1) index += kHalfStepsPerOctave;
  if (index < 1 || index > kKeyIndexCount) return std::nullopt;
  return kKeyChangeByIndex[static_cast<size_t>(index - 1)];
}

int wrappedKey(int key) {
  if (key > kLargestKey) return key - kHalfStepsPerOctave;
  if (key < -kLargestKey) return key + kHalfStepsPerOctave;
  return key;
}

int letterHalfStep(int letter) { return kLetterHalfStep[static_cast<size_t>(wrapInto(letter, 1, kStepsPerOctave) - 1)]; }

int letterOfStep(int step) { return wrapInto(step, 1, kStepsPerOctave); }

int naturalHalfSteps(int step) {
  return kHalfStepsPerOctave * floorDiv(step - 1, kStepsPerOctave) + letterHalfStep(letterOfStep(step));
}

int keyAlteration(int key, int letter) {
  const int count = std::abs(std::clamp(key, -kLargestKey, kLargestKey));
  for (int i = 0; i < count; ++i) {
    const int entering = key > 0 ? kSharpOrder[static_cast<size_t>(i)] : kSharpOrder[static_cast<size_t>(kLargestKey - 1 - i)];
    if (entering == letter) return key > 0 ? 1 : -1;
  }
  return 0;
}

int enharmonicLetterStep(int keyWrap) { return keyWrap > 0 ? -1 : keyWrap < 0 ? 1 : 0; }

Spelling transposedSpelling(const Spelling& note, int halfSteps, int keyWrap) {
  const int pitch = naturalHalfSteps(note.step) + note.alteration + halfSteps;
  return nearestSpelling(pitch, note.step + diatonicShift(halfSteps) + enharmonicLetterStep(keyWrap));
}

std::optional<Spelling> enharmonicSpelling(const Spelling& note, int direction) {
  const Spelling moved = spellingAt(naturalHalfSteps(note.step) + note.alteration, note.step + direction);
  if (std::abs(moved.alteration) > kLargestAlteration) return std::nullopt;
  return moved;
}

int accidentalDigit(int alteration) {
  const int clamped = std::clamp(alteration, -kLargestAlteration, kLargestAlteration);
  return kDigitByAlteration[static_cast<size_t>(clamped + kLargestAlteration)];
}

std::optional<int> alterationOfDigit(int digit) {
  if (digit < 1 || digit > static_cast<int>(kAlterationByDigit.size())) return std::nullopt;
  return kAlterationByDigit[static_cast<size_t>(digit - 1)];
}

std::optional<int> transposedChordRoot(int rootCode, int halfSteps) {
  const int letter = rootCode / 10;
  const int accidental = rootCode % 10;
  if (rootCode < 0 || letter < 1 || letter > kStepsPerOctave || accidental > 2) return std::nullopt;
  const int halfStep = letterHalfStep(letter) + kChordRootAlteration[static_cast<size_t>(accidental)] + halfSteps;
  return kChordRootByHalfStep[static_cast<size_t>(wrapInto(halfStep, 1, kHalfStepsPerOctave) - 1)];
}

}  // namespace ts
