#pragma once
// When each position of the page plays, and how times become ticks.

#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "output/midi_notes.h"

namespace ts {

constexpr double kTicksPerMinute = 11520.0;  // ticks a minute: 96 a quarter at tempo 120
constexpr int64_t kLargestTick = 0x0FFFFFFF;  // the 28 bits a delta time may carry

// The time, in quarter notes from the start, of every position where a
// note or rest of some track stands. One position has one time for all
// tracks, so the staves of a system sound together. The first position is
// at 0. A later one is at the latest end of the notes and rests that the
// tracks standing there played last (so none of them is cut short,
// whichever of two staves writes longer notes); no position is earlier
// than the one before it. Where every track standing there begins its list,
// it follows the one before by that one's shortest length. A track's last
// notes end after the shortest of the notes and rests it has at one
// position (the voice that moves on first); grace notes take no time.
class PositionTimes {
 public:
  explicit PositionTimes(std::span<const TrackNotes> tracks);
  // The time of a position that holds a note or rest; 0 for any other.
  double at(int64_t position) const;

 private:
  std::vector<std::pair<int64_t, double>> m_times;  // by position
};

// Ticks from the start of a time in quarters at a tempo (quarter notes a
// minute): 11520 / tempo a quarter, rounded, held within 0..2^28 - 1. Each
// delta time is the difference of two such counts, so rounding never
// accumulates along a piece.
int64_t ticksAt(double quarters, int tempo);

}  // namespace ts
