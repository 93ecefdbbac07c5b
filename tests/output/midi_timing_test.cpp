// When positions play: one time per position for all tracks, nothing cut
// short by a staff with shorter notes, grace notes taking no time; and
// ticks from quarters at a tempo.

#include "output/midi_timing.h"

#include <gtest/gtest.h>

#include "model/item_codes.h"

namespace ts {
namespace {

MidiNote at(int64_t position, double quarters) {
  MidiNote note;
  note.code = kCodeNote;
  note.position = position;
  note.quarters = quarters;
  return note;
}

TrackNotes track(std::initializer_list<MidiNote> notes) { return TrackNotes{notes, {}, false}; }

std::vector<double> timesOf(const std::vector<TrackNotes>& tracks, const std::vector<int64_t>& positions) {
  const PositionTimes times(tracks);
  std::vector<double> found;
  for (const int64_t p : positions) found.push_back(times.at(p));
  return found;
}

TEST(MidiTiming, PositionsFollowTheLengthsBeforeThem) {
  struct Case {
    const char* what;
    std::vector<TrackNotes> tracks;
    std::vector<int64_t> positions;
    std::vector<double> times;
  };
  const std::vector<Case> cases = {
      {"one staff", {track({at(10, 1), at(20, 0.5), at(30, 2), at(40, 1)})}, {10, 20, 30, 40}, {0, 1, 1.5, 3.5}},
      {"a chord and a second voice: the shorter moves on",
       {track({at(10, 2), at(10, 1), at(20, 1), at(30, 1)})}, {10, 20, 30}, {0, 1, 2}},
      {"a staff with longer notes is not cut short",
       {track({at(10, 2), at(30, 1)}), track({at(10, 1), at(20, 1), at(30, 1)})}, {10, 20, 30}, {0, 1, 2}},
      {"a missing rest leaves a gap rather than two notes at once",
       {track({at(10, 1), at(30, 1)}), track({at(10, 1), at(20, 1), at(30, 1)})}, {10, 20, 30}, {0, 1, 2}},
      {"shared positions of two tracks have one time, a later start follows the first",
       {track({at(10, 1), at(20, 1), at(30, 1)}), track({at(20, 4), at(70, 1)})}, {10, 20, 30, 70}, {0, 1, 2, 5}},
      {"grace notes take no time", {track({at(10, 1), at(18, 64), at(19, 64), at(20, 1)})}, {18, 19, 20}, {1, 1, 1}},
      {"staves of one track follow each other", {track({at(20, 1), at(40, 2), at(420, 1)})}, {420}, {3}},
      {"a position that only begins tracks follows the one before",
       {track({at(10, 0.5)}), track({at(15, 1)})}, {15}, {0.5}},
  };
  for (const Case& c : cases) EXPECT_EQ(timesOf(c.tracks, c.positions), c.times) << c.what;
}

TEST(MidiTiming, PositionsWithoutNotesHaveNoTime) {
  EXPECT_EQ(timesOf({track({at(10, 1), at(20, 1)})}, {15, 30}), (std::vector<double>{0, 0}));
  EXPECT_EQ(timesOf({}, {0}), std::vector<double>{0});
}

TEST(MidiTiming, TicksOfQuartersAtATempo) {
  struct Case {
    double quarters;
    int tempo;
    int64_t ticks;
  };
  for (const Case& c : {
           Case{1, 120, 96}, Case{1, 60, 192}, Case{2, 60, 384}, Case{1, 100, 115}, Case{1.0 / 3, 100, 38},
           Case{10.0 / 3, 100, 384}, Case{0.05, 120, 5}, Case{-1, 120, 0}, Case{1e12, 1, kLargestTick},
       }) {
    EXPECT_EQ(ticksAt(c.quarters, c.tempo), c.ticks) << c.quarters << " at " << c.tempo;
  }
}

}  // namespace
}  // namespace ts
