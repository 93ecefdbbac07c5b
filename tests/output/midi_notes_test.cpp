// The note list of a track: positions across the staves of its list,
// lengths (dots, missing and negative rhythms), pitches under clefs, keys,
// bar lines and octave signs, and ties.

#include "output/midi_notes.h"

#include <gtest/gtest.h>

#include <cmath>

#include "model/page_store.h"

namespace ts {
namespace {

PageStore pageOf(std::initializer_list<std::vector<float>> items) {
  PageStore page;
  for (const std::vector<float>& params : items) page.append(ItemRecord{params, ""});
  return page;
}

std::vector<float> note(float staff, float p3, float p4, float p7, float p5 = 10) { return {1, staff, p3, p4, p5, 0, p7}; }

MidiTrack trackOf(std::initializer_list<int> staves) {
  MidiTrack track;
  std::copy(staves.begin(), staves.end(), track.staves.begin());
  return track;
}

TEST(MidiNotes, LaterStavesOfATrackStand400PositionsFurtherOn) {
  const PageStore page = pageOf({note(6, 10, 3, 1), note(2, 10, 3, 1), note(2, 20.7f, 5, 1), note(4, 10, 3, 1)});
  const TrackNotes list = extractTrackNotes(page, trackOf({2, 6}));
  ASSERT_EQ(list.notes.size(), 3u);
  EXPECT_EQ(list.notes[0].position, 20);
  EXPECT_EQ(list.notes[1].position, 41);
  EXPECT_EQ(list.notes[2].position, 420);
  EXPECT_EQ(list.notes[2].item, 1);
}

TEST(MidiNotes, LengthsOfRhythms) {
  struct Case {
    std::vector<float> item;
    std::optional<double> quarters;
    bool missing;
  };
  for (const Case& c : {
           Case{note(1, 10, 3, 1), 1.0, false},
           Case{note(1, 10, 3, 0.5f), 0.5, false},
           Case{note(1, 10, 3, 1001.5f), 1.5, false},   // a dotted quarter, never a grace note
           Case{note(1, 10, 3, 2001.75f), 1.75, false}, // double-dotted
           Case{note(1, 10, 3, 64), 64.0, false},       // a grace note
           Case{note(1, 10, 3, -1), std::nullopt, false},
           Case{note(1, 10, 3, 0), 4.0, true},
           Case{note(1, 10, 3, 1000), 4.0, true},
           Case{note(1, 10, 3, NAN), 4.0, true},
           Case{{1, 1, 10, 3, 10, 1}, 2.0, true},       // no P7: a half note's head
           Case{{1, 1, 10, 3, 10, 3}, 8.0, true},
           Case{{2, 1, 10, 0, 0}, 1.0, true},           // a quarter rest's glyph
           Case{{2, 1, 10, 0, 1}, 0.5, true},
           Case{{2, 1, 10, 0, -2}, 4.0, true},
           Case{{2, 1, 10, 0, -9}, 4.0, true},
           Case{{2, 1, 10, 0, 0, 0, 3}, 3.0, false},
       }) {
    const PageStore page = pageOf({c.item});
    bool missing = false;
    EXPECT_EQ(playedQuarters(page, 1, missing), c.quarters) << c.item.size();
    EXPECT_EQ(missing, c.missing);
  }
}

TEST(MidiNotes, MissingRhythmsAreNamedAndNegativeOnesLeftOut) {
  const PageStore page = pageOf({note(3, 12.5f, 3, 0), note(3, 20, 3, -1), {2, 3, 30, 0}});
  const TrackNotes list = extractTrackNotes(page, trackOf({3}));
  ASSERT_EQ(list.notes.size(), 2u);
  ASSERT_EQ(list.missing.size(), 2u);
  EXPECT_EQ(list.missing[0].item, 1);
  EXPECT_EQ(list.missing[0].staff, 3);
  EXPECT_EQ(list.missing[0].p3, 12.5f);
  EXPECT_EQ(list.missing[1].item, 3);
}

std::vector<int> pitches(const PageStore& page, int staff) {
  std::vector<int> found;
  for (const MidiNote& n : extractTrackNotes(page, trackOf({staff})).notes) {
    if (n.code == kCodeNote) found.push_back(n.midiNote);
  }
  return found;
}

TEST(MidiNotes, ClefsKeysAndBarsDecideThePitch) {
  const PageStore page = pageOf({
      note(1, 5, 3, 1, 11),      // E flat under the treble clef before any clef item
      {3, 1, 8, 0, 1},           // bass clef
      {17, 1, 9, 0, 1},          // G major
      note(1, 10, 9, 1),         // F: sharp by the key
      note(1, 12, 9, 1, 13),     // natural, for the rest of the bar
      note(1, 14, 9, 1),
      {14, 1, 15, 1},            // bar line
      note(1, 16, 9, 1),         // the key again
      {14, 0, 17, 2},            // a bar from staff 0 spanning staff 1 ends a bar too
      note(1, 18, 10, 1, 12),    // G sharp
      note(1, 19, 3, 1),         // another G, an octave down: its own step
      note(1, 20, 10, 1),        // held sharp
      {3, 1, 21, 0, 0.8f},       // treble clef an octave down
      note(1, 22, 3, 1),
  });
  EXPECT_EQ(pitches(page, 1), (std::vector<int>{63, 54, 53, 53, 54, 56, 43, 56, 52}));
}

TEST(MidiNotes, ClefsActInPositionOrderNotPageOrder) {
  const PageStore page = pageOf({note(1, 30, 3, 1), {3, 1, 2, 0, 1}});
  EXPECT_EQ(pitches(page, 1), std::vector<int>{43});
}

TEST(MidiNotes, OctaveSignsMoveTheNotesUnderThem) {
  const PageStore page = pageOf({
      {7, 1, 10, 12, 0, 20, 8},     // 8va from 10 to 20
      {7, 1, 30, 12, 0, 40, -8},    // 8vb
      {7, 1, 50, 12, 0, 60, 15},    // 15ma
      {7, 1, 50, 12, 0, 60, 155},   // 155 counts as 15
      {7, 1, 70, 12, 0, 80, 3},     // an ornament, no octave sign
      note(1, 5, 3, 1), note(1, 10, 3, 1), note(1, 20, 3, 1), note(1, 20.5f, 3, 1), note(1, 35, 3, 1),
      note(1, 55, 3, 1), note(1, 75, 3, 1),
  });
  EXPECT_EQ(pitches(page, 1), (std::vector<int>{64, 76, 76, 64, 52, 112, 64}));
}

TEST(MidiNotes, TiesJoinNotesOfOneStep) {
  const PageStore page = pageOf({
      note(1, 10, 5, 2, 12), note(1, 10, 3, 2), note(1, 20, 5, 1), note(1, 20, 3, 1),  // chord, tied on the G
      {5, 1, 11, 5, 5, 21, 1, 0.5f},
      note(1, 30, 7, 1), note(1, 40, 8, 1),  // a slur between two steps: no tie
      {5, 1, 31, 7, 8, 41, 1},
      note(1, 50, 9, 1), note(1, 60, 9, 1), note(1, 70, 9, 1),  // a chain of two ties
      {5, 1, 51, 9, 9, 61, 1}, {5, 1, 61, 9, 9, 71, 1},
  });
  const TrackNotes list = extractTrackNotes(page, trackOf({1}));
  ASSERT_EQ(list.notes.size(), 9u);
  EXPECT_EQ(list.notes[0].tieNext, 2);  // the G sharp at 10 holds through the G at 20
  EXPECT_TRUE(list.notes[2].tiedOn);
  EXPECT_EQ(list.notes[2].midiNote, 68);  // and keeps its sharp
  EXPECT_EQ(list.notes[1].tieNext, -1);
  EXPECT_FALSE(list.notes[3].tiedOn);
  EXPECT_EQ(list.notes[4].tieNext, -1);
  EXPECT_FALSE(list.notes[5].tiedOn);
  EXPECT_EQ(list.notes[6].tieNext, 7);
  EXPECT_EQ(list.notes[7].tieNext, 8);
  EXPECT_TRUE(list.notes[8].tiedOn);
}

TEST(MidiNotes, ATrackHoldsAtMostAPageOfNotes) {
  PageStore page;
  for (int i = 0; i < 100; ++i) page.append(ItemRecord{note(1, static_cast<float>(i), 3, 1), ""});
  MidiTrack track;
  track.staves.fill(1);
  const TrackNotes list = extractTrackNotes(page, track);
  EXPECT_EQ(list.notes.size(), 1600u);
  EXPECT_FALSE(list.overflow);
  PageStore full;
  for (int i = 0; i < 500; ++i) full.append(ItemRecord{note(1, static_cast<float>(i), 3, 1), ""});
  const TrackNotes capped = extractTrackNotes(full, track);
  EXPECT_EQ(capped.notes.size(), static_cast<size_t>(kMostTrackNotes));
  EXPECT_TRUE(capped.overflow);
}

}  // namespace
}  // namespace ts
