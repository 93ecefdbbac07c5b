#include "shell/picture_table.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>

namespace ts::shell {
namespace {

constexpr size_t kLabelChars = 16;           // the longest label a button shows, ellipsis apart
constexpr size_t kMaxPictureItems = 16;      // a picture is a few marks, never a page
constexpr std::string_view kAnyCommand = "*";  // the key of the row for every command no other row takes
constexpr const char* kEllipsis = "\xE2\x80\xA6";

constexpr std::array<std::pair<std::string_view, PictureKind>, 6> kKinds{{
    {"staff", PictureKind::Staff},
    {"items", PictureKind::Items},
    {"made", PictureKind::Made},
    {"icon", PictureKind::Icon},
    {"label", PictureKind::Label},
    {"tooltip", PictureKind::Tooltip},
}};

std::vector<std::string_view> splitTabs(std::string_view line) {
  std::vector<std::string_view> fields;
  size_t start = 0;
  for (size_t tab = line.find('\t'); tab != std::string_view::npos; tab = line.find('\t', start)) {
    fields.push_back(line.substr(start, tab - start));
    start = tab + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

std::optional<int> wholeNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<PictureKind> kindNamed(std::string_view name) {
  for (const auto& [known, kind] : kKinds)
    if (known == name) return kind;
  return std::nullopt;
}

// Length of the number that starts `text` ("-1.5", ".05", "12"); 0 when none does.
size_t numberLength(std::string_view text) {
  size_t i = (!text.empty() && text[0] == '-') ? 1 : 0;
  size_t digits = 0;
  while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == '.')) {
    digits += std::isdigit(static_cast<unsigned char>(text[i])) ? 1 : 0;
    ++i;
  }
  return digits > 0 ? i : 0;
}

// The key column: an identifier, "COMMAND" or MENU:"COMMAND".
bool readKey(std::string_view key, int& id, int& menu, bool& scoped, std::string& pattern) {
  if (key.empty()) return false;
  if (key == kAnyCommand) {
    pattern = key;
    return true;
  }
  if (key.front() != '"' && key.find(':') == std::string_view::npos) {
    const std::optional<int> number = wholeNumber(key);
    if (number) id = *number;
    return number && *number > 0;
  }
  if (const size_t colon = key.find(':'); key.front() != '"') {
    const std::optional<int> number = wholeNumber(key.substr(0, colon));
    if (!number) return false;
    menu = *number;
    scoped = true;
    key.remove_prefix(colon + 1);
  }
  if (key.size() < 3 || key.front() != '"' || key.back() != '"') return false;
  pattern = key.substr(1, key.size() - 2);
  return true;
}

bool argumentFits(const Picture& picture) {
  switch (picture.kind) {
    case PictureKind::Tooltip: return picture.argument.empty();
    case PictureKind::Staff:
    case PictureKind::Items: return picture.argument.find('$') != std::string::npos || parsePictureItems(picture.argument);
    case PictureKind::Icon: return !picture.argument.empty() && !picture.label.empty();
    default: return !picture.argument.empty();
  }
}

}  // namespace

std::optional<PictureTable::Row> PictureTable::parseRow(std::string_view line) {
  const std::vector<std::string_view> fields = splitTabs(line);
  if (fields.size() < 2 || fields.size() > 4) return std::nullopt;
  Row row;
  if (!readKey(fields[0], row.id, row.menu, row.scoped, row.pattern)) return std::nullopt;
  const std::optional<PictureKind> kind = kindNamed(fields[1]);
  if (!kind) return std::nullopt;
  row.picture.kind = *kind;
  if (fields.size() > 2) row.picture.argument = std::string(trimmed(fields[2]));
  if (fields.size() > 3) row.picture.label = std::string(trimmed(fields[3]));
  if (!argumentFits(row.picture)) return std::nullopt;
  return row;
}

PictureTable PictureTable::read(std::istream& rows, std::vector<std::string>& errors) {
  PictureTable table;
  std::string line;
  for (int number = 1; std::getline(rows, line); ++number) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (trimmed(line).empty() || line.front() == '#') continue;
    if (std::optional<Row> row = parseRow(line)) table.m_rows.push_back(std::move(*row));
    else errors.push_back("pictures.tsv line " + std::to_string(number) + ": " + line);
  }
  return table;
}

