#pragma once
// The rules that turn pitches and clefs into a note's place on its staff
// and back: the step P4, the accidental of P5 and the alterations a key
// signature and the accidentals before a note in its bar imply.

#include <array>
#include <optional>

#include "interchange/score_model.h"

namespace ts::interchange {

// The clef's P5: 0 treble, 1 bass, 2 alto, 3 tenor, 4 percussion; the
// octave clefs 0.8 (treble 8 below), 0.88 (treble 8 above), 0.15 (treble 15
// above) and 1.8 (bass 8 below). Nothing for a clef the page cannot draw.
std::optional<float> clefParameter(const Clef& clef);
Clef clefOfParameter(float p5);

// The typed-input step (7 x octave + letter, C = 1) of the clef's P4 = 0;
// octave clefs move it by their octaves.
int clefStepBase(const Clef& clef);

int stepOfPitch(const Pitch& pitch);  // typed-input step: C4 is 29
Pitch pitchOfStep(int step, int alter);

// P5 units of an accidental showing `alter` (3 for a natural), 0 for none:
// 1 flat, 2 sharp, 3 natural, 4 double flat, 5 double sharp.
int accidentalUnits(int shown);
// The alter an accidental of P5 units stands for (0 for a natural);
// nothing for units that show no accidental.
std::optional<int> alterOfUnits(int units);

// The alteration a key of `fifths` sharps (negative: flats) gives a letter
// (0 C .. 6 B).
int keyAlter(int fifths, int letter);

// What a reader of the bar expects of each note name: the key's alteration
// until an accidental in the bar changes it for that step.
class BarAccidentals {
 public:
  explicit BarAccidentals(int fifths) : m_fifths(fifths) {}
  int expected(int step) const;
  void set(int step, int alter);

 private:
  int m_fifths;
  std::array<std::optional<int>, 80> m_set{};  // by typed-input step
};

// The accidental a note shows (0 none, else its alter, 3 for a natural):
// one wherever the pitch differs from what the bar implies, or the file
// asked for one. Updates the bar.
int shownAccidental(BarAccidentals& bar, const Pitch& pitch, bool fileShowsOne);

}  // namespace ts::interchange
