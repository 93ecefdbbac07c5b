// "PLA" through an engine: the page's MIDI file goes to the work file and
// to the host's player; without a player, with a player that cannot play,
// or without notes, the user is told plainly; a file that cannot be
// written says so. "MDSTOP" from the player's Stop is taken quietly.

#include "engine/midi_command.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "output/midi_messages.h"
#include "support/fake_host.h"
#include "support/folder_files.h"

namespace ts {
namespace {

namespace fs = std::filesystem;

class PlayingHost : public testing::FakeHost {
 public:
  std::string playedName;
  std::vector<uint8_t> played;
  std::string refusal;  // what the player says when it cannot play
  std::vector<PlaybackControl> controls;
  std::optional<std::string> controlPlayback(PlaybackControl control) override {
    controls.push_back(control);
    return control == PlaybackControl::Stop ? "Stopped." : "Paused.";
  }
  MidiPlayback playMidiFile(std::string_view fileName, std::span<const uint8_t> image) override {
    playedName = fileName;
    played.assign(image.begin(), image.end());
    return {refusal.empty(), refusal};
  }
};

// A quarter note on staff 1, the item closed.
void addQuarterNote(EngineSession& session) {
  session.typeLine("NOTE");
  session.typeLine("2 1 3 10 4 3 7 1");
  session.typeLine("X");
}

struct MidiFixture : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("midi_command_test_" + std::to_string(::getpid()));
  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override { fs::remove_all(dir); }
  std::vector<uint8_t> written() {
    std::ifstream in(dir / "tsmmidi.mid", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
};

TEST_F(MidiFixture, PlayPauseAndStopWordsReachThePlayer) {
  PlayingHost host;
  testing::FolderFiles files(dir);
  Engine engine(host, files);
  EngineSession session(engine);
  addQuarterNote(session);
  EXPECT_FALSE(session.typeLine("PLAY").failed);
  EXPECT_EQ(host.playedName, "c:\\!tmp\\tsmmidi.mid");
  EXPECT_EQ(session.typeLine("PAUS").message, "Paused.");
  EXPECT_EQ(session.typeLine("STOP").message, "Stopped.");
  EXPECT_EQ(host.controls, (std::vector<PlaybackControl>{PlaybackControl::PauseOrResume, PlaybackControl::Stop}));
  testing::FakeHost noPlayer;
  Engine bare(noPlayer, files);
  EngineSession bareSession(bare);
  const CallResult result = bareSession.typeLine("PAUS");
  EXPECT_TRUE(result.failed);
  EXPECT_EQ(result.message, "*** This program has no MIDI player.");
}

TEST_F(MidiFixture, PlayWritesTheFileAndSaysThereIsNoPlayer) {
  testing::FakeHost host;
  testing::FolderFiles files(dir);
  Engine engine(host, files);
  EngineSession session(engine);
  addQuarterNote(session);
  const CallResult result = session.typeLine("PLA");
  EXPECT_TRUE(result.failed);
  EXPECT_EQ(result.message, "*** This program has no MIDI player; the MIDI file was written to c:\\!tmp\\tsmmidi.mid");
  const std::vector<uint8_t> file = written();
  ASSERT_GT(file.size(), 14u);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 4), "MThd");
  EXPECT_EQ(file[11], 2);
}

TEST_F(MidiFixture, APlayerGetsTheFileItWasWritten) {
  PlayingHost host;
  testing::FolderFiles files(dir);
  Engine engine(host, files);
  EngineSession session(engine);
  session.typeLine("NOTE");
  session.typeLine("2 1 3 10 4 3 7 0");  // no rhythm: a whole note, with a message box
  session.typeLine("X");
  const CallResult result = session.typeLine("PLA");
  EXPECT_FALSE(result.failed);
  EXPECT_EQ(result.message, "");
  EXPECT_EQ(host.playedName, kMidiFileName);
  EXPECT_EQ(host.played, written());
  ASSERT_FALSE(host.shown.empty());
  EXPECT_EQ(host.shown.back(), midi_messages::missingRhythmMessage(1, 1, 10));
}

TEST_F(MidiFixture, APlayerThatCannotPlaySaysWhyAndTheStopIsTakenQuietly) {
  PlayingHost host;
  host.refusal = "*** MIDI playback failed: no sound: the built-in synthesizer found no audio device";
  testing::FolderFiles files(dir);
  Engine engine(host, files);
  EngineSession session(engine);
  addQuarterNote(session);
  CallResult result = session.typeLine("PLA");
  EXPECT_TRUE(result.failed);
  EXPECT_EQ(result.message, host.refusal);
  EXPECT_EQ(host.played, written());
  result = session.sendCommand("MDSTOP ");
  EXPECT_FALSE(result.failed);
  EXPECT_EQ(result.message, "");
}

TEST_F(MidiFixture, NoNotesWriteNothingAndAFailedWriteSaysSo) {
  testing::FakeHost host;
  testing::FolderFiles files(dir);
  Engine engine(host, files);
  EngineSession session(engine);
  CallResult result = session.typeLine("PLA");
  EXPECT_TRUE(result.failed);
  EXPECT_EQ(result.message, midi_messages::kNoNotesFound);
  EXPECT_FALSE(fs::exists(dir / "tsmmidi.mid"));

  addQuarterNote(session);
  fs::create_directory(dir / "tsmmidi.mid");  // a folder where the file should go: no write can replace it
  result = session.typeLine("PLA");
  EXPECT_TRUE(result.failed);
  EXPECT_EQ(result.message, midi_messages::kWriteError);
}

}  // namespace
}  // namespace ts
