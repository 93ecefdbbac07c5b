#pragma once
// The rules of setting a text item (code 16): what its parameters mean,
// the font switches inside its string, the widths of its characters and
// where each piece of it lies along the baseline.
//
// A text item's parameters (13, or 16 with P14 = -1, then its characters):
//
//   P5   extra space after every character but the last, in points
//   P6   font number (the font table's; number mod 100 names the metric
//        file; 99 keeps the font in use)
//   P7   size in points (0: 12), scaled with the staff like every mark
//   P8   width factor (0: 1): the characters are drawn and spaced that
//        much wider
//   P9   angle of the baseline, in degrees counter-clockwise
//   P10  width of a blank, in points (0: the font's own)
//   P11  justification width, in P3 units: when the text is narrower, the
//        room left is spread evenly between its characters
//   P12  number of characters
//   P13  vertical offset of the baseline, in steps
//   P14  -1: three more parameters follow
//   P15  horizontal offset in P3 units (as for every code but notes, rests)
//   P16  colour selector when P14 = -1 (P26 cannot be stored in a text)

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "draw/font_metrics.h"

namespace ts {

constexpr float kPageUnitsPerPoint = 4000.0f / 72.0f;
constexpr float kDefaultTextSize = 12.0f;    // points, when P7 is 0
constexpr float kLargestTextSize = 1000.0f;  // points: 14 inches, taller than any sheet
constexpr float kLargestTextSpacing = 1000.0f;  // points, for P5 and P10
constexpr float kLargestWidthFactor = 100.0f;
// Advance of a character, in font sizes, when not even Times-Roman has metrics.
constexpr float kFallbackAdvance = 0.5f;
constexpr char kFontSwitch = '_';
constexpr int kFontSwitchDigits = 2;

struct TextParameters {
  int font = 0;
  float size = kDefaultTextSize;  // points
  float widthFactor = 1.0f;
  float angle = 0.0f;         // degrees, counter-clockwise
  float charSpacing = 0.0f;   // points
  float spaceWidth = 0.0f;    // points; 0: the font's blank
  float justifyWidth = 0.0f;  // P3 units; 0: none
  float verticalOffset = 0.0f;  // steps
};

// The text parameters of an item; `params[i]` is Pi.
TextParameters textParameters(std::span<const float> params);

// The metric file number of a font number: the number mod 100, a negative
// number reading as Times-Roman (0).
int fontFileNumber(int fontNumber);

// A piece of the string set in one font (the font number as asked for,
// before any substitution).
struct TextRun {
  int font = 0;
  std::string text;
};

struct FontSwitches {
  std::vector<TextRun> runs;    // empty pieces left out
  bool numberMissing = false;  // an underbar without two digits: Courier after it
};

// Cuts a string at its font switches: an underbar and two digits ("_05")
// set the rest of the string in that font; an underbar without them sets it
// in Courier. The switches themselves are not drawn.
FontSwitches splitFontSwitches(std::string_view text, int startFont);

// A piece of the string with the font it is drawn in and that font's
// widths (none when no metric file could be read).
struct SetRun {
  int font = 0;
  const FontWidths* widths = nullptr;
  std::string text;
};

// How the characters are spaced, all in page units.
struct TextSpacing {
  float em = 0.0f;           // the font size
  float widthFactor = 1.0f;
  float charSpacing = 0.0f;  // after every character but the last
  float spaceWidth = 0.0f;   // a blank's advance; 0: the font's
  float justifyWidth = 0.0f;
};

// Advance of one character in font sizes.
float characterAdvance(const FontWidths* widths, unsigned char code);
// Width of a string set in one font, in font sizes.
float stringWidth(const FontWidths* widths, std::string_view text);

// A string of the text list and its distance along the baseline from the
// text's start, in page units.
struct PlacedString {
  size_t run = 0;  // index into the runs
  float offset = 0.0f;
  std::string text;
};

// Whole pieces when they can be drawn as the font spaces them, else one
// string per character at its own place.
std::vector<PlacedString> placeStrings(const std::vector<SetRun>& runs, const TextSpacing& spacing);

// The width of the set text from the start of its first character to the
// end of its last, in page units.
float setWidth(const std::vector<SetRun>& runs, const TextSpacing& spacing);

}  // namespace ts
