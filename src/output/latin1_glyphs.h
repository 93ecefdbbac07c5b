#pragma once
// The PostScript glyph name of every printable ISO Latin-1 code: the
// encoding the text items' character codes are read in. The metric files
// measure these glyphs, "fmfontinit.psc" re-encodes the printer's text
// fonts to them and a PDF's text fonts name them in their encoding.

#include <array>
#include <string_view>

namespace ts {

constexpr int kFirstAsciiCode = 32;
constexpr int kFirstUpperCode = 160;

// [code - 32]: codes 32..126.
constexpr std::array<std::string_view, 95> kAsciiGlyphs = {
    "space", "exclam", "quotedbl", "numbersign", "dollar", "percent", "ampersand", "quotesingle",
    "parenleft", "parenright", "asterisk", "plus", "comma", "hyphen", "period", "slash",
    "zero", "one", "two", "three", "four", "five", "six", "seven", "eight", "nine",
    "colon", "semicolon", "less", "equal", "greater", "question", "at",
    "A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L", "M",
    "N", "O", "P", "Q", "R", "S", "T", "U", "V", "W", "X", "Y", "Z",
    "bracketleft", "backslash", "bracketright", "asciicircum", "underscore", "grave",
    "a", "b", "c", "d", "e", "f", "g", "h", "i", "j", "k", "l", "m",
    "n", "o", "p", "q", "r", "s", "t", "u", "v", "w", "x", "y", "z",
    "braceleft", "bar", "braceright", "asciitilde",
};

// [code - 160]: codes 160..255.
constexpr std::array<std::string_view, 96> kUpperGlyphs = {
    "space", "exclamdown", "cent", "sterling", "currency", "yen", "brokenbar", "section",
    "dieresis", "copyright", "ordfeminine", "guillemotleft", "logicalnot", "hyphen", "registered", "macron",
    "degree", "plusminus", "twosuperior", "threesuperior", "acute", "mu", "paragraph", "periodcentered",
    "cedilla", "onesuperior", "ordmasculine", "guillemotright", "onequarter", "onehalf", "threequarters",
    "questiondown",
    "Agrave", "Aacute", "Acircumflex", "Atilde", "Adieresis", "Aring", "AE", "Ccedilla",
    "Egrave", "Eacute", "Ecircumflex", "Edieresis", "Igrave", "Iacute", "Icircumflex", "Idieresis",
    "Eth", "Ntilde", "Ograve", "Oacute", "Ocircumflex", "Otilde", "Odieresis", "multiply",
    "Oslash", "Ugrave", "Uacute", "Ucircumflex", "Udieresis", "Yacute", "Thorn", "germandbls",
    "agrave", "aacute", "acircumflex", "atilde", "adieresis", "aring", "ae", "ccedilla",
    "egrave", "eacute", "ecircumflex", "edieresis", "igrave", "iacute", "icircumflex", "idieresis",
    "eth", "ntilde", "ograve", "oacute", "ocircumflex", "otilde", "odieresis", "divide",
    "oslash", "ugrave", "uacute", "ucircumflex", "udieresis", "yacute", "thorn", "ydieresis",
};

// The glyph of a code; empty for codes without one (controls, 127..159).
constexpr std::string_view latin1Glyph(int code) {
  if (code >= kFirstAsciiCode && code < kFirstAsciiCode + static_cast<int>(kAsciiGlyphs.size())) {
    return kAsciiGlyphs[static_cast<size_t>(code - kFirstAsciiCode)];
  }
  if (code >= kFirstUpperCode && code < kFirstUpperCode + static_cast<int>(kUpperGlyphs.size())) {
    return kUpperGlyphs[static_cast<size_t>(code - kFirstUpperCode)];
  }
  return {};
}

}  // namespace ts
