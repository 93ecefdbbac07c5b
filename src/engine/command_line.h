#pragma once
// Splitting a command line into its mnemonic and arguments.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

struct CommandLine {
  std::string word;        // first blank-separated word, upper case
  std::string mnemonic;    // the word without a trailing number ("U10" -> "U")
  std::vector<double> numbers;  // the trailing number of the word, then the numbers after it
  std::string rest;        // the text after the first word, as typed (left-trimmed)
  bool numbersOnly = false;  // every word is a number: a parameter-edit line
  bool allNumeric = true;    // false when a word after the mnemonic is not a number
};

CommandLine splitCommandLine(std::string_view line);

// A number as the engine reads one: optional sign, digits, point, digits,
// optional exponent. Nothing when the text is not wholly a number.
std::optional<double> parseNumber(std::string_view text);

// Where a word's trailing argument starts ("U10" -> 1, "PCHNG-9999" -> 5);
// the word's length when it has none. Leading digits belong to the
// mnemonic ("8VA", "15M").
size_t mnemonicLength(std::string_view word);

// The first `width` characters, blank-padded: how mnemonics are compared.
std::string padded(std::string_view text, size_t width);

std::string toUpper(std::string_view text);
std::string trimmed(std::string_view text);

}  // namespace ts
