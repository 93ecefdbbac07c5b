#pragma once
// The numeric rules of transposition: how far notes move for an amount of
// half steps, how the key changes, how a note and a guitar chord's root are
// spelled afterwards.

#include <optional>
#include <string_view>

namespace ts {

constexpr int kEnharmonicUp = 99;     // the amount that re-spells sharps as flats
constexpr int kEnharmonicDown = -99;  // and flats as sharps
constexpr int kLargestAmount = 30;    // the key-change table reaches -30..30 half steps
constexpr int kStepsPerOctave = 7;
constexpr int kHalfStepsPerOctave = 12;
constexpr int kLargestAlteration = 2;  // a double sharp; -2 a double flat

// Steps (diatonic) a note moves for `halfSteps`, with the sign of the amount.
int diatonicShift(int halfSteps);

// Sharps (positive) or flats (negative) the new key has relative to the old
// one; nothing outside -30..30.
std::optional<int> keySignatureChange(int halfSteps);

// A key of more than seven sharps or flats, brought back by twelve fifths
// (the enharmonic key: 9 sharps are 3 flats).
int wrappedKey(int key);

// Half step of a letter within its octave: C 1, D 3, E 5, F 6, G 8, A 10, B 12.
int letterHalfStep(int letter);
// The letter (C 1 .. B 7) of an absolute step (C = 1, 8, 15, ...; any integer).
int letterOfStep(int step);
// Half steps above the C of octave 0 of an absolute step with no accidental.
int naturalHalfSteps(int step);

// What the key signature does to a letter: -1 flat, +1 sharp, 0 natural.
int keyAlteration(int key, int letter);

// A note's spelling: an absolute step and its alteration (-2..2).
struct Spelling {
  int step = 0;
  int alteration = 0;
};

// The letter step that goes with a key wrapped by `keyWrap`: twelve fifths
// up keep the pitch and take the letter one step down (E double flat is D).
int enharmonicLetterStep(int keyWrap);

// The note moved by `halfSteps`: the step moves by the diatonic shift and
// the alteration is whatever keeps the pitch right; `keyWrap` (+12 or -12,
// what wrappedKey added to the new key) re-spells it in the enharmonic key.
// A spelling past a double accidental falls back to the nearest letter.
Spelling transposedSpelling(const Spelling& note, int halfSteps, int keyWrap);

// The same pitch one letter up (`direction` 1) or down (-1); nothing when it
// would need more than a double accidental.
std::optional<Spelling> enharmonicSpelling(const Spelling& note, int direction);

// The accidental digit of a note's P5 for an alteration (-2..2: 4, 1, 3, 2,
// 5; 3 the natural), and the alteration of a digit (nothing for 0 and for
// signs that are no accidental of pitch).
int accidentalDigit(int alteration);
std::optional<int> alterationOfDigit(int digit);

// A guitar chord's root code (tens letter C 1 .. B 7, units 0 natural, 1
// flat, 2 sharp) after `halfSteps`; nothing for a code that is no root.
std::optional<int> transposedChordRoot(int rootCode, int halfSteps);

// Half steps of an interval name: a sign, a quality (P perfect, M major, m
// minor, A augmented, d diminished) and a number 1-15 ("+M2" 2, "-P5" -7,
// "+A4" 6); nothing for a name that is none.
std::optional<int> halfStepsOfInterval(std::string_view name);

// An amount as typed for a batch transposition: a whole number of half
// steps ("+2", "-3", "12"), an interval name, or "enh+" / "enh-" for the
// enharmonic changes.
std::optional<int> transpositionAmountOfText(std::string_view text);

}  // namespace ts
