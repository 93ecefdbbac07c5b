// Text items drawn into the text list: faces, sizes and places of their
// pieces, font switches and substitutions, with a font library made here.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include <unistd.h>

#include "draw/draw_messages.h"
#include "draw/font_metric_file.h"
#include "draw/page_drawing.h"
#include "draw/text_layout.h"
#include "draw/text_list.h"
#include "model/host_files.h"

namespace ts {
namespace {

namespace fs = std::filesystem;


constexpr int32_t kTextX = 1500;      // P3 = 10
constexpr int32_t kBaselineY = -7171;  // staff 1, step 14, less the lift of 96
constexpr float kEm12 = 12 * 4000.0f / 72;  // a 12-point font size in page units

class TextsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() / ("ts_texts_" + std::to_string(::getpid()));
    fs::create_directories(m_root / "fontlib");
    for (const auto& [number, width] : {std::pair{0, 319}, {5, 638}, {7, 638}, {29, 383}}) writeFont(number, static_cast<int16_t>(width));
    newPage();
  }
  void newPage() {
    m_page.clear();
    ItemRecord staff;
    staff.params = {8, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};  // P12 = 1: no staff number
    m_page.append(staff);
  }
  void TearDown() override { fs::remove_all(m_root); }

  void writeFont(int number, int16_t width) {
    FontMetricFile file;
    file.name = "Test";
    file.widths.fill(width);
    const std::vector<uint8_t> bytes = encodeFontMetrics(file);
    std::ofstream(m_root / "fontlib" / metricFileName(number), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  // A text at P3 = 10, step 14 of staff 1; `more` are P5 onward.
  void addText(const std::string& text, std::vector<float> more = {}, float p3 = 10) {
    ItemRecord item;
    item.params = {16, 1, p3, 14};
    item.params.insert(item.params.end(), more.begin(), more.end());
    item.params.resize(std::max<size_t>(item.params.size(), 13), 0.0f);
    item.params[11] = static_cast<float>(text.size());
    item.text = text;
    ASSERT_GT(m_page.append(item), 0);
  }
  std::vector<TextBlock> draw() {
    static NoHostFiles files;
    PageDrawer drawer(files, m_root / "cantlib");
    m_words.assign(100000, 0);
    m_text.assign(20000, 0);
    DisplayTarget target{m_words.data(), 100000, &m_used, m_text.data(), 20000, &m_textUsed};
    m_report = drawer.draw(m_page, DrawRequest{}, target);
    return readTextList({m_text.data(), static_cast<size_t>(m_textUsed)});
  }
  bool warned(const std::string& message) const {
    return std::find(m_report.warnings.begin(), m_report.warnings.end(), message) != m_report.warnings.end();
  }

  fs::path m_root;
  PageStore m_page;
  std::vector<int32_t> m_words;
  std::vector<char> m_text;
  int32_t m_used = 0, m_textUsed = 0;
  DrawReport m_report;
};

TEST_F(TextsTest, AFontSwitchSetsTheRestInItsFontAfterTheMeasuredStart) {
  addText("ab_05cd");
  const auto blocks = draw();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0].font.face, "Times New Roman");
  EXPECT_FLOAT_EQ(blocks[0].font.height, kEm12 / 64);
  EXPECT_EQ(blocks[0].strings[0].text, "ab");
  EXPECT_EQ(blocks[0].strings[0].x, kTextX);
  EXPECT_EQ(blocks[0].strings[0].y, kBaselineY);
  EXPECT_EQ(blocks[1].font.face, "Switzerland Bold");
  EXPECT_EQ(blocks[1].font.weight, 700);
  EXPECT_EQ(blocks[1].strings[0].text, "cd");
  EXPECT_EQ(blocks[1].strings[0].x, kTextX + static_cast<int32_t>(2 * 0.5f * kEm12));
  EXPECT_TRUE(m_report.warnings.empty());
}

