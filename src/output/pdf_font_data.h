#pragma once
// The font data file "fd00.fdt" ... "fd34.fdt" of the font library: what a
// PDF says of one font beside its program, taken at build time from the
// font's AFM metrics, so that it matches the program exactly. A text file:
//
//   %Tonesmith PDF font data
//   FontName NimbusRoman-Regular     the program is this name + ".t1"
//   Flags 34                         the font descriptor's flags
//   FontBBox -168 -281 1000 1053
//   ItalicAngle 0
//   Ascent 1053
//   Descent -281
//   CapHeight 662
//   StemV 80
//   Widths                           then 224 advances, codes 32..255, in
//   250 333 ...                      1/1000 of the font size
//
// A file that fails any check (a missing or extra field, a number out of
// range, a name a PDF cannot carry) is refused whole.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ts {

inline constexpr int kPdfFirstChar = 32;
inline constexpr int kPdfLastChar = 255;
inline constexpr int kPdfWidthCount = kPdfLastChar - kPdfFirstChar + 1;
inline constexpr size_t kLargestPdfFontData = 8192;  // bytes: a file is about 1.5 KB
inline constexpr int kPdfFlagSymbolic = 4;           // the font keeps its own encoding
inline constexpr int kPdfFlagNonsymbolic = 32;       // the texts' Latin-1 names its glyphs

struct PdfFontData {
  std::string fontName;
  int flags = kPdfFlagNonsymbolic;
  std::array<int, 4> boundingBox{};
  double italicAngle = 0.0;
  int ascent = 0;
  int descent = 0;
  int capHeight = 0;
  int stemV = 0;
  std::array<int, kPdfWidthCount> widths{};  // [code - 32]

  bool symbolic() const { return (flags & kPdfFlagSymbolic) != 0; }
};

// "fd07.fdt" for font number 7.
std::string pdfFontDataName(int fontNumber);

std::string encodePdfFontData(const PdfFontData& data);
std::optional<PdfFontData> decodePdfFontData(std::string_view text);

}  // namespace ts
