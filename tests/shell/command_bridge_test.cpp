#include "shell/command_bridge.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "fake_platform.h"
#include "platform/drive_map.h"
#include "shell/midi_action.h"

namespace ts::shell {
namespace {

namespace fs = std::filesystem;

std::string field(const std::array<char, kCommandBufferSize>& buffer) {
  std::string text(buffer.data(), buffer.size());
  return text.substr(0, text.find('\0'));
}

class CommandBridgeTest : public ::testing::Test {
 protected:
  CommandBridgeTest()
      : m_root(fs::temp_directory_path() / ("tonesmith-bridge-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name())),
        m_drives((fs::create_directories(m_root), m_root)),
        m_bridge(m_platform),
        m_engine(m_bridge, m_drives) {
    m_bridge.attach(m_engine);
  }
  ~CommandBridgeTest() override { fs::remove_all(m_root); }

  int items() const { return m_engine.page().itemCount(); }

  fs::path m_root;
  DriveMap m_drives;
  testing::FakePlatform m_platform;
  CommandBridge m_bridge;
  Engine m_engine;
};

TEST_F(CommandBridgeTest, ACommandCallsTheEngineAndShowsItsMessage) {
  m_bridge.sendCommand("TREB");
  EXPECT_EQ(items(), 1);
  EXPECT_EQ(m_platform.renders, 1);
  EXPECT_EQ(m_platform.itemBarRefreshes, 1);
  EXPECT_TRUE(m_bridge.keyCapture().navigationCaptured());
  const size_t boxes = m_platform.boxes.size();
  m_bridge.sendCommand("ZZZZ");
  ASSERT_GT(m_platform.boxes.size(), boxes);
  EXPECT_NE(m_platform.boxes.back().find("ZZZZ"), std::string::npos);
  EXPECT_EQ(m_platform.messages.back(), m_platform.boxes.back());
}

// Long work's steps reach the platform, the user's cancel reaches the
// engine, and the window ends with the call, not with a step.
TEST_F(CommandBridgeTest, LongWorkShowsItsStepsUntilTheCallReturns) {
  m_platform.cancelProgressAt = 2;
  EngineHost& host = m_bridge;
  EXPECT_TRUE(host.progress(0, 3, "SONG1.PAG"));
  EXPECT_TRUE(host.progress(1, 3, "SONG2.PAG"));
  EXPECT_FALSE(host.progress(2, 3, "SONG3.PAG"));
  EXPECT_EQ(m_platform.progressSteps, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(m_platform.progressEnds, 0);
  m_bridge.sendCommand("TREB");
  EXPECT_EQ(m_platform.progressEnds, 1);
}

TEST_F(CommandBridgeTest, InputWhileTheEngineWaitsIsLeftForIt) {
  m_bridge.sendCommand("TREB");
  // "SA" asks for a file name; while it waits, a button, a click, a key and
  // the typed answer arrive.
  bool checked = false;
  m_platform.eventSteps.push_back([&] {
    EXPECT_GT(m_bridge.waitLevel(), 0);
    m_bridge.sendCommand("NOTE");
    m_bridge.click({400, -800});
    m_bridge.keyDown({vk::kUp, 72, true});
    EXPECT_EQ(items(), 1) << "the engine was not entered again";
    EXPECT_EQ(field(m_engine.commandBuffer()), "~");
    EXPECT_EQ(m_bridge.keyNote(), vk::kUp + kKeyNoteBase);
    checked = true;
  });
  m_platform.eventSteps.push_back([&] { m_bridge.typedLine((m_root / "saved.mus").string()); });
  m_bridge.typedLine("SA");
  EXPECT_TRUE(checked);
  EXPECT_TRUE(fs::exists(m_root / "saved.mus"));
  EXPECT_EQ(m_bridge.waitLevel(), 0);
  m_bridge.sendCommand("NOTE");
  EXPECT_EQ(items(), 2) << "idle again: a command reaches the engine";
}

TEST_F(CommandBridgeTest, EscapeCancelsATypedAnswerAndAQuitEndsTheWait) {
  m_platform.eventSteps.push_back([&] { m_bridge.keyDown({vk::kEscape, 1, false}); });
  m_bridge.typedLine("SA");
  EXPECT_EQ(m_bridge.waitLevel(), 0);
  m_bridge.typedLine("SA");  // no step left: the loop reports the application quitting
  EXPECT_EQ(m_bridge.waitLevel(), 0);
  EXPECT_FALSE(m_bridge.engineBusy());
}

TEST_F(CommandBridgeTest, KeysBecomePseudoKeysOnlyUnderCapture) {
  m_bridge.typedLine("TREB");
  m_bridge.typedLine("I");  // lead letter I: capture on
  const float before = m_engine.editRecord()[3];
  m_bridge.keyDown({vk::kUp, 72, true});
  EXPECT_EQ(m_engine.editRecord()[3], before + 1) << "Up moves the edited item up one step";
  m_bridge.typedLine("X");
  const int renders = m_platform.renders;
  m_bridge.keyDown({vk::kUp, 72, true});
  EXPECT_EQ(m_platform.renders, renders) << "after X the key is only typed";
}

TEST_F(CommandBridgeTest, TheDocumentSavesAndOpensThroughTheEngine) {
  m_bridge.sendCommand("TREB");
  const std::string path = (m_root / "page.mus").string();
  EXPECT_TRUE(m_bridge.savePage(path));
  EXPECT_TRUE(fs::exists(path));
  m_bridge.sendCommand("NOTE");
  EXPECT_TRUE(m_bridge.openPage(path));
  EXPECT_EQ(items(), 1);
}

TEST_F(CommandBridgeTest, ANameTooLongForTheBufferIsRefusedNotCut) {
  m_bridge.sendCommand("TREB");
  const size_t boxes = m_platform.boxes.size();
  const std::string longName = (m_root / (std::string(140, 'a') + ".mus")).string();
  EXPECT_FALSE(m_bridge.savePage(longName));
  EXPECT_FALSE(fs::exists(longName));
  for (const auto& entry : fs::directory_iterator(m_root))
    EXPECT_EQ(entry.path().filename().string().find("aaaa"), std::string::npos) << "written under a cut name";
  ASSERT_EQ(m_platform.boxes.size(), boxes + 1);
  EXPECT_EQ(m_platform.boxes.back().rfind(bridge_messages::kNameTooLong, 0), 0u);
}

TEST_F(CommandBridgeTest, EditMenusSwitchAndGoBack) {
  m_bridge.switchEditMenu(165, 0);
  m_bridge.switchEditMenu(161, 0);
  m_bridge.switchEditMenu(4, 1);  // next page of the lines menus
  EXPECT_EQ(m_bridge.currentEditMenu(), 224);
  m_bridge.switchEditMenu(99, 0);  // below 101: nothing
  EXPECT_EQ(m_bridge.currentEditMenu(), 224);
  m_bridge.switchEditMenu(0, 0);
  EXPECT_EQ(m_bridge.currentEditMenu(), 161);
  EXPECT_EQ(m_platform.menusLoaded, (std::vector<int>{165, 161, 224, 161}));
}

TEST_F(CommandBridgeTest, MidiInputTurnsCommandsIntoActionCodes) {
  m_bridge.setMidiInput(true);
  m_bridge.sendCommand("TREB");
  EXPECT_EQ(items(), 0) << "the engine is not called";
  EXPECT_EQ(m_bridge.midiAction(), -1);
  m_bridge.sendCommand("DE ");
  EXPECT_EQ(m_bridge.midiAction(), 0);
  EXPECT_EQ(m_platform.messages.back(), midi_messages::kClickNotAvailable);
  EXPECT_FALSE(m_bridge.character('a', 0));
  EXPECT_EQ(m_platform.messages.back(), midi_messages::kNoTyping);
  m_platform.yesNoAnswers = {false, true};
  m_bridge.sendCommand("^ ");
  EXPECT_TRUE(m_bridge.midiInput()) << "No keeps MIDI input on";
  EXPECT_EQ(m_bridge.midiAction(), 0);
  m_bridge.sendCommand("^ ");
  EXPECT_FALSE(m_bridge.midiInput());
  EXPECT_EQ(m_bridge.midiAction(), kMidiActionEscape);
}

TEST_F(CommandBridgeTest, AMidiKeyboardPlaysTheNotesLineOfTypedInput) {
  m_platform.midiDevices = true;
  m_bridge.sendCommand("GD");  // new items not straight to editing
  m_bridge.sendCommand("STAFF");
  const auto typed = [this](std::string line) { return [this, line] { m_bridge.typedLine(line); }; };
  const auto key = [this](uint32_t note, uint32_t milliseconds) {
    return [this, note, milliseconds] {
      m_platform.midiEvents.push_back({MidiKeyboardEvent::Kind::Message, 0x90u | note << 8 | 90u << 16, milliseconds, 0});
    };
  };
  const auto button = [this](std::string command) { return [this, command] { m_bridge.sendCommand(command); }; };
  m_platform.eventSteps = {button("1 "), typed("10 150"), typed("MIDI"), button("BA/"), key(48, 0), key(52, 20),
                           button("FLI "), button("; "), typed("H"), typed(";"), typed(";"), typed(";"), typed("X")};
  m_platform.yesNoAnswers = {false};  // no input on the staff above
  m_bridge.sendCommand("IN");
  EXPECT_FALSE(m_bridge.midiInput());
  EXPECT_FALSE(m_platform.midiCounting) << "the devices stop counting when the line is played";
  EXPECT_NE(std::find(m_platform.messages.begin(), m_platform.messages.end(), midi_messages::kClickNotAvailable),
            m_platform.messages.end());
  ASSERT_GE(m_platform.menusLoaded.size(), 1u);
  EXPECT_NE(std::find(m_platform.menusLoaded.begin(), m_platform.menusLoaded.end(), 144), m_platform.menusLoaded.end());
  // The staff, a bass clef and C3 with E3 as one chord.
  ASSERT_EQ(items(), 4);
  EXPECT_EQ(m_engine.page().code(2), 3);
  EXPECT_EQ(m_engine.page().code(3), 1);
  EXPECT_EQ(m_engine.page().param(3, 3), m_engine.page().param(4, 3)) << "the chord's notes stand together";
}

TEST_F(CommandBridgeTest, DisplayFullHeightIsTwoFullCalls) {
  m_bridge.sendCommands({"EEX", "FH "});
  EXPECT_EQ(m_platform.renders, 2);
}

}  // namespace
}  // namespace ts::shell

namespace ts::shell {
namespace {

TEST_F(CommandBridgeTest, AMenuCommandLoadsItsEditMenu) {
  m_bridge.sendCommand("QQ165 ");
  EXPECT_EQ(m_platform.menusLoaded, (std::vector<int>{165}));
  m_bridge.sendCommand("QQ0");
  EXPECT_EQ(m_platform.menusLoaded, (std::vector<int>{165, 134}));
  m_bridge.sendCommand("TREB");
  m_bridge.typedLine("I");
  m_bridge.sendCommand("QQ165 ");
  EXPECT_EQ(m_platform.menusLoaded, (std::vector<int>{165, 134, 165})) << "also while an item is edited";
}

}  // namespace
}  // namespace ts::shell
