// Whole-page drawing: staves, colours, warnings and the list guards, with
// the symbol library the build makes (or none at all).

#include "draw/page_drawing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <limits>
#include <vector>

#include <unistd.h>

#include "draw/display_figures.h"
#include "draw/draw_messages.h"
#include "draw/text_list.h"
#include "model/host_files.h"

namespace ts {
namespace {

namespace fs = std::filesystem;


fs::path builtLibrary() {
  if (const char* env = std::getenv("TSMITH_CANTLIB")) return env;
  for (const char* candidate : {"../cantlib", "cantlib", "../../cantlib"}) {
    if (fs::exists(fs::path(candidate) / "TSMITH.DAT")) return candidate;
  }
  return {};
}

struct Drawn {
  std::vector<int32_t> words;
  std::vector<char> text;
  int32_t used = 0, textUsed = 0;
  DrawReport report;
  std::vector<TextBlock> blocks() const { return readTextList({text.data(), static_cast<size_t>(textUsed)}); }
};

Drawn drawPage(const PageStore& page, DrawRequest request = {}, fs::path library = builtLibrary(),
               int capacity = 100000) {
  static NoHostFiles files;
  PageDrawer drawer(files, library);
  Drawn d;
  d.words.assign(static_cast<size_t>(capacity), 0);
  d.text.assign(20000, 0);
  DisplayTarget target{d.words.data(), capacity, &d.used, d.text.data(), 20000, &d.textUsed};
  d.report = drawer.draw(page, request, target);
  return d;
}

void add(PageStore& page, std::vector<float> params) {
  ItemRecord item;
  item.params = std::move(params);
  ASSERT_GT(page.append(item), 0);
}

TEST(PageDrawing, StaffLinesAndNumber) {
  PageStore page;
  add(page, {8, 1, 0, 0});
  const Drawn d = drawPage(page);
  ASSERT_EQ(d.used, 5 * 2 * 3);
  for (int line = 0; line < 5; ++line) {
    EXPECT_EQ(d.words[line * 6 + 1], -24000 + 15000 + line * 350) << line;  // display offset -15000
    EXPECT_EQ(d.words[line * 6 + 3], 30000);
  }
  const auto blocks = d.blocks();
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].strings[0].text, "1");
  EXPECT_EQ(blocks[0].strings[0].x, -1200);
  EXPECT_EQ(d.report.verticalDisplayOffset, -15000);
}

TEST(PageDrawing, InvisibleStaffIsGreyOnlyWhenShown) {
  PageStore page;
  add(page, {8, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1});
  DrawRequest request;
  EXPECT_EQ(wordColour(drawPage(page, request).words[2]), 0xCCCCCCu);
  request.showInvisible = false;
  EXPECT_EQ(drawPage(page, request).used, 0);
}

