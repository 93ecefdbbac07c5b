#pragma once
// The rules of clefs, key signatures and meters, as pure functions.

#include <string>
#include <vector>

namespace ts {

enum class KeyAccidental { Sharp, Flat };

// Heights (in units of the step scale, above the key item's Y) of the
// accidentals of a key: the zig-zag of the clef pattern (0 treble, 1 bass,
// 2 alto, 3 tenor), each lowered by seven steps when it would rise above
// the pattern's ceiling.
std::vector<float> keySignatureHeights(KeyAccidental kind, int pattern, int count);
// Clef pattern of a key item's P6 (values outside 0..3 give 0, 100 up are small keys).
int keyPattern(float p6);

// The octave mark a clef's P5 fraction asks for: 0.8 "8" below, 0.88 "8"
// above, 0.15 "15" above. Empty text when none.
struct OctaveMark {
  std::string text;
  bool above = false;
};
OctaveMark clefOctaveMark(float p5);

// Where a meter's numbers go: steps above the item's step and the size
// handed to the number routine.
struct MeterLayout {
  float size = 1.35f;
  float upperStep = 0.0f;
  float lowerStep = 0.0f;
  float loneStep = 0.0f;
};
MeterLayout meterLayout(float p7, bool print, bool largeOnScreen);
int digitCount(int value);

}  // namespace ts
