// Checks the symbol library that the build makes in cantlib/ from the glyph
// map: every mapped number is there, and the shapes the notes lean on have
// the proportions the drawing code assumes.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>

#include "draw/drawing_file.h"
#include "draw/symbol_outlines.h"

namespace ts {
namespace {

namespace fs = std::filesystem;

constexpr float kStep = 7.0f;          // symbol units per staff step
constexpr float kUnitsPerSymbol = 4.0f;  // drawing units per symbol unit

// The build writes cantlib/ at the top of the build tree; the tests run in
// its tests/ folder. TSMITH_CANTLIB names another place.
std::optional<fs::path> findLibrary() {
  if (const char* env = std::getenv("TSMITH_CANTLIB")) return fs::path(env);
  for (const char* candidate : {"../cantlib", "cantlib", "../../cantlib"}) {
    if (fs::exists(fs::path(candidate) / kSymbolFileName)) return fs::path(candidate);
  }
  return std::nullopt;
}

fs::path glyphMapPath() {
  return fs::path(__FILE__).parent_path().parent_path().parent_path() / "data/glyphs/glyph_map.txt";
}

struct Box {
  float left = 1e9f, bottom = 1e9f, right = -1e9f, top = -1e9f;
  float width() const { return right - left; }
  float height() const { return top - bottom; }
};

template <typename Points>
Box boxOf(const Points& points) {
  Box b;
  for (const DrawingPoint& p : points) {
    b.left = std::min(b.left, p.x);
    b.right = std::max(b.right, p.x);
    b.bottom = std::min(b.bottom, p.y);
    b.top = std::max(b.top, p.y);
  }
  return b;
}

// Every contour ends on the point it started from, so that a renderer
// drawing outlines only still closes the shapes.
template <typename Points>
bool contoursClosed(const Points& points) {
  size_t start = 0;
  for (size_t i = 1; i <= points.size(); ++i) {
    if (i < points.size() && points[i].pen == 0) continue;
    const DrawingPoint& first = points[start];
    const DrawingPoint& last = points[i - 1];
    if (first.x != last.x || first.y != last.y) return false;
    start = i;
  }
  return true;
}

class SymbolLibraryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto dir = findLibrary();
    if (!dir) GTEST_SKIP() << "the symbol library has not been built (target glyph_data)";
    m_dir = *dir;
    ASSERT_EQ(readSymbolFile(m_dir / kSymbolFileName, m_symbols), SymbolFileStatus::Ok);
  }

  std::vector<DrawingPoint> drawing(int n) const {
    DrawingFile file;
    if (readDrawingFile(m_dir / drawingFileName(n), file) != DrawingFileStatus::Ok) return {};
    return file.slotPoints(drawingSlot(n));
  }

  fs::path m_dir;
  SymbolOutlines m_symbols;
};

TEST_F(SymbolLibraryTest, EveryMappedNumberIsPresentAsClosedFilledFigures) {
  std::ifstream map(glyphMapPath());
  ASSERT_TRUE(map) << glyphMapPath();
  std::set<int> drawings;
  std::string line;
  while (std::getline(map, line)) {
    std::istringstream in(line);
    std::string kind;
    int number = -1;
    if ((in >> kind >> number) && (kind == "S" || kind == "D")) drawings.insert(number);
  }
  for (int n = 0; n < kSymbolCount; ++n) drawings.insert(n);
  for (int n : drawings) {
    const auto points = drawing(n);
    ASSERT_FALSE(points.empty()) << "drawing " << n;
    EXPECT_EQ(points.front().pen, 2) << "drawing " << n;
    for (const auto& p : points) EXPECT_TRUE(p.pen == 0 || p.pen == 2 || p.pen == 3) << n;
    EXPECT_TRUE(contoursClosed(points)) << "drawing " << n;
  }
  for (int n = 0; n < kSymbolCount; ++n) {
    const auto run = m_symbols.symbol(n);
    ASSERT_FALSE(run.empty()) << "symbol " << n;
    EXPECT_EQ(run.front().pen, 2) << "symbol " << n;
    EXPECT_TRUE(contoursClosed(run)) << "symbol " << n;
  }
}

TEST_F(SymbolLibraryTest, PrintedSymbolsAreTheScreenSymbolsAtFourTimesTheUnits) {
  for (int n = 0; n < kSymbolCount; ++n) {
    if (n == 3) continue;  // drawing 3 is the clef-kind treble clef of its own
    const Box screen = boxOf(m_symbols.symbol(n));
    const Box print = boxOf(drawing(n));
    EXPECT_NEAR(print.width(), screen.width() * kUnitsPerSymbol, 0.01f) << n;
    EXPECT_NEAR(print.top, screen.top * kUnitsPerSymbol, 0.01f) << n;
  }
}

TEST_F(SymbolLibraryTest, AccidentalsStandLeftOfTheHeadWithTheirShapes) {
  const Box flat = boxOf(m_symbols.symbol(6));
  const Box sharp = boxOf(m_symbols.symbol(7));
  const Box natural = boxOf(m_symbols.symbol(8));
  for (const Box& b : {flat, sharp, natural}) {
    EXPECT_LT(b.right, 0.0f);
    EXPECT_GT(b.right, -kStep);
  }
  // A flat's stem rises well above its bowl, which sits on the step.
  EXPECT_GT(flat.top, 2.5f * -flat.bottom);
  EXPECT_GT(flat.height(), 1.8f * flat.width());
  // Sharp and natural are centred on the step, about three spaces high.
  EXPECT_NEAR(sharp.top, -sharp.bottom, 0.5f);
  EXPECT_NEAR(sharp.height(), 6 * kStep, kStep);
  EXPECT_LT(natural.width(), sharp.width());
  EXPECT_GT(natural.height(), 2.5f * natural.width());
}

TEST_F(SymbolLibraryTest, HeadsAndClefsSitWhereTheDrawingCodeExpects) {
  const Box black = boxOf(m_symbols.symbol(11));
  EXPECT_NEAR(black.left, 0.0f, 0.05f);
  EXPECT_NEAR(black.width(), 17.0f, 0.3f);  // the head width of notes and stems
  EXPECT_NEAR(black.top, -black.bottom, 0.3f);
  EXPECT_NEAR(black.height(), 2 * kStep, 1.5f);
  // The treble clef reaches below the bottom line and above the top line.
  const Box treble = boxOf(m_symbols.symbol(0));
  EXPECT_LT(treble.bottom, 0.0f);
  EXPECT_GT(treble.top, 8 * kStep);
  // The flag hangs from six steps below its reference up to about it.
  const Box flag = boxOf(m_symbols.symbol(20));
  EXPECT_NEAR(flag.bottom, -6 * kStep, 0.5f);
  EXPECT_LT(flag.top, 0.0f);
}

}  // namespace
}  // namespace ts
