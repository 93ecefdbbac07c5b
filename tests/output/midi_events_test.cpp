// The event array of a page: what sounds, on which channel, from which tick
// to which, with the track's program, velocity and transposition; grace
// notes, ties and the messages of a page that is not all playable.

#include "output/midi_events.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "model/page_store.h"
#include "output/midi_messages.h"

namespace ts {
namespace {

PageStore pageOf(std::initializer_list<std::vector<float>> items) {
  PageStore page;
  for (const std::vector<float>& params : items) page.append(ItemRecord{params, ""});
  return page;
}

std::vector<float> note(float staff, float p3, float p4, float p7, float p5 = 10) { return {1, staff, p3, p4, p5, 0, p7}; }

MidiSetup setupOf(std::initializer_list<MidiTrack> tracks, int tempo = 0) {
  MidiSetup setup;
  std::copy(tracks.begin(), tracks.end(), setup.tracks.begin());
  setup.tempo = tempo;
  return setup;
}

MidiTrack trackOf(int channel, std::initializer_list<int> staves, int transposition = 0) {
  MidiTrack track;
  track.channel = channel;
  track.transposition = transposition;
  std::copy(staves.begin(), staves.end(), track.staves.begin());
  return track;
}

struct Sounded {
  int channel, note;
  int64_t on, off;
  bool operator==(const Sounded&) const = default;
};

// The notes an event array plays, by channel, then start, then note number.
std::vector<Sounded> sounded(const std::vector<int32_t>& words) {
  std::vector<Sounded> found;
  size_t at = kChannelCountWords;
  for (int channel = 0; channel < kMidiChannels; ++channel) {
    std::map<int, std::vector<int64_t>> open;
    int64_t ticks = 0;
    for (int e = 0; e < words[static_cast<size_t>(channel)]; ++e, at += 2) {
      ticks += words[at + 1];
      const auto word = static_cast<uint32_t>(words[at]);
      const int number = static_cast<int>(word >> 8 & 0xFF);
      if (word >> 24 == kNoteOnByte) open[number].push_back(ticks);
      if (word >> 24 == kNoteOffByte && !open[number].empty()) {
        found.push_back({channel, number, open[number].front(), ticks});
        open[number].erase(open[number].begin());
      }
    }
  }
  std::sort(found.begin(), found.end(), [](const Sounded& a, const Sounded& b) {
    return std::tie(a.channel, a.on, a.note) < std::tie(b.channel, b.on, b.note);
  });
  return found;
}

TEST(MidiEvents, TrebleBottomLineWithAndWithoutAFlat) {
  const MidiEvents events = buildMidiEvents(pageOf({note(1, 10, 3, 1), note(1, 20, 3, 1, 11)}), setupOf({trackOf(0, {1})}));
  EXPECT_EQ(sounded(events.words), (std::vector<Sounded>{{0, 64, 0, 96}, {0, 63, 96, 192}}));
  EXPECT_EQ(events.notes, 2);
  EXPECT_TRUE(events.messages.empty());
}

TEST(MidiEvents, TheEventArrayWordByWord) {
  MidiTrack track = trackOf(2, {1});
  track.instrument = 40;
  track.amplitude = 70;
  const MidiEvents events = buildMidiEvents(pageOf({note(1, 10, 3, 1), note(1, 20, 5, 1)}), setupOf({track}, 60));
  std::vector<int32_t> expected(kChannelCountWords, 0);
  expected[2] = 5;
  for (const int32_t word : {programWord(40), 0, noteOnWord(64, 70), 0, noteOffWord(64, 70), 192, noteOnWord(67, 70), 0,
                             noteOffWord(67, 70), 192}) {
    expected.push_back(word);
  }
  EXPECT_EQ(events.words, expected);
  EXPECT_EQ(static_cast<uint32_t>(programWord(40)), 0xFF210128u);
  EXPECT_EQ(static_cast<uint32_t>(noteOnWord(64, 70)), 0x81004046u);
}

TEST(MidiEvents, StavesOfATrackPlayInTurnAndSystemsTogether) {
  // Staves 2 and 6 make the upper part, 1 and 5 the lower; 2 and 1 sit on the first system.
  const PageStore page = pageOf({note(6, 10, 3, 1), note(2, 10, 3, 1), note(2, 20, 5, 2), note(1, 10, 0, 4),
                                 note(5, 10, 0, 1), note(5, 20, 1, 1)});
  const MidiEvents events = buildMidiEvents(page, setupOf({trackOf(0, {2, 6}), trackOf(1, {1, 5})}));
  EXPECT_EQ(sounded(events.words), (std::vector<Sounded>{{0, 64, 0, 96}, {0, 67, 96, 288}, {0, 64, 384, 480},
                                                         {1, 59, 0, 384}, {1, 59, 384, 480}, {1, 60, 480, 576}}));
}

TEST(MidiEvents, DottedRhythmsPlayTheirLength) {
  const MidiEvents events = buildMidiEvents(pageOf({note(1, 10, 3, 1001.5f), note(1, 20, 3, 0.5f), note(1, 30, 3, 2001.75f)}),
                                            setupOf({trackOf(0, {1})}));
  EXPECT_EQ(sounded(events.words), (std::vector<Sounded>{{0, 64, 0, 144}, {0, 64, 144, 192}, {0, 64, 192, 360}}));
}

TEST(MidiEvents, GraceNotesLeadIntoTheirNote) {
  const PageStore page = pageOf({note(1, 10, 3, 1), note(1, 18, 4, 64), note(1, 19, 5, 64), note(1, 20, 6, 1)});
  EXPECT_EQ(sounded(buildMidiEvents(page, setupOf({trackOf(0, {1})})).words),
            (std::vector<Sounded>{{0, 64, 0, 96}, {0, 65, 86, 91}, {0, 67, 91, 96}, {0, 69, 96, 192}}));
  // Grace notes before the first note: the piece starts later instead of before 0.
  const PageStore first = pageOf({note(1, 9, 4, 64), note(1, 10, 3, 1)});
  EXPECT_EQ(sounded(buildMidiEvents(first, setupOf({trackOf(0, {1})})).words),
            (std::vector<Sounded>{{0, 65, 0, 5}, {0, 64, 5, 101}}));
}

TEST(MidiEvents, ATieHoldsOneNote) {
  const PageStore page = pageOf({note(1, 10, 5, 2), note(1, 20, 5, 1), {5, 1, 11, 5, 5, 21, 1, 0.5f}, note(1, 30, 5, 1)});
  EXPECT_EQ(sounded(buildMidiEvents(page, setupOf({trackOf(0, {1})})).words),
            (std::vector<Sounded>{{0, 67, 0, 288}, {0, 67, 288, 384}}));
}

TEST(MidiEvents, ARepeatedNoteIsReleasedBeforeItSoundsAgain) {
  const MidiEvents events = buildMidiEvents(pageOf({note(1, 10, 3, 1), note(1, 20, 3, 1)}), setupOf({trackOf(0, {1})}));
  EXPECT_EQ(static_cast<uint32_t>(events.words[kChannelCountWords + 4]) >> 24, kNoteOffByte);
  EXPECT_EQ(static_cast<uint32_t>(events.words[kChannelCountWords + 6]) >> 24, kNoteOnByte);
}

TEST(MidiEvents, NotesBeyondTheMidiRangeAreLeftOutWithAMessage) {
  const PageStore page = pageOf({note(1, 10, 3, 1), note(1, 20, 90, 1), note(1, 30, -90, 1)});
  const MidiEvents events = buildMidiEvents(page, setupOf({trackOf(0, {1}, 60)}));
  EXPECT_EQ(sounded(events.words), (std::vector<Sounded>{{0, 124, 0, 96}}));
  EXPECT_EQ(events.messages, std::vector<std::string>{midi_messages::countedMessage(midi_messages::kOutOfRange, 2)});
}

TEST(MidiEvents, MissingRhythmsAreToldAndCounted) {
  PageStore page;
  for (int i = 1; i <= 12; ++i) page.append(ItemRecord{{1, 4, 10.0f * static_cast<float>(i), 3}, ""});
  page.append(ItemRecord{{1, 4, 106.375f, 3, 10, 0, 0}, ""});
  const MidiEvents events = buildMidiEvents(page, setupOf({trackOf(0, {4})}));
  ASSERT_EQ(events.messages.size(), 11u);
  EXPECT_EQ(events.messages[0], "Missing rhythm (P7): Item=   1,  Staff=  4,  Pos.=    10\n\rRhythm changed to whole note.");
  EXPECT_EQ(events.messages[10], "*** Further notes and rests without rhythm (P7), played as whole notes: 3");
  EXPECT_EQ(midi_messages::missingRhythmMessage(13, 4, 106.375f),
            "Missing rhythm (P7): Item=  13,  Staff=  4,  Pos.=106.375\n\rRhythm changed to whole note.");
  EXPECT_EQ(sounded(events.words)[1], (Sounded{0, 64, 384, 768}));
}

TEST(MidiEvents, RestsAloneAndEmptyTracksGiveNoNotes) {
  const MidiEvents rests = buildMidiEvents(pageOf({{2, 1, 10, 0, 0, 0, 1}}), setupOf({trackOf(0, {1})}));
  EXPECT_EQ(rests.notes, 0);
  EXPECT_EQ(rests.words, std::vector<int32_t>(kChannelCountWords, 0));
  EXPECT_EQ(buildMidiEvents(pageOf({note(1, 10, 3, 1)}), MidiSetup{}).notes, 0);
}

}  // namespace
}  // namespace ts
