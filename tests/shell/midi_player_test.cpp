// The desktop program's player on the fake output: "PLA" plays through the
// chosen device; a device that cannot play (no audio device) says so with
// its error number and reason; the output device menu's choice, Play
// again, pause and resume, stop, and the done notice.

#include "shell/midi_player.h"

#include <gtest/gtest.h>

#include <map>

#include "platform/fake_midi_output.h"

namespace ts::shell {
namespace {

// A file of one note: 00 90 3C 64, 60 80 3C 00, 00 FF 2F 00.
const std::vector<uint8_t> kOneNote{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0, 12,
                                    0x00, 0x90, 0x3C, 0x64, 0x60, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};

struct Player : ::testing::Test {
  FakeMidiOutput* synth = nullptr;
  FakeMidiOutput* port = nullptr;
  std::vector<SequencerNotice> notices;
  std::map<std::string, std::vector<uint8_t>> files{{"c:\\!tmp\\tsmmidi.mid", kOneNote}};
  std::unique_ptr<MidiPlayer> player;

  void SetUp() override {
    std::vector<std::unique_ptr<MidiOutputDevice>> devices;
    devices.push_back(std::make_unique<FakeMidiOutput>());
    devices.push_back(std::make_unique<FakeMidiOutput>());
    synth = static_cast<FakeMidiOutput*>(devices[0].get());
    port = static_cast<FakeMidiOutput*>(devices[1].get());
    player = std::make_unique<MidiPlayer>(
        std::move(devices), [this](const SequencerNotice& n) { notices.push_back(n); },
        [this](const std::string& name) { return files.count(name) ? files[name] : std::vector<uint8_t>(); });
  }
};

TEST_F(Player, PlaysThroughTheChosenDevice) {
  MidiPlayback playback = player->play("c:\\!tmp\\tsmmidi.mid", kOneNote);
  EXPECT_TRUE(playback.played);
  EXPECT_EQ(synth->record().opened, 1);
  EXPECT_EQ(player->windowTitle(), "MIDI Player - c:\\!tmp\\tsmmidi.mid");
  EXPECT_FALSE(player->chooseDevice(2));
  ASSERT_TRUE(player->chooseDevice(1));
  playback = player->playAgain();  // stops the piece on the synthesizer, plays it on the port
  EXPECT_TRUE(playback.played);
  EXPECT_EQ(synth->record().calls, (std::vector<std::string>{"restart", "stop"}));
  EXPECT_EQ(port->record().opened, 1);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_FALSE(player->onDone(notices[0]));
  while (port->finishNextBuffer()) {
  }
  ASSERT_EQ(notices.size(), 2u);
  EXPECT_TRUE(player->onDone(notices[1]));
  EXPECT_EQ(port->record().closed, 1);
}

TEST_F(Player, SaysWhyItCannotPlay) {
  synth->failNextOpen("no sound: the built-in synthesizer found no audio device");
  MidiPlayback playback = player->play("c:\\!tmp\\tsmmidi.mid", kOneNote);
  EXPECT_FALSE(playback.played);
  EXPECT_EQ(playback.message,
            "*** MIDI playback failed (276: the MIDI output device is not ready): no sound: the built-in synthesizer "
            "found no audio device");
  playback = player->play("bad.mid", std::vector<uint8_t>{'M', 'T', 'h', 'd'});
  EXPECT_EQ(playback.message, "*** MIDI playback failed (296: the file is not a MIDI file that can be played)");
  playback = player->playFile("missing.mid");
  EXPECT_EQ(playback.message, "*** The MIDI file cannot be read: missing.mid");
}

TEST_F(Player, PauseResumesAndStopEndsThePiece) {
  ASSERT_TRUE(player->play("c:\\!tmp\\tsmmidi.mid", kOneNote).played);
  EXPECT_EQ(player->pauseOrResume(), kMidiDone);
  EXPECT_EQ(player->sequencer().state(), SequencerState::Paused);
  EXPECT_EQ(player->pauseOrResume(), kMidiDone);
  EXPECT_TRUE(player->playing());
  EXPECT_EQ(player->stop(), kMidiDone);
  EXPECT_FALSE(player->playing());
  EXPECT_EQ(synth->record().calls, (std::vector<std::string>{"restart", "pause", "restart", "stop"}));
  EXPECT_EQ(player->stop(), kMidiNotPossibleNow);
}

TEST_F(Player, TheEnginesPauseAndStopAreSaidInWords) {
  EXPECT_EQ(player->control(PlaybackControl::Stop), player_messages::kNothingPlaying);
  ASSERT_TRUE(player->play("c:\\!tmp\\tsmmidi.mid", kOneNote).played);
  EXPECT_EQ(player->control(PlaybackControl::PauseOrResume), player_messages::kPaused);
  EXPECT_EQ(player->control(PlaybackControl::PauseOrResume), player_messages::kPlaying);
  EXPECT_EQ(player->control(PlaybackControl::PauseOrResume), player_messages::kPaused);
  EXPECT_EQ(player->control(PlaybackControl::Stop), player_messages::kStopped) << "stop during a pause";
  EXPECT_FALSE(player->playing());
  EXPECT_EQ(player->control(PlaybackControl::PauseOrResume), player_messages::kNothingPlaying);
}

}  // namespace
}  // namespace ts::shell
