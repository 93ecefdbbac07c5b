#include "shell/command_table.h"

#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <sstream>

namespace ts::shell {
namespace {

CommandTable readShippedTable() {
  std::ifstream commands(TONESMITH_COMMAND_DATA "/commands.tsv");
  std::ifstream menus(TONESMITH_COMMAND_DATA "/menus.tsv");
  std::vector<std::string> errors;
  CommandTable table = CommandTable::read(commands, menus, errors);
  EXPECT_TRUE(errors.empty()) << errors.front();
  return table;
}

TEST(ParseCommandStrings, KeepsBlanksAndSequences) {
  EXPECT_EQ(parseCommandStrings("\"X  \""), (std::vector<std::string>{"X  "}));
  EXPECT_EQ(parseCommandStrings("\"EEX\" \"FH \""), (std::vector<std::string>{"EEX", "FH "}));
  EXPECT_FALSE(parseCommandStrings("X"));
  EXPECT_FALSE(parseCommandStrings("\"X"));
  EXPECT_FALSE(parseCommandStrings("\"X\"\"Y\""));
  EXPECT_FALSE(parseCommandStrings(""));
}

TEST(ParseCommandRow, RefusesMalformedRows) {
  EXPECT_TRUE(parseCommandRow("32744\tcommon\t\"X  \"\tExit\t"));
  EXPECT_TRUE(parseCommandRow("284\tbar\t\"HIST\"\t\tFile/Recent Files"));
  EXPECT_FALSE(parseCommandRow("284\tbar\t\"HIST\"\t\t")) << "a menu-bar row needs its place";
  EXPECT_FALSE(parseCommandRow("32744\t99\t\"X  \"\tExit\t")) << "edit menus start at 101";
  EXPECT_FALSE(parseCommandRow("abc\tcommon\t\"X\"\tExit\t"));
  EXPECT_FALSE(parseCommandRow("32744\tcommon\t\"X  \"\tExit"));
}

TEST(CommandTable, ReadingKeepsGoodRowsAndReportsBadOnes) {
  std::istringstream commands("# comment\n1\tcommon\t\"A\"\ta\t\nbroken\n2\t134\t\"B \"\tb\t\n");
  std::istringstream menus("134\t3\t\n135\tx\t\n");
  std::vector<std::string> errors;
  const CommandTable table = CommandTable::read(commands, menus, errors);
  EXPECT_EQ(table.rows().size(), 2u);
  EXPECT_EQ(table.menus().size(), 1u);
  EXPECT_EQ(errors.size(), 2u);
}

TEST(ShippedCommandTable, HoldsEveryCommandOnce) {
  const CommandTable table = readShippedTable();
  std::set<int> ids;
  for (const CommandRow& row : table.rows()) ids.insert(row.id);
  EXPECT_EQ(ids.size(), 1363u);
  EXPECT_EQ(table.rows().size(), 1381u) << "a few buttons appear twice on their menu";
  EXPECT_EQ(table.menus().size(), 110u);
  EXPECT_EQ(table.menuBarRows().size(), 100u);
}

TEST(ShippedCommandTable, StringsAreExactlyAsListed) {
  const CommandTable table = readShippedTable();
  EXPECT_EQ(table.byId(32744)->strings, (std::vector<std::string>{"X  "}));
  EXPECT_EQ(table.byId(32782)->strings, (std::vector<std::string>{"EEX", "FH "}));
  EXPECT_EQ(table.byId(33012)->strings, (std::vector<std::string>{"QQ172 ", "QQ268 ", "QQ269 "}));
  EXPECT_EQ(table.byId(32761)->strings, (std::vector<std::string>{"G \\WINZ\\MUS\\0  "}));
  EXPECT_EQ(table.byId(32767)->tooltip, "Move to item menu  (F5)");
  EXPECT_EQ(table.byId(284)->barMenu, "File");
}

TEST(ShippedCommandTable, EveryEditMenuRowIsOnItsMenu) {
  const CommandTable table = readShippedTable();
  std::set<int> reachable;
  for (const EditMenuInfo& menu : table.menus())
    for (const CommandRow* row : table.buttonsOf(menu.number)) reachable.insert(row->id);
  for (const CommandRow* row : table.menuBarRows()) reachable.insert(row->id);
  for (const CommandRow& row : table.rows()) EXPECT_TRUE(reachable.count(row.id)) << row.id;
}

TEST(ShippedCommandTable, PagedMenusShowTheirFamilysButtons) {
  const CommandTable table = readShippedTable();
  EXPECT_EQ(table.buttonsOf(223), table.buttonsOf(161));
  const std::vector<const CommandRow*> main = table.buttonsOf(134);
  ASSERT_FALSE(main.empty());
  EXPECT_EQ(main.front()->id, 32782);
  EXPECT_EQ(main.size(), 46u) << "the main menu has no room for the common edit buttons";
  EXPECT_EQ(table.buttonsOf(157).back()->menu, kCommonMenu);
}

}  // namespace
}  // namespace ts::shell
