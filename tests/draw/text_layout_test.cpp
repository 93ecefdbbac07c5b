#include "draw/text_layout.h"

#include <gtest/gtest.h>

#include <array>

#include "draw/font_table.h"

namespace ts {
namespace {

// A font whose every character is `advance` font sizes wide, 'W' twice that.
FontWidths evenFont(float advance) {
  FontWidths widths;
  widths.advances.fill(advance);
  widths.advances[static_cast<size_t>(metricSlot('W'))] = 2 * advance;
  return widths;
}

TEST(TextLayout, FontNumberNamesTheFileModuloAHundred) {
  const struct { int font; int file; } cases[] = {
      {0, 0}, {7, 7}, {107, 7}, {34, 34}, {99, 99}, {199, 99}, {1000, 0}, {-3, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(fontFileNumber(c.font), c.file) << c.font;
    EXPECT_EQ(metricFileName(fontFileNumber(c.font)), metricFileName(c.file)) << c.font;
  }
  EXPECT_EQ(metricFileName(fontFileNumber(107)), "fm07.fmt");
}

TEST(TextLayout, UnderbarAndTwoDigitsSwitchTheFontForTheRest) {
  struct Piece { int font; const char* text; };
  const struct {
    const char* text;
    int start;
    bool missing;
    std::vector<Piece> runs;
  } cases[] = {
      {"plain", 3, false, {{3, "plain"}}},
      {"ab_05cd", 0, false, {{0, "ab"}, {5, "cd"}}},
      {"_29mono", 2, false, {{29, "mono"}}},
      {"a_01b_99c", 0, false, {{0, "a"}, {1, "b"}, {99, "c"}}},
      {"tail_05", 0, false, {{0, "tail"}}},
      {"ab_cd", 4, true, {{4, "ab"}, {kCourierFont, "cd"}}},
      {"ab_5c", 4, true, {{4, "ab"}, {kCourierFont, "5c"}}},
      {"end_", 4, true, {{4, "end"}}},
      {"_0", 4, true, {{kCourierFont, "0"}}},
      {"", 4, false, {}},
  };
  for (const auto& c : cases) {
    const FontSwitches split = splitFontSwitches(c.text, c.start);
    EXPECT_EQ(split.numberMissing, c.missing) << c.text;
    ASSERT_EQ(split.runs.size(), c.runs.size()) << c.text;
    for (size_t i = 0; i < c.runs.size(); ++i) {
      EXPECT_EQ(split.runs[i].font, c.runs[i].font) << c.text << " run " << i;
      EXPECT_EQ(split.runs[i].text, c.runs[i].text) << c.text << " run " << i;
    }
  }
}

TEST(TextLayout, ParametersAndTheirDefaults) {
  std::array<float, 17> params{};  // [i] is Pi
  TextParameters text = textParameters(params);
  EXPECT_EQ(text.font, 0);
  EXPECT_EQ(text.size, kDefaultTextSize);
  EXPECT_EQ(text.widthFactor, 1.0f);
  EXPECT_EQ(text.justifyWidth, 0.0f);
  params[5] = 2;
  params[6] = 105;
  params[7] = 20;
  params[8] = 1.5f;
  params[9] = 405;
  params[10] = 3;
  params[11] = 40;
  params[13] = -2;
  text = textParameters(params);
  EXPECT_EQ(text.charSpacing, 2.0f);
  EXPECT_EQ(text.font, 105);
  EXPECT_EQ(text.size, 20.0f);
  EXPECT_EQ(text.widthFactor, 1.5f);
  EXPECT_EQ(text.angle, 45.0f);
  EXPECT_EQ(text.spaceWidth, 3.0f);
  EXPECT_EQ(text.justifyWidth, 40.0f);
  EXPECT_EQ(text.verticalOffset, -2.0f);
  params[7] = 1e7f;
  params[5] = -1e7f;
  text = textParameters(params);
  EXPECT_EQ(text.size, kLargestTextSize);
  EXPECT_EQ(text.charSpacing, -kLargestTextSpacing);
}

TEST(TextLayout, StringWidthAddsTheAdvancesOfItsFont) {
  const FontWidths font = evenFont(0.5f);
  const struct { const char* text; float width; } cases[] = {
      {"", 0.0f}, {"a", 0.5f}, {"abc", 1.5f}, {"WW", 2.0f}, {"\xe9t\xe9", 1.5f},
  };
  for (const auto& c : cases) EXPECT_FLOAT_EQ(stringWidth(&font, c.text), c.width) << c.text;
  EXPECT_FLOAT_EQ(stringWidth(nullptr, "abcd"), 4 * kFallbackAdvance);
}

TEST(TextLayout, WholePiecesFollowOneAnother) {
  const FontWidths narrow = evenFont(0.25f), wide = evenFont(0.5f);
  const std::vector<SetRun> runs = {{0, &narrow, "abcd"}, {5, &wide, "ef"}};
  const TextSpacing spacing{100.0f};
  const std::vector<PlacedString> placed = placeStrings(runs, spacing);
  ASSERT_EQ(placed.size(), 2u);
  EXPECT_EQ(placed[0].text, "abcd");
  EXPECT_FLOAT_EQ(placed[0].offset, 0.0f);
  EXPECT_EQ(placed[1].run, 1u);
  EXPECT_FLOAT_EQ(placed[1].offset, 100.0f);
  EXPECT_FLOAT_EQ(setWidth(runs, spacing), 200.0f);
}

TEST(TextLayout, SpacingPlacesEveryCharacter) {
  const FontWidths font = evenFont(0.5f);
  const std::vector<SetRun> runs = {{0, &font, "aWb c"}};
  const struct {
    TextSpacing spacing;
    std::vector<float> offsets;  // of a, W, b, c: the blank is not sent
  } cases[] = {
      {{100.0f, 1.0f, 10.0f}, {0, 60, 170, 290}},             // 10 after each character
      {{100.0f, 1.0f, 0.0f, 80.0f}, {0, 50, 150, 280}},       // a blank of 80
      {{100.0f, 2.0f}, {0, 100, 300, 500}},                   // twice as wide
      {{100.0f, 1.0f, 0.0f, 0.0f, 400.0f}, {0, 75, 200, 350}},  // 100 spread over 4 gaps
      {{100.0f, 1.0f, 0.0f, 0.0f, 100.0f}, {0}},              // narrower than the text: as set
  };
  for (const auto& c : cases) {
    const std::vector<PlacedString> placed = placeStrings(runs, c.spacing);
    if (c.offsets.size() == 1) {
      ASSERT_EQ(placed.size(), 1u);
      EXPECT_EQ(placed[0].text, "aWb c");
      continue;
    }
    ASSERT_EQ(placed.size(), c.offsets.size());
    for (size_t i = 0; i < placed.size(); ++i) EXPECT_FLOAT_EQ(placed[i].offset, c.offsets[i]) << i;
  }
}

TEST(TextLayout, JustifiedTextFillsItsWidthExactly) {
  const FontWidths font = evenFont(0.3f);
  const std::vector<SetRun> runs = {{0, &font, "ab"}, {1, &font, "cde"}};
  for (const float width : {160.0f, 333.0f, 1000.0f}) {
    const TextSpacing spacing{100.0f, 1.0f, 0.0f, 0.0f, width};
    EXPECT_FLOAT_EQ(setWidth(runs, spacing), width);
    const std::vector<PlacedString> placed = placeStrings(runs, spacing);
    ASSERT_EQ(placed.size(), 5u);
    EXPECT_FLOAT_EQ(placed.back().offset + 30.0f, width);
  }
}

}  // namespace
}  // namespace ts
