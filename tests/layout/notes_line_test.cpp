#include "layout/notes_line.h"

#include <gtest/gtest.h>

#include "layout/input_messages.h"
#include "layout/rhythms_line.h"

namespace ts {
namespace {

std::vector<int> notesOf(const std::string& typed, InputState& state) {
  const PreparedLine prepared = prepareLine(typed, InputStage::Notes, state.motives);
  EXPECT_FALSE(prepared.error) << typed;
  const NotesLine line = readNotesLine(prepared.text, state);
  EXPECT_FALSE(line.error) << typed << ": " << (line.error ? syntaxErrorText(*line.error) : "");
  return line.codes;
}

std::vector<float> rhythmsOf(const std::string& typed) {
  const PreparedLine prepared = prepareLine(typed, InputStage::Rhythms, {});
  EXPECT_FALSE(prepared.error) << typed;
  const RhythmsLine line = readRhythmsLine(prepared.text);
  EXPECT_FALSE(line.error) << typed;
  return line.codes;
}

// The document's examples, each typed first in a fresh input mode.
TEST(NotesLine, TokenCodesOfTheTypedForms) {
  struct Case {
    const char* typed;
    std::vector<int> codes;
  };
  const Case cases[] = {
      {"C/D/E;", {1029, 1030, 1031}},
      {"PC4/B/C/D;", {1029, 1028, 1029, 1030}},
      {"PC4/G;", {1029, 1026}},
      {"C:E:G/", {1029, -1031, -1033}},
      {"C'E'G", {1029, -1031, -1033}},
      {"C4+", {1029, -1036}},
      {"EE", {1131}},
      {"EF", {1131}},
      {"CSS", {1529}},
      {"FFF/BNN/D(S", {1432, 1635, 7230}},
      {"C4X3", {1029, 1029, 1029}},
      {"CSZ2/CSX2", {1229, 1229, 1229, 1029}},
      {"C/D/X 2 3", {1029, 1030, 1029, 1030, 1029, 1030}},
      {"CS:E/Z 1 2/REP 1 2", {1229, -1031, 1229, -1031, 1029, -1031}},
      {"FS/../.", {1232, 1232, 1032}},
      {"K3F/K2SN/K", {-17003, 17102, kStaffKeyCode}},
      {"T3 4/3 4/T", {20304, 20304, 20304}},
      {"12 8/COM/CUT", {21208, 29901, 29801}},
      {"TR/BA/AL/TE/PR/-BA/-AL/-TE/-TR", {3000, 3001, 3002, 3003, 3004, -3001, -3002, -3003, -3000}},
      {"R/R4/RI/RW/RWD/RWU/RP/RD/RU/RF/RFD/RFU/RX2",
       {2000, -2004, 2001, 2002, 2008, 2009, 2003, 2004, 2005, 2006, 9000, 9001, 2000, 2000}},
      {"M/MD/MDD/MRD/MH/ML/MR/MS/MI2/M", {4001, 4101, 4201, 4501, 4201, 4301, 4401, 4701, 4902, 4002}},
      {"SO/SU/SD/S0/S+/S-/Q+/Q", {5000, 5010, 5020, 6000, 6001, 6002, 8001, 8000}},
      {"C6/DJ/CU", {1043, 1037, 1043}},
      {"X 2 [C/D]", {1029, 1030, 1029, 1030}},
  };
  for (const Case& c : cases) {
    InputState state;
    EXPECT_EQ(notesOf(c.typed, state), c.codes) << c.typed;
  }
}

TEST(NotesLine, OctaveAndMetersCarryOverToTheNextLine) {
  InputState state;
  notesOf("C6/T 6 8;", state);
  EXPECT_EQ(notesOf("D/T;", state), (std::vector<int>{1044, 20608}));
}

TEST(NotesLine, MotivesAreStoredAndExpanded) {
  InputState state;
  const auto definition = motiveDefinition("@up1 = c/d/e;");
  ASSERT_TRUE(definition);
  EXPECT_EQ(definition->first, "UP1");
  state.motives[definition->first] = definition->second;
  EXPECT_EQ(notesOf("@UP1/F", state), (std::vector<int>{1029, 1030, 1031, 1032}));
  const PreparedLine missing = prepareLine("@DOWN/C", InputStage::Notes, state.motives);
  ASSERT_TRUE(missing.error);
  EXPECT_EQ(missing.error->message, "ERROR - motive DOWN not found.");
}

TEST(NotesLine, LinesItCannotReadGiveTheColumnAndChangeNothing) {
  struct Case {
    const char* typed;
    size_t column;
  };
  const Case cases[] = {{"C/D/H", 5}, {"C4Y", 3}, {"K3", 2}, {"K9S", 2}, {"T", 1}, {"X 3 2", 5},
                        {"C/C:R", 5}, {"C/[D", 3}, {"M0", 2}, {"34", 2}};
  for (const Case& c : cases) {
    InputState state;
    const PreparedLine prepared = prepareLine(c.typed, InputStage::Notes, {});
    std::optional<LineError> error = prepared.error;
    if (!error) error = readNotesLine(prepared.text, state).error;
    ASSERT_TRUE(error) << c.typed;
    EXPECT_EQ(error->column, c.column) << c.typed;
    EXPECT_EQ(state.octave, kFirstOctave) << c.typed;
  }
  const std::string shown = syntaxErrorText({"C/D/H;", 5, {}});
  EXPECT_EQ(shown, "*** Syntax Error ***  C/D/H;\n" + std::string(26, ' ') + "^");
}

TEST(NotesLine, MoreThanTwoHundredCodesRefuseTheLine) {
  InputState state;
  std::string line = "C";
  for (int i = 1; i < 200; ++i) line += "/C";
  EXPECT_EQ(notesOf(line, state).size(), 200u);
  const NotesLine refused = readNotesLine(prepareLine(line + "/C", InputStage::Notes, {}).text, state);
  ASSERT_TRUE(refused.error);
  EXPECT_EQ(refused.error->message, input_messages::kTooManyTokens);
  const NotesLine huge = readNotesLine(prepareLine("C/X 1 999", InputStage::Notes, {}).text, state);
  EXPECT_TRUE(huge.error);
}

TEST(NotesLine, RhythmsAskedForCountChordsOnce) {
  InputState state;
  EXPECT_EQ(rhythmsNeeded(notesOf("TR/C:E/M/R/R3/4 4/D", state)), 4);
}

TEST(RhythmsLine, DurationsAndDots) {
  struct Case {
    const char* typed;
    std::vector<float> codes;
  };
  const Case cases[] = {
      {"Q./Q..", {1001.5f, 2001.75f}},
      {"HQ/HQ.", {3.0f, 3.5f}},
      {"S/E/Q/H/W/D/G", {0.25f, 0.5f, 1, 2, 4, 8, 64}},
      {"8/16/4.", {0.5f, 0.25f, 1001.5f}},
      {"3:2", {2.0f / 3.0f}},
      {"TE/TQ/T/TT", {1.0f / 3.0f, 2.0f / 3.0f, 1.0f / 3.0f, 1.0f / 12.0f}},
      {"T8/T16/T4", {1.0f / 3.0f, 1.0f / 6.0f, 2.0f / 3.0f}},
      {"Q/E/X 2 2", {1, 0.5f, 1, 0.5f}},
      {"H/RP 1 3", {2, 2, 2}},
  };
  for (const Case& c : cases) {
    const std::vector<float> got = rhythmsOf(c.typed);
    ASSERT_EQ(got.size(), c.codes.size()) << c.typed;
    for (size_t i = 0; i < got.size(); ++i) EXPECT_NEAR(got[i], c.codes[i], 1e-5) << c.typed << " #" << i;
  }
  for (const char* bad : {"QT", "Q/K", "0", "./Q", "X 3 2"}) {
    EXPECT_TRUE(readRhythmsLine(prepareLine(bad, InputStage::Rhythms, {}).text).error) << bad;
  }
}

}  // namespace
}  // namespace ts
