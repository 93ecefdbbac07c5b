#pragma once
// The rules of beams (code 6), as pure functions: where the main beams lie
// and how far apart, where partial beams and hooks run, where the number
// and its bracket go. Everything is in page units (Y upward); b is the
// beam's own scale, s the step scale of its staff.

#include <array>
#include <vector>

namespace ts {

// The parameters of a beam that its drawing and the stem commands read.
struct BeamParameters {
  float p3 = 0, p4 = 0, p5 = 0, p6 = 0, p7 = 0, p8 = 0, p9 = 0, p10 = 0, p11 = 0, p12 = 0, p13 = 0, p14 = 0,
        p15 = 0, p16 = 0, p17 = 0, p18 = 0, p19 = 0, p20 = 0, p21 = 0;
};

// Reads a beam's parameters through `p(i)`, the value of Pi.
template <class ParameterOf>
BeamParameters beamParameters(ParameterOf p) {
  return {p(3),  p(4),  p(5),  p(6),  p(7),  p(8),  p(9),  p(10), p(11), p(12),
          p(13), p(14), p(15), p(16), p(17), p(18), p(19), p(20), p(21)};
}

struct BeamPoint {
  float x = 0, y = 0;
};

struct BeamGeometry {
  float scale = 25;        // b: the staff's step scale x P18, x 0.6 for a cue beam
  bool up = false;         // stems up: the beams lie above the notes
  bool cue = false;
  int count = 1;           // beams drawn full length (units of P7)
  bool mainDrawn = true;   // a negative P7 leaves the main beams out
  float headOffset = 0;    // o: a head's width at the beam's scale
  float stemShift = 0;     // o': what a P9 digit adds to an end
  BeamPoint left, right;   // the outer edge of the first main beam
  float towardHeads = -1;  // the sign of "toward the note heads" in Y
  float between = 0;       // d: each further beam lies this much nearer the heads
  float thickness = 0;     // w: a printed beam's thickness, signed toward the heads
};

// Where a beam's main beams lie on a staff whose step 0 is at referenceY.
BeamGeometry beamGeometry(const BeamParameters& p, float stepScale, float referenceY);

// Slope of the line through two points; ends at one position count as
// 100 page units apart.
float beamSlope(BeamPoint a, BeamPoint b);

// Y of the main beam's line at x.
float beamLineY(const BeamGeometry& g, float x);

// Which ends a packed P9 digit (1 left, 2 right, 3 both) moves by o'.
bool shiftsLeftEnd(int digit);
bool shiftsRightEnd(int digit);

// Horizontal extent of a set of partial beams from its start and end
// parameters (x 150): -1 is the main beam's end, 0 makes a hook from the
// other end, and with both 0 the beams run between the main ends, inset.
struct PartialSpan {
  float x1 = 0, x2 = 0;
};
PartialSpan partialBeamSpan(float start, float end, int shiftDigit, const BeamGeometry& g);

// A set of partial beams from its packed parameter (P10 or P13): tens =
// how many full beams further in it starts, units = how many beams.
struct PartialSet {
  int depth = 0;
  int count = 0;
};
PartialSet partialSet(float packed);

// The screen's zig-zag stroke of one beam from a to b: strokes 35 page
// units apart toward the heads.
std::array<BeamPoint, 7> screenBeamPath(BeamPoint a, BeamPoint b, float towardHeads);
// The printed beam: a filled quadrilateral of thickness w.
std::array<BeamPoint, 4> printBeamCorners(BeamPoint a, BeamPoint b, float thickness);

// The number written at a beam (P8 > 0): its value, the bracket style of
// the thousands, where it is centred and its baseline, and its size.
struct BeamNumber {
  int value = 0;
  int bracket = 0;  // 0 none, 1 square bracket with hooks, 2 plain line
  float x = 0;
  float baselineY = 0;
  float size = 0.875f;
};
BeamNumber beamNumber(const BeamParameters& p, const BeamGeometry& g, float stepScale);

// The strokes of a number's bracket: a line parallel to the beam through
// the middle of the digits, broken by `halfGap` each side of the number,
// with hooks one step toward the notes for style 1.
std::vector<std::vector<BeamPoint>> numberBracket(const BeamGeometry& g, const BeamNumber& n, float digitsMiddle,
                                                  float halfGap, float stepScale);

}  // namespace ts
