// The drawing editor driven as the engine drives it: clicks, keys and
// command lines, with a host that answers from a queue and a library folder.

#include "engine/draw_mode.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "draw/symbol_library.h"
#include "engine/command_line.h"
#include "engine/draw_mode_messages.h"
#include "engine/engine.h"
#include "engine/engine_messages.h"
#include "engine/engine_session.h"
#include "engine/key_map.h"
#include "support/fake_host.h"
#include "support/folder_files.h"
#include "platform/drive_map.h"

namespace ts {
namespace {

namespace fs = std::filesystem;
namespace text = draw_mode_messages;

class DrawModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
    host.answers = {"1"};  // Start drawing
    EXPECT_EQ(mode.enter().message, text::pointCountMessage(false, 0));
  }
  void TearDown() override { fs::remove_all(m_dir); }

  DrawModeReply run(std::string_view line, std::deque<std::string> answers = {}) {
    host.answers = std::move(answers);
    return *mode.command(splitCommandLine(line));
  }
  // A click at a drawing point, in the editor's page units.
  DrawModeReply clickAt(float x, float y) {
    return mode.click(kEditorOriginX + x * kEditorUnitsPerDrawingUnit, kEditorOriginY + y * kEditorUnitsPerDrawingUnit);
  }

  fs::path m_dir = fs::temp_directory_path() / ("ts_draw_mode_" + std::to_string(::getpid()));
  testing::FakeHost host;
  testing::FolderFiles files{m_dir};
  SymbolLibrary library{files, {}};
  int waitLevel = 0;
  DrawMode mode{host, files, library, waitLevel};
};

TEST_F(DrawModeTest, ClicksAddPointsInDrawingUnitsWithTheJumpsPens) {
  EXPECT_EQ(clickAt(0, 0).message, "***** Drawing -    1 Points");
  clickAt(28, 0);
  EXPECT_EQ(run("JMP").message, text::kJump);
  clickAt(0, 28);
  EXPECT_EQ(run("JF").message, text::kJumpFill);
  clickAt(5, 5);
  EXPECT_EQ(run("JFX").message, text::kJumpFill);
  EXPECT_EQ(clickAt(6, 6).message, "***** Drawing -    5 Points");
  const std::vector<DrawingPoint> expected{{0, 0, 1}, {28, 0, 0}, {0, 28, 1}, {5, 5, 2}, {6, 6, 3}};
  EXPECT_EQ(std::vector<DrawingPoint>(mode.points().begin(), mode.points().end()), expected);
  // The figure shows the origin's mark and every point in page units.
  ASSERT_EQ(mode.figure().size(), 4u + expected.size());
  EXPECT_EQ(mode.figure()[5], (DrawingPoint{10800, -32000, 0}));
}

TEST_F(DrawModeTest, CurvePointCountsAreCheckedAndMarkersRequired) {
  EXPECT_EQ(run("CRV2").message, text::kNoCurveMarkers);
  clickAt(0, 0);
  run("CRV1");
  EXPECT_EQ(run("CRV2").message, text::kNoCurveMarkers);  // the start alone is no curve
  clickAt(10, 10);
  clickAt(20, 0);
  const struct { const char* answer; std::string message; size_t points; } cases[] = {
      {"2", text::kTooFewCurvePoints, 3},  {"-4", text::kTooFewCurvePoints, 3}, {"abc", text::kTooFewCurvePoints, 3},
      {"51", text::kTooManyCurvePoints, 3}, {"1e9", text::kTooManyCurvePoints, 3},
      {"5", text::pointCountMessage(false, 9), 9},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run("CRV2", {c.answer}).message, c.message) << c.answer;
    EXPECT_EQ(host.shown.back(), text::kPointsPerSegment);
    EXPECT_EQ(mode.points().size(), c.points) << c.answer;
  }
  EXPECT_EQ(run("CRV2").message, text::kNoCurveMarkers);  // a curve uses its markers up
}

TEST_F(DrawModeTest, SelectedPointsMoveWithThePointPickedLast) {
  clickAt(0, 0);
  clickAt(10, 0);
  clickAt(20, 0);
  EXPECT_EQ(run("M").message, text::kMoveFirstLast);
  clickAt(9, 1);  // picks the second point
  EXPECT_EQ(mode.key(vk::kF4)->message, text::kMoveFirstLast);
  clickAt(30, 0);  // the third
  EXPECT_EQ(mode.key(vk::kF4)->message, text::kMoving);
  EXPECT_EQ(clickAt(20, 5).message, text::kMoving);
  EXPECT_FALSE(mode.key(vk::kF5).has_value());
  EXPECT_EQ(run("X").message, text::pointCountMessage(false, 3));
  EXPECT_TRUE(mode.active());
  const std::vector<DrawingPoint> expected{{0, 0, 1}, {10, 5, 0}, {20, 5, 0}};
  EXPECT_EQ(std::vector<DrawingPoint>(mode.points().begin(), mode.points().end()), expected);
}

