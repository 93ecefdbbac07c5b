#include "interchange/pitch_mapping.h"

#include <gtest/gtest.h>

namespace ts::interchange {
namespace {

TEST(PitchMapping, ClefsHaveTheirParameterAndTheStepOfTheirBottomLine) {
  struct Case {
    Clef clef;
    float p5;
    Pitch bottomLine;  // the pitch on step 3
  };
  const Case cases[] = {
      {{'G', 2, 0}, 0.0f, {2, 0, 4}},  {{'F', 4, 0}, 1.0f, {4, 0, 2}},  {{'C', 3, 0}, 2.0f, {3, 0, 3}},
      {{'C', 4, 0}, 3.0f, {1, 0, 3}},  {{'G', 2, -1}, 0.8f, {2, 0, 3}}, {{'G', 2, 1}, 0.88f, {2, 0, 5}},
      {{'F', 4, -1}, 1.8f, {4, 0, 1}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(clefParameter(c.clef), c.p5) << c.clef.sign << c.clef.line;
    EXPECT_EQ(clefOfParameter(c.p5), c.clef);
    EXPECT_EQ(stepOfPitch(c.bottomLine) - clefStepBase(c.clef), 3) << c.clef.sign << c.clef.line;
  }
  EXPECT_FALSE(clefParameter({'C', 1, 0}));  // soprano clef: no symbol of its own
}

TEST(PitchMapping, StepsAndPitchesAreInverse) {
  for (int step = -20; step < 80; ++step) EXPECT_EQ(stepOfPitch(pitchOfStep(step, 0)), step);
  EXPECT_EQ(stepOfPitch({0, 0, 4}), 29);  // middle C, as typed input counts it
  EXPECT_EQ(pitchOfStep(35, 1), (Pitch{6, 1, 4}));
}

TEST(PitchMapping, AccidentalUnitsAndAlters) {
  const std::pair<int, int> cases[] = {{-1, 1}, {1, 2}, {3, 3}, {-2, 4}, {2, 5}, {0, 0}};
  for (const auto& [shown, units] : cases) {
    EXPECT_EQ(accidentalUnits(shown), units);
    if (units != 0) EXPECT_EQ(*alterOfUnits(units), shown == 3 ? 0 : shown);
  }
  EXPECT_FALSE(alterOfUnits(0));
  EXPECT_FALSE(alterOfUnits(7));
}

TEST(PitchMapping, KeySignaturesAlterTheirLetters) {
  // [fifths][letter C..B]
  const int table[][7] = {
      {0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 1, 0, 0, 0}, {1, 0, 0, 1, 0, 0, 0}, {1, 1, 1, 1, 1, 1, 1},
      {0, 0, 0, 0, 0, 0, -1}, {0, 0, -1, 0, 0, -1, -1}, {-1, -1, -1, -1, -1, -1, -1},
  };
  const int fifths[] = {0, 1, 2, 7, -1, -3, -7};
  for (size_t i = 0; i < std::size(fifths); ++i)
    for (int letter = 0; letter < 7; ++letter) EXPECT_EQ(keyAlter(fifths[i], letter), table[i][letter]) << fifths[i];
}

TEST(PitchMapping, AccidentalsShowWhereTheBarImpliesOtherwise) {
  BarAccidentals bar(2);  // D major: F and C sharp
  struct Case {
    Pitch pitch;
    bool asked;
    int shown;
  };
  const Case cases[] = {
      {{3, 1, 4}, false, 0},   // F sharp: the key has it
      {{3, 0, 4}, false, 3},   // F natural
      {{3, 0, 4}, false, 0},   // again in the bar
      {{3, 1, 4}, false, 1},   // back to sharp
      {{3, 0, 5}, false, 3},   // another octave is another step
      {{6, -1, 4}, false, -1}, // B flat
      {{6, -1, 4}, true, -1},  // a courtesy accidental the file asked for
      {{1, 2, 4}, false, 2},   // D double sharp
  };
  for (const Case& c : cases) EXPECT_EQ(shownAccidental(bar, c.pitch, c.asked), c.shown);
}

}  // namespace
}  // namespace ts::interchange
