#include "layout/marks_line.h"

#include <gtest/gtest.h>

#include "layout/input_file.h"
#include "layout/pairs_line.h"

namespace ts {
namespace {

TEST(MarksLine, MnemonicsGiveTheirMarkNumbers) {
  struct Case {
    const char* mnemonic;
    std::optional<int> mark;
  };
  const Case cases[] = {
      {"A", 5},   {"AC", 68}, {"ACT", 25}, {"AR", 15},  {"AS", 9},    {"AO", 67},  {"C", 97},   {"CR", 63},
      {"C-", 98}, {"D", 11},  {"DI", 64},  {"F", 56},   {"FF", 57},   {"FFF", 58}, {"FFZ", {}}, {"FP", 60},
      {"FE", 14}, {"FI", 1},  {"FIS", 2},  {"FIN", 3},  {"F0", 30},   {"F9", 39},  {"H", 13},   {"HX", 19},
      {"I", 18},  {"M", 17},  {"MF", 55},  {"MP", 54},  {"N45", -45}, {"N", {}},   {"O", 96},   {"OB", 95},
      {"P", 53},  {"PP", 52}, {"PPP", 51}, {"PZ", 66},  {"PX", 24},   {"R", 65},   {"S", 7},    {"SF", 61},
      {"S2", 26}, {"S4", 28}, {"SFZ", 62}, {"T", 6},    {"TS", 10},   {"TH", 16},  {"TR", 20},  {"TRS", 22},
      {"TRN", 23}, {"TRF", 21}, {"TRW", 120}, {"TRSW", 122}, {"TU", 93}, {"TUE", 91}, {"TUS", 92}, {"TU4", 94},
      {"U", 12},  {"W", 4},   {"WX", 8},   {"B", {}},   {"Z", {}},
  };
  for (const Case& c : cases) EXPECT_EQ(markNumber(c.mnemonic), c.mark) << c.mnemonic;
}

TEST(MarksLine, TokensCarrySignsAndFractionalNoteNumbers) {
  const MarksLine line = readMarksLine(prepareLine("s 1 2.5/=FE 4,-P 0.5;", InputStage::Marks, {}).text);
  ASSERT_FALSE(line.error);
  ASSERT_EQ(line.marks.size(), 3u);
  EXPECT_EQ(line.marks[0].mark, 7);
  EXPECT_EQ(line.marks[0].notes, (std::vector<double>{1.0, 2.5}));
  EXPECT_FALSE(line.marks[0].flagged);
  EXPECT_TRUE(line.marks[1].flagged);
  EXPECT_EQ(line.marks[2].mark, 53);
  EXPECT_TRUE(line.marks[2].flagged);
  for (const char* bad : {"Q 1", "S", "S 1 X", "FFZ 2"}) {
    EXPECT_TRUE(readMarksLine(prepareLine(bad, InputStage::Marks, {}).text).error) << bad;
  }
}

TEST(PairsLine, PairsAndTheirMarks) {
  const PairsLine line = readPairsLine(prepareLine("1 4/+5 8, 9 =12/7 6", InputStage::Slurs, {}).text,
                                       InputStage::Slurs, InputState{});
  ASSERT_FALSE(line.error);
  ASSERT_EQ(line.pairs.size(), 4u);
  EXPECT_FALSE(line.pairs[0].marked);
  EXPECT_TRUE(line.pairs[1].marked);
  EXPECT_TRUE(line.pairs[2].marked);
  EXPECT_EQ(line.pairs[3].first, 6);
  for (const char* bad : {"1", "1 2 3", "0 4", "1 X"}) {
    EXPECT_TRUE(readPairsLine(prepareLine(bad, InputStage::Beams, {}).text, InputStage::Beams, {}).error) << bad;
  }
}

TEST(PairsLine, BeamsByGroupsAndByMeter) {
  InputState state;
  const auto groups = [&](const char* typed) {
    return readPairsLine(prepareLine(typed, InputStage::Beams, {}).text, InputStage::Beams, state).groups;
  };
  ASSERT_TRUE(groups("3B"));
  EXPECT_EQ(groups("3B")->eighths, 3);
  EXPECT_EQ(groups("4 B 5")->fromNote, 5);
  EXPECT_EQ(groups("B")->eighths, 2);  // no meter yet
  state.meterNumerator = 6, state.meterDenominator = 8;
  EXPECT_EQ(groups("A")->eighths, 3);
  state.meterNumerator = 5;
  EXPECT_FALSE(groups("B"));
  struct Meter {
    int numerator, denominator, eighths;
  };
  const Meter meters[] = {{99, 1, 2}, {98, 1, 4}, {3, 4, 2}, {3, 2, 4}, {4, 1, 8}, {2, 8, 2},
                          {9, 8, 3},  {12, 8, 3}, {5, 8, 0}, {7, 16, 0}, {1, 0, 2}};
  for (const Meter& m : meters) EXPECT_EQ(beamGroupForMeter(m.numerator, m.denominator), m.eighths);
}

TEST(InputFile, CommentsBlocksAndContinuedLines) {
  const std::string text =
      "% a comment\n"
      "C/D/ % runs on\n"
      "  E/F;\n"
      "%% a block\n"
      "C/D;\n"
      "%%\n"
      "\n"
      "Q/Q/Q/Q % runs on too\n"
      ";\n"
      "Q\n"
      "1 2/\n";
  EXPECT_EQ(readInputFileLines(text), (std::vector<std::string>{"C/D/E/F;", "Q/Q/Q/Q;", "Q", "1 2/"}));
  const std::vector<std::string> stored = {"C/D/", "", "Q"};
  EXPECT_EQ(readInputFileLines(writeInputFileLines(stored)), (std::vector<std::string>{"C/D/;", ";", "Q"}));
}

TEST(InputLine, GroupsExpandAndUnbalancedOnesAreRefused) {
  EXPECT_EQ(prepareLine("x3[c/d]/e", InputStage::Notes, {}).text, "C/D/C/D/C/D/E;");
  EXPECT_EQ(prepareLine("[C/X 2[D]]", InputStage::Notes, {}).text, "C/D/D;");
  EXPECT_EQ(prepareLine("Q, E'", InputStage::Notes, {}).text, "Q/ E:;");
  EXPECT_EQ(prepareLine("1 2=3 4;junk", InputStage::Beams, {}).text, "1 2+3 4;");
  EXPECT_TRUE(prepareLine("C]", InputStage::Notes, {}).error);
  EXPECT_TRUE(prepareLine("X 999 [C]", InputStage::Notes, {}).error);
  std::string deep = "C";
  for (int i = 0; i < 12; ++i) deep = "X9[" + deep + "]";
  EXPECT_TRUE(prepareLine(deep, InputStage::Notes, {}).error);
}

}  // namespace
}  // namespace ts
