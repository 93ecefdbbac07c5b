// The MIDI set-up commands through an engine: the tempo menu's words, the
// Sound dialog's buttons, the column dialogs, the set-up file, and "PLA"
// playing what the user set up.

#include "engine/midi_setup_commands.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <deque>
#include <filesystem>
#include <fstream>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "support/fake_host.h"
#include "support/folder_files.h"

namespace ts {
namespace {

namespace fs = std::filesystem;
namespace msg = midi_setup_messages;

TEST(MidiSetupCommands, TempoWords) {
  struct Case {
    int tempo;
    const char* word;
    double number;
    int after;
  };
  for (const Case& c : {
           Case{0, "MM48", 48, 48}, Case{90, "MM144", 144, 144}, Case{0, "MM-6", -6, 114}, Case{100, "MM-6", -6, 94},
           Case{0, "MM-12", -12, 132}, Case{100, "MM-12", -12, 112}, Case{100, "MM+5", 5, 105}, Case{100, "MM-20", -20, 80},
           Case{4, "MM-6", -6, 1}, Case{995, "MM-12", -12, 1000}, Case{100, "MM5000", 5000, 1000}, Case{100, "MM0", 0, 0},
           Case{100, "MM-1E12", -1e12, 1},
       }) {
    EXPECT_EQ(tempoAfterWord(c.tempo, c.word, c.number), c.after) << c.tempo << " " << c.word;
  }
}

TEST(MidiSetupCommands, TheSetUpFileLivesBesideThePage) {
  EXPECT_EQ(midiListName("C:\\MUSIC\\SONG.MUS"), "C:\\MUSIC\\MIDILIST");
  EXPECT_EQ(midiListName("/home/ann/p1.mus"), "/home/ann/MIDILIST");
  EXPECT_EQ(midiListName("CANTO.MUS"), "MIDILIST");
}

// Answers dialogs of fields with typed values, in turn; an empty value
// keeps what the field shows.
class DialogHost : public testing::FakeHost {
 public:
  std::deque<std::vector<std::string>> typed;
  std::vector<std::vector<DialogField>> asked;
  std::optional<std::vector<std::string>> askFields(std::string_view title, const std::vector<DialogField>& fields) override {
    shown.emplace_back(title);
    asked.push_back(fields);
    if (typed.empty()) return std::nullopt;
    std::vector<std::string> values;
    for (size_t i = 0; i < fields.size(); ++i) {
      values.push_back(i < typed.front().size() && !typed.front()[i].empty() ? typed.front()[i] : fields[i].value);
    }
    typed.pop_front();
    return values;
  }
  MidiPlayback playMidiFile(std::string_view, std::span<const uint8_t> image) override {
    played.assign(image.begin(), image.end());
    return {true, ""};
  }
  std::vector<uint8_t> played;
};

struct SetupFixture : ::testing::Test {
  fs::path dir = fs::temp_directory_path() / ("midi_setup_test_" + std::to_string(::getpid()));
  DialogHost host;
  std::unique_ptr<testing::FolderFiles> files;
  std::unique_ptr<Engine> engine;
  std::unique_ptr<EngineSession> session;
  void SetUp() override {
    fs::create_directories(dir);
    files = std::make_unique<testing::FolderFiles>(dir);
    engine = std::make_unique<Engine>(host, *files);
    session = std::make_unique<EngineSession>(*engine);
  }
  void TearDown() override { fs::remove_all(dir); }
  std::string listFile() {
    std::ifstream in(dir / "MIDILIST");
    return {std::istreambuf_iterator<char>(in), {}};
  }
  void notesOnStaves1And2() {
    session->typeLine("NOTE");
    session->typeLine("2 1 3 10 4 3 7 1");
    session->typeLine("NOTE");
    session->typeLine("2 2 3 10 4 3 7 1");
    session->typeLine("X");
  }
};

TEST_F(SetupFixture, SoundDialogSavesPlaysAndCancels) {
  notesOnStaves1And2();
  // Save the typed set-up, then cancel: what was saved stays in use.
  host.typed = {{"90", "3 40 90 12 2"}, {"", "5 0 0 0 1"}};
  host.answers = {"4", "2"};
  CallResult result = session->typeLine("MDALL");
  EXPECT_EQ(result.message, "MIDI tracks: 1, tempo 90");
  EXPECT_EQ(listFile().substr(listFile().find("\nTMP") + 1), "TMP 90\nTRK  1 ch 3 instr 40 ampl 90 transp 12 staves 2\n");
  // "C&lear", then "&Load" shows the saved file's rows again; "&Play" plays them.
  host.typed = {{}, {}, {}};
  host.answers = {"5", "3", "1"};
  result = session->typeLine("MDALL");
  EXPECT_FALSE(result.failed) << result.message;
  ASSERT_EQ(host.asked.size(), 5u);
  EXPECT_EQ(host.asked[3][1].value, "");
  EXPECT_EQ(host.asked[4][1].value, "3 40 90 12 2");
  ASSERT_GT(host.played.size(), 40u);
  EXPECT_EQ(host.played[10], 0);
  EXPECT_EQ(host.played[11], 2);  // the tempo track and one channel
}

TEST_F(SetupFixture, TheOutputFileNamedInTheDialogIsWhatPlayWrites) {
  notesOnStaves1And2();
  std::vector<std::string> row(18);
  row[17] = "song.mid";
  host.typed = {row};
  host.answers = {"1"};
  EXPECT_FALSE(session->typeLine("MDALL").failed);
  EXPECT_TRUE(fs::exists(dir / "song.mid"));
  EXPECT_FALSE(fs::exists(dir / "tsmmidi.mid"));  // the test files keep the base name only
  // A name with a control character is refused and the named file kept;
  // "C&lear" clears the tracks but not the file.
  row[17] = "bad\tname";
  host.typed = {row, {}};
  host.answers = {"5", "2"};
  session->typeLine("MDALL");
  EXPECT_NE(std::find(host.shown.begin(), host.shown.end(), "*** \"bad\tname\" is not a file name"), host.shown.end());
  EXPECT_EQ(host.asked.back().back().label, "Midi Output File =");
  EXPECT_EQ(host.asked.back().back().value, "song.mid");
  // Blank is the work file again.
  row[17] = " ";
  host.typed = {row};
  host.answers = {"1"};
  session->typeLine("MDALL");
  EXPECT_TRUE(fs::exists(dir / "tsmmidi.mid"));
}

TEST_F(SetupFixture, ColumnDialogsKeepWhatIsDamaged) {
  notesOnStaves1And2();
  host.typed = {{"1", "2 1"}, {"120", "x"}, {"+7", "-200"}, {"41"}};
  session->typeLine("MDTRKS");
  session->typeLine("MDAMPLS");
  session->typeLine("MDTRNSP");
  const CallResult result = session->typeLine("MDINST");
  EXPECT_EQ(result.message, "MIDI tracks: 2, tempo 120");
  host.typed = {{}};
  host.answers = {"2"};
  session->typeLine("MDALL");
  EXPECT_EQ(host.asked.back()[1].value, "0 41 120 7 1");
  EXPECT_EQ(host.asked.back()[2].value, "1 0 0 0 2 1");  // a new track takes its own channel
  EXPECT_EQ(host.asked.back()[3].value, "");
  EXPECT_NE(std::find(host.shown.begin(), host.shown.end(), "*** Track 2: \"x\" is not a number from 0 to 127"), host.shown.end());
}

TEST_F(SetupFixture, TheSetUpFileReadWithDamageAndMissing) {
  CallResult result = session->typeLine("MDLIST");
  EXPECT_TRUE(result.failed);
  EXPECT_EQ(result.message, std::string(msg::kCannotRead) + "MIDILIST");
  std::ofstream(dir / "midilist") << "TMP 72\nTRK 2 ch 1 instr 0 ampl 0 transp 0 staves 4\nTRK 40\n";
  result = session->typeLine("MDLIST");
  EXPECT_EQ(result.message, "MIDI tracks: 1, tempo 72");
  EXPECT_EQ(host.shown.back(), std::string(msg::kDamagedLines) + "|line 3: the track is not a whole number from 1 to 16");
  result = session->typeLine("MDAUTO");
  EXPECT_EQ(result.message, msg::kNoStaves);
  host.typed = {{}};
  host.answers = {"2"};
  session->typeLine("MDALL");
  EXPECT_EQ(host.asked.back()[2].value, "1 0 0 0 4");
}

}  // namespace
}  // namespace ts
