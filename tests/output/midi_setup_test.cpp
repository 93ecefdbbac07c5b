// The track set-up: tracks typed as text, the tempo and loudness a set-up
// plays at, and the automatic set-up of a page's systems.

#include "output/midi_setup.h"

#include <gtest/gtest.h>

#include "model/page_store.h"

namespace ts {
namespace {

std::vector<int> stavesOf(const MidiTrack& track) { return {track.staves.begin(), track.staves.begin() + track.staffCount()}; }

TEST(MidiSetup, TracksAsText) {
  struct Case {
    const char* text;
    bool valid;
    int channel, instrument, amplitude, transposition;
    std::vector<int> staves;
  };
  for (const Case& c : {
           Case{"0:0:100:0:1", true, 0, 0, 100, 0, {1}},
           Case{"15:127:127:-12:4,2", true, 15, 127, 127, -12, {4, 2}},
           Case{"3:40:0:127:1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16", true, 3, 40, 0, 127,
                {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}},
           Case{"0:0:100:0:1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17", false, 0, 0, 0, 0, {}},
           Case{"16:0:100:0:1", false, 0, 0, 0, 0, {}},
           Case{"0:128:100:0:1", false, 0, 0, 0, 0, {}},
           Case{"0:0:128:0:1", false, 0, 0, 0, 0, {}},
           Case{"0:0:100:-128:1", false, 0, 0, 0, 0, {}},
           Case{"0:0:100:0:0", false, 0, 0, 0, 0, {}},
           Case{"0:0:100:0:10000", false, 0, 0, 0, 0, {}},
           Case{"0:0:100:0:", false, 0, 0, 0, 0, {}},
           Case{"0:0:100:0:1,,2", false, 0, 0, 0, 0, {}},
           Case{"0:0:100:1", false, 0, 0, 0, 0, {}},
           Case{"0:0:100:0:1:2", false, 0, 0, 0, 0, {}},
           Case{"a:0:100:0:1", false, 0, 0, 0, 0, {}},
           Case{"0:0:1e2:0:1", false, 0, 0, 0, 0, {}},
           Case{"0:0:99999999999:0:1", false, 0, 0, 0, 0, {}},
       }) {
    const std::optional<MidiTrack> track = parseMidiTrack(c.text);
    ASSERT_EQ(track.has_value(), c.valid) << c.text;
    if (!track) continue;
    EXPECT_EQ(track->channel, c.channel) << c.text;
    EXPECT_EQ(track->instrument, c.instrument) << c.text;
    EXPECT_EQ(track->amplitude, c.amplitude) << c.text;
    EXPECT_EQ(track->transposition, c.transposition) << c.text;
    EXPECT_EQ(stavesOf(*track), c.staves) << c.text;
  }
}

TEST(MidiSetup, TempoAndVelocityPlayed) {
  struct Case {
    int value, tempo, velocity;
  };
  for (const Case& c : {Case{0, 120, 100}, Case{-5, 120, 100}, Case{60, 60, 60}, Case{127, 127, 127}, Case{500, 500, 127},
                        Case{5000, 1000, 127}}) {
    EXPECT_EQ(playingTempo(c.value), c.tempo) << c.value;
    EXPECT_EQ(playingVelocity(c.value), c.velocity) << c.value;
  }
}

TEST(MidiSetup, ClearedSetUpNamesNoStaves) {
  MidiSetup setup;
  EXPECT_FALSE(setup.hasStaves());
  setup.tracks[7].staves[0] = 3;
  EXPECT_TRUE(setup.hasStaves());
}

PageStore pageOf(std::initializer_list<std::vector<float>> items) {
  PageStore page;
  for (const std::vector<float>& params : items) page.append(ItemRecord{params, ""});
  return page;
}

std::vector<float> noteOn(float staff) { return {1, staff, 10, 3, 10, 0, 1}; }

TEST(MidiSetup, AutoSetupPlaysTheSystemsInTurn) {
  struct Case {
    const char* what;
    PageStore page;
    std::vector<std::vector<int>> tracks;
  };
  const std::vector<Case> cases = {
      {"two systems of two staves, joined by braces and bars",
       pageOf({{14, 3, 0, 2, 8}, {14, 1, 0, 2}, noteOn(1), noteOn(2), noteOn(3), noteOn(4)}), {{4, 2}, {3, 1}}},
      {"one staff a system: one melody", pageOf({noteOn(3), noteOn(1), noteOn(2)}), {{3, 2, 1}}},
      {"a system short of a staff keeps its place with a silent one",
       pageOf({{14, 4, 0, 3}, {14, 1, 0, 2}, noteOn(1), noteOn(2), noteOn(4), noteOn(5), noteOn(6)}), {{6, 2}, {5, 1}, {4, 3}}},
      {"a bar up to the top staff (999) and an invisible bar join too",
       pageOf({{14, 1, 0, 999}, {14, 5, 0, -2}, noteOn(1), noteOn(2), noteOn(5), noteOn(6)}), {{6}, {5}, {2}, {1}}},
      {"staves without notes do not count", pageOf({{8, 3, 0, 0}, noteOn(1)}), {{1}}},
      {"no notes, no tracks", pageOf({{2, 1, 10, 0, 0, 0, 1}}), {}},
  };
  for (const Case& c : cases) {
    const MidiSetup setup = autoSetup(c.page);
    std::vector<std::vector<int>> tracks;
    for (const MidiTrack& track : setup.tracks) {
      if (track.staffCount() > 0) tracks.push_back(stavesOf(track));
    }
    EXPECT_EQ(tracks, c.tracks) << c.what;
    EXPECT_EQ(setup.tempo, 0) << c.what;
  }
}

TEST(MidiSetup, AutoSetupPassesOverTheDrumChannel) {
  PageStore page;
  page.append(ItemRecord{{14, 1, 0, 20}, ""});
  for (int staff = 1; staff <= 20; ++staff) page.append(ItemRecord{noteOn(static_cast<float>(staff)), ""});
  const MidiSetup setup = autoSetup(page);
  std::vector<int> channels;
  for (const MidiTrack& track : setup.tracks) {
    if (track.staffCount() > 0) channels.push_back(track.channel);
    EXPECT_EQ(track.amplitude, 0);
    EXPECT_EQ(track.instrument, 0);
  }
  EXPECT_EQ(channels, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 10, 11, 12, 13, 14, 15}));
  EXPECT_EQ(setup.tracks[0].staves[0], 20);  // the top staff first
}

}  // namespace
}  // namespace ts
