#include "engine/mini_macros.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(MiniMacros, DefinitionStoresAndCarriesOutItsText) {
  MiniMacros macros;
  const MacroExpansion e = expandMiniMacros(":U1", macros);
  EXPECT_TRUE(e.isMacroLine);
  EXPECT_TRUE(e.definitionsChanged);
  EXPECT_EQ(macros[0], "U1");
  ASSERT_EQ(e.lines.size(), 1u);
  EXPECT_EQ(e.lines[0], "U1");
  // A later ";" replays it.
  const MacroExpansion use = expandMiniMacros(";", macros);
  ASSERT_EQ(use.lines.size(), 1u);
  EXPECT_EQ(use.lines[0], "U1");
}

TEST(MiniMacros, EmptyDefinitionClearsAndLeavesNothing) {
  MiniMacros macros = {"A", "B", "C"};
  const MacroExpansion e = expandMiniMacros("::", macros);
  EXPECT_EQ(macros[1], "");
  EXPECT_EQ(macros[0], "A");
  EXPECT_TRUE(e.lines.empty());
}

TEST(MiniMacros, UsesRunInMacroOrderWhateverTheOrderTyped) {
  MiniMacros macros = {"U1", "R2", "D3"};
  for (const char* line : {"; ;;", ";; ;", ";;U1;"}) {
    const MacroExpansion e = expandMiniMacros(line, macros);
    ASSERT_EQ(e.lines.size(), 2u) << line;
    EXPECT_EQ(e.lines[0], "U1") << line;
    EXPECT_EQ(e.lines[1], "R2") << line;
  }
  const MacroExpansion all = expandMiniMacros(";;; ; ;;", macros);
  EXPECT_EQ(all.lines, (std::vector<std::string>{"U1", "R2", "D3"}));
}

TEST(MiniMacros, FourOrMoreListsAndChangesNothing) {
  MiniMacros macros = {"U1", "R2", std::string(90, 'X')};
  for (const char* line : {"::::", ";;;;"}) {
    const MiniMacros before = macros;
    const MacroExpansion e = expandMiniMacros(line, macros);
    EXPECT_TRUE(e.list) << line;
    EXPECT_TRUE(e.lines.empty());
    EXPECT_EQ(macros, before);
  }
  const std::string listing = listMiniMacros(macros);
  EXPECT_EQ(listing.substr(0, 5), "; U1\n");
  EXPECT_NE(listing.find(";; R2\n;;; X"), std::string::npos);
  EXPECT_EQ(listing.size() - listing.rfind('\n') - 1, kMacroListWidth);  // cut to 74
}

TEST(MiniMacros, SeveralDefinitionsOnOneLine) {
  MiniMacros macros;
  const MacroExpansion e = expandMiniMacros("::U1:::R2'D3", macros);
  EXPECT_EQ(macros[0], "D3");
  EXPECT_EQ(macros[1], "U1");
  EXPECT_EQ(macros[2], "R2");
  EXPECT_EQ(e.lines, (std::vector<std::string>{"D3"}));
}

TEST(MiniMacros, GraveAccentAsksToEditTheLastFlagged) {
  MiniMacros macros = {"U1", "R2", "D3"};
  // Grave accents count like semicolons: "```" names macro 3.
  EXPECT_EQ(expandMiniMacros("```", macros).editMacro, 3);
  EXPECT_EQ(expandMiniMacros("`; ;;;", macros).editMacro, 3);
  EXPECT_TRUE(expandMiniMacros("`;;;", macros).list);
  EXPECT_EQ(expandMiniMacros("; ;;", macros).editMacro, 0);
  EXPECT_EQ(macroEditTitle(3), "Edit Mini-Macro ;;;");
}

TEST(MiniMacros, OrdinaryLinesPassAndTextIsCleaned) {
  MiniMacros macros;
  EXPECT_FALSE(expandMiniMacros("U10", macros).isMacroLine);
  EXPECT_EQ(cleanMacroText("U1\t\x01R2   "), "U1  R2");
  EXPECT_EQ(cleanMacroText(std::string(100, 'A')).size(), kMacroLength);
}

}  // namespace
}  // namespace ts
