#pragma once
// A line typed in the command line: found when Enter ends it, and its lead
// letter decides what happens to command-key capture.

#include <optional>
#include <string>
#include <string_view>

namespace ts::shell {

struct TypedLineRule {
  enum class Capture { Unchanged, Off, OnWithViewFocus };
  Capture capture = Capture::Unchanged;
  bool refreshesServer = false;  // "^S": update the embedded item when a refresh is pending
};

// Lead letter: the first character with a code of 64 or above (leading
// blanks and digits are skipped); the second letter is the one after it.
TypedLineRule typedLineRule(std::string_view line);

// The typed command when the command line's text now ends with a line
// break that Enter put there: its last line.
std::optional<std::string> completedLine(std::string_view text, bool lastKeyWasEnter);

}  // namespace ts::shell
