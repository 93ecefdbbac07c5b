#include "engine/engine.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/engine_messages.h"
#include "engine/engine_session.h"
#include "model/page_file.h"
#include "platform/drive_map.h"
#include "support/fake_host.h"

namespace ts {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<uint8_t>;

Bytes pageBytes(const std::vector<ItemRecord>& items, float unit = kUnitInches) {
  auto page = std::make_unique<PageStore>();
  for (const ItemRecord& item : items) page->append(item);
  return encodePageFile(*page, unit);
}

std::vector<ItemRecord> notes(int count) {
  std::vector<ItemRecord> items;
  for (int i = 1; i <= count; ++i) items.push_back({{1, 1, 10.0f * static_cast<float>(i), 2}, {}});
  return items;
}

// The real drive map, noting every name the engine writes through it.
class RecordingDrives : public DriveMap {
 public:
  using DriveMap::DriveMap;
  WriteResult writeWhole(std::string_view name, std::span<const uint8_t> bytes) const override {
    written.emplace_back(name);
    return DriveMap::writeWhole(name, bytes);
  }
  mutable std::vector<std::string> written;
};

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "engine_test_XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root = pattern;
    drives = std::make_unique<RecordingDrives>(root);
    engine = std::make_unique<Engine>(host, *drives);
    session = std::make_unique<EngineSession>(*engine);
    // The first drawing may warn about the symbol library, which these
    // tests do not provide; what the commands show is what counts here.
    session->pressKey(0);
    host.shown.clear();
  }
  void TearDown() override {
    session.reset();
    engine.reset();
    fs::remove_all(root);
  }

  CallResult type(std::string_view line) { return session->typeLine(line); }
  const PageStore& page() const { return engine->page(); }

  void writeFile(const fs::path& relative, const Bytes& bytes) {
    fs::create_directories((root / relative).parent_path());
    std::ofstream out(root / relative, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  Bytes readFile(const fs::path& relative) const {
    std::ifstream in(root / relative, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
  }
  bool wasShown(std::string_view text) const {
    return std::find(host.shown.begin(), host.shown.end(), text) != host.shown.end();
  }
  // The page as words, to see that a refused command changed nothing.
  std::vector<float> words() const {
    std::vector<float> result;
    for (int i = 1; i < page().nextFreeWord(); ++i) result.push_back(page().word(i));
    return result;
  }

  fs::path root;
  testing::FakeHost host;
  std::unique_ptr<RecordingDrives> drives;
  std::unique_ptr<Engine> engine;
  std::unique_ptr<EngineSession> session;
};

TEST_F(EngineTest, UnknownWordIsReportedInABoxAndChangesNothing) {
  type("NOTE");
  type("X");
  const std::vector<float> before = words();
  const bool modified = engine->modified();
  CallResult result = type("ZZZZ");
  EXPECT_EQ(result.message, "ERROR -- unknown word in this context: ZZZZ");
  EXPECT_TRUE(result.messageBox);
  EXPECT_EQ(words(), before);
  EXPECT_EQ(engine->modified(), modified);
  result = type("abcdefghijkl 5");
  EXPECT_EQ(result.message, "ERROR -- unknown word in this context: ABCDEFGHI");
  type("I1");
  result = session->sendCommand("ZZZZ");
  EXPECT_EQ(result.message, "ERROR -- unknown word in this context: ZZZZ");
  EXPECT_TRUE(result.messageBox);
  EXPECT_EQ(words(), before);
  EXPECT_FALSE(type("X").messageBox);
}

TEST_F(EngineTest, CreationKeywordsAddItemsAndOpenThem) {
  EXPECT_EQ(type("STAFF").message, "Item 1: STAFF");
  type("X");
  EXPECT_EQ(type("REST").message, "Item 2: REST");
  EXPECT_TRUE(engine->editing());
  EXPECT_EQ(engine->currentItem(), 2);
  type("RESTO");  // not a creation keyword
  EXPECT_EQ(page().itemCount(), 2);
  type("TREB");
  EXPECT_EQ(page().code(3), kCodeClef);
  EXPECT_EQ(page().param(3, 3), page().param(2, 3) + 10.0f);  // right of the item edited before
  EXPECT_TRUE(engine->modified());
  EXPECT_EQ(engine->title(), "CANTO.MUS* (not saved - 0003 Items)");
}

TEST_F(EngineTest, ParameterLinesEditTheOpenItem) {
  type("TREB");
  type("5 .8");
  EXPECT_EQ(page().param(1, 5), 0.8f);
  EXPECT_EQ(engine->editRecord()[4], 0.8f);
  type("800 1");
  type("800 1");
  EXPECT_EQ(page().param(1, 8), 2.0f);
  type("Q");  // repeats the last line
  EXPECT_EQ(page().param(1, 8), 3.0f);
  type("50000 8 10 0");
  EXPECT_EQ(page().param(1, 5), 3.0f);
  // A refused line changes nothing.
  const std::vector<float> before = words();
  EXPECT_NE(type("5 1 6").message, "");
  EXPECT_NE(type("5 1 150 2").message, "");
  EXPECT_EQ(words(), before);
  // Nothing open: nothing to edit.
  type("X");
  EXPECT_NE(type("5 1").message, "");
  EXPECT_EQ(words(), before);
}

TEST_F(EngineTest, AbortPutsBackTheItemAsOpened) {
  type("NOTE");
  const std::vector<float> opened = words();
  type("4 9");
  type("20 1");
  EXPECT_EQ(page().param(1, 4), 9.0f);
  type("AB");
  EXPECT_EQ(words(), opened);
}

TEST_F(EngineTest, CodeZeroBecomesAClefAtTheNextRedraw) {
  type("NOTE");
  type("1 0");
  EXPECT_EQ(page().code(1), kCodeClef);
}

TEST_F(EngineTest, UnknownCodeIsRemovedWithItsMessage) {
  type("STAFF");
  type("NOTE");
  type("1 25");
  EXPECT_TRUE(wasShown("Item    2, Unknown Code Number - this item will be deleted.\nP1=25, P2=  1, P3=10"));
  EXPECT_EQ(page().itemCount(), 1);
  EXPECT_EQ(page().code(1), kCodeStaff);
  EXPECT_FALSE(engine->editing());
  // Code 999 marks an item for removal: it goes without a message.
  host.shown.clear();
  type("I1");
  type("1 999");
  EXPECT_EQ(page().itemCount(), 0);
  EXPECT_TRUE(host.shown.empty());
}

TEST_F(EngineTest, TogglesSayWhatTheyDid) {
  EXPECT_EQ(type("INVI").message, messages::kInvisibleHidden);
  EXPECT_FALSE(engine->invisibleShown());
  EXPECT_EQ(type("INVI").message, messages::kInvisibleShown);
  EXPECT_EQ(type("FREEZ").message, messages::kFreeze);
  EXPECT_EQ(type("FREEZ").message, messages::kUnfreeze);
  EXPECT_EQ(type("GD").message, messages::kGoDirectOff);
  type("NOTE");
  EXPECT_FALSE(engine->editing());
  EXPECT_EQ(page().itemCount(), 1);
  EXPECT_EQ(type("GD").message, messages::kGoDirectOn);
  type("NOTE");
  EXPECT_TRUE(engine->editing());
  EXPECT_EQ(engine->currentItem(), 2);
}

TEST_F(EngineTest, PageCommandsWaitUntilTheEditIsDone) {
  writeFile("OTHER.MUS", pageBytes(notes(3)));
  type("NOTE");
  const std::vector<float> before = words();
  for (const char* line : {"OS", "OH", "IF P1=1 THEN P4=5", "G C:\\OTHER.MUS", "NX", "NB", "GP"})
    EXPECT_EQ(type(line).message, messages::kDoneEditingFirst) << line;
  EXPECT_EQ(type("UND").message, messages::kNoUndeleteWhileEditing);
  EXPECT_EQ(words(), before);
  EXPECT_TRUE(host.shown.empty());
}

TEST_F(EngineTest, OrderAndConditionalAlterActOnTheWholePage) {
  type("GD");
  type("STAFF");
  session->sendCommand("NOTE");
  type("REST");
  type("I2");
  type("3 0");  // the note goes where the staff starts
  type("X");
  type("OS");
  EXPECT_EQ(page().code(1), kCodeNote);
  EXPECT_EQ(page().code(2), kCodeStaff);
  EXPECT_TRUE(fs::exists(root / "!TMP" / "!undo!.tmp"));
  EXPECT_EQ(type("IF P1=1 OR P1=2 THEN P4=P4+1").message, "IF: 2 items altered.");
  EXPECT_EQ(page().param(1, 4), 8.0f);
  EXPECT_NE(type("IF THEN P4=1").message, "");
}

TEST_F(EngineTest, F3GoesToTheNextPageFileInMainModeAndTheNextItemInEditMode) {
  writeFile("Pages/a.mus", pageBytes(notes(1)));
  writeFile("Pages/b.mus", pageBytes(notes(2)));
  writeFile("Pages/C.MUS", pageBytes(notes(3)));
  writeFile("Pages/d.txt", pageBytes(notes(4)));
  writeFile("Pages/e.mus.bak", pageBytes(notes(5)));
  session->openPage("C:\\PAGES\\A.MUS");
  ASSERT_EQ(page().itemCount(), 1);
  session->pressKey(114);
  EXPECT_EQ(page().itemCount(), 2);
  session->pressKey(114);
  EXPECT_EQ(page().itemCount(), 3);
  EXPECT_EQ(session->pressKey(114).message, messages::kNoNextFile);
  EXPECT_EQ(page().itemCount(), 3);
  session->pressKey(113);  // F2: the file before
  EXPECT_EQ(page().itemCount(), 2);

  type("I1");
  session->pressKey(114);
  EXPECT_TRUE(engine->editing());
  EXPECT_EQ(engine->currentItem(), 2);
  EXPECT_EQ(page().itemCount(), 2);
}

TEST_F(EngineTest, FunctionKeysInEditModeNeverAddItems) {
  // F6 makes a bar line invisible; it must not be read as a creation word.
  type("BAR");
  ASSERT_EQ(page().code(1), kCodeBars);
  session->pressKey(117);
  EXPECT_EQ(page().itemCount(), 1);
  session->pressKey(119);  // F8
  session->pressKey(118);  // F7
  EXPECT_EQ(page().itemCount(), 1);
}

TEST_F(EngineTest, GetReadsThePageItsUnitAndReportsACutPage) {
  std::vector<float> words = {3, 1, 1, 10, 3, 13, 1, 20, 4, 2, 1, 30, 0, 1, 5, 5};
  for (float w : {0.0f, 0.0f, 6.0f, 1.0f, 5.0f, -9999.0f}) words.push_back(w);
  Bytes bytes = {static_cast<uint8_t>(words.size()), 0};
  for (float w : words) {
    const auto* b = reinterpret_cast<const uint8_t*>(&w);
    bytes.insert(bytes.end(), b, b + 4);
  }
  writeFile("CUT.MUS", bytes);
  const CallResult result = type("G C:\\CUT.MUS");
  EXPECT_EQ(result.message, "Reading - C:\\CUT.MUS");
  EXPECT_TRUE(wasShown("*** Input data error.    *** C:\\CUT.MUS"));
  ASSERT_EQ(page().itemCount(), 2);  // the dummy item goes silently, the page ends at count word 1
  EXPECT_EQ(page().code(2), kCodeRest);
  EXPECT_EQ(engine->unitSetting(), 1.0f);
  EXPECT_EQ(engine->pageName(), "C:\\CUT.MUS");
  EXPECT_FALSE(engine->modified());
  EXPECT_EQ(engine->title(), "C:\\CUT.MUS (saved - 0002 Items)");
}

TEST_F(EngineTest, AFailedGetLeavesTheCurrentPage) {
  writeFile("BAD.MUS", {5, 0, 0, 0, 9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3});  // five words promised, four there
  Bytes huge = {0x70, 0x11, 0x01, 0x00};  // a 32-bit count of 70000
  huge.resize(64, 0);
  writeFile("HUGE.MUS", huge);
  fs::create_directories(root / "FOLDER.MUS");
  type("NOTE");
  type("X");
  const std::vector<float> before = words();

  host.answers = {"N"};  // do not save the changed page first
  EXPECT_EQ(type("G C:\\MISSING.MUS").message, "File not found --> C:\\MISSING.MUS");
  host.answers = {"N"};
  EXPECT_EQ(type("G C:\\FOLDER.MUS").message, "File not found --> C:\\FOLDER.MUS");
  host.answers = {"N"};
  EXPECT_EQ(type("G C:\\BAD.MUS").message, messages::kErrorOpeningFile);
  EXPECT_TRUE(wasShown("*** This is NOT a CANTO file. *** C:\\BAD.MUS"));
  host.answers = {"N"};
  EXPECT_EQ(type("G C:\\HUGE.MUS").message, messages::kErrorOpeningFile);
  EXPECT_TRUE(wasShown("Error opening file->C:\\HUGE.MUS"));
  // "Exit" at the question abandons the get.
  writeFile("GOOD.MUS", pageBytes(notes(4)));
  host.answers = {"E"};
  type("G C:\\GOOD.MUS");

  EXPECT_EQ(words(), before);
  EXPECT_EQ(engine->pageName(), "CANTO.MUS");
  EXPECT_TRUE(engine->modified());
}

TEST_F(EngineTest, GetAsksForAMissingNameAndOffersToSaveFirst) {
  writeFile("B.MUS", pageBytes(notes(2)));
  session->savePage("C:\\FIRST.MUS");
  type("NOTE");
  type("X");
  host.answers = {"C:\\B.MUS", "Y"};
  type("G");
  EXPECT_TRUE(wasShown(messages::kTypeFileName));
  EXPECT_TRUE(wasShown(messages::kSaveChanges));
  EXPECT_EQ(page().itemCount(), 2);
  EXPECT_EQ(engine->pageName(), "C:\\B.MUS");
  auto saved = std::make_unique<PageStore>();
  const Bytes first = readFile("FIRST.MUS");
  ASSERT_EQ(readPageFile(first, false, *saved).status, PageReadStatus::Ok);
  EXPECT_EQ(saved->itemCount(), 1);  // the changed page was saved before the other was read
}

TEST_F(EngineTest, OldPagesGetTheirTextPositionsConverted) {
  auto old = std::make_unique<PageStore>();
  for (float p3 : {30.0f, 90.0f}) {
    std::vector<float> params(13, 0.0f);
    params[0] = kCodeText;
    params[1] = 1;
    params[2] = p3;
    params[11] = 2;
    old->append({params, "ab"});
  }
  Bytes bytes = encodePageFile(*old, 0.0f);
  const float version = 2.0f;  // the version word sits four words before the end
  std::memcpy(bytes.data() + bytes.size() - 16, &version, 4);
  writeFile("OLD.MUS", bytes);
  type("G C:\\OLD.MUS");
  ASSERT_EQ(page().itemCount(), 2);
  EXPECT_EQ(page().param(2, 3), 30.0f);
  EXPECT_EQ(page().text(2), "ab");
}

TEST_F(EngineTest, BackupCopiesBringTheirPageNameBack) {
  auto backup = std::make_unique<PageStore>();
  for (const ItemRecord& item : notes(3)) backup->append(item);
  const std::string name = "C:\\SONG.MUS";
  writeFile("!TMP/!save.tmp", encodePageFile(*backup, 0.0f, &name));

  host.answers = {"N"};
  type("G C:\\!TMP\\!SAVE.TMP");
  EXPECT_TRUE(wasShown("Getting Backup of C:\\SONG.MUS"));
  EXPECT_EQ(page().itemCount(), 0);
  EXPECT_EQ(engine->pageName(), "CANTO.MUS");

  host.answers = {"Y"};
  type("G C:\\!TMP\\!SAVE.TMP");
  EXPECT_EQ(page().itemCount(), 3);
  EXPECT_EQ(engine->pageName(), "C:\\SONG.MUS");
}

TEST_F(EngineTest, HistoryKeepsEachPageOnceMostRecentFirst) {
  writeFile("A.MUS", pageBytes(notes(1)));
  writeFile("B.MUS", pageBytes(notes(2)));
  type("G C:\\A.MUS");
  type("G C:\\A.MUS");
  EXPECT_EQ(engine->history(), (std::vector<std::string>{"C:\\A.MUS"}));
  type("G C:\\B.MUS");
  EXPECT_EQ(engine->history(), (std::vector<std::string>{"C:\\B.MUS", "C:\\A.MUS"}));
  type("GP");  // the previous page of the history
  EXPECT_EQ(page().itemCount(), 1);
}

TEST_F(EngineTest, SaveWritesThePageAndClearsTheModifiedFlag) {
  type("NOTE");
  type("X");
  const CallResult result = session->savePage("C:\\OUT.MUS");
  EXPECT_EQ(result.message, "File saved: C:\\OUT.MUS");
  EXPECT_FALSE(engine->modified());
  EXPECT_EQ(engine->pageName(), "C:\\OUT.MUS");
  EXPECT_EQ(engine->title(), "C:\\OUT.MUS (saved - 0001 Items)");
  EXPECT_EQ(readFile("OUT.MUS"), encodePageFile(page(), engine->unitSetting()));
  type("REST");
  EXPECT_EQ(type("SM").message, "File saved: C:\\OUT.MUS");
  EXPECT_EQ(readFile("OUT.MUS"), encodePageFile(page(), engine->unitSetting()));
}

TEST_F(EngineTest, AFailedSaveKeepsThePreviousFileAndTheModifiedFlag) {
  for (int i = 0; i < 20; ++i) type("NOTE");
  session->savePage("C:\\KEEP.MUS");
  const Bytes previous = readFile("KEEP.MUS");
  ASSERT_GT(previous.size(), 200u);
  type("REST");

  // A disk that takes no more than 100 bytes of any file.
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 100;
  setrlimit(RLIMIT_FSIZE, &small);
  const CallResult result = type("SM");
  setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(result.message, "***Error writing file: C:\\KEEP.MUS");
  EXPECT_TRUE(engine->modified());
  EXPECT_EQ(readFile("KEEP.MUS"), previous);
  for (const fs::directory_entry& entry : fs::directory_iterator(root))
    EXPECT_TRUE(entry.is_directory() || entry.path().filename() == "KEEP.MUS") << entry.path();
}

TEST_F(EngineTest, SavingOntoAFolderFails) {
  fs::create_directories(root / "DIR.MUS");
  type("NOTE");
  const CallResult result = session->savePage("C:\\DIR.MUS");
  EXPECT_EQ(result.message, "***Error writing file: C:\\DIR.MUS");
  EXPECT_TRUE(engine->modified());
  EXPECT_EQ(engine->pageName(), "CANTO.MUS");
  EXPECT_TRUE(fs::is_directory(root / "DIR.MUS"));
}

TEST_F(EngineTest, ANameTooLongForThePageIsNotCutToAnotherFile) {
  // Writing under the first characters of the name would replace another
  // file without the user knowing; such a save is refused instead.
  const std::string folder(120, 'f');
  fs::create_directories(root / folder);
  writeFile(folder + "/abc", {1, 2, 3});
  writeFile(folder + "/abcd", {4, 5, 6});
  type("NOTE");
  const std::string name = "C:\\" + folder + "\\abcdefghijklmnopqrstuvwxyz.MUS";
  ASSERT_GT(name.size(), 128u);
  const CallResult saved = session->savePage(name);  // the document's save
  EXPECT_EQ(saved.message.rfind("***Error writing file:", 0), 0u) << saved.message;
  host.answers = {name};
  const CallResult typed = session->sendCommand("SA");  // a typed name
  EXPECT_EQ(typed.message.rfind("***Error writing file:", 0), 0u) << typed.message;
  EXPECT_EQ(readFile(folder + "/abc"), (Bytes{1, 2, 3}));
  EXPECT_EQ(readFile(folder + "/abcd"), (Bytes{4, 5, 6}));
  EXPECT_TRUE(engine->modified());
}

TEST_F(EngineTest, SaveNeedsANameAndOffersTheExtension) {
  type("NOTE");
  EXPECT_EQ(session->savePage("").message, messages::kNoFileName);
  host.answers = {""};
  EXPECT_EQ(session->sendCommand("SA").message, messages::kNoFileName);
  EXPECT_TRUE(engine->modified());

  host.answers = {"C:\\SONG", "Y"};
  EXPECT_EQ(session->sendCommand("SA").message, "File saved: C:\\SONG.MUS");
  EXPECT_TRUE(wasShown("C:\\SONG -- Add .MUS extension?"));
  EXPECT_TRUE(fs::exists(root / "SONG.MUS"));

  host.answers = {"C:\\PLAIN", "N"};
  EXPECT_EQ(session->sendCommand("SA").message, "File saved: C:\\PLAIN");
  EXPECT_TRUE(fs::exists(root / "PLAIN"));

  host.answers = {"!cancel"};
  session->sendCommand("SA");
  EXPECT_EQ(engine->pageName(), "C:\\PLAIN");
}

TEST_F(EngineTest, EveryFileTheEngineWritesGoesThroughTheHostsWholeFileWrite) {
  writeFile("A.MUS", pageBytes(notes(2)));
  writeFile("B.MUS", pageBytes(notes(3)));
  type("G C:\\A.MUS");  // the history
  type("::R2");           // the macros
  type("OS");             // the undo copy
  type("UNDO");           // the redo copy
  type("CT");
  type("1 0 100");        // the cut/copy store
  session->savePage("C:\\SAVED.MUS");
  type("NOTE");
  type("X");
  host.answers = {"N"};
  type("G C:\\B.MUS");  // the backup of the changed page

  std::set<fs::path> throughTheHost;
  for (const std::string& name : drives->written) throughTheHost.insert(drives->forWriting(name));
  std::set<fs::path> onDisk;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) onDisk.insert(entry.path());
  onDisk.erase(root / "A.MUS");
  onDisk.erase(root / "B.MUS");
  EXPECT_EQ(onDisk.size(), 7u);
  EXPECT_EQ(onDisk, throughTheHost);
}

TEST_F(EngineTest, WorkFilesThatCannotBeWrittenSaySo) {
  type("::R2");
  ASSERT_EQ(::chmod((root / "!TMP" / "!macros.tmp").c_str(), 0444), 0);
  type("::U1");
  EXPECT_TRUE(wasShown("***Error writing file: C:\\!TMP\\!macros.tmp is read-only."));
  type("NOTE");
  type("X");
  fs::create_directories(root / "!TMP" / "!!cut0.tmp");  // a folder where the store goes
  type("CT");
  const CallResult cut = type("1 0 100");
  EXPECT_EQ(cut.message, "***Error writing file: C:\\!TMP\\!!cut0.tmp");
  EXPECT_TRUE(cut.failed);
}

TEST_F(EngineTest, AnswersSayWhetherTheActionCouldBeDone) {
  writeFile("A.MUS", pageBytes(notes(2)));
  const auto typed = [&](const char* line) { return [&, line] { return type(line); }; };
  struct Case {
    const char* what;
    std::function<CallResult()> action;
    bool failed;
  } cases[] = {
      {"a new item", typed("NOTE"), false},
      {"an unknown word", typed("ZZZZ"), true},
      {"a command not built yet", typed("PATH"), true},
      {"closing the item", typed("X"), false},
      {"a state notice", typed("UND"), false},
      {"a page read", [&] { return session->openPage("C:\\A.MUS"); }, false},
      {"a missing page", [&] { return session->openPage("C:\\MISSING.MUS"); }, true},
      {"a typed get of a missing page", typed("G C:\\MISSING.MUS"), true},
      {"a page saved", [&] { return session->savePage("C:\\OUT.MUS"); }, false},
      {"a save into no folder", [&] { return session->savePage("C:\\NOFOLDER\\X.MUS"); }, true},
      {"a save without a name", [&] { return session->savePage(""); }, true},
      {"a paste of an empty store", [&] {
         host.answers = {"7"};
         return type("PST");
       }, true},
      {"the next call", typed("INVI"), false},
  };
  for (const Case& c : cases) EXPECT_EQ(c.action().failed, c.failed) << c.what;
}

// "TX" types the characters of the open text anew; P12 follows them. A
// cancel, a text too long and a text that is not open change nothing.
TEST_F(EngineTest, TxTypesTheCharactersOfTheOpenText) {
  type("STAFF");
  type("LOG");
  host.answers = {"Sonatina in G"};
  EXPECT_FALSE(type("TX").failed);
  ASSERT_EQ(page().itemCount(), 2);
  EXPECT_EQ(page().text(2), "Sonatina in G");
  EXPECT_EQ(page().param(2, 12), 13.0f);
  EXPECT_EQ(page().param(2, 4), 14.0f);  // the numeric parameters stay
  const auto before = words();
  host.answers = {"!cancel"};
  type("TX");
  host.answers = {std::string(401, 'x')};
  EXPECT_TRUE(type("TX").failed);
  type("X");
  host.answers = {"never asked"};
  EXPECT_TRUE(type("TX").failed);
  EXPECT_EQ(words(), before);
}

// "TZ size width step" asks for the characters and makes the text (nothing
// when cancelled); FNTnn sets the open text's font, FONTX takes it back,
// TSZP makes it a point larger.
TEST_F(EngineTest, TzMakesATextAndFontCommandsChangeIt) {
  type("STAFF");
  host.answers = {"!cancel"};
  type("TZ 12 100 14");
  EXPECT_EQ(page().itemCount(), 1);
  host.answers = {"Allegro"};
  type("TZ 10 80 15");
  ASSERT_EQ(page().itemCount(), 2);
  EXPECT_EQ(page().text(2), "Allegro");
  EXPECT_EQ(page().param(2, 4), 15.0f);
  EXPECT_EQ(page().param(2, 7), 10.0f);
  EXPECT_FLOAT_EQ(page().param(2, 8), 0.8f);
  type("FNT05");
  EXPECT_EQ(page().param(2, 6), 5.0f);
  type("FNT29");
  type("FONTX");
  EXPECT_EQ(page().param(2, 6), 5.0f);
  type("TSZP");
  EXPECT_EQ(page().param(2, 7), 11.0f);
  EXPECT_TRUE(type("FNT100").failed);
  EXPECT_EQ(page().param(2, 6), 5.0f);
}

}  // namespace
}  // namespace ts
