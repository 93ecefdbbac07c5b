#include "interchange/pitch_mapping.h"

#include <cmath>

namespace ts::interchange {
namespace {

constexpr int kStepsPerOctave = 7;
// Letters in the order a key signature adds sharps: F C G D A E B.
constexpr std::array<int, 7> kSharpOrder{3, 0, 4, 1, 5, 2, 6};

struct ClefEntry {
  char sign;
  int line;
  int octaveChange;
  float p5;
  int base;  // typed-input step at P4 = 0
};

// [clef] -> its P5 and the step its P4 = 0 stands for.
constexpr std::array<ClefEntry, 9> kClefs{{
    {'G', 2, 0, 0.0f, 28},
    {'G', 2, -1, 0.8f, 21},
    {'G', 2, 1, 0.88f, 35},
    {'G', 2, 2, 0.15f, 42},
    {'F', 4, 0, 1.0f, 16},
    {'F', 4, -1, 1.8f, 9},
    {'C', 3, 0, 2.0f, 22},
    {'C', 4, 0, 3.0f, 20},
    {'P', 3, 0, 4.0f, 28},
}};

bool matches(const ClefEntry& entry, const Clef& clef) {
  const bool lineMatters = clef.sign != 'P';
  return entry.sign == clef.sign && (!lineMatters || entry.line == clef.line) && entry.octaveChange == clef.octaveChange;
}

}  // namespace

std::optional<float> clefParameter(const Clef& clef) {
  for (const ClefEntry& entry : kClefs)
    if (matches(entry, clef)) return entry.p5;
  return std::nullopt;
}

Clef clefOfParameter(float p5) {
  for (const ClefEntry& entry : kClefs)
    if (std::fabs(entry.p5 - p5) < 0.001f) return {entry.sign, entry.line, entry.octaveChange};
  return {};
}

int clefStepBase(const Clef& clef) {
  for (const ClefEntry& entry : kClefs)
    if (matches(entry, clef)) return entry.base;
  return kClefs.front().base;
}

int stepOfPitch(const Pitch& pitch) { return pitch.octave * kStepsPerOctave + pitch.step + 1; }

Pitch pitchOfStep(int step, int alter) {
  const int fromC = step - 1;
  const int octave = fromC >= 0 ? fromC / kStepsPerOctave : -((-fromC + kStepsPerOctave - 1) / kStepsPerOctave);
  return {fromC - octave * kStepsPerOctave, alter, octave};
}

int accidentalUnits(int shown) {
  switch (shown) {
    case -1: return 1;
    case 1: return 2;
    case 3: return 3;
    case -2: return 4;
    case 2: return 5;
    default: return 0;
  }
}

std::optional<int> alterOfUnits(int units) {
  switch (units) {
    case 1: return -1;
    case 2: return 1;
    case 3: return 0;
    case 4: return -2;
    case 5: return 2;
    default: return std::nullopt;
  }
}

int keyAlter(int fifths, int letter) {
  for (int i = 0; i < 7; ++i) {
    if (fifths > i && kSharpOrder[i] == letter) return 1;
    if (-fifths > i && kSharpOrder[6 - i] == letter) return -1;
  }
  return 0;
}

int BarAccidentals::expected(int step) const {
  if (step >= 0 && step < static_cast<int>(m_set.size()) && m_set[step]) return *m_set[step];
  return keyAlter(m_fifths, pitchOfStep(step, 0).step);
}

void BarAccidentals::set(int step, int alter) {
  if (step >= 0 && step < static_cast<int>(m_set.size())) m_set[step] = alter;
}

int shownAccidental(BarAccidentals& bar, const Pitch& pitch, bool fileShowsOne) {
  const int step = stepOfPitch(pitch);
  if (bar.expected(step) == pitch.alter && !fileShowsOne) return 0;
  bar.set(step, pitch.alter);
  return pitch.alter == 0 ? 3 : pitch.alter;
}

}  // namespace ts::interchange
