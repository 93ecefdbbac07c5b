#include "layout/midi_keyboard_text.h"

#include <gtest/gtest.h>

#include <map>

#include "layout/input_line.h"
#include "layout/notes_line.h"

namespace ts {
namespace {

uint32_t message(uint32_t status, uint32_t key, uint32_t velocity) { return status | key << 8 | velocity << 16; }

TEST(MidiKeyboardText, OnlyNoteOnsWithAVelocityAreKeys) {
  EXPECT_EQ(noteOnKey(message(0x90, 60, 100)), 60);
  EXPECT_EQ(noteOnKey(message(0x9F, 21, 1)), 21);  // any channel
  EXPECT_EQ(noteOnKey(message(0x90, 60, 0)), std::nullopt);  // a note-on of 0 is a release
  EXPECT_EQ(noteOnKey(message(0x80, 60, 64)), std::nullopt);
  EXPECT_EQ(noteOnKey(message(0xB0, 64, 127)), std::nullopt);  // the sustain pedal
}

TEST(MidiKeyboardText, KeysAreSpelledByTheKeySignature) {
  struct Case {
    int key;
    int signature;
    std::optional<std::string> token;
  } cases[] = {
      {60, 0, "C4"},  {61, 0, "CS4"}, {61, -1, "DF4"}, {70, 2, "AS4"}, {70, -3, "BF4"},
      {59, 0, "B3"},  {12, 0, "C0"},  {127, 0, "G9"},  {11, 0, std::nullopt}, {128, 0, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(keyToken(c.key, c.signature), c.token) << c.key << ' ' << c.signature;
}

TEST(MidiKeyboardText, MenuButtonsBecomeTheirWords) {
  // The codes the shell makes of "TR/", "BA/", "2 4/ ", "6 8/ ", "12 8/ ",
  // "3 16/ ", "12 16/ ", "COM/ ", "CUT/ ", "K3F/ ", "K2S/ ".
  const std::map<int, std::string> words{
      {-1, "TR"},    {-2, "BA"},    {-50, "2  4"},  {-64, "6  8"}, {-97, "12 8"}, {-93, "3  16"},
      {-96, "12 16"}, {-99, "COM"}, {-98, "CUT"},   {51, "K3F"},   {60, "K2S"},
  };
  for (const auto& [code, word] : words) EXPECT_EQ(actionToken(code), word) << code;
  for (const int code : {0, 27, 42, 43, 9999, -100, 58 + 8}) EXPECT_EQ(actionToken(code), std::nullopt) << code;
}

TEST(MidiKeyboardText, KeysTogetherMakeAChordAndAKeyWordRespells) {
  MidiNotesLine line(0);
  EXPECT_TRUE(line.act(-1));
  EXPECT_TRUE(line.strike(60, 1000));
  EXPECT_TRUE(line.strike(64, 1030));
  EXPECT_TRUE(line.strike(67, 1060));  // still within the chord's first key
  EXPECT_TRUE(line.strike(70, 1500));
  EXPECT_TRUE(line.act(51));           // three flats
  EXPECT_TRUE(line.strike(70, 1600));
  EXPECT_EQ(line.text(), "TR/C4:E4:G4/AS4/K3F/BF4");
  line.dropLast();
  line.dropLast();  // the key word goes, and with it its spelling
  EXPECT_TRUE(line.strike(70, 2000));
  EXPECT_EQ(line.text(), "TR/C4:E4:G4/AS4/AS4");
  EXPECT_FALSE(line.strike(5, 3000));
}

TEST(MidiKeyboardText, AChordAcrossTheClockWrapStaysOneChord) {
  MidiNotesLine line(0);
  line.strike(60, 0xFFFFFFF0u);
  line.strike(64, 0x10u);
  EXPECT_EQ(line.text(), "C4:E4");
}

TEST(MidiKeyboardText, TheLineStopsShortOfItsStoredLength) {
  MidiNotesLine line(0);
  uint32_t time = 0;
  int added = 0;
  while (line.strike(61, time += 1000)) ++added;
  EXPECT_LE(line.text().size(), kMostMidiLineChars);
  EXPECT_EQ(added, static_cast<int>((kMostMidiLineChars + 1) / 4));  // "CS4/" each
  EXPECT_FALSE(line.act(-1));
}

TEST(MidiKeyboardText, ThePlayedLineReadsAsTheNotesItPlayed) {
  MidiNotesLine line(0);
  line.act(-2);
  line.act(-64);
  line.act(60);
  line.strike(48, 0);
  line.strike(55, 10);
  line.strike(58, 500);
  InputState state;
  const PreparedLine prepared = prepareLine(line.text(), InputStage::Notes, {});
  ASSERT_FALSE(prepared.error);
  const NotesLine read = readNotesLine(prepared.text, state);
  ASSERT_FALSE(read.error);
  // Bass clef, 6/8, two sharps; C3 with G3 as a chord member; A sharp 3.
  const std::vector<int> expected{3001, 20608, 17002, 1000 + 21 + 1, -(1000 + 21 + 5), 1000 + 21 + 6 + 200};
  EXPECT_EQ(read.codes, expected);
}

}  // namespace
}  // namespace ts
