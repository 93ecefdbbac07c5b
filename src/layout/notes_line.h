#pragma once
// The notes line (input stage 1): each token becomes one or more token
// codes, signed numbers whose thousands say what they stand for.
//
//   1000 + step + accidental   a note (negative: a chord member)
//   7000 + step + accidental   a note whose accidental is put in parentheses
//   2000 + variant, -2000 - n  rests (9000, 9001: "RFD", "RFU")
//   3000 + clef, -3000 - clef  clefs, clef changes without a clef item
//   4000 + modifier + n        bar lines
//   5000, 5010, 5020           stems automatic, up, down
//   6000, 6001, 6002           the P12 value of the following notes
//   8000, 8001                 end, start of cue-size notes
//   +-(17000 [+100]) +- n      key signatures; 17999: the staff's own key
//   20000 + 100 a + b          meters (29901 common, 29801 cut time)
//
// Steps count diatonically from C of octave 0 (C = 1 .. B = 7, plus 7 per
// octave); accidentals are hundreds: 1 flat, 2 sharp, 3 natural, 4 double
// flat, 5 double sharp, 6 double natural.

#include <optional>
#include <string>
#include <vector>

#include "layout/input_line.h"

namespace ts {

inline constexpr int kStaffKeyCode = 17999;  // "K" alone: the key in force on the staff

struct NotesLine {
  std::vector<int> codes;
  std::optional<LineError> error;
};

// Reads a prepared notes line. `state` changes only when the line is read
// whole; a line that yields more than 200 codes is refused with its message.
NotesLine readNotesLine(const std::string& prepared, InputState& state);

// The parts of a token code.
int codeKind(int code);        // thousands of |code|: 1 note, 2 rest, 3 clef, ...
int codeStep(int code);        // a note's step
int codeAccidental(int code);  // a note's accidental, 0 to 6
bool isNoteCode(int code);     // kinds 1 and 7
bool isChordMemberCode(int code);
// The number of notes and rests the line asks rhythms for (a chord once).
int rhythmsNeeded(const std::vector<int>& codes);

}  // namespace ts
