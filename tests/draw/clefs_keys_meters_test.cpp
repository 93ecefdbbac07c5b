// Key-signature zig-zags, clef octave marks and meter placement.

#include "draw/clefs_keys_meters.h"

#include <gtest/gtest.h>

#include <vector>

namespace ts {
namespace {

// Heights in steps (units of 7 s) above the key item, as engravers place them.
std::vector<float> steps(KeyAccidental kind, int pattern) {
  std::vector<float> out;
  for (const float h : keySignatureHeights(kind, pattern, 7)) out.push_back(h / 7.0f);
  return out;
}

TEST(KeySignature, ZigZagOfEachClefPattern) {
  using V = std::vector<float>;
  struct Case { KeyAccidental kind; int pattern; V expected; };
  const KeyAccidental S = KeyAccidental::Sharp, F = KeyAccidental::Flat;
  for (const Case& c : {Case{S, 0, V{11, 8, 12, 9, 6, 10, 7}}, Case{F, 0, V{7, 10, 6, 9, 5, 8, 4}},
                        Case{S, 1, V{9, 6, 10, 7, 4, 8, 5}}, Case{F, 1, V{5, 8, 4, 7, 3, 6, 2}},
                        Case{S, 2, V{10, 7, 11, 8, 5, 9, 6}}, Case{F, 2, V{6, 9, 5, 8, 4, 7, 3}},
                        Case{S, 3, V{5, 9, 6, 10, 7, 11, 8}}, Case{F, 3, V{8, 11, 7, 10, 6, 9, 5}}}) {
    EXPECT_EQ(steps(c.kind, c.pattern), c.expected) << "pattern " << c.pattern;
  }
}

TEST(KeySignature, NeverAboveTheCeiling) {
  for (const float h : keySignatureHeights(KeyAccidental::Sharp, 0, 7)) EXPECT_LE(h, 84.5f);
  EXPECT_TRUE(keySignatureHeights(KeyAccidental::Flat, 0, 0).empty());
  EXPECT_EQ(keySignatureHeights(KeyAccidental::Sharp, 9, 1), keySignatureHeights(KeyAccidental::Sharp, 0, 1));
}

TEST(KeySignature, PatternOfP6) {
  struct Case { float p6; int pattern; };
  for (const Case c : {Case{0, 0}, Case{3, 3}, Case{4, 0}, Case{-1, 0}, Case{101, 1}, Case{103, 3}}) {
    EXPECT_EQ(keyPattern(c.p6), c.pattern) << c.p6;
  }
}

TEST(Clef, OctaveMarks) {
  struct Case { float p5; const char* text; bool above; };
  for (const Case c : {Case{0.8f, "8", false}, Case{0.88f, "8", true}, Case{0.15f, "15", true},
                       Case{1.8f, "8", false}, Case{0, "", false}, Case{2, "", false}}) {
    const OctaveMark mark = clefOctaveMark(c.p5);
    EXPECT_EQ(mark.text, c.text) << c.p5;
    EXPECT_EQ(mark.above, c.above) << c.p5;
  }
}

TEST(Meter, SizesAndSteps) {
  const MeterLayout screen = meterLayout(0, false, false);
  EXPECT_FLOAT_EQ(screen.size, 1.35f);
  EXPECT_FLOAT_EQ(screen.upperStep, 5.46f * 1.35f - 0.23f);
  EXPECT_FLOAT_EQ(screen.lowerStep, 2.48f * 1.35f - 0.23f);
  const MeterLayout print = meterLayout(2, true, false);
  EXPECT_FLOAT_EQ(print.size, 2.4f);
  EXPECT_FLOAT_EQ(print.upperStep, 5.82f * 2.4f + 0.1f);
  EXPECT_FLOAT_EQ(meterLayout(1, false, true).loneStep, 4.08f * 1.2f + 0.1f);
  struct Case { int value, digits; };
  for (const Case c : {Case{0, 1}, Case{9, 1}, Case{12, 2}, Case{100, 3}, Case{-5, 2}}) {
    EXPECT_EQ(digitCount(c.value), c.digits) << c.value;
  }
}

}  // namespace
}  // namespace ts
