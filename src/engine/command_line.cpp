#include "engine/command_line.h"

#include <cctype>
#include <cstdlib>

namespace ts {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

std::vector<std::string> words(std::string_view line) {
  std::vector<std::string> result;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\0')) ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\0') ++i;
    if (i > start) result.emplace_back(line.substr(start, i - start));
  }
  return result;
}

// A number starts at `i` when a digit follows an optional sign and point.
bool numberStartsAt(std::string_view word, size_t i) {
  if (i < word.size() && (word[i] == '-' || word[i] == '+')) ++i;
  if (i < word.size() && word[i] == '.') ++i;
  return i < word.size() && isDigit(word[i]);
}

}  // namespace

std::string toUpper(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return result;
}

std::string trimmed(std::string_view text) {
  size_t start = 0, end = text.size();
  while (start < end && (text[start] == ' ' || text[start] == '\t' || text[start] == '\0')) ++start;
  while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\0' ||
                         text[end - 1] == '\r' || text[end - 1] == '\n'))
    --end;
  return std::string(text.substr(start, end - start));
}

std::string padded(std::string_view text, size_t width) {
  std::string result(text.substr(0, width));
  result.resize(width, ' ');
  return result;
}

std::optional<double> parseNumber(std::string_view text) {
  if (text.empty() || text.size() > 64) return std::nullopt;
  size_t i = 0;
  if (text[i] == '-' || text[i] == '+') ++i;
  bool digits = false;
  while (i < text.size() && isDigit(text[i])) ++i, digits = true;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && isDigit(text[i])) ++i, digits = true;
  }
  if (!digits) return std::nullopt;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    size_t j = i + 1;
    if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
    if (j < text.size() && isDigit(text[j])) {
      while (j < text.size() && isDigit(text[j])) ++j;
      i = j;
    }
  }
  if (i != text.size()) return std::nullopt;
  const std::string copy(text);
  const double value = std::strtod(copy.c_str(), nullptr);
  // Values beyond a float's range are refused rather than stored as infinity.
  if (!(value > -3.0e38 && value < 3.0e38)) return std::nullopt;
  return value;
}

size_t mnemonicLength(std::string_view word) {
  size_t i = 0;
  while (i < word.size() && isDigit(word[i])) ++i;  // "8VA", "15M"
  if (i == word.size()) return 0;                   // wholly digits: a number
  for (++i; i < word.size(); ++i) {
    if (numberStartsAt(word, i) && parseNumber(word.substr(i))) return i;
  }
  return word.size();
}

CommandLine splitCommandLine(std::string_view line) {
  CommandLine result;
  const std::vector<std::string> parts = words(line);
  if (parts.empty()) return result;
  result.word = toUpper(parts[0]);
  const size_t first = line.find(parts[0]);
  result.rest = trimmed(line.substr(first + parts[0].size()));

  result.numbersOnly = true;
  for (const std::string& part : parts) {
    if (!parseNumber(part)) {
      result.numbersOnly = false;
      break;
    }
  }
  if (result.numbersOnly) {
    for (const std::string& part : parts) result.numbers.push_back(*parseNumber(part));
    return result;
  }
  const size_t length = mnemonicLength(result.word);
  result.mnemonic = result.word.substr(0, length);
  if (length < result.word.size()) result.numbers.push_back(*parseNumber(result.word.substr(length)));
  for (size_t i = 1; i < parts.size(); ++i) {
    const std::optional<double> number = parseNumber(parts[i]);
    if (!number) {
      result.allNumeric = false;
      break;
    }
    result.numbers.push_back(*number);
  }
  return result;
}

}  // namespace ts
