// The sequencer against the fake output: its states and their refusals,
// buffers filled and refilled until the piece ends by itself, play while
// playing, stop during a pause, the 32768-byte buffer limit and the done
// message.

#include "platform/midi_sequencer.h"

#include <gtest/gtest.h>

#include "midi_test_files.h"
#include "platform/fake_midi_output.h"

namespace ts {
namespace {

using testing::Bytes;
using testing::midiFile;

struct Sequencer : ::testing::Test {
  FakeMidiOutput device;
  std::vector<SequencerNotice> notices;
  MidiSequencer sequencer{[this](const SequencerNotice& notice) { notices.push_back(notice); }};
  Sequencer() {
    sequencer.setDevice(&device);
    sequencer.setReturnTimeout(std::chrono::milliseconds(200));
  }
  size_t eventsHandedOver() const {
    size_t events = 0;
    for (const auto& buffer : device.record().buffers) events += buffer.size();
    return events;
  }
};

TEST(SequencerBuffers, GrowFrom4096To32768ThenRunOutOfMemory) {
  struct Case {
    size_t eventBytes;
    std::optional<size_t> size;
  };
  for (const Case& c : {Case{12, 4096}, Case{4032, 4096}, Case{4033, 8192}, Case{8128, 8192}, Case{8129, 16384},
                        Case{32704, 32768}, Case{32705, std::nullopt}, Case{1u << 30, std::nullopt}}) {
    EXPECT_EQ(bufferSizeFor(c.eventBytes), c.size) << c.eventBytes;
  }
}

TEST_F(Sequencer, PlaysThePieceThroughAndSaysItEndedByItself) {
  // 1000 notes: 2001 events of 12 bytes; the three 4096-byte buffers hold 336 each.
  const Bytes file = midiFile({testing::scaleTrack(1000)});
  ASSERT_EQ(sequencer.openFile(file, "c:\\!tmp\\tsmmidi.mid"), kMidiDone);
  EXPECT_EQ(sequencer.state(), SequencerState::Opened);
  ASSERT_EQ(sequencer.preroll(), kMidiDone);
  EXPECT_EQ(sequencer.state(), SequencerState::Prerolled);
  EXPECT_EQ(device.record().timeDivision, 96);
  EXPECT_EQ(sequencer.buffersOut(), static_cast<int>(kStreamBuffers));
  EXPECT_EQ(device.record().buffers[0].size(), (4096 - kStreamHeaderBytes) / kStreamEventBytes);
  ASSERT_EQ(sequencer.start(), kMidiDone);
  EXPECT_EQ(sequencer.state(), SequencerState::Playing);
  int returned = 0;
  while (device.finishNextBuffer()) ++returned;
  EXPECT_EQ(returned, 6);  // three at the preroll, three refilled (336, 336, 321)
  EXPECT_EQ(eventsHandedOver(), 2001u);
  EXPECT_EQ(device.record().buffers.back().back().kind, StreamEvent::Kind::Nop);
  EXPECT_EQ(sequencer.state(), SequencerState::Opened);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].message, 1044);
  EXPECT_EQ(notices[0].sequencer, &sequencer);
  EXPECT_EQ(notices[0].endedByItself, 1);
  sequencer.closeIdleStream();
  EXPECT_EQ(device.record().closed, 1);
}

TEST_F(Sequencer, PlayWhilePlayingStopsTheRunningPieceFirst) {
  const Bytes file = midiFile({testing::scaleTrack(10)});
  ASSERT_EQ(sequencer.play(file, "first.mid"), kMidiDone);
  ASSERT_EQ(sequencer.play(file, "second.mid"), kMidiDone);
  EXPECT_EQ(sequencer.state(), SequencerState::Playing);
  EXPECT_EQ(sequencer.fileName(), "second.mid");
  EXPECT_EQ(device.record().calls, (std::vector<std::string>{"restart", "stop", "restart"}));
  EXPECT_EQ(device.record().opened, 2);
  EXPECT_EQ(device.record().closed, 1);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].endedByItself, 0);
}

TEST_F(Sequencer, StopDuringAPauseTakesEveryBufferBack) {
  ASSERT_EQ(sequencer.play(midiFile({testing::scaleTrack(600)}), "piece.mid"), kMidiDone);
  ASSERT_EQ(sequencer.pause(), kMidiDone);
  EXPECT_EQ(sequencer.state(), SequencerState::Paused);
  EXPECT_EQ(sequencer.pause(), kMidiNotPossibleNow);
  ASSERT_EQ(sequencer.stop(), kMidiDone);
  EXPECT_EQ(sequencer.state(), SequencerState::Opened);
  EXPECT_EQ(sequencer.buffersOut(), 0);
  EXPECT_EQ(device.record().closed, 1);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].endedByItself, 0);
  // Opened again, the same file plays from its start.
  ASSERT_EQ(sequencer.preroll(), kMidiDone);
  EXPECT_EQ(device.record().buffers.back().front().message, shortMessage(0x90, 60, 100));
}

