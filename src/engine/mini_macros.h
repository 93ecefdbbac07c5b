#pragma once
// Mini-macros: three stored command lines. A line starting with ":" or "'"
// defines them (one, two or three of those characters select the macro); a
// line holding runs of ";" or grave accents replays them; a run of four or
// more lists them.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

constexpr int kMacroCount = 3;
constexpr size_t kMacroLength = 80;   // characters of one stored line
constexpr size_t kMacroListWidth = 74;

using MiniMacros = std::array<std::string, kMacroCount>;  // trailing blanks trimmed

struct MacroExpansion {
  bool isMacroLine = false;         // the line defined, used or listed macros
  std::vector<std::string> lines;   // the command lines to interpret, in order
  bool list = false;                // show the macros
  int editMacro = 0;                // 1..3: offer this macro for editing first
  bool definitionsChanged = false;  // store the macros
};

// Applies one line to the macros: definitions change `macros`, uses give
// the flagged macros as lines (macro 1, 2, 3 in that order, whatever the
// order typed). A line of neither kind comes back unchanged.
MacroExpansion expandMiniMacros(std::string_view line, MiniMacros& macros);

// The listing: each macro on its own line after its semicolons, cut to 74.
std::string listMiniMacros(const MiniMacros& macros);

// The title of the edit dialog of macro n ("Edit Mini-Macro ;;").
std::string macroEditTitle(int macro);

// A stored macro text: control characters become blanks, cut to 80,
// trailing blanks trimmed.
std::string cleanMacroText(std::string_view text);

}  // namespace ts
