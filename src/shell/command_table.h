#pragma once
// The command table: every menu item and button with the strings it sends.
// It is data (data/commands/commands.tsv), read once at start-up.

#include <istream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/menu_pages.h"

namespace ts::shell {

constexpr int kCommonMenu = 0;   // the common edit buttons, shown on many edit menus
constexpr int kMenuBarMenu = -1;  // reached from the menu bar, not from an edit menu

struct CommandRow {
  int id = 0;
  int menu = kCommonMenu;
  std::vector<std::string> strings;  // sent in a row, trailing blanks kept
  std::string tooltip;
  std::string barMenu;   // menu-bar rows: the menu that holds the entry ("File", ...)
  std::string barLabel;  // and its label
};

struct EditMenuInfo {
  int number = 0;
  int buttons = 0;           // the documented button count
  bool allListedAbove = false;  // every button is also listed under an earlier menu
};

class CommandTable {
 public:
  // Reads the two data files; an unreadable row is reported in `errors`
  // and skipped, the rest is kept.
  static CommandTable read(std::istream& commands, std::istream& menus, std::vector<std::string>& errors);

  const std::vector<CommandRow>& rows() const { return m_rows; }
  const std::vector<EditMenuInfo>& menus() const { return m_menus; }
  const EditMenuInfo* menu(int number) const;
  // The buttons of an edit menu, in order (see edit_menu_buttons).
  std::vector<const CommandRow*> buttonsOf(int menu) const;
  std::vector<const CommandRow*> menuBarRows() const;
  const CommandRow* byId(int id) const;

 private:
  std::vector<CommandRow> m_rows;
  std::vector<EditMenuInfo> m_menus;
};

// One row of commands.tsv; nothing when the row is malformed.
std::optional<CommandRow> parseCommandRow(std::string_view line);
// The quoted strings of the command column: "EEX" "FH " -> {EEX, FH }.
std::optional<std::vector<std::string>> parseCommandStrings(std::string_view field);

}  // namespace ts::shell
