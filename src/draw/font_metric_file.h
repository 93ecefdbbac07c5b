#pragma once
// The font metric file "fm00.fmt" ... "fm99.fmt": the advance widths of one
// font, 358 bytes, little-endian:
//
//   28 B         the font's PostScript name, blank-padded
//   int16        the number of width slots (162), the mark of the format
//   162 x int16  the advance of each slot, in 1/638 of the font size
//   int32        the sum of the 162 widths, a check against damage
//
// A file that fails any check is refused as a whole.
//
// Slots hold 8-bit character codes in ISO Latin-1, the encoding the screen
// paints text in and the printer fonts are re-encoded to: slots 0..94 are
// the codes 32..126; slots 95..103 nine signs (see kSlotCodes); slots
// 104..161 the accented letters 192..255 without the Icelandic eth and thorn
// and the signs x and /. A code without a slot is measured as a near letter
// (kSlotAliases) or as a blank.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace ts {

constexpr int kMetricSlots = 162;
constexpr int kMetricNameBytes = 28;  // "Helvetica-Narrow-BoldOblique" fills it
constexpr int kMetricFileBytes = kMetricNameBytes + 2 + 2 * kMetricSlots + 4;
constexpr float kMetricUnitsPerEm = 638.0f;  // a width of 638 is one font size
constexpr int kMetricWidestSlot = 6380;      // ten font sizes: no glyph is wider
constexpr int kMetricFontFiles = 100;        // a font number names file number mod 100
constexpr int kNoFontChange = 99;            // file number 99 keeps the font in use

// [slot]: the character code the slot measures.
constexpr std::array<uint8_t, kMetricSlots> kSlotCodes = [] {
  std::array<uint8_t, kMetricSlots> codes{};
  int slot = 0;
  for (int c = 32; c <= 126; ++c) codes[slot++] = static_cast<uint8_t>(c);
  // inverted exclamation, pound, section, copyright, guillemets, registered,
  // degree, inverted question
  for (int c : {161, 163, 167, 169, 171, 174, 176, 187, 191}) codes[slot++] = static_cast<uint8_t>(c);
  for (int c = 192; c <= 255; ++c) {
    if (c == 208 || c == 215 || c == 222 || c == 240 || c == 247 || c == 254) continue;
    codes[slot++] = static_cast<uint8_t>(c);
  }
  return codes;
}();

// Codes without a slot that are measured as another code:
// {code, code whose slot measures it}.
constexpr std::array<std::array<uint8_t, 2>, 8> kSlotAliases = {{
    {160, ' '},  // no-break space
    {173, '-'},  // soft hyphen
    {208, 'D'},  // Eth
    {215, 'x'},  // multiplication sign
    {222, 'P'},  // Thorn
    {240, 'd'},  // eth
    {247, '+'},  // division sign
    {254, 'p'},  // thorn
}};

// The slot that measures a character code.
int metricSlot(unsigned char code);

// "fm07.fmt" for file number 7; font numbers name file number mod 100.
std::string metricFileName(int fileNumber);

struct FontMetricFile {
  std::string name;  // without its padding
  std::array<int16_t, kMetricSlots> widths{};
};

enum class MetricFileStatus { Ok, Missing, WrongSize, BadName, BadSlotCount, BadWidth, BadChecksum };

MetricFileStatus decodeFontMetrics(std::span<const uint8_t> bytes, FontMetricFile& out);
// The file's bytes; the name is cut to 28 bytes.
std::vector<uint8_t> encodeFontMetrics(const FontMetricFile& file);

// Reads no more of a file than a metric file holds, so a huge file is
// refused without being read whole.
MetricFileStatus readFontMetricFile(const std::filesystem::path& path, FontMetricFile& out);

}  // namespace ts
