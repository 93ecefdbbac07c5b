#pragma once
// The picture table: what each button shows, read from
// data/commands/pictures.tsv. Every rule of which command shows which
// picture lives in that one file; this only reads it and looks rows up.
//
// A row is: key, kind, argument, and an optional label, tab-separated.
//   key       an identifier (32744), a command ("TR/"), or a command in one
//             edit menu (184:"5 #"); "#" stands for any number, and the
//             numbers it stood for fill "$1", "$2" ... of the argument and
//             label; "*" is every command, for the last row
//   kind      staff  items drawn on a short staff ("3 1 0 0; 1 1 4 7")
//             items  items drawn alone
//             made   the item a creation keyword makes, on a short staff
//             icon   a desktop theme icon by name; the label when there is none
//             label  the argument is the label
//             tooltip  the button's tooltip, shortened, is its label
// An identifier row wins over a command row, a menu's row over a row for
// every menu, and otherwise the first row that matches.

#include <istream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/command_table.h"

namespace ts::shell {

enum class PictureKind { Staff, Items, Made, Icon, Label, Tooltip };

struct Picture {
  PictureKind kind = PictureKind::Tooltip;
  std::string argument;  // the items, the word, the icon name or the label
  std::string label;     // shown when the picture cannot be drawn; may be empty
};

// The items of a picture: one row of parameters (P1 first) per item.
using PictureItems = std::vector<std::vector<float>>;

class PictureTable {
 public:
  // An unreadable row is reported in `errors` and skipped.
  static PictureTable read(std::istream& rows, std::vector<std::string>& errors);

  // The picture of a button; nothing when no row matches.
  std::optional<Picture> pictureFor(const CommandRow& row) const;
  size_t size() const { return m_rows.size(); }

 private:
  struct Row {
    int id = 0;             // 0: the row matches by command
    int menu = 0;           // with `scoped`: the edit menu it holds for
    bool scoped = false;
    std::string pattern;    // the command, "#" for a number
    Picture picture;
  };
  static std::optional<Row> parseRow(std::string_view line);

  std::vector<Row> m_rows;
};

// The strings a button sends, trailing blanks dropped, joined by one blank.
std::string commandText(const CommandRow& row);
// The numbers "#" stood for when `text` matches `pattern` whole.
std::optional<std::vector<std::string>> matchCommand(std::string_view pattern, std::string_view text);
// "$1", "$2" ... replaced by the matched numbers.
std::string fillMatches(std::string_view text, const std::vector<std::string>& numbers);
// "3 1 0 0; 1 1 4 7" as items; nothing when a number does not read or an
// item has no parameters.
std::optional<PictureItems> parsePictureItems(std::string_view text);
// A tooltip as a button label: what stands in parentheses dropped, cut at
// a word to a short length with an ellipsis.
std::string shortLabel(std::string_view tooltip);
// The text a button shows when it shows no picture: the picture's label,
// else the shortened tooltip.
std::string buttonLabel(const Picture& picture, const CommandRow& row);

}  // namespace ts::shell
