#pragma once
// A Type 1 font program (".t1", as the URW fonts come) as a PDF embeds it:
// three parts whose lengths the font file stream states. The cleartext
// part runs through "eexec" and the end of its line; the encrypted part
// follows, binary or hexadecimal; the trailer is the 512 zeros and
// "cleartomark" with whatever follows it. A program that is not split
// cleanly so is refused whole: a reader given wrong lengths may read the
// font wrongly or not at all.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ts {

inline constexpr size_t kLargestFontProgram = size_t{4} << 20;  // bytes: the URW programs are under 200 KB
inline constexpr size_t kTrailerZeros = 512;                    // the zeros before "cleartomark"
inline constexpr size_t kLongestFontName = 127;                 // characters of a PDF name

struct Type1Parts {
  size_t cleartext = 0;  // Length1
  size_t encrypted = 0;  // Length2
  size_t trailer = 0;    // Length3
  std::string fontName;  // the program's /FontName, which the PDF must name
};

std::optional<Type1Parts> splitType1Program(std::string_view program);

// True for a name a PDF can carry as it stands and a file name can hold:
// letters, digits, '-' and '_', not too long.
bool isPlainFontName(std::string_view name);

}  // namespace ts