TEST_F(DrawModeTest, SizesScaleAboutTheOriginAndBadSizesChangeNothing) {
  clickAt(2, 4);
  const struct { const char* answer; std::string message; DrawingPoint point; } cases[] = {
      {"2", text::pointCountMessage(false, 1), {4, 8, 1}},
      {"0.5, 0.25", text::pointCountMessage(false, 1), {2, 2, 1}},
      {"0", text::kBadSize, {2, 2, 1}},
      {"1 2 3", text::kBadSize, {2, 2, 1}},
      {"101", text::kBadSize, {2, 2, 1}},
      {"big", text::kBadSize, {2, 2, 1}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(run("SI", {c.answer}).message, c.message) << c.answer;
    EXPECT_EQ(mode.points()[0], c.point) << c.answer;
  }
}

TEST_F(DrawModeTest, SavingAsksForANumberGuardsThePermanentLibraryAndGetsBack) {
  EXPECT_EQ(run("SA").message, text::kNothingToSave);
  clickAt(0, 0);
  clickAt(28, 0);
  EXPECT_EQ(run("SA", {"Corner"}).message, text::kNoNumber);
  EXPECT_EQ(run("SA", {"12000 Corner"}).message, text::kBadNumber);
  EXPECT_EQ(run("SA", {"45 Corner", "N"}).message, text::pointCountMessage(false, 2));
  EXPECT_EQ(host.shown.back(), text::kPermanentNumbers);
  EXPECT_FALSE(fs::exists(m_dir / "LB0040.DRW"));
  EXPECT_EQ(run("SA", {"5001 Corner mark"}).message, text::kSaved);
  EXPECT_EQ(library.find(5001).name, "Corner mark");

  run("DRW", {"1"});  // a new drawing: saved, so no question
  EXPECT_TRUE(mode.points().empty());
  EXPECT_EQ(run("G", {"5001"}).message, text::pointCountMessage(true, 2));
  EXPECT_EQ(run("GN").message, "*** Library drawing 5002 not found: LB5000.DRW does not hold it.");
  EXPECT_EQ(run("DLD 5001", {"Y"}).message, text::kDeleted);
  EXPECT_EQ(host.shown.back(), text::kDeleteQuestion);
  EXPECT_EQ(library.find(5001).status, DrawingLookup::EmptySlot);
}

TEST_F(DrawModeTest, ADamagedLibraryFileIsRefusedAndLeftAsItWas) {
  std::ofstream(m_dir / "LB5000.DRW", std::ios::binary) << "not a drawing file at all";
  clickAt(0, 0);
  const DrawModeReply reply = run("SA", {"5001 Corner"});
  EXPECT_EQ(reply.message, "*** LB5000.DRW is damaged: the library is left as it was.");
  EXPECT_TRUE(reply.failed);
  std::ifstream in(m_dir / "LB5000.DRW");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "not a drawing file at all");
}

TEST_F(DrawModeTest, LeavingAsksAboutAnUnsavedDrawingAndTheWorkDrawingRoundTrips) {
  clickAt(1.5f, -2.25f);
  EXPECT_EQ(run("SCX", {""}).message, text::workDrawingWritten("DRW.TMP"));
  EXPECT_EQ(run("X", {"N"}).message, text::pointCountMessage(false, 1));
  EXPECT_EQ(host.shown.back(), text::kNotSavedExit);
  EXPECT_EQ(run("X", {"Y"}).message, text::kLeaving);
  EXPECT_FALSE(mode.active());
  EXPECT_TRUE(mode.figure().empty());

  host.answers = {"3", ""};  // Read ASCII file, the default name
  EXPECT_EQ(mode.enter().message, text::pointCountMessage(true, 1));
  EXPECT_EQ(mode.points()[0], (DrawingPoint{1.5f, -2.25f, 1}));
  std::ofstream(m_dir / "BAD.TMP") << "1 2 1\n3 4\n";
  EXPECT_EQ(run("REX", {"bad.tmp"}).message, "*** bad.tmp line 2 is not a point (x y pen): nothing read.");
  EXPECT_EQ(mode.points().size(), 1u);
  EXPECT_TRUE(run("ZZZ").messageBox);
  EXPECT_FALSE(mode.command(splitCommandLine("MID")).has_value());  // display moves stay the engine's
  EXPECT_EQ(waitLevel, 0);
}

// Through the engine: clicks are display positions, turned back into page
// positions with the offsets of the last drawing (-15000 once a staff is drawn).
TEST(EngineDrawModeTest, ClicksKeysAndWordsReachTheEditorWhileItIsActive) {
  const fs::path root = fs::temp_directory_path() / ("ts_engine_draw_mode_" + std::to_string(::getpid()));
  fs::remove_all(root);
  DriveMap drives(root);
  testing::FakeHost host;
  Engine engine(host, drives);
  EngineSession session(engine);
  session.typeLine("STAFF");
  session.typeLine("X");
  host.answers = {"1"};
  EXPECT_EQ(session.typeLine("DRW").message, text::pointCountMessage(false, 0));
  EXPECT_EQ(session.click(8000, -17000).message, text::pointCountMessage(false, 1));
  EXPECT_EQ(session.click(10800, -17000).message, text::pointCountMessage(false, 2));
  EXPECT_EQ(session.typeLine("M").message, text::kMoveFirstLast);
  EXPECT_EQ(session.pressKey(115).message, text::kMoveFirstLast);  // F4 marks, it does not open an item
  EXPECT_FALSE(engine.editing());
  session.typeLine("X");
  EXPECT_EQ(session.typeLine("NOTE").message.rfind(messages::kUnknownWord, 0), 0u);  // no items while drawing
  EXPECT_EQ(engine.page().itemCount(), 1);
  host.answers = {"5001 Two points"};
  EXPECT_EQ(session.typeLine("SA").message, text::kSaved);
  EXPECT_EQ(session.typeLine("X").message, text::kLeaving);
  EXPECT_TRUE(fs::exists(root / "tonesmith" / "cantlib" / "LB5000.DRW"));
  EXPECT_EQ(session.typeLine("DRW").message, text::pointCountMessage(false, 0));  // no answer: the menu is cancelled
  host.answers = {"5001"};
  EXPECT_EQ(session.typeLine("G").message, text::pointCountMessage(true, 2));
  fs::remove_all(root);
}

}  // namespace
}  // namespace ts
