#pragma once
// The rules of notes (code 1), as pure functions: what P5, P6, P8 and P9
// pack, which shape a head type is, where ledger lines go.

#include <vector>

namespace ts {

enum class HeadSource { None, Symbol, Drawing };

struct HeadShape {
  HeadSource source = HeadSource::Symbol;
  int number = 11;       // symbol or drawing number
  float scale = 1.0f;    // extra scale of a drawing head
  int type = 0;          // the head type after parentheses are taken off
  bool parenthesised = false;
  bool stem = true;      // whether a stem may be drawn at all
};
HeadShape headShape(int p6);

struct NoteCodes {
  int accidental = 0;         // symbol number, 0 for none
  int accidentalUnits = 0;    // units digit of P5 (4 moves parentheses further)
  float accidentalShift = 0;  // x 60 x n, positive to the left
  int stemTens = 0;           // 0 none, 1 up, 2 down
  bool up = true;             // direction of flags and dots
  int flags = 0;
  int dots = 0;
  bool dotsBelow = false;
  bool dotsFurther = false;   // thousands of P9
  float dotShift = 0;         // x 60 x n, positive to the right
};
NoteCodes noteCodes(float step, float p5, float p9);

// Fraction of a packed parameter that moves a mark; above 0.9 it moves the
// other way by the excess.
float markShift(float value);
// Steps of the ledger lines of a head at `step` (below the staff from 1
// down, above it from `aboveFrom` up).
std::vector<int> ledgerSteps(int step, int aboveFrom = 13);
bool needsLedgerLines(float p30, float p7, int step, bool crossStaffLedgers);
// The note scale as a factor of the staff's step scale: P15 when above 0, else 0.6 for
// a cue note (hundreds of P4 = 1), else 1.
float noteScaleFactor(float p4, float p15);
// How far P10 moves a head: 10 (and 110) one head width right, 20 one
// head width left, any other value 6 x s x P10.
float headShift(float p10, float headWidth, float stepScale);
// Head width in units of the note scale (wider for head types 2 and 3).
float headWidthUnits(int headType);
// Stem length in steps: 7 + P8, longer for two flags or more.
float stemSteps(int flags, float p8);
// P8 without its tremolo hundreds; true in `tremolo` when it had them.
float stemExtra(float p8, bool& tremolo);
// The stem's line weight on paper: the hundreds of P17 (0: the default
// width; the rest of P17 is the stem's start offset).
int stemPrintWeight(float p17);

}  // namespace ts
