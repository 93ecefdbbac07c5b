#pragma once
// The rules of lines (code 4), as pure functions: the end a line takes, how
// a stretched line's end moves, the dash pattern, the wave figures and the
// arrowheads.

#include <array>
#include <cstdint>

namespace ts {

// The end of a line: (P6, P5), or P3 + 20 at the start's own step when
// both are 0 (the line is then also printed 2 x 4 wide).
struct LineEnd {
  float position = 0;  // P3 units
  float step = 0;
  bool defaulted = false;
};
LineEnd lineEnd(float p3, float p4, float p5, float p6);

// Factors by which a stretched line (P7 >= 100) moves its end away from its
// start: P18 horizontally, P19 vertically (P19 = P18 when 0); 0 and 1 leave
// the end where it is.
struct StretchFactors {
  float x = 1;
  float y = 1;
};
StretchFactors stretchFactors(float p18, float p19);

// A dashed line's dash and space in steps: P8 and P9, each 1 step when 0
// (the space as long as the dash). Not dashed when both are 0 or below.
struct DashPattern {
  bool dashed = false;
  float dash = 1;
  float space = 1;
};
DashPattern dashPattern(float p8, float p9);

// The wave figures, as offsets across the line in units of their height:
// vibrato waves are a sine, the saw-tooth rises evenly and drops straight
// back at the end of each tooth. `phase` is the place in one period, 0 to 1.
float vibratoOffset(float phase);
float sawtoothOffset(float phase);
// Whole periods of a figure that fit a length (at least 1).
int64_t wavePeriods(float length, float period);

// The filled arrowhead whose tip is at `tip`, pointing away from `from`.
struct LinePoint {
  float x = 0, y = 0;
};
std::array<LinePoint, 3> arrowhead(LinePoint tip, LinePoint from, float length, float halfWidth);

}  // namespace ts
