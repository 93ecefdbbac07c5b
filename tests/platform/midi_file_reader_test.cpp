// The player's MIDI file reader: tracks merged in time order with running
// status, tempo and system-exclusive messages; RIFF "RMID" files; damaged
// or oversized files refused whole.

#include "platform/midi_file_reader.h"

#include <gtest/gtest.h>

#include "midi_test_files.h"

namespace ts {
namespace {

using testing::Bytes;
using testing::midiFile;

// The events as "delta kind message" words, for comparing whole lists.
std::vector<std::string> described(const MidiSequence& sequence) {
  std::vector<std::string> lines;
  for (const StreamEvent& e : sequence.events) {
    lines.push_back(std::to_string(e.delta) + " " + std::to_string(static_cast<int>(e.kind)) + " " +
                    std::to_string(e.message) + (e.bytes.empty() ? "" : " +" + std::to_string(e.bytes.size())));
  }
  return lines;
}

TEST(MidiFileReader, MergesTracksInTimeOrderWithRunningStatus) {
  const Bytes tempo{0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x58, 0x04, 4, 2, 24, 8, 0x00, 0xFF, 0x2F, 0x00};
  // Channel 1: a note on at 0 and, in running status, its release at 96.
  const Bytes melody{0x00, 0x91, 60, 100, 0x60, 60, 0, 0x3F, 0xFF, 0x2F, 0x00};
  // Channel 2: a program change at 0 and a note from 48 to 144.
  const Bytes bass{0x00, 0xC2, 5, 0x30, 0x92, 48, 90, 0x60, 0x82, 48, 0, 0x00, 0xFF, 0x2F, 0x00};
  const MidiFileRead read = readMidiFile(midiFile({tempo, melody, bass}));
  ASSERT_EQ(read.error, kMidiDone);
  EXPECT_EQ(read.sequence.division, 96);
  const std::vector<std::string> expected{
      "0 1 500000",                                       // tempo
      "0 0 " + std::to_string(shortMessage(0x91, 60, 100)),  // tracks in order within one tick
      "0 0 " + std::to_string(shortMessage(0xC2, 5, 0)),
      "48 0 " + std::to_string(shortMessage(0x92, 48, 90)),
      "48 0 " + std::to_string(shortMessage(0x91, 60, 0)),
      "48 0 " + std::to_string(shortMessage(0x82, 48, 0)),
      "15 3 0",  // the end of the melody's track, 63 ticks after its last note
  };
  EXPECT_EQ(described(read.sequence), expected);
}

TEST(MidiFileReader, KeepsWholeSystemExclusiveMessagesAndPassesOverEscapes) {
  const Bytes track{0x00, 0xF0, 0x03, 0x7E, 0x7F, 0xF7, 0x00, 0xF7, 0x02, 0xF8, 0xFA, 0x00, 0xFF, 0x2F, 0x00};
  const MidiFileRead read = readMidiFile(midiFile({track}));
  ASSERT_EQ(read.error, kMidiDone);
  ASSERT_EQ(read.sequence.events.size(), 2u);
  EXPECT_EQ(read.sequence.events[0].kind, StreamEvent::Kind::Long);
  EXPECT_EQ(read.sequence.events[0].bytes, (Bytes{0xF0, 0x7E, 0x7F, 0xF7}));
  EXPECT_EQ(streamEventBytes(read.sequence.events[0]), kStreamEventBytes + 4);
}

TEST(MidiFileReader, ReadsTheStandardFileInsideARiffFile) {
  const Bytes smf = midiFile({testing::scaleTrack(2)});
  Bytes riff{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'R', 'M', 'I', 'D', 'd', 'a', 't', 'a'};
  for (int i = 0; i < 4; ++i) riff.push_back(static_cast<uint8_t>(smf.size() >> (8 * i)));
  riff.insert(riff.end(), smf.begin(), smf.end());
  const MidiFileRead read = readMidiFile(riff);
  ASSERT_EQ(read.error, kMidiDone);
  EXPECT_EQ(read.sequence.events.size(), 5u);  // four note messages and the end
}

TEST(MidiFileReader, RefusesDamagedFilesWhole) {
  const Bytes good = midiFile({testing::scaleTrack(3)});
  struct Case {
    const char* what;
    Bytes bytes;
  };
  Bytes truncated(good.begin(), good.end() - 6);
  Bytes longChunk = good;
  longChunk[18] = 0x7F;  // the track's length beyond the file
  Bytes missingTrack = midiFile({testing::scaleTrack(1)});
  missingTrack[11] = 2;  // two tracks announced, one there
  const std::vector<Case> cases{
      {"empty", {}},
      {"not a MIDI file", Bytes{'R', 'I', 'F', 'F', 0, 0, 0, 0, 'W', 'A', 'V', 'E'}},
      {"cut short", truncated},
      {"a chunk longer than the file", longChunk},
      {"a missing track", missingTrack},
      {"format 2", midiFile({testing::scaleTrack(1)}, 96, 2)},
      {"division 0", midiFile({testing::scaleTrack(1)}, 0)},
      {"SMPTE division", midiFile({testing::scaleTrack(1)}, 0xE728)},
      {"running status with none set", midiFile({Bytes{0x00, 60, 100}})},
      {"a data byte with its top bit", midiFile({Bytes{0x00, 0x90, 0xC0, 100}})},
      {"an event cut off", midiFile({Bytes{0x00, 0x90, 60}})},
      {"a real-time byte", midiFile({Bytes{0x00, 0xF8}})},
      {"a delta of five bytes", midiFile({Bytes{0x81, 0x81, 0x81, 0x81, 0x01, 0x90, 60, 1}})},
      {"a meta event longer than its track", midiFile({Bytes{0x00, 0xFF, 0x01, 0x20, 'a'}})},
  };
  for (const Case& c : cases) {
    const MidiFileRead read = readMidiFile(c.bytes);
    EXPECT_EQ(read.error, kMidiInvalidFile) << c.what;
    EXPECT_TRUE(read.sequence.events.empty()) << c.what;
  }
}

TEST(MidiFileReader, RefusesPiecesTooLargeOrTooLong) {
  EXPECT_EQ(readMidiFile(Bytes(kLargestMidiFile + 1, 0)).error, kMidiOutOfMemory);
  Bytes many;
  for (size_t i = 0; i <= kMostMidiEvents; ++i) many.insert(many.end(), {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20});
  EXPECT_EQ(readMidiFile(midiFile({many})).error, kMidiOutOfMemory);
  // Deltas of 28 bits add up past 32 bits of ticks.
  Bytes late;
  for (int i = 0; i < 17; ++i) late.insert(late.end(), {0xFF, 0xFF, 0xFF, 0x7F, 0x90, 60, 1});
  EXPECT_EQ(readMidiFile(midiFile({late})).error, kMidiInvalidFile);
}

TEST(MidiFileReader, ATrackWithoutItsEndMarkerEndsAtItsLastEvent) {
  const MidiFileRead read = readMidiFile(midiFile({Bytes{0x00, 0x90, 60, 1, 0x60, 0x80, 60, 0}}));
  ASSERT_EQ(read.error, kMidiDone);
  ASSERT_EQ(read.sequence.events.size(), 3u);
  EXPECT_EQ(read.sequence.events.back().kind, StreamEvent::Kind::Nop);
  EXPECT_EQ(read.sequence.events.back().delta, 0u);
}

}  // namespace
}  // namespace ts
