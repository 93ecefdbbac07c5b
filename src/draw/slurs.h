#pragma once
// The rules of slurs and ties (code 5), as pure functions: the attachment
// offsets, how many points a slur has and where they lie, the arch, the
// thickness and its taper. Page units throughout (Y upward).

#include <vector>

namespace ts {

// How far right of its position each end attaches, in units of the step
// scale (before the P20 factor).
struct SlurOffsets {
  float start = 0;
  float end = 0;
};
SlurOffsets slurOffsets(float p8, float p9);

// The end the drawing uses: P6, or P3 + 20 when P6 is 0 (the arch then 3
// steps when P7 is 0 too); an end left of the start becomes start + 3.
struct SlurEnd {
  float p6 = 0;
  float p7 = 0;
};
SlurEnd slurEnd(float p3, float p6, float p7);

// Points along a slur of horizontal length `length`: two for every d page
// units (d = 500 for a dashed or dotted slur), at least 8, plus 2 x |P7|;
// a dashed or dotted slur has an even count, so it starts and ends with a
// dash. Never more than kMaxSlurPoints.
constexpr int kMaxSlurPoints = 4000;
int slurPointCount(float length, bool patterned, float p7);

// Height of the arch at distance t (a fraction of the half length) from
// its middle: rise x (1 - t^k), truncated to whole page units.
float archHeight(float t, float rise, float exponent);
// The exponent of the arch from P9: P9 + 2.5, at least 0.1.
float archExponent(float p9);

// Where point u (0 at the start, 1 at the end, evenly spaced) lies along
// the length: the first half of the points is spread over the fraction
// P10 of it, so the apex lands there (P10 = 0.5 when 0).
float apexFraction(float p10);
float pointFraction(float u, float apex);

// Thickness factor T: P13 (the preference's 0.75 when 0, 1.0 when
// negative), thinner for slurs shorter than 3000 page units.
float slurThicknessFactor(float p13, float length);
// How much of the full thickness a point has at `fromEnd` (its distance
// from the nearer end, as a fraction of the half length): growing evenly
// to full at the fraction P19 (0.85 when 0).
float slurTaper(float fromEnd, float p19);

// The part drawn, as fractions of the length, from P14 and P15 (values of
// 1 or more, or below 0, count as 0; an end fraction of 0 is the end).
struct SlurPart {
  float from = 0;
  float to = 1;
};
SlurPart slurPart(float p14, float p15);

// One point of the first edge and the thickness the second edge adds there
// (signed: negative below).
struct SlurPoint {
  float x = 0, y = 0, thickness = 0;
};

struct SlurShape {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;  // the ends of the first edge
  float rise = 0;                        // P7 x 7 x s
  float exponent = 2.5f;
  float apex = 0.5f;                     // fraction of the length at the apex
  float thickness = 0;                   // full thickness in page units
  float taperAt = 0.85f;                 // P19
  bool upDown = false;                   // P12 = -1: up in the first half, down in the second
  int points = 8;
};
// The first edge and thicknesses of a whole slur, from start to end.
std::vector<SlurPoint> slurPoints(const SlurShape& shape);
// The points between two fractions of the length, the bounds interpolated.
std::vector<SlurPoint> slurPartPoints(const std::vector<SlurPoint>& points, float x1, float length, SlurPart part);

}  // namespace ts
