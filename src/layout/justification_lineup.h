#pragma once
// Counting a staff's beats and lining staves up by them: the notes and
// rests carry their durations in quarters (P7); each column starts at the
// running sum of the shortest duration of every column before it.

#include <span>
#include <vector>

namespace ts {

constexpr float kGraceDuration = 64.0f;  // durations from here on are grace notes: no time of the bar

struct TimedItem {
  float x = 0.0f;
  float duration = 0.0f;  // quarters
};

struct BeatColumn {
  float x = 0.0f;
  double beat = 0.0;  // quarters before the column
};

struct StaffBeats {
  std::vector<BeatColumn> columns;
  double total = 0.0;  // quarters of the whole staff
};

// A running sum within 0.005 of a whole number is that number.
double roundedBeat(double sum);

// The beats of a staff's notes and rests (in any order). Items with no
// duration, or a grace duration, or a position or duration that is not a
// number, count for nothing.
StaffBeats countBeats(std::span<const TimedItem> items);

// Where beat `beat` falls on a staff whose columns are `reference`: on the
// column of that beat, or linearly between the two columns whose beats
// enclose it; past the last column, between it and `right` at the staff's
// total. Nothing to go by (no columns): `right`.
float positionAtBeat(const StaffBeats& reference, double beat, float right);

// A piecewise-linear move of positions: knots (from, to) in increasing
// order; positions outside the knots stay.
struct Knot {
  float from = 0.0f;
  float to = 0.0f;
};
float mapThroughKnots(float position, std::span<const Knot> knots);

// The knots that put each column of `staff` at the position its beat has
// on `reference`, between the fixed ends `left` and `right`. Knots that
// would turn the order round are left out.
std::vector<Knot> lineUpKnots(const StaffBeats& staff, const StaffBeats& reference, float left, float right);

}  // namespace ts
