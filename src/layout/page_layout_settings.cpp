// The layout settings file and the dialog fields share one table, so a
// setting is named, shown and read back in one place.

#include "layout/page_layout_settings.h"

#include <cctype>
#include <charconv>
#include <cstdio>

namespace ts {
namespace {

constexpr int kMostIndent = 190;          // P3 units: a line keeps some room for music
constexpr int kMostNumber = 9999;         // first bar and page numbers
constexpr int kLeastStaffSize = 10, kMostStaffSize = 400;  // percent
constexpr float kMostPageHeight = 2000.0f;  // points of a long sheet; inches and centimetres stay far below

std::string upper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front()))) text.remove_prefix(1);
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back()))) text.remove_suffix(1);
  return text;
}

std::optional<int> wholeIn(std::string_view text, int least, int most) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < least || value > most) return std::nullopt;
  return value;
}

bool takeWhole(int& setting, std::string_view text, int least, int most) {
  const std::optional<int> value = wholeIn(text, least, most);
  if (value) setting = *value;
  return value.has_value();
}

// Yes/no answers: "1"/"0" as the file writes them, or a word starting Y or N.
bool takeFlag(bool& setting, std::string_view text) {
  const std::string word = upper(text);
  if (word == "1" || word.rfind('Y', 0) == 0) return setting = true, true;
  if (word == "0" || word.rfind('N', 0) == 0) return setting = false, true;
  return false;
}

// The one of two words (or its first letter) the answer names.
bool takeChoice(bool& setting, std::string_view text, std::string_view whenTrue, std::string_view whenFalse) {
  const std::string word = upper(text);
  if (word.empty()) return false;
  if (upper(whenTrue).rfind(word, 0) == 0) return setting = true, true;
  if (upper(whenFalse).rfind(word, 0) == 0) return setting = false, true;
  return false;
}

bool takeHeight(float& setting, std::string_view text) {
  float value = 0.0f;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || !(value > 0.0f && value <= kMostPageHeight))
    return false;
  setting = value;
  return true;
}

bool takeUnit(LengthUnit& setting, std::string_view text) {
  const std::string word = upper(text);
  if (word.empty()) return false;
  for (const auto& [name, unit] : {std::pair{"INCHES", LengthUnit::Inches}, std::pair{"CENTIMETERS", LengthUnit::Centimeters},
                                   std::pair{"POINTS", LengthUnit::Points}}) {
    if (std::string_view(name).rfind(word, 0) == 0) return setting = unit, true;
  }
  return false;
}

std::string flag(bool value) { return value ? "1" : "0"; }

std::string unitName(LengthUnit unit) {
  return unit == LengthUnit::Centimeters ? "Centimeters" : unit == LengthUnit::Points ? "Points" : "Inches";
}

std::string height(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(value));
  return text;
}

struct SettingField {
  const char* key;    // the file's word
  const char* label;  // the dialog's wording
  std::string (*shown)(const LayoutSettings&);
  bool (*take)(LayoutSettings&, std::string_view);
};

