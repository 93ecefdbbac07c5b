#include "output/type1_program.h"

#include <algorithm>

namespace ts {
namespace {

constexpr std::string_view kEexec = "eexec";
constexpr std::string_view kClearToMark = "cleartomark";
constexpr std::string_view kFontNameKey = "/FontName";
constexpr size_t kLeastEncrypted = 4;  // the four random bytes every encrypted part starts with

bool isWhite(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// Where the encrypted part starts: after "eexec", blanks and one end of line.
std::optional<size_t> cleartextEnd(std::string_view program) {
  const size_t eexec = program.find(kEexec);
  if (eexec == std::string_view::npos) return std::nullopt;
  size_t at = eexec + kEexec.size();
  while (at < program.size() && (program[at] == ' ' || program[at] == '\t')) ++at;
  if (at < program.size() && program[at] == '\r') ++at;
  if (at < program.size() && program[at] == '\n') ++at;
  if (at == eexec + kEexec.size()) return std::nullopt;  // "eexec" not ending its line
  return at;
}

// Where the 512 zeros before the last "cleartomark" start; blanks among
// them belong to the trailer, blanks before them to the encrypted part.
std::optional<size_t> trailerStart(std::string_view program, size_t after) {
  const size_t mark = program.rfind(kClearToMark);
  if (mark == std::string_view::npos || mark < after) return std::nullopt;
  size_t zeros = 0, at = mark;
  while (at > after && zeros < kTrailerZeros) {
    const char c = program[at - 1];
    if (c == '0') ++zeros;
    else if (!isWhite(c)) break;
    --at;
  }
  if (zeros < kTrailerZeros) return std::nullopt;
  return at;
}

std::optional<std::string> fontNameIn(std::string_view cleartext) {
  const size_t key = cleartext.find(kFontNameKey);
  if (key == std::string_view::npos) return std::nullopt;
  size_t at = key + kFontNameKey.size();
  while (at < cleartext.size() && isWhite(cleartext[at])) ++at;
  if (at >= cleartext.size() || cleartext[at] != '/') return std::nullopt;
  const size_t start = ++at;
  while (at < cleartext.size() && at - start <= kLongestFontName && !isWhite(cleartext[at])) ++at;
  const std::string_view name = cleartext.substr(start, at - start);
  if (!isPlainFontName(name)) return std::nullopt;
  return std::string(name);
}

}  // namespace

bool isPlainFontName(std::string_view name) {
  return !name.empty() && name.size() <= kLongestFontName && std::all_of(name.begin(), name.end(), [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
  });
}

std::optional<Type1Parts> splitType1Program(std::string_view program) {
  if (program.size() > kLargestFontProgram || program.substr(0, 2) != "%!") return std::nullopt;
  const std::optional<size_t> clear = cleartextEnd(program);
  if (!clear) return std::nullopt;
  const std::optional<size_t> trailer = trailerStart(program, *clear);
  if (!trailer || *trailer - *clear < kLeastEncrypted) return std::nullopt;
  std::optional<std::string> name = fontNameIn(program.substr(0, *clear));
  if (!name) return std::nullopt;
  return Type1Parts{*clear, *trailer - *clear, program.size() - *trailer, std::move(*name)};
}

}  // namespace ts
