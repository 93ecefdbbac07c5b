#include "engine/mini_macros.h"

namespace ts {
namespace {

bool isDefinitionMark(char c) { return c == ':' || c == '\''; }
bool isUseMark(char c) { return c == ';' || c == '`'; }

}  // namespace

std::string cleanMacroText(std::string_view text) {
  std::string clean(text.substr(0, kMacroLength));
  for (char& c : clean)
    if (static_cast<unsigned char>(c) < 32) c = ' ';
  while (!clean.empty() && clean.back() == ' ') clean.pop_back();
  return clean;
}

std::string macroEditTitle(int macro) { return "Edit Mini-Macro " + std::string(static_cast<size_t>(macro), ';'); }

std::string listMiniMacros(const MiniMacros& macros) {
  std::string text;
  for (int i = 0; i < kMacroCount; ++i) {
    std::string line = std::string(static_cast<size_t>(i + 1), ';') + " " + macros[i];
    if (line.size() > kMacroListWidth) line.resize(kMacroListWidth);
    if (i > 0) text += '\n';
    text += line;
  }
  return text;
}

MacroExpansion expandMiniMacros(std::string_view line, MiniMacros& macros) {
  MacroExpansion result;
  if (line.empty()) return result;

  if (isDefinitionMark(line[0])) {
    result.isMacroLine = true;
    std::string lastText;
    size_t i = 0;
    while (i < line.size()) {
      size_t run = 0;
      while (i < line.size() && isDefinitionMark(line[i])) ++i, ++run;
      if (run >= 4) {
        result.list = true;
        return result;  // a listing changes nothing and leaves no line
      }
      const size_t start = i;
      while (i < line.size() && !isDefinitionMark(line[i])) ++i;
      macros[run - 1] = cleanMacroText(line.substr(start, i - start));
      result.definitionsChanged = true;
      lastText = macros[run - 1];
    }
    // The text of the (last) definition is also carried out at once.
    if (!lastText.empty()) result.lines.push_back(lastText);
    return result;
  }

  std::array<bool, kMacroCount> flagged{};
  int lastFlagged = 0;
  for (size_t i = 0; i < line.size();) {
    if (!isUseMark(line[i])) {
      ++i;
      continue;
    }
    size_t run = 0;
    while (i < line.size() && isUseMark(line[i])) ++i, ++run;
    result.isMacroLine = true;
    if (run >= 4) {
      result.list = true;
      return result;
    }
    flagged[run - 1] = true;
    lastFlagged = static_cast<int>(run);
  }
  if (!result.isMacroLine) return result;
  if (line[0] == '`') result.editMacro = lastFlagged;
  for (int m = 0; m < kMacroCount; ++m)
    if (flagged[m] && !macros[m].empty()) result.lines.push_back(macros[m]);
  return result;
}

}  // namespace ts
