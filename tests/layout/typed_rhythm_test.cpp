#include "layout/typed_rhythm.h"

#include <gtest/gtest.h>

#include <cmath>

namespace ts {
namespace {

TEST(RhythmValue, ValuesDotsFlagsHeadsAndRestTypes) {
  struct Case {
    const char* token;
    float code;
    float duration, noteValue;
    int dots, flags, head, rest;
  };
  const Case cases[] = {
      {"Q", 1, 1, 4, 0, 0, 0, 0},
      {"E", 0.5f, 0.5f, 8, 0, 1, 0, 1},
      {"S", 0.25f, 0.25f, 16, 0, 2, 0, 2},
      {"32", 0.125f, 0.125f, 32, 0, 3, 0, 3},
      {"H", 2, 2, 2, 0, 0, 1, -1},
      {"W", 4, 4, 1, 0, 0, 2, -2},
      {"D", 8, 8, 0.5f, 0, 0, 3, -3},
      {"Q.", 1001.5f, 1.5f, 4, 1, 0, 0, 0},
      {"Q..", 2001.75f, 1.75f, 4, 2, 0, 0, 0},
      {"E.", 1000.75f, 0.75f, 8, 1, 1, 0, 1},
      {"TE", 1.0f / 3, 1.0f / 3, 12, 0, 1, 0, 1},
      {"TQ", 2.0f / 3, 2.0f / 3, 6, 0, 0, 0, 0},
      {"TH", 4.0f / 3, 4.0f / 3, 3, 0, 0, 1, -1},
      {"HQ", 3, 3, 4.0f / 3, 0, 0, 2, -2},
  };
  for (const Case& c : cases) {
    const RhythmValue value = rhythmValue(c.code);
    EXPECT_NEAR(value.duration, c.duration, 1e-5) << c.token;
    EXPECT_NEAR(value.noteValue, c.noteValue, 1e-3) << c.token;
    EXPECT_EQ(value.dots, c.dots) << c.token;
    EXPECT_EQ(value.flags, c.flags) << c.token;
    EXPECT_EQ(headTypeOfValue(value.noteValue), c.head) << c.token;
    EXPECT_EQ(restTypeOfValue(value.noteValue), c.rest) << c.token;
  }
}

TEST(RhythmValue, GraceNotesAndDamagedCodes) {
  const RhythmValue grace = rhythmValue(64);
  EXPECT_TRUE(grace.grace);
  EXPECT_FLOAT_EQ(grace.duration, 64);
  EXPECT_EQ(grace.flags, 1);
  EXPECT_FLOAT_EQ(roomOfRhythm(grace), 0.1f);
  EXPECT_FLOAT_EQ(flagsAndDots(rhythmValue(1000.75f)), 11);
  for (const float code : {0.0f, -1.0f, std::nanf(""), 1e30f}) {
    const RhythmValue value = rhythmValue(code);
    EXPECT_TRUE(value.duration == 0.0f || value.grace) << code;
  }
}

}  // namespace
}  // namespace ts
