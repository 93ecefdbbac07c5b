#include "layout/justification_widths.h"

#include <gtest/gtest.h>

#include <vector>

namespace ts {
namespace {

TEST(AccidentalWidth, CodeFromUnitsSecondSetAboveHundredAndFractionShift) {
  const struct {
    float p5, width;
  } cases[] = {
      {0, 0},     {10, 0},    {21, 2.0f},  {22, 2.4f},  {13, 2.1f}, {4, 4.0f},  {5, 2.5f},
      {9, 2.8f},  {101, 4.1f}, {122, 4.6f}, {105, 4.5f}, {109, 4.5f}, {21.3f, 5.0f}, {-22, 2.4f},
      {21.95f, 1.5f},  // a fraction above 0.9 moves the other way: 10 x (0.9 - 0.95)
  };
  for (const auto& c : cases) EXPECT_NEAR(accidentalWidth(c.p5), c.width, 1e-4) << c.p5;
}

TEST(NoteWidths, HeadsParenthesesBarAfterCueAndSize) {
  struct Case {
    const char* what;
    std::vector<float> params;
    bool barFollows;
    float left, right;
  };
  const Case cases[] = {
      {"quarter", {1, 1, 10, 5, 20}, false, 0, 4.5f},
      {"whole head", {1, 1, 10, 5, 20, 2}, false, 0, 5.0f},
      {"sharp, parentheses", {1, 1, 10, 5, 22, 10}, false, 2.4f + 1.7f, 4.5f + 1.8f},
      {"bar follows", {1, 1, 10, 5, 20}, true, 0, 6.0f},
      {"dotted, bar follows", {1, 1, 10, 5, 20, 0, 1, 0, 10}, true, 0, 5.0f},
      {"cue size", {1, 1, 10, 105, 21}, false, 1.4f, 3.15f},
      {"size factor", {1, 1, 10, 5, 20, 0, 1, 0, 0, 0, 0, 0, 0, 0, 2}, false, 0, 9.0f},
      {"chord member's -1 is no size", {1, 1, 10, 5, 20, 0, 1, 0, 0, 0, 0, 0, 0, 0, -1}, false, 0, 4.5f},
  };
  for (const Case& c : cases) {
    const SideWidths widths = noteWidths(c.params, c.barFollows);
    EXPECT_NEAR(widths.left, c.left, 1e-4) << c.what;
    EXPECT_NEAR(widths.right, c.right, 1e-4) << c.what;
  }
}

TEST(SpacingKind, InclusionRules) {
  struct Case {
    const char* what;
    std::vector<float> params;
    SpacingKind kind;
  };
  const Case cases[] = {
      {"note", {1, 1, 10, 5, 20, 0, 1}, SpacingKind::Note},
      {"note with negative P7", {1, 1, 10, 5, 20, 0, -1}, SpacingKind::None},
      {"rest", {2, 1, 10}, SpacingKind::Rest},
      {"invisible rest", {2, 1, 10, 0, 0, -1}, SpacingKind::None},
      {"clef", {3, 1, 10, 0, 5}, SpacingKind::Clef},
      {"clef variant above 5", {3, 1, 10, 0, 6}, SpacingKind::None},
      {"short line", {4, 1, 10, 0, 0, 0, -2}, SpacingKind::Line},
      {"ordinary line", {4, 1, 10, 0, 0, 30, 0}, SpacingKind::None},
      {"number with P16", {10, 1, 10, 14, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}, SpacingKind::Number},
      {"number without", {10, 1, 10, 14, 3}, SpacingKind::None},
      {"bar", {14, 1, 10, 1, 0}, SpacingKind::BarLine},
      {"invisible bar", {14, 1, 10, -1, 0}, SpacingKind::None},
      {"sub-bracket", {14, 1, 10, 1, 10}, SpacingKind::None},
      {"key", {17, 1, 10, 0, 2}, SpacingKind::KeySignature},
      {"key, justify off", {17, 1, 10, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1}, SpacingKind::None},
      {"meter", {18, 1, 10, 0, 4, 4}, SpacingKind::Meter},
      {"meter far from the staff", {18, 1, 10, 3, 4, 4}, SpacingKind::None},
      {"meter scaled near", {18, 1, 10, 3, 4, 4, 0.5f}, SpacingKind::Meter},
      {"slur", {5, 1, 10, 5, 5, 30}, SpacingKind::None},
      {"text", {16, 1, 10}, SpacingKind::None},
  };
  for (const Case& c : cases) EXPECT_EQ(spacingKind(c.params), c.kind) << c.what;
}

TEST(StandsOnStaff, BarLinesSpanTheirStavesFromTheSystemsFirst) {
  const std::vector<float> bar = {14, 2, 10, 2, 0};  // staves 2 and 3
  const struct {
    int staff, first;
    bool stands;
  } cases[] = {{1, 1, false}, {2, 1, true}, {3, 1, true}, {4, 1, false}, {3, 3, false}};
  for (const auto& c : cases) EXPECT_EQ(standsOnStaff(bar, SpacingKind::BarLine, c.staff, c.first), c.stands) << c.staff;
  EXPECT_TRUE(standsOnStaff(std::vector<float>{14, 2, 10, 0}, SpacingKind::BarLine, 2, 1));
  EXPECT_FALSE(standsOnStaff(std::vector<float>{1, 2, 10}, SpacingKind::Note, 3, 1));
}

TEST(OtherWidths, ClefsLinesNumbersKeysAndMeters) {
  EXPECT_FLOAT_EQ(clefWidths(std::vector<float>{3, 1, 10, 0}, true).left, 1.0f);
  EXPECT_FLOAT_EQ(clefWidths(std::vector<float>{3, 1, 10, 100}, false).right, 6.5f);
  const std::vector<float> line = {4, 1, 10, 0, 0, 0, -2};
  EXPECT_FLOAT_EQ(lineWidths(line, kindBit(SpacingKind::BarLine), 1).left, 0.2f);
  EXPECT_FLOAT_EQ(lineWidths(line, kindBit(SpacingKind::Clef), 1).left, 0.0f);
  std::vector<float> shifted(15, 0.0f);
  shifted[0] = 4, shifted[6] = -2, shifted[14] = 1;
  EXPECT_FLOAT_EQ(lineWidths(shifted, 0, 2).left, 0.8f);
  EXPECT_FLOAT_EQ(lineWidths(shifted, 0, 2).right, 2.3f);
  EXPECT_FLOAT_EQ(numberWidths(std::vector<float>{10, 1, 10, 14, 3, 2}, 1).right, 8.0f);
  EXPECT_FLOAT_EQ(keySignatureWidths(std::vector<float>{17, 1, 10, 0, -103}, false, 1).right, 3 * 2.8f + 2.0f);
  EXPECT_FLOAT_EQ(meterWidths(std::vector<float>{18, 1, 10, 0, 12, 8}, false, 1).right, 7.5f);
  EXPECT_FLOAT_EQ(meterWidths(std::vector<float>{18, 1, 10, 0, 4, 4}, true, 1).right, 3.0f);
  EXPECT_FLOAT_EQ(meterWidths(std::vector<float>{18, 1, 10, 0, 4, 4}, false, 0.5f).right, 5.5f * 0.75f);
}

TEST(SpacingRules, BarBeforeClefAndSpaceAfterSettings) {
  EXPECT_FLOAT_EQ(barRightBeforeClef(2.5f), 2.0f);
  EXPECT_FLOAT_EQ(barRightBeforeClef(3.7f), 2.7f);
  EXPECT_FLOAT_EQ(growthAfter(1.5f, 2.5f, 1), 0.0f);
  EXPECT_FLOAT_EQ(growthAfter(3.0f, 2.5f, 1), 0.5f);
  EXPECT_FLOAT_EQ(growthAfter(3.0f, 2.5f, 0.5f), 3.5f);
}

}  // namespace
}  // namespace ts
