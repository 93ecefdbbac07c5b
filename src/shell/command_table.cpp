#include "shell/command_table.h"

#include <algorithm>
#include <charconv>


namespace ts::shell {
namespace {

std::vector<std::string_view> splitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t tab; (tab = line.find('\t', start)) != std::string_view::npos; start = tab + 1)
    fields.push_back(line.substr(start, tab - start));
  fields.push_back(line.substr(start));
  return fields;
}

std::optional<int> readInt(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<int> readMenu(std::string_view text) {
  if (text == "common") return kCommonMenu;
  if (text == "bar") return kMenuBarMenu;
  const std::optional<int> number = readInt(text);
  if (!number || *number < kFirstEditMenu) return std::nullopt;
  return number;
}

bool isDataLine(const std::string& line) { return !line.empty() && line[0] != '#'; }

// Menus whose buttons are all listed under an earlier menu show the buttons
// of the first page of their family; the others show the common buttons only.
int buttonSource(int menu) {
  const std::optional<int> first = firstPageOfFamily(menu);
  return first ? *first : menu;
}

// The common edit buttons go on a menu whose own listed buttons leave room
// for at least this many more: they are "on twenty or more menus".
constexpr int kRoomForCommonButtons = 20;

}  // namespace

std::optional<std::vector<std::string>> parseCommandStrings(std::string_view field) {
  std::vector<std::string> strings;
  size_t at = 0;
  while (at < field.size()) {
    if (field[at] != '"') return std::nullopt;
    const size_t close = field.find('"', at + 1);
    if (close == std::string_view::npos) return std::nullopt;
    strings.emplace_back(field.substr(at + 1, close - at - 1));
    at = close + 1;
    if (at < field.size()) {
      if (field[at] != ' ') return std::nullopt;
      ++at;
    }
  }
  if (strings.empty()) return std::nullopt;
  return strings;
}

std::optional<CommandRow> parseCommandRow(std::string_view line) {
  const std::vector<std::string_view> fields = splitTabs(line);
  if (fields.size() != 5) return std::nullopt;
  CommandRow row;
  const std::optional<int> id = readInt(fields[0]);
  const std::optional<int> menu = readMenu(fields[1]);
  std::optional<std::vector<std::string>> strings = parseCommandStrings(fields[2]);
  if (!id || !menu || !strings) return std::nullopt;
  row.id = *id;
  row.menu = *menu;
  row.strings = std::move(*strings);
  row.tooltip = std::string(fields[3]);
  if (row.menu == kMenuBarMenu) {
    const size_t slash = fields[4].find('/');
    if (slash == std::string_view::npos || slash == 0) return std::nullopt;
    row.barMenu = std::string(fields[4].substr(0, slash));
    row.barLabel = std::string(fields[4].substr(slash + 1));
  } else if (!fields[4].empty()) {
    return std::nullopt;
  }
  return row;
}

CommandTable CommandTable::read(std::istream& commands, std::istream& menus, std::vector<std::string>& errors) {
  CommandTable table;
  std::string line;
  for (int number = 1; std::getline(commands, line); ++number) {
    if (!isDataLine(line)) continue;
    if (std::optional<CommandRow> row = parseCommandRow(line)) {
      table.m_rows.push_back(std::move(*row));
    } else {
      errors.push_back("commands line " + std::to_string(number) + ": " + line);
    }
  }
  for (int number = 1; std::getline(menus, line); ++number) {
    if (!isDataLine(line)) continue;
    const std::vector<std::string_view> fields = splitTabs(line);
    const std::optional<int> menu = fields.size() == 3 ? readInt(fields[0]) : std::nullopt;
    const std::optional<int> buttons = fields.size() == 3 ? readInt(fields[1]) : std::nullopt;
    if (!menu || !buttons || (fields[2] != "all" && !fields[2].empty())) {
      errors.push_back("menus line " + std::to_string(number) + ": " + line);
      continue;
    }
    table.m_menus.push_back({*menu, *buttons, fields[2] == "all"});
  }
  return table;
}

const EditMenuInfo* CommandTable::menu(int number) const {
  const auto found = std::find_if(m_menus.begin(), m_menus.end(), [&](const EditMenuInfo& m) { return m.number == number; });
  return found == m_menus.end() ? nullptr : &*found;
}

std::vector<const CommandRow*> CommandTable::buttonsOf(int menuNumber) const {
  std::vector<const CommandRow*> buttons;
  const EditMenuInfo* info = menu(menuNumber);
  if (!info) return buttons;
  const int source = info->allListedAbove ? buttonSource(menuNumber) : menuNumber;
  for (const CommandRow& row : m_rows)
    if (row.menu == source) buttons.push_back(&row);
  if (info->buttons - static_cast<int>(buttons.size()) >= kRoomForCommonButtons) {
    for (const CommandRow& row : m_rows)
      if (row.menu == kCommonMenu) buttons.push_back(&row);
  }
  return buttons;
}

std::vector<const CommandRow*> CommandTable::menuBarRows() const {
  std::vector<const CommandRow*> rows;
  for (const CommandRow& row : m_rows)
    if (row.menu == kMenuBarMenu) rows.push_back(&row);
  return rows;
}

const CommandRow* CommandTable::byId(int id) const {
  const auto found = std::find_if(m_rows.begin(), m_rows.end(), [&](const CommandRow& row) { return row.id == id; });
  return found == m_rows.end() ? nullptr : &*found;
}

}  // namespace ts::shell
