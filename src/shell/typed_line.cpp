#include "shell/typed_line.h"

#include <cctype>

namespace ts::shell {
namespace {

constexpr unsigned char kFirstLetterCode = 64;

char upper(char c) { return static_cast<char>(std::toupper(static_cast<unsigned char>(c))); }

}  // namespace

TypedLineRule typedLineRule(std::string_view line) {
  size_t lead = 0;
  while (lead < line.size() && static_cast<unsigned char>(line[lead]) < kFirstLetterCode) ++lead;
  TypedLineRule rule;
  if (lead == line.size()) return rule;
  const char first = upper(line[lead]);
  const char second = lead + 1 < line.size() ? upper(line[lead + 1]) : '\0';
  if (first == 'X') {
    rule.capture = TypedLineRule::Capture::Off;
  } else if (first == 'I' || (first == 'E' && second == 'D') || (first == 'S' && second == 'T')) {
    rule.capture = TypedLineRule::Capture::OnWithViewFocus;
  }
  rule.refreshesServer = first == '^' && second == 'S';
  return rule;
}

std::optional<std::string> completedLine(std::string_view text, bool lastKeyWasEnter) {
  if (!lastKeyWasEnter || text.empty() || text.back() != '\n') return std::nullopt;
  text.remove_suffix(1);
  const size_t previousBreak = text.rfind('\n');
  const std::string_view line = previousBreak == std::string_view::npos ? text : text.substr(previousBreak + 1);
  return std::string(line);
}

}  // namespace ts::shell