TEST(PageDrawing, HighlightedItemInRedAndItsExtent) {
  PageStore page;
  add(page, {8, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  add(page, {14, 1, 100, 1, 0});
  DrawRequest request;
  request.highlightedItem = 2;
  const Drawn d = drawPage(page, request);
  ASSERT_EQ(d.used, 6 * 2 * 3);
  EXPECT_EQ(wordColour(d.words[2]), 0u);
  EXPECT_EQ(wordColour(d.words[d.used - 1]), 255u);
  EXPECT_EQ(d.report.highlightedExtent.minX, 15000);
  EXPECT_EQ(d.report.highlightedExtent.maxY, -24000 + 1400 + 15000);
}

TEST(PageDrawing, WarningsOncePerText) {
  PageStore page;
  add(page, {8, 1, 0, 1000});
  add(page, {8, 2, 0, 0});
  add(page, {1, 2, 300, 7});
  add(page, {1, 2, 290, 7});
  add(page, {14, 2, -150, 1});
  add(page, {1, 5, 10, 7});  // above the highest staff: not drawn, no message
  const Drawn d = drawPage(page, {}, {});
  EXPECT_TRUE(d.report.symbolLibraryMissing);
  const std::vector<std::string> expected = {staffOutOfRangeMessage(1),
                                             outOfBoundsRightMessage(2, 1), outOfBoundsLeftMessage(2, 14)};
  EXPECT_EQ(d.report.warnings, expected);
}

TEST(PageDrawing, FullDisplayListStopsAtOnePlace) {
  PageStore page;
  for (int staff = 1; staff <= 8; ++staff) add(page, {8, static_cast<float>(staff), 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  const Drawn d = drawPage(page, {}, {}, 100);
  EXPECT_EQ(d.used, 90);  // three whole staves of 30 words
  EXPECT_EQ(d.report.warnings.back(), kDisplayListFullMessage);
}

TEST(PageDrawing, NotesFromTheLibrary) {
  if (builtLibrary().empty()) GTEST_SKIP() << "no symbol library built";
  PageStore page;
  add(page, {8, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  const int32_t staffWords = drawPage(page).used;
  add(page, {1, 1, 20, 3, 22, 0, 1});  // a sharp and a stem-down stem at the head's left edge
  const Drawn d = drawPage(page);
  std::vector<int32_t> words(d.words.begin() + staffWords, d.words.begin() + d.used);
  markOnePointFigures(words);
  const std::vector<Figure> figures = buildFigures(words, 256);
  ASSERT_GE(figures.size(), 3u);
  EXPECT_EQ(figures.front().opcode, 2);  // the head
  const Figure& stem = figures.back();
  EXPECT_EQ(stem.opcode, 1);
  EXPECT_EQ(stem.contours[0].front().x, 3000);  // at X, running down from the head
  EXPECT_LT(stem.contours[0].back().y, stem.contours[0].front().y);
  int leftOfHead = 0;
  for (const Figure& f : figures) leftOfHead += f.contours[0][0].x < 3000 ? 1 : 0;
  EXPECT_GE(leftOfHead, 1);  // the sharp
}

// A centred rest asks for the bars of its staff; a bar line naming an absurd
// staff or span once made that search run over billions of staves.
TEST(PageDrawing, AbsurdBarSpansEndQuickly) {
  PageStore page;
  add(page, {8, 1, 0, -102, 0, 0, 0, 0, 0, 0, 0, 1});
  add(page, {2, 1, 10, 0, 0, 0, 0, 0, -1});
  add(page, {14, -2.0e9f, 5, 2.0e9f});
  add(page, {14, -5, 60, 9.0e6f});
  add(page, {14, 1, 50, 5000});  // spans the staves there are
  const Drawn d = drawPage(page);
  EXPECT_TRUE(d.report.places[1].drawn);
  EXPECT_TRUE(d.report.places[4].drawn);
  EXPECT_FALSE(d.report.places[2].drawn);
  EXPECT_FALSE(d.report.places[3].drawn);
}

// Values that cannot be drawn leave their item out with one message naming
// it and why; the items around it draw as before.
TEST(PageDrawing, UndrawableItemsAreNamedAndSkipped) {
  constexpr float kInf = std::numeric_limits<float>::infinity();
  PageStore page;
  add(page, {8, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  const int32_t staffWords = drawPage(page).used;
  add(page, {4, 1, 10, 0, 0, kInf, -30});                                  // an octave line without end
  add(page, {1, 1, 20, 3, -1.0e10f, 0, 1});                                // P5 past any packing
  add(page, {4, 1, 0, 0, 0, 200, 0, 0.0001f, 0.0001f});                    // a million dashes
  add(page, {8, 2, 0, 0, 1.0e6f, 0, 0, 0, 0, 0, 0, 1});                    // a staff far off the page
  add(page, {14, 1, 100, 1, 0});
  const Drawn d = drawPage(page, {}, {});
  const std::vector<std::string> expected = {
      undrawableParameterMessage(2, 6, UndrawableValue::NotANumber),
      undrawableParameterMessage(3, 5, UndrawableValue::TooLarge), tooManyMarksMessage(4), outsideWindowMessage(5)};
  EXPECT_EQ(d.report.warnings, expected);
  EXPECT_EQ(d.used, staffWords + 2 * 3);  // the staff and the bar line, nothing of the dashes
  EXPECT_TRUE(d.report.places[5].drawn);
  for (int k = 2; k <= 5; ++k) EXPECT_FALSE(d.report.places[static_cast<size_t>(k - 1)].drawn) << k;
}

// Paper leaves out what only the screen shows (the guide line, the staff
// number, an invisible staff) and gives the staff lines their weight.
TEST(PageDrawing, PrintFormsOfTheStaff) {
  struct Case { const char* what; std::vector<float> staff; int32_t screenWords, printWords; size_t screenBlocks; };
  for (const Case& c : {Case{"numbered", {8, 1, 0, 0}, 30, 30, 1},
                        Case{"guide line", {8, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 1}, 36, 30, 0},
                        Case{"invisible", {8, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1}, 30, 0, 0},
                        Case{"weighted", {8, 1, 0, 0, 0, 0, 0, 0, 0, 0, 3, 1}, 30, 33, 0},  // + the restore point
                        Case{"weight 99", {8, 1, 0, 0, 0, 0, 0, 0, 0, 0, 99, 1}, 30, 30, 0}}) {
    PageStore page;
    add(page, c.staff);
    DrawRequest print;
    print.print = true;
    const Drawn screen = drawPage(page), paper = drawPage(page, print);
    EXPECT_EQ(screen.used, c.screenWords) << c.what;
    EXPECT_EQ(screen.blocks().size(), c.screenBlocks) << c.what;
    EXPECT_EQ(paper.used, c.printWords) << c.what;
    EXPECT_TRUE(paper.blocks().empty()) << c.what;
  }
}

// Paper takes symbols from their library drawings; a library that lacks a
// drawing falls back on the outline instead of leaving the symbol out.
TEST(PageDrawing, PrintedSymbolWithoutItsDrawingTakesTheOutline) {
  if (builtLibrary().empty()) GTEST_SKIP() << "no symbol library built";
  const fs::path outlinesOnly = fs::temp_directory_path() / ("ts_outlines_only_" + std::to_string(::getpid()));
  fs::create_directories(outlinesOnly);
  fs::copy_file(builtLibrary() / "TSMITH.DAT", outlinesOnly / "TSMITH.DAT", fs::copy_options::overwrite_existing);
  PageStore page;
  add(page, {8, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1});
  const int32_t staffWords = drawPage(page).used;
  add(page, {3, 1, 10, 0});  // a treble clef
  DrawRequest print;
  print.print = true;
  const Drawn fromDrawing = drawPage(page, print);
  const Drawn screen = drawPage(page, {}, outlinesOnly), fallback = drawPage(page, print, outlinesOnly);
  fs::remove_all(outlinesOnly);
  EXPECT_GT(fromDrawing.used, staffWords);
  ASSERT_GT(screen.used, staffWords);
  EXPECT_EQ(std::vector<int32_t>(fallback.words.begin(), fallback.words.begin() + fallback.used),
            std::vector<int32_t>(screen.words.begin(), screen.words.begin() + screen.used));
}

// A list too small for the page is cut at one place: it holds the start of
// the whole page's list, and everything else the drawing reports (the text
// list, the items with too many marks, where items lie) is as with room to spare.
TEST(PageDrawing, AFullListCutsOnlyThePaths) {
  if (builtLibrary().empty()) GTEST_SKIP() << "no symbol library built";
  PageStore page;
  for (float staff = 1; staff <= 2; ++staff) {
    add(page, {8, staff, 0, -100 + 8 * staff});
    add(page, {17, staff, 9, 0, 5 - 4 * staff, staff - 1});
    for (float x = 28; x < 60; x += 4) {
      add(page, {1, staff, x, x - 35, 12, 0, 1, 0, 21});
      add(page, {2, staff, x + 2, 0, 1, 1});
    }
  }
  add(page, {2, 1, 100, 0, 0, 20000});                  // twenty thousand dots
  add(page, {4, 1, 0, 0, 0, 200, 0, 0.0001f, 0.0001f});  // a million dashes
  add(page, {18, 2, 150, 0, 6, 8});
  const Drawn whole = drawPage(page), cut = drawPage(page, {}, builtLibrary(), 900);
  ASSERT_LT(cut.used, whole.used);
  EXPECT_EQ(std::vector<int32_t>(cut.words.begin(), cut.words.begin() + cut.used),
            std::vector<int32_t>(whole.words.begin(), whole.words.begin() + cut.used));
  size_t strings = 0;
  for (const TextBlock& block : cut.blocks()) strings += block.strings.size();
  EXPECT_EQ(strings, 4u);  // two staff numbers and the meter's two
  EXPECT_EQ(cut.text, whole.text);
  const int last = page.itemCount();
  std::vector<std::string> expected = {tooManyMarksMessage(last - 2), tooManyMarksMessage(last - 1)};
  EXPECT_EQ(whole.report.warnings, expected);
  expected.push_back(kDisplayListFullMessage);
  EXPECT_EQ(cut.report.warnings, expected);
  for (size_t i = 0; i < whole.report.places.size(); ++i) EXPECT_EQ(cut.report.places[i].drawn, whole.report.places[i].drawn) << i;
}

}  // namespace
}  // namespace ts
