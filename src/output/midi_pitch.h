#pragma once
// The pitch rules of playback, as pure functions: where a note's step lies
// under its clef, what its accidental and key add, and which MIDI note
// number that is.

#include <optional>

namespace ts {

constexpr int kLowestMidiNote = 0;
constexpr int kHighestMidiNote = 127;
constexpr int kTrebleClefBase = 20;  // step of a treble staff's step 0: its bottom line (step 3) is E above middle C

// The pitch step of a staff's step 0 under a clef of this P5: treble (and
// percussion, and any kind without a pitch of its own) 20, bass 8, alto 14,
// tenor 12 (middle C is step 21); the octave clefs (P5 fractions .8 below,
// .88 and .15 above) move it by their octaves.
int clefBaseStep(float p5);
// A note's pitch step: the clef base plus its step (P4 modulo 100; the
// hundreds say how it is drawn), truncated toward zero.
int pitchStep(int clefBase, float p4);
// The accidental a note's P5 carries: its units digit (1 flat, 2 sharp,
// 3 natural, 4 double flat, 5 double sharp, 6 double natural).
int accidentalCode(float p5);
// Semitones an accidental code adds; 0 for none, naturals and the signs
// that have no pitch of their own.
int accidentalOffset(int code);
// Whether a note's accidental sets the pitch of its step (rather than
// leaving it to the bar and the key).
bool accidentalSetsPitch(int code);
// Sharps (positive) or flats (negative) of a key signature's P5, at most
// seven; a key of naturals (|P5| of 100 and more) gives 0.
int keySignatureCount(float p5);
// Semitones the key gives a step: +1 when its degree is among the first
// `count` sharps (F C G D A E B), -1 among the first flats (B E A D G C F).
int keyOffset(int count, int step);
// 12 x octave + the degree's semitone + offset + 24, the octave and degree
// taken with floor division so that steps below 0 keep counting down.
int midiNoteNumber(int step, int offset);
// Semitones an ornament item (code 7) of this P7 moves the notes under it
// when it is an octave sign (P7 rounded, 155 counting as 15, a multiple of
// 8 or 15): down 12 when negative, up 24 for 15, none for 0, else up 12.
// Nothing when the ornament is no octave sign.
std::optional<int> octaveSignShift(float p7);

}  // namespace ts
