#pragma once
// What a typed rhythm makes of a note or rest: its note value, dots and
// flags, and from them the parameters the drawing reads (a note's head type
// P6 and its flags and dots in P9; a rest's type P5 and dots P6).

namespace ts {

struct RhythmValue {
  float duration = 0.0f;   // quarters (64 for a grace note)
  float noteValue = 0.0f;  // 4 / undotted duration: 4 a quarter, 8 an eighth, 1 a whole
  int dots = 0;
  int flags = 0;
  bool grace = false;
};

// A rhythm code as the rhythms line makes it: the duration in quarters
// plus 1000 times the dots of a single dotted value ("Q." is 1001.5).
// Codes that are not finite or not above 0 give a duration of 0.
RhythmValue rhythmValue(float code);

// Flags of a note value: none below 8, one more for each doubling from 8.
int flagsOfValue(float noteValue);

// Note head type (P6) of a note value: 3 double whole, 2 whole, 1 half, 0
// a filled head.
int headTypeOfValue(float noteValue);

// Rest type (P5) of a note value: -3 double whole, -2 whole, -1 half, 0
// quarter, then one more for each flag.
int restTypeOfValue(float noteValue);

// P9 of a note: flags in the units, dots in the tens.
float flagsAndDots(const RhythmValue& value);

// The room a rhythm takes in placing: its duration, a grace note 0.1.
float roomOfRhythm(const RhythmValue& value);

}  // namespace ts
