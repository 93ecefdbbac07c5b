// The set-up file: what the writer makes reads back the same; a damaged
// line is left out with its reason and the rest is taken; the dialogs' rows.

#include "output/midi_list.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

namespace msg = midi_list_messages;

MidiSetup sampleSetup() {
  MidiSetup setup;
  setup.tempo = 96;
  setup.tracks[0] = {0, 0, 100, 0, {2, 4, 6, 8}};
  setup.tracks[5] = {10, 40, 127, -12, {1}};
  setup.tracks[15] = {15, 127, 0, 127, {}};  // an instrument set before its staves
  for (int s = 0; s < kStavesPerTrack; ++s) setup.tracks[3].staves[static_cast<size_t>(s)] = kHighestStaffNumber - s;
  return setup;
}

TEST(MidiList, WhatIsWrittenReadsBackTheSame) {
  const MidiSetup setup = sampleSetup();
  const std::string text = midiListText(setup);
  EXPECT_NE(text.find("\nTMP 96\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nTRK  1 ch 0 instr 0 ampl 100 transp 0 staves 2 4 6 8\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nTRK 16 ch 15 instr 127 ampl 0 transp 127 staves\n"), std::string::npos) << text;
  const MidiListReading reading = readMidiList(text);
  EXPECT_EQ(reading.damagedLines, 0);
  EXPECT_EQ(reading.tracks, 4);
  EXPECT_EQ(reading.setup.tempo, 96);
  for (size_t t = 0; t < setup.tracks.size(); ++t) {
    EXPECT_EQ(trackRowText(reading.setup.tracks[t]), trackRowText(setup.tracks[t])) << "track " << t + 1;
  }
}

TEST(MidiList, DamagedLinesAreLeftOutWithTheirReason) {
  struct Case {
    const char* line;
    const char* why;  // nullptr: taken
  };
  for (const Case& c : {
           Case{"trk 2 CH 1 Instr 3 ampl 0 transp +12 staves 5", nullptr},
           Case{"  TMP\t60  ", nullptr},
           Case{"# a remark", nullptr},
           Case{"", nullptr},
           Case{"TMP 1001", msg::kBadTempo},
           Case{"TMP", msg::kBadTempo},
           Case{"TMP 60 70", msg::kBadTempo},
           Case{"TRK 0 ch 0 instr 0 ampl 0 transp 0 staves 1", msg::kBadTrackNumber},
           Case{"TRK 17 ch 0 instr 0 ampl 0 transp 0 staves 1", msg::kBadTrackNumber},
           Case{"TRK 99999999999 ch 0", msg::kBadTrackNumber},
           Case{"TRK 2", msg::kBadFields},
           Case{"TRK 2 instr 0 ch 0 ampl 0 transp 0 staves 1", msg::kBadFields},
           Case{"TRK 2 ch 0 instr 0 ampl 0 transp 0", msg::kBadFields},
           Case{"TRK 2 ch 16 instr 0 ampl 0 transp 0 staves 1", msg::kBadValue},
           Case{"TRK 2 ch 0 instr 128 ampl 0 transp 0 staves 1", msg::kBadValue},
           Case{"TRK 2 ch 0 instr 0 ampl 0 transp +-5 staves 1", msg::kBadValue},
           Case{"TRK 2 ch 0 instr 0 ampl 0 transp 0 staves 0", msg::kBadValue},
           Case{"TRK 2 ch 0 instr 0 ampl 0 transp 0 staves 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17", msg::kBadValue},
           Case{"TRK 2 ch 0 instr 0 ampl 0 transp 0 staves 1.5", msg::kBadValue},
           Case{"TEMPO 60", msg::kUnknownKeyword},
       }) {
    const MidiListReading reading = readMidiList(std::string("TRK 1 ch 3 instr 0 ampl 0 transp 0 staves 7\n") + c.line + "\n");
    EXPECT_EQ(reading.setup.tracks[0].staves[0], 7) << c.line;  // the good line is kept
    if (c.why == nullptr) {
      EXPECT_EQ(reading.damagedLines, 0) << c.line;
      continue;
    }
    ASSERT_EQ(reading.damaged.size(), 1u) << c.line;
    EXPECT_EQ(reading.damaged[0], std::string("line 2: ") + c.why);
    EXPECT_EQ(reading.setup.tracks[1].staffCount(), 0) << c.line;
  }
}

TEST(MidiList, ATrackNamedTwiceKeepsItsFirstLineAndDamageIsCountedBeyondWhatIsListed) {
  std::string text = "TRK 1 ch 3 instr 0 ampl 0 transp 0 staves 7\nTRK 1 ch 4 instr 0 ampl 0 transp 0 staves 8\n";
  for (int i = 0; i < 20; ++i) text += "junk\n";
  const MidiListReading reading = readMidiList(text);
  EXPECT_EQ(reading.setup.tracks[0].channel, 3);
  EXPECT_EQ(reading.damagedLines, 21);
  ASSERT_EQ(reading.damaged.size(), static_cast<size_t>(kReportedDamagedLines));
  EXPECT_EQ(reading.damaged[0], std::string("line 2: ") + msg::kTrackTwice);
}

TEST(MidiList, DialogRows) {
  struct Case {
    const char* typed;
    bool valid;
    const char* shown;  // the row as the dialog shows it again
  };
  for (const Case& c : {
           Case{"", true, ""},
           Case{"  ", true, ""},
           Case{"0 0 0 0", true, ""},
           Case{"3 40 90 +12 4 2", true, "3 40 90 12 4 2"},
           Case{"3 40 90 -12", true, "3 40 90 -12"},
           Case{"3 40 90", false, ""},
           Case{"16 0 0 0 1", false, ""},
           Case{"3 40 90 12 0", false, ""},
           Case{"3 40 x 12 1", false, ""},
       }) {
    const std::optional<MidiTrack> track = parseTrackRow(c.typed);
    ASSERT_EQ(track.has_value(), c.valid) << c.typed;
    if (!track) continue;
    EXPECT_EQ(trackRowText(*track), c.shown) << c.typed;
  }
}

}  // namespace
}  // namespace ts
