// The picture table: its rows read and match as the data file says, and the
// shipped table gives every button of every edit menu a picture or a
// readable label that is not its raw mnemonic.

#include "shell/picture_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

#include "engine/creation_keywords.h"

namespace ts::shell {
namespace {

CommandRow command(int id, int menu, std::vector<std::string> strings, std::string tooltip = "") {
  CommandRow row;
  row.id = id;
  row.menu = menu;
  row.strings = std::move(strings);
  row.tooltip = std::move(tooltip);
  return row;
}

PictureTable tableOf(const std::string& text, std::vector<std::string>& errors) {
  std::istringstream rows(text);
  return PictureTable::read(rows, errors);
}

TEST(PictureTable, CommandPatternsMatchWholeAndKeepTheirNumbers) {
  struct Case {
    const char* pattern;
    const char* text;
    std::optional<std::vector<std::string>> numbers;
  };
  const Case cases[] = {
      {"K#F/", "K3F/", std::vector<std::string>{"3"}},
      {"# #/", "12 16/", std::vector<std::string>{"12", "16"}},
      {"5 #", "5 -.5", std::vector<std::string>{"-.5"}},
      {"5 #", "5 1.8", std::vector<std::string>{"1.8"}},
      {"K#F/", "K3S/", std::nullopt},
      {"L#", "L", std::nullopt},
      {"L#", "LFT", std::nullopt},
      {"RHE", "RHEX", std::nullopt},
      {"#", "-", std::nullopt},
      {"*", "anything at all", std::vector<std::string>{}},
  };
  for (const Case& c : cases) EXPECT_EQ(matchCommand(c.pattern, c.text), c.numbers) << c.pattern << " / " << c.text;
}

TEST(PictureTable, MatchedNumbersFillTheirPlaces) {
  EXPECT_EQ(fillMatches("17 1 1.5 0 -$1", {"3"}), "17 1 1.5 0 -3");
  EXPECT_EQ(fillMatches("$1/$2 $1", {"6", "8"}), "6/8 6");
  EXPECT_EQ(fillMatches("$2 costs $", {"1"}), "$2 costs $") << "a place with no number stays as written";
}

TEST(PictureTable, ItemsReadOrAreRefusedWhole) {
  EXPECT_EQ(parsePictureItems("3 1 0 0; 17 1 1.5 0 -3"),
            (PictureItems{{3, 1, 0, 0}, {17, 1, 1.5f, 0, -3}}));
  for (const char* bad : {"", "3 1 x 0", "3 1;;1 1", "nan", "1e999", "3 1 0 0;"})
    EXPECT_FALSE(parsePictureItems(bad)) << bad;
  std::string many;
  for (int i = 0; i < 40; ++i) many += "1 1 0 0;";
  many += "1 1 0 0";
  EXPECT_FALSE(parsePictureItems(many)) << "a picture is never a page of items";
}

TEST(PictureTable, TooltipsShortenToReadableLabels) {
  EXPECT_EQ(shortLabel("Exit from this mode  (F9)"), "Exit from this…");
  EXPECT_EQ(shortLabel("Delete Item"), "Delete Item");
  EXPECT_EQ(shortLabel("Center on nearest Note/Rest (CN)"), "Center on…");
  EXPECT_EQ(shortLabel("(F5)"), "");
  EXPECT_EQ(shortLabel("Supercalifragilisticexpialidocious"), "Supercalifragili…");
}

TEST(PictureTable, IdentifierBeatsMenuRowBeatsCommonRowBeatsOrder) {
  std::vector<std::string> errors;
  const PictureTable table = tableOf(
      "\"5 #\"\tlabel\tany $1\n"
      "184:\"5 #\"\titems\t9 1 0 0 $1\tdyn\n"
      "33217\tlabel\tpp\n"
      "\"5 #\"\tlabel\tnever\n"
      "*\ttooltip\n",
      errors);
  ASSERT_TRUE(errors.empty());
  EXPECT_EQ(table.pictureFor(command(33217, 184, {"5 52  "}))->argument, "pp");
  const std::optional<Picture> scoped = table.pictureFor(command(33218, 184, {"5 53  "}));
  ASSERT_TRUE(scoped);
  EXPECT_EQ(scoped->kind, PictureKind::Items);
  EXPECT_EQ(scoped->argument, "9 1 0 0 53");
  EXPECT_EQ(table.pictureFor(command(1, 179, {"5 6 "}))->argument, "any 6");
  EXPECT_EQ(table.pictureFor(command(2, 179, {"ZZ"}, "Zap it (ZZ)"))->kind, PictureKind::Tooltip);
}

TEST(PictureTable, DamagedRowsAreReportedAndSkipped) {
  std::vector<std::string> errors;
  const PictureTable table = tableOf(
      "# a comment\n\n"
      "\"X\"\ticon\twindow-close\n"      // an icon needs its label
      "\"X\"\tpicture\tsomething\n"       // no such kind
      "12x\tlabel\tA\n"                   // no such identifier
      "\"X\tlabel\tA\n"                   // unclosed quote
      "\"X\"\tstaff\t3 1 nope\n"          // items that do not read
      "\"Y\"\tlabel\tY!\n",
      errors);
  EXPECT_EQ(errors.size(), 5u);
  EXPECT_EQ(table.size(), 1u);
}

// The shipped tables.
class ShippedPictures : public ::testing::Test {
 protected:
  ShippedPictures() {
    std::ifstream commands(TONESMITH_COMMAND_DATA "/commands.tsv"), menus(TONESMITH_COMMAND_DATA "/menus.tsv");
    std::ifstream pictures(TONESMITH_COMMAND_DATA "/pictures.tsv");
    m_commands = CommandTable::read(commands, menus, m_errors);
    m_pictures = PictureTable::read(pictures, m_errors);
  }
  std::vector<std::string> m_errors;
  CommandTable m_commands;
  PictureTable m_pictures;
};

TEST_F(ShippedPictures, EveryButtonHasAPictureOrAReadableLabel) {
  ASSERT_TRUE(m_errors.empty()) << m_errors.front();
  int drawn = 0, icons = 0, buttons = 0;
  for (const EditMenuInfo& menu : m_commands.menus()) {
    for (const CommandRow* row : m_commands.buttonsOf(menu.number)) {
      ++buttons;
      const std::optional<Picture> picture = m_pictures.pictureFor(*row);
      ASSERT_TRUE(picture) << row->id;
      const std::string label = buttonLabel(*picture, *row);
      const std::string raw = commandText(*row);
      EXPECT_FALSE(label.empty()) << row->id << " " << raw;
      EXPECT_NE(label, raw) << row->id << " shows its raw mnemonic";
      for (const std::string& sent : row->strings) EXPECT_NE(label, sent) << row->id;
      if (picture->kind == PictureKind::Made) EXPECT_TRUE(findCreationKeyword(picture->argument)) << picture->argument;
      if (picture->kind == PictureKind::Staff || picture->kind == PictureKind::Items) {
        EXPECT_TRUE(parsePictureItems(picture->argument)) << row->id << " " << picture->argument;
        ++drawn;
      }
      drawn += picture->kind == PictureKind::Made ? 1 : 0;
      icons += picture->kind == PictureKind::Icon ? 1 : 0;
    }
  }
  // Every note, rest, accidental, articulation, clef, key, meter, bar line,
  // tremolo and tempo button draws its symbol: far more than the first table did.
  EXPECT_GT(drawn, 335) << "of " << buttons << " buttons, the music symbols are drawn";
  RecordProperty("drawn_pictures", drawn);
  RecordProperty("icons", icons);
  RecordProperty("buttons", buttons);
}

}  // namespace
}  // namespace ts::shell