TEST_F(Sequencer, PauseAndResumeKeepThePieceGoing) {
  ASSERT_EQ(sequencer.play(midiFile({testing::scaleTrack(1000)}), "piece.mid"), kMidiDone);
  device.finishNextBuffer();
  ASSERT_EQ(sequencer.pause(), kMidiDone);
  device.finishNextBuffer();  // a buffer finishing as the pause takes hold is refilled
  ASSERT_EQ(sequencer.resume(), kMidiDone);
  EXPECT_EQ(sequencer.state(), SequencerState::Playing);
  EXPECT_EQ(sequencer.buffersOut(), static_cast<int>(kStreamBuffers));
  EXPECT_TRUE(notices.empty());
}

TEST_F(Sequencer, ABufferBeyond32768BytesIsOutOfMemory) {
  ASSERT_EQ(sequencer.openFile(midiFile({testing::systemExclusiveTrack(20000)}), "big.mid"), kMidiDone);
  ASSERT_EQ(sequencer.preroll(), kMidiDone);
  EXPECT_EQ(sequencer.bufferSize(), 32768u);
  ASSERT_EQ(sequencer.close(), kMidiDone);

  ASSERT_EQ(sequencer.openFile(midiFile({testing::systemExclusiveTrack(40000)}), "huge.mid"), kMidiDone);
  EXPECT_EQ(sequencer.preroll(), kMidiOutOfMemory);
  EXPECT_EQ(sequencer.state(), SequencerState::Opened);
  EXPECT_EQ(sequencer.start(), kMidiNotPossibleNow);
}

TEST_F(Sequencer, RefusesWhatItsStateDoesNotAllow) {
  EXPECT_EQ(sequencer.preroll(), kMidiNotPossibleNow);
  EXPECT_EQ(sequencer.start(), kMidiNotPossibleNow);
  EXPECT_EQ(sequencer.stop(), kMidiNotPossibleNow);
  ASSERT_EQ(sequencer.openFile(midiFile({testing::scaleTrack(2)}), "a.mid"), kMidiDone);
  EXPECT_EQ(sequencer.pause(), kMidiNotPossibleNow);
  EXPECT_EQ(sequencer.resume(), kMidiNotPossibleNow);
  ASSERT_EQ(sequencer.preroll(), kMidiDone);
  EXPECT_EQ(sequencer.openFile(midiFile({testing::scaleTrack(2)}), "b.mid"), kMidiNotPossibleNow);
  // Prerolled again: the stream open is reset and a new one takes its place.
  ASSERT_EQ(sequencer.preroll(), kMidiDone);
  EXPECT_EQ(device.record().calls, (std::vector<std::string>{"reset"}));
  EXPECT_EQ(device.record().opened, 2);
  EXPECT_TRUE(notices.empty());
}

TEST_F(Sequencer, DamagedFilesAndDevicesThatCannotOpenSaySo) {
  EXPECT_EQ(sequencer.openFile(Bytes{'M', 'T', 'h', 'd'}, "bad.mid"), kMidiInvalidFile);
  EXPECT_EQ(sequencer.state(), SequencerState::NoFile);

  ASSERT_EQ(sequencer.openFile(midiFile({testing::scaleTrack(2)}), "a.mid"), kMidiDone);
  device.failNextOpen("no sound: the built-in synthesizer found no audio device");
  EXPECT_EQ(sequencer.preroll(), kMidiDeviceNotReady);
  EXPECT_EQ(sequencer.deviceError(), "no sound: the built-in synthesizer found no audio device");
  EXPECT_EQ(sequencer.state(), SequencerState::Opened);

  sequencer.setDevice(nullptr);
  EXPECT_EQ(sequencer.preroll(), kMidiDeviceNotReady);
}

TEST_F(Sequencer, AStreamThatRefusesABufferEndsThePieceAsStopped) {
  ASSERT_EQ(sequencer.play(midiFile({testing::scaleTrack(600)}), "piece.mid"), kMidiDone);
  device.refuseBuffers(true);
  while (device.finishNextBuffer()) {
  }
  EXPECT_EQ(sequencer.state(), SequencerState::Opened);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].endedByItself, 0);
}

TEST_F(Sequencer, PositionComesFromTheStream) {
  EXPECT_EQ(sequencer.position(), 0u);
  ASSERT_EQ(sequencer.play(midiFile({testing::scaleTrack(4)}), "piece.mid"), kMidiDone);
  device.setPosition(123);
  EXPECT_EQ(sequencer.position(), 123u);
}

}  // namespace
}  // namespace ts