TEST_F(TextsTest, AnUnderbarWithoutANumberSetsTheRestInCourier) {
  addText("ab_cd");
  const auto blocks = draw();
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[1].font.face, "Courier New");
  EXPECT_EQ(blocks[1].strings[0].text, "cd");
  EXPECT_TRUE(warned(fontNumberMissingMessage(2)));
  EXPECT_TRUE(warned(kCourierSubstitutedMessage));
}

TEST_F(TextsTest, FontNumbersFindTheirFileOrFallBackToTimesRoman) {
  const struct { float font; const char* face; bool missing; } cases[] = {
      {7, "Switzerland Bold Italic", false},
      {107, "Switzerland Bold Italic", false},
      {40, "Times New Roman", true},
      {4, "Times New Roman", true},
  };
  for (const auto& c : cases) {
    newPage();
    addText("word", {0, c.font});
    const auto blocks = draw();
    ASSERT_EQ(blocks.size(), 1u) << c.font;
    EXPECT_EQ(blocks[0].font.face, c.face) << c.font;
    const std::string file = metricFileName(static_cast<int>(c.font) % 100);
    EXPECT_EQ(warned(fontNotFoundMessage(2, file)), c.missing) << c.font;
  }
}

TEST_F(TextsTest, FontNinetyNineKeepsTheFontInUse) {
  addText("first", {0, 5});
  addText("second", {0, 99});
  const auto blocks = draw();
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].font.face, "Switzerland Bold");
  EXPECT_EQ(blocks[0].strings.size(), 2u);
}

TEST_F(TextsTest, SizeAngleOffsetAndSpacingPlaceEveryCharacter) {
  // P5 spacing 6 points, size 24, angle 90, P13 two steps up.
  addText("ab", {6, 0, 24, 0, 90, 0, 0, 0, 2});
  const auto blocks = draw();
  ASSERT_EQ(blocks.size(), 1u);
  const TextBlock& block = blocks[0];
  EXPECT_FLOAT_EQ(block.font.height, 2 * kEm12 / 64);
  EXPECT_EQ(block.font.angle, 900);
  ASSERT_EQ(block.strings.size(), 2u);
  const int32_t lifted = kBaselineY + 2 * 175;
  EXPECT_EQ(block.strings[0].y, lifted);
  const float advance = 0.5f * 2 * kEm12 + 6 * 4000.0f / 72;
  EXPECT_NEAR(block.strings[1].x, kTextX, 1);
  EXPECT_NEAR(block.strings[1].y, lifted + advance, 1);
}

TEST_F(TextsTest, TextsGrowWithTheirStaffUpToTheLargestSize) {
  const struct { float staffSize; float points; } cases[] = {{0.5f, 6}, {2, 24}, {100, kLargestTextSize}};
  for (const auto& c : cases) {
    m_page.clear();
    ItemRecord staff;
    staff.params = {8, 1, 0, 0, c.staffSize, 0, 0, 0, 0, 0, 0, 1};
    m_page.append(staff);
    addText("x", {}, 10);
    m_page.setParam(2, 4, 0.0f);
    const auto blocks = draw();
    ASSERT_EQ(blocks.size(), 1u) << c.staffSize;
    EXPECT_FLOAT_EQ(blocks[0].font.height, c.points * 4000.0f / 72 / 64) << c.staffSize;
  }
}

TEST_F(TextsTest, ExtendedTextTakesItsColourFromP16) {
  ItemRecord item;
  item.params = {16, 1, 10, 14, 0, 0, 0, 0, 0, 0, 0, 2, 0, -1, 0, 0.5f};
  item.text = "hi";
  ASSERT_GT(m_page.append(item), 0);
  const auto blocks = draw();
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0].font.colour, 0x808080u);
}

TEST_F(TextsTest, ATextFarLeftIsReportedAndNotDrawn) {
  addText("gone", {}, -141);
  EXPECT_TRUE(draw().empty());
  EXPECT_TRUE(warned(outOfBoundsLeftMessage(1, 16)));
}

}  // namespace
}  // namespace ts