const SettingField kFields[] = {
    {"WHOLERESTS", "Whole Rests: American or European",
     [](const LayoutSettings& s) { return std::string(s.americanRests ? "American" : "European"); },
     [](LayoutSettings& s, std::string_view t) { return takeChoice(s.americanRests, t, "American", "European"); }},
    {"ONEBARNUMBER", "Number on 1-bar rest.", [](const LayoutSettings& s) { return flag(s.numberOnOneBarRest); },
     [](LayoutSettings& s, std::string_view t) { return takeFlag(s.numberOnOneBarRest, t); }},
    {"MEASURENUMBERS", "Measure Numbers", [](const LayoutSettings& s) { return flag(s.measureNumbers); },
     [](LayoutSettings& s, std::string_view t) { return takeFlag(s.measureNumbers, t); }},
    {"FIRSTNUMBER", "First number", [](const LayoutSettings& s) { return std::to_string(s.firstMeasureNumber); },
     [](LayoutSettings& s, std::string_view t) { return takeWhole(s.firstMeasureNumber, t, -kMostNumber, kMostNumber); }},
    {"FRONTONLY", "At front of line only", [](const LayoutSettings& s) { return flag(s.numbersAtFrontOnly); },
     [](LayoutSettings& s, std::string_view t) { return takeFlag(s.numbersAtFrontOnly, t); }},
    {"FIRSTINDENT", "Indents: First Line", [](const LayoutSettings& s) { return std::to_string(s.firstIndent); },
     [](LayoutSettings& s, std::string_view t) { return takeWhole(s.firstIndent, t, 0, kMostIndent); }},
    {"OTHERINDENT", "Indents: Other Lines", [](const LayoutSettings& s) { return std::to_string(s.otherIndent); },
     [](LayoutSettings& s, std::string_view t) { return takeWhole(s.otherIndent, t, 0, kMostIndent); }},
    {"PAGENUMBERS", "Page Numbers", [](const LayoutSettings& s) { return flag(s.pageNumbers); },
     [](LayoutSettings& s, std::string_view t) { return takeFlag(s.pageNumbers, t); }},
    {"FIRSTPAGE", "First page number.", [](const LayoutSettings& s) { return std::to_string(s.firstPageNumber); },
     [](LayoutSettings& s, std::string_view t) { return takeWhole(s.firstPageNumber, t, -kMostNumber, kMostNumber); }},
    {"PLACE", "Centered or At Sides",
     [](const LayoutSettings& s) { return std::string(s.pageNumbersCentered ? "Centered" : "At Sides"); },
     [](LayoutSettings& s, std::string_view t) { return takeChoice(s.pageNumbersCentered, t, "Centered", "At Sides"); }},
    {"PAGEHEIGHT", "Page Height", [](const LayoutSettings& s) { return height(s.pageHeight); },
     [](LayoutSettings& s, std::string_view t) { return takeHeight(s.pageHeight, t); }},
    {"STAFFSIZE", "StaffSize", [](const LayoutSettings& s) { return std::to_string(s.staffSize); },
     [](LayoutSettings& s, std::string_view t) { return takeWhole(s.staffSize, t, kLeastStaffSize, kMostStaffSize); }},
    {"UNIT", "Inches, Centimeters or Points", [](const LayoutSettings& s) { return unitName(s.unit); },
     [](LayoutSettings& s, std::string_view t) { return takeUnit(s.unit, t); }},
};

}  // namespace

LayoutSettingsRead readLayoutSettings(std::string_view text, const LayoutSettings& defaults) {
  LayoutSettingsRead read{defaults, {}};
  while (!text.empty()) {
    const size_t end = text.find('\n');
    const std::string_view line = trimmed(text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    if (line.empty()) continue;
    const size_t blank = line.find_first_of(" \t");
    const std::string key = upper(line.substr(0, blank));
    const std::string_view value = blank == std::string_view::npos ? std::string_view() : trimmed(line.substr(blank));
    bool taken = false;
    for (const SettingField& field : kFields) {
      if (key == field.key) taken = field.take(read.settings, value);
    }
    if (!taken) read.problems.emplace_back(line);
  }
  return read;
}

std::string writeLayoutSettings(const LayoutSettings& settings) {
  std::string text;
  for (const SettingField& field : kFields) text += std::string(field.key) + " " + field.shown(settings) + "\r\n";
  return text;
}

std::vector<std::string> layoutFieldLabels() {
  std::vector<std::string> labels;
  for (const SettingField& field : kFields) labels.emplace_back(field.label);
  return labels;
}

std::vector<std::string> layoutFieldValues(const LayoutSettings& settings) {
  std::vector<std::string> values;
  for (const SettingField& field : kFields) values.push_back(field.shown(settings));
  return values;
}

bool takeLayoutField(LayoutSettings& settings, size_t index, std::string_view answer) {
  return index < std::size(kFields) && kFields[index].take(settings, trimmed(answer));
}

}  // namespace ts
