// The pitch rules of playback: steps under each clef, accidentals, keys,
// MIDI note numbers and octave signs.

#include "output/midi_pitch.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ts {
namespace {

TEST(MidiPitch, NoteNumbersOfStepsAndOffsets) {
  struct Case {
    int step, offset, note;
  };
  for (const Case& c : {
           Case{23, 0, 64},   // treble clef, bottom line: E above middle C
           Case{23, -1, 63},  // ... with a flat
           Case{21, 0, 60},   // middle C
           Case{27, 0, 71},   // B: degree 6 is 11 semitones
           Case{28, 0, 72},
           Case{24, 1, 66},   // F sharp
           Case{0, 0, 24},
           Case{-1, 0, 23},   // below step 0 the octaves keep counting down
           Case{-7, -2, 10},
           Case{-15, 0, -1},  // below the MIDI range: the caller leaves it out
       }) {
    EXPECT_EQ(midiNoteNumber(c.step, c.offset), c.note) << c.step << " " << c.offset;
  }
}

TEST(MidiPitch, AccidentalsOfTheUnitsDigit) {
  struct Case {
    float p5;
    int code, offset;
    bool setsPitch;
  };
  for (const Case& c : {
           Case{0, 0, 0, false}, Case{1, 1, -1, true}, Case{12, 2, 1, true}, Case{23, 3, 0, true},
           Case{24, 4, -2, true}, Case{105, 5, 2, true}, Case{6, 6, 0, true},  Case{9, 9, 0, false},
           Case{-1, -1, 0, false}, Case{21.5f, 1, -1, true}, Case{NAN, 0, 0, false},
       }) {
    EXPECT_EQ(accidentalCode(c.p5), c.code) << c.p5;
    EXPECT_EQ(accidentalOffset(c.code), c.offset) << c.p5;
    EXPECT_EQ(accidentalSetsPitch(c.code), c.setsPitch) << c.p5;
  }
}

TEST(MidiPitch, ClefBasesPutMiddleCWhereEachClefHasIt) {
  struct Case {
    float p5, p4OfMiddleC;
  };
  for (const Case& c : {
           Case{0, 1}, Case{1, 13}, Case{2, 7}, Case{3, 9}, Case{4, 1}, Case{44, 1}, Case{-3, 1},
           Case{0.8f, 8},    // treble an octave down
           Case{0.88f, -6},  // treble an octave up
           Case{0.15f, -13}, // treble two octaves up
           Case{1.8f, 20},   // bass an octave down
       }) {
    EXPECT_EQ(midiNoteNumber(pitchStep(clefBaseStep(c.p5), c.p4OfMiddleC), 0), 60) << c.p5;
  }
  EXPECT_EQ(pitchStep(kTrebleClefBase, 103.0f), 23);  // the hundreds of P4 are no step
  EXPECT_EQ(pitchStep(kTrebleClefBase, -2.5f), 18);
}

TEST(MidiPitch, KeySignaturesRaiseAndLowerTheirDegrees) {
  struct Case {
    float p5;
    int step, offset;
  };
  for (const Case& c : {
           Case{1, 24, 1},    // G major: F sharp
           Case{1, 21, 0},    // ... C stays
           Case{2, 28, 1},    // D major: C sharp
           Case{-1, 27, -1},  // F major: B flat
           Case{-1, 23, 0},   // ... E stays
           Case{-3, 26, -1},  // E flat major: A flat
           Case{7, 27, 1},    // C sharp major: all sharp
           Case{9, 27, 1},    // more than seven: seven
           Case{-7, 24, -1},
           Case{102, 24, 0},  // naturals
           Case{1, -4, 1},    // below step 0 the degrees hold
       }) {
    EXPECT_EQ(keyOffset(keySignatureCount(c.p5), c.step), c.offset) << c.p5 << " " << c.step;
  }
}

TEST(MidiPitch, OctaveSigns) {
  struct Case {
    float p7;
    std::optional<int> shift;
  };
  for (const Case& c : {
           Case{8, 12}, Case{-8, -12}, Case{15, 24}, Case{155, 24}, Case{0, 0}, Case{16, 12}, Case{7.6f, 12},
           Case{-16, -12}, Case{7, std::nullopt}, Case{-15, std::nullopt}, Case{3, std::nullopt},
           Case{NAN, std::nullopt}, Case{INFINITY, std::nullopt},
       }) {
    EXPECT_EQ(octaveSignShift(c.p7), c.shift) << c.p7;
  }
}

}  // namespace
}  // namespace ts
