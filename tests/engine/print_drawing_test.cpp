// The print drawing an engine makes for the PDF and PostScript writers:
// the page's print forms, nothing of the screen's editing state, and the
// screen lists left as the last call made them.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "draw/display_figures.h"
#include "draw/item_colour.h"
#include "draw/text_list.h"
#include "engine/engine.h"
#include "engine/engine_session.h"
#include "platform/drive_map.h"
#include "support/fake_host.h"

namespace ts {
namespace {

namespace fs = std::filesystem;

struct Lists {
  std::vector<int32_t> words;
  std::vector<char> text;
  bool operator==(const Lists&) const = default;
};

Lists screenLists(const EngineSession& session) {
  const auto& words = session.displayList();
  const auto& text = session.textList();
  return {{words.begin(), words.begin() + session.displayUsed()}, {text.begin(), text.begin() + session.textUsed()}};
}

bool anyColour(const std::vector<int32_t>& words, uint32_t colour) {
  for (size_t i = 2; i < words.size(); i += 3) {
    if (wordColour(words[i]) == colour) return true;
  }
  return false;
}

TEST(PrintDrawing, PaperFormsWithoutTheEditingStateAndTheScreenKept) {
  const fs::path root = fs::temp_directory_path() / ("print_drawing_test_" + std::to_string(::getpid()));
  fs::create_directories(root);
  testing::FakeHost host;
  DriveMap drives(root);
  Engine engine(host, drives);
  EngineSession session(engine);
  session.typeLine("STAFF");
  session.typeLine("X");
  session.typeLine("BAR");  // being edited: red on the screen
  const Lists screen = screenLists(session);
  const int scroll = engine.verticalDisplayOffset();
  ASSERT_TRUE(anyColour(screen.words, kHighlightColour));
  ASSERT_FALSE(readTextList(screen.text).empty());  // the staff number

  const DrawnLists paper = session.drawForPrint();
  EXPECT_FALSE(paper.words.empty());
  EXPECT_FALSE(anyColour(paper.words, kHighlightColour));
  EXPECT_TRUE(readTextList(paper.text).empty());
  EXPECT_EQ(screenLists(session), screen);
  EXPECT_EQ(engine.verticalDisplayOffset(), scroll);
  EXPECT_TRUE(engine.editing());
  fs::remove_all(root);
}

}  // namespace
}  // namespace ts
