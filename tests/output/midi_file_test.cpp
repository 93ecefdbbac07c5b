// The standard MIDI file of an event array, byte for byte: variable-length
// delta times, the header's track count, the fixed tempo track, one track
// per channel with events, and arrays that do not hold what they count.

#include "output/midi_file.h"

#include <gtest/gtest.h>

#include "output/midi_events.h"

namespace ts {
namespace {

using Bytes = std::vector<uint8_t>;

TEST(MidiFile, VariableLengthQuantities) {
  struct Case {
    uint32_t value;
    Bytes bytes;
  };
  for (const Case& c : {
           Case{0, {0x00}}, Case{0x40, {0x40}}, Case{127, {0x7F}}, Case{128, {0x81, 0x00}}, Case{192, {0x81, 0x40}},
           Case{0x2000, {0xC0, 0x00}}, Case{0x3FFF, {0xFF, 0x7F}}, Case{0x4000, {0x81, 0x80, 0x00}},
           Case{0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
           Case{0x10000080, {0x81, 0x00}},  // masked to 28 bits
       }) {
    Bytes bytes;
    appendVariableLength(bytes, c.value);
    EXPECT_EQ(bytes, c.bytes) << c.value;
  }
}

// An event array: the counts of channels 0..15, then each channel's events.
std::vector<int32_t> eventArray(const std::vector<std::vector<int32_t>>& channels) {
  std::vector<int32_t> words(kChannelCountWords, 0);
  for (size_t c = 0; c < channels.size(); ++c) {
    words[c] = static_cast<int32_t>(channels[c].size() / 2);
    words.insert(words.end(), channels[c].begin(), channels[c].end());
  }
  return words;
}

const Bytes kHeadAndTempoTrack = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1, 0, 1, 0, 0x60, 'M', 'T', 'r', 'k', 0, 0, 0, 0x13,
                                  0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08, 0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,
                                  0x00, 0xFF, 0x2F, 0x00};

TEST(MidiFile, NoEventsGiveTheHeaderAndTheTempoTrack) {
  EXPECT_EQ(midiFileImage(eventArray({})), kHeadAndTempoTrack);
  EXPECT_EQ(midiFileImage({}), kHeadAndTempoTrack);
}

TEST(MidiFile, OneChannelByteForByte) {
  const std::vector<int32_t> events = eventArray({{}, {}, {programWord(19), 0, noteOnWord(64, 90), 0, noteOffWord(64, 90), 128}});
  Bytes expected = kHeadAndTempoTrack;
  expected[11] = 2;  // two tracks
  const Bytes track = {'M', 'T', 'r', 'k', 0, 0, 0, 16,
                       0x00, 0xC2, 19, 0x00, 0x92, 64, 90, 0x81, 0x00, 0x82, 64, 90, 0x3F, 0xFF, 0x2F, 0x00};
  expected.insert(expected.end(), track.begin(), track.end());
  EXPECT_EQ(midiFileImage(events), expected);
}

TEST(MidiFile, TwoChannelsGiveThreeTracksInChannelOrder) {
  const Bytes image = midiFileImage(eventArray({{}, {}, {}, {}, {}, {noteOnWord(60, 1), 0}, {}, {}, {}, {}, {}, {}, {},
                                                {}, {}, {noteOnWord(62, 1), 0}}));
  EXPECT_EQ(image[11], 3);
  ASSERT_EQ(image.size(), kHeadAndTempoTrack.size() + 2 * (8 + 4 + 4));
  EXPECT_EQ(image[kHeadAndTempoTrack.size() + 9], 0x95);
  EXPECT_EQ(image[kHeadAndTempoTrack.size() + 16 + 9], 0x9F);
}

TEST(MidiFile, EventWordsTheWriterKnowsAndOnesItLeavesOut) {
  struct Case {
    int32_t word;
    Bytes bytes;  // after the delta time; empty: left out with its delta
  };
  for (const Case& c : {
           Case{noteOnWord(60, 100), {0x90, 60, 100}},
           Case{noteOffWord(60, 0), {0x80, 60, 0}},
           Case{programWord(127), {0xC0, 127}},
           Case{static_cast<int32_t>(0xE0000040), {0xE0, 0x00, 0x40}},  // a whole pitch bend, never a short message
           Case{static_cast<int32_t>(0x81FFFFFF), {0x90, 0x7F, 0x7F}},  // data bytes keep their seven bits
           Case{0x12345678, {}},
           Case{0, {}},
       }) {
    const Bytes image = midiFileImage(eventArray({{c.word, 5}}));
    Bytes expected = {0x05};
    expected.insert(expected.end(), c.bytes.begin(), c.bytes.end());
    if (c.bytes.empty()) expected.clear();
    const Bytes events(image.begin() + static_cast<long>(kHeadAndTempoTrack.size() + 8), image.end() - 4);
    EXPECT_EQ(events, expected) << std::hex << c.word;
  }
}

TEST(MidiFile, CountsBeyondTheArrayTakeWhatItHolds) {
  std::vector<int32_t> words(kChannelCountWords, 0);
  words[0] = -5;
  words[1] = 1000000;
  words.insert(words.end(), {noteOnWord(60, 1), 0, noteOffWord(60, 1)});  // half an event at the end
  const Bytes image = midiFileImage(words);
  EXPECT_EQ(image[11], 2);  // channel 1 only
  const Bytes track(image.begin() + static_cast<long>(kHeadAndTempoTrack.size()), image.end());
  EXPECT_EQ(track, (Bytes{'M', 'T', 'r', 'k', 0, 0, 0, 8, 0x00, 0x91, 60, 1, 0x3F, 0xFF, 0x2F, 0x00}));
}

}  // namespace
}  // namespace ts
