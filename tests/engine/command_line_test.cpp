#include "engine/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ts {
namespace {

TEST(SplitCommandLine, MnemonicAndNumbers) {
  struct Case {
    const char* line;
    const char* mnemonic;
    std::vector<double> numbers;
  } cases[] = {
      {"U10", "U", {10}},
      {"u10", "U", {10}},
      {"L-3", "L", {-3}},
      {"R1.5", "R", {1.5}},
      {"X.5", "X", {0.5}},
      {"PCHNG-9999", "PCHNG", {-9999}},
      {"8VA", "8VA", {}},
      {"8va2", "8VA", {2}},
      {"15M", "15M", {}},
      {"END2", "END", {2}},
      {"NUM 5", "NUM", {5}},
      {"QQ0", "QQ", {0}},
      {"I 12 3", "I", {12, 3}},
      {"  OS  ", "OS", {}},
      {"REST", "REST", {}},
      {"RESTO", "RESTO", {}},
      {"CR-", "CR-", {}},
      {"Z$", "Z$", {}},
      {"]]", "]]", {}},
      {"E5", "E", {5}},
      {"ZZZZ", "ZZZZ", {}},
  };
  for (const Case& c : cases) {
    const CommandLine line = splitCommandLine(c.line);
    EXPECT_FALSE(line.numbersOnly) << c.line;
    EXPECT_EQ(line.mnemonic, c.mnemonic) << c.line;
    EXPECT_EQ(line.numbers, c.numbers) << c.line;
  }
}

TEST(SplitCommandLine, LinesOfNumbersAreParameterEdits) {
  struct Case {
    const char* line;
    std::vector<double> numbers;
  } cases[] = {
      {"5 .8", {5, 0.8}},
      {"10 0 11 0", {10, 0, 11, 0}},
      {"800 -1", {800, -1}},
      {" 50000\t4 ", {50000, 4}},
      {"1e2 +3", {100, 3}},
      {"-5", {-5}},
  };
  for (const Case& c : cases) {
    const CommandLine line = splitCommandLine(c.line);
    EXPECT_TRUE(line.numbersOnly) << c.line;
    EXPECT_EQ(line.numbers, c.numbers) << c.line;
  }
  // One word that is not a number makes the line a command, never an edit.
  for (const char* line : {"5 .8 x", "5 .8.1", "5 1e39", "5 0x10"}) EXPECT_FALSE(splitCommandLine(line).numbersOnly) << line;
}

TEST(SplitCommandLine, RestKeepsWhatFollowsTheWordAsTyped) {
  const CommandLine get = splitCommandLine("g  C:\\Pages\\Song.mus ");
  EXPECT_EQ(get.word, "G");
  EXPECT_EQ(get.rest, "C:\\Pages\\Song.mus");
  EXPECT_FALSE(get.allNumeric);
  const CommandLine alter = splitCommandLine("IF p1=1 THEN P4=5");
  EXPECT_EQ(alter.mnemonic, "IF");
  EXPECT_EQ(alter.rest, "p1=1 THEN P4=5");
  const CommandLine empty = splitCommandLine("   ");
  EXPECT_TRUE(empty.word.empty());
  EXPECT_FALSE(empty.numbersOnly);
}

TEST(ParseNumber, WholeNumbersOnly) {
  struct Case {
    const char* text;
    std::optional<double> value;
  } cases[] = {
      {"12", 12},     {"-1.5", -1.5}, {".5", 0.5},         {"5.", 5},          {"+3", 3},
      {"1e3", 1000},  {"1E-2", 0.01}, {"2.5e+1", 25},      {"", std::nullopt}, {"-", std::nullopt},
      {".", std::nullopt}, {"1e", std::nullopt}, {"1e+", std::nullopt}, {"abc", std::nullopt},
      {"1.2.3", std::nullopt}, {"0x10", std::nullopt}, {"1e39", std::nullopt}, {"-1e39", std::nullopt},
      {" 5", std::nullopt}, {"5 ", std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(parseNumber(c.text), c.value) << c.text;
  EXPECT_EQ(parseNumber(std::string(70, '1')), std::nullopt);
}

TEST(CommandLineText, PaddedUpperTrimmed) {
  EXPECT_EQ(padded("OS", 3), "OS ");
  EXPECT_EQ(padded("REST", 3), "RES");
  EXPECT_EQ(toUpper("tReb"), "TREB");
  EXPECT_EQ(trimmed(" \tNOTE \r\n"), "NOTE");
  EXPECT_EQ(mnemonicLength("U10"), 1u);
  EXPECT_EQ(mnemonicLength("123"), 0u);
}

}  // namespace
}  // namespace ts
