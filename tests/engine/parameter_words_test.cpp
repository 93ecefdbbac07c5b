// Menu words that set one parameter of the item being edited.

#include "engine/parameter_words.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

WorkingRecord item(float code, int param, float value) {
  WorkingRecord record{};
  record[0] = code;
  record[2] = 30.0f;  // P3
  record[static_cast<size_t>(param - 1)] = value;
  return record;
}

TEST(ParameterWords, EachKindOfChange) {
  struct Case {
    const char* word;
    float code;
    int param;
    float before, after;
  };
  for (const Case& c : {Case{"SLDTS", 5, 11, 0, -1}, Case{"SLTRIP", 5, 16, 0, 3},
                        Case{"DSH+", 4, 8, 0.4f, 0.6f}, Case{"DSHL-", 4, 8, 0.1f, 0.0f},  // never below 0
                        Case{"LAR", 4, 11, 0, 1}, Case{"LAR", 4, 11, 1, 0},               // on, off
                        Case{"WDN", 7, 11, 0, -1},                                         // offsets go below 0
                        Case{"WYN", 7, 6, 0, 50}, Case{"WYN", 7, 6, 44, 0}}) {             // P3 + 20, then none
    WorkingRecord record = item(c.code, c.param, c.before);
    ASSERT_TRUE(applyParameterWord(c.word, record)) << c.word;
    EXPECT_FLOAT_EQ(record[static_cast<size_t>(c.param - 1)], c.after) << c.word << " from " << c.before;
  }
}

TEST(ParameterWords, OnlyForTheirCode) {
  WorkingRecord note = item(1, 11, 4);
  const WorkingRecord before = note;
  EXPECT_FALSE(applyParameterWord("SLDSH", note));  // a slur word on a note
  EXPECT_FALSE(applyParameterWord("TRS", note));    // a note's "Trill with Sharp" mark is not this word
  EXPECT_FALSE(applyParameterWord("SLD", note));
  EXPECT_EQ(note, before);
}

}  // namespace
}  // namespace ts