std::optional<Picture> PictureTable::pictureFor(const CommandRow& command) const {
  for (const Row& row : m_rows)
    if (row.id == command.id) return row.picture;
  const std::string text = commandText(command);
  for (const bool scoped : {true, false}) {
    for (const Row& row : m_rows) {
      if (row.id != 0 || row.scoped != scoped || (scoped && row.menu != command.menu)) continue;
      if (const std::optional<std::vector<std::string>> numbers = matchCommand(row.pattern, text)) {
        Picture picture = row.picture;
        picture.argument = fillMatches(picture.argument, *numbers);
        picture.label = fillMatches(picture.label, *numbers);
        return picture;
      }
    }
  }
  return std::nullopt;
}

std::string commandText(const CommandRow& row) {
  std::string text;
  for (const std::string& sent : row.strings) {
    const std::string_view word = trimmed(sent);
    if (word.empty()) continue;
    if (!text.empty()) text += ' ';
    text += word;
  }
  return text;
}

std::optional<std::vector<std::string>> matchCommand(std::string_view pattern, std::string_view text) {
  std::vector<std::string> numbers;
  if (pattern == kAnyCommand) return numbers;
  size_t t = 0;
  for (const char p : pattern) {
    if (p == '#') {
      const size_t length = numberLength(text.substr(t));
      if (length == 0) return std::nullopt;
      numbers.emplace_back(text.substr(t, length));
      t += length;
    } else if (t < text.size() && text[t] == p) {
      ++t;
    } else {
      return std::nullopt;
    }
  }
  if (t != text.size()) return std::nullopt;
  return numbers;
}

std::string fillMatches(std::string_view text, const std::vector<std::string>& numbers) {
  std::string filled;
  for (size_t i = 0; i < text.size(); ++i) {
    const bool reference = text[i] == '$' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9';
    const size_t n = reference ? static_cast<size_t>(text[i + 1] - '1') : 0;
    if (reference && n < numbers.size()) {
      filled += numbers[n];
      ++i;
    } else {
      filled += text[i];
    }
  }
  return filled;
}

std::optional<PictureItems> parsePictureItems(std::string_view text) {
  PictureItems items;
  while (!text.empty()) {
    const size_t end = std::min(text.find(';'), text.size());
    std::vector<float> params;
    std::string_view item = trimmed(text.substr(0, end));
    while (!item.empty()) {
      const size_t blank = std::min(item.find(' '), item.size());
      float value = 0.0f;
      const std::string_view word = item.substr(0, blank);
      const auto [stop, error] = std::from_chars(word.data(), word.data() + word.size(), value);
      if (error != std::errc() || stop != word.data() + word.size() || !std::isfinite(value)) return std::nullopt;
      params.push_back(value);
      item = trimmed(item.substr(blank));
    }
    if (params.empty() || items.size() == kMaxPictureItems) return std::nullopt;
    items.push_back(std::move(params));
    const bool more = end < text.size();
    text.remove_prefix(std::min(end + 1, text.size()));
    if (more && trimmed(text).empty()) return std::nullopt;  // a ";" with no item after it
  }
  if (items.empty()) return std::nullopt;
  return items;
}

std::string shortLabel(std::string_view tooltip) {
  std::string plain;
  int depth = 0;
  for (const char c : tooltip) {
    depth += c == '(' ? 1 : 0;
    if (depth == 0 && !(c == ' ' && (plain.empty() || plain.back() == ' '))) plain += c;
    depth -= (c == ')' && depth > 0) ? 1 : 0;
  }
  std::string label(trimmed(plain));
  if (label.size() <= kLabelChars) return label;
  const size_t cut = label.rfind(' ', kLabelChars);
  label.resize(cut == std::string::npos || cut == 0 ? kLabelChars : cut);
  return label + kEllipsis;
}

std::string buttonLabel(const Picture& picture, const CommandRow& row) {
  if (picture.kind == PictureKind::Label) return picture.argument;
  if (!picture.label.empty()) return picture.label;
  return shortLabel(row.tooltip);
}

}  // namespace ts::shell
