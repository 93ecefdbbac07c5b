// The bar list as the user types it: numbers separated by blanks or
// commas, whose count and shape say which form of layout it asks for.

#include <algorithm>
#include <cctype>

#include "layout/page_layout.h"

namespace ts {
namespace {

constexpr long long kLargestEntry = 1000000;  // far beyond any bar count; keeps sums in range
constexpr int kPagesFactor = 100;             // X0A: pages x 100 + lines per page

bool isSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\r' || c == '\n'; }

// One signed number starting at `at`; false when the token is anything else.
bool readNumber(std::string_view text, size_t& at, int& value) {
  bool negative = false;
  if (text[at] == '+' || text[at] == '-') negative = text[at++] == '-';
  long long magnitude = 0;
  const size_t digitsFrom = at;
  while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) {
    magnitude = std::min(kLargestEntry, magnitude * 10 + (text[at++] - '0'));
  }
  if (at == digitsFrom || (at < text.size() && !isSeparator(text[at]))) return false;
  value = static_cast<int>(negative ? -magnitude : magnitude);
  return true;
}

BarListForm formOf(const std::vector<int>& entries, bool commaAfterFirst) {
  if (entries.size() == 1) return BarListForm::Lines;
  if (entries.size() == 2 && commaAfterFirst && entries[1] > 0 && entries[1] < kPagesFactor)
    return BarListForm::PagesAndLines;
  bool paired = entries.size() % 2 == 0;
  for (size_t i = 1; i < entries.size() && paired; i += 2) paired = entries[i] >= kPagesFactor;
  return paired ? BarListForm::Paired : BarListForm::PerLine;
}

}  // namespace

BarList parseBarList(std::string_view text) {
  BarList list;
  bool commaAfterFirst = false;
  size_t at = 0;
  while (at < text.size() && list.entries.size() < static_cast<size_t>(kMaxBarListEntries)) {
    if (isSeparator(text[at])) {
      if (text[at] == ',' && list.entries.size() == 1) commaAfterFirst = true;
      ++at;
      continue;
    }
    int value = 0;
    if (!readNumber(text, at, value)) return {};
    list.entries.push_back(value);
  }
  if (!list.entries.empty()) list.form = formOf(list.entries, commaAfterFirst);
  return list;
}

}  // namespace ts
