#include "shell/midi_action.h"

#include <gtest/gtest.h>

namespace ts::shell {
namespace {

TEST(MidiActionFor, FirstMatchingRowWins) {
  struct Case {
    const char* command;
    int code;
  } cases[] = {
      {"BK ", 42},      // c2 K before c1 B
      {"; ", 43},       {"TR/", -1},  {"TE/", -4}, {"AL/", -3}, {"BA/", -2}, {"PR/ ", -5},
      {"2 4/ ", -'2'},  {"3 4/ ", -'3'},           // c3 = 4
      {"6 8/ ", -10 - '6'},                        // c3 = 8
      {"12 8/ ", -97},  {"12 16/ ", -96},          // c4 = 8, c4 = 1
      {"3 16/ ", -93},  {"6 16/ ", -94}, {"9 16/ ", -95},
      {"COM/ ", -99},   {"CUT/ ", -98},
      {"K1F/ ", '1'},   {"K3S/ ", '3' + 10},
  };
  for (const Case& c : cases) {
    const MidiAction action = midiActionFor(c.command, 0);
    EXPECT_EQ(action.code, c.code) << c.command;
    EXPECT_FALSE(action.notAvailable) << c.command;
    EXPECT_FALSE(action.askToExit) << c.command;
  }
}

TEST(MidiActionFor, CaretAsksUnlessAnEscapeIsPending) {
  EXPECT_TRUE(midiActionFor("^ ", 0).askToExit);
  const MidiAction pending = midiActionFor("^ ", kMidiActionPendingEscape);
  EXPECT_FALSE(pending.askToExit);
  EXPECT_EQ(pending.code, kMidiActionEscape);
}

TEST(MidiActionFor, UnknownCommandsAreNotAvailable) {
  for (const char* command : {"DE ", "X  ", "", "Q"}) {
    const MidiAction action = midiActionFor(command, 5);
    EXPECT_TRUE(action.notAvailable) << command;
    EXPECT_EQ(action.code, 0) << command;
  }
}

}  // namespace
}  // namespace ts::shell
