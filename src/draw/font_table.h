#pragma once
// The fonts the engine knows by number: the screen face that stands for
// each on the screen and its PostScript name.

#include <string_view>

#include "draw/text_list.h"

namespace ts {

constexpr int kScreenFontCount = 35;     // font numbers 0..34 have a screen face
constexpr int kCourierFont = 29;         // the font of a text with a broken font switch
constexpr float kTextUnitPageUnits = 64.0f;  // page units of one text-list height unit
constexpr int kNumberFont = 1;               // Times-Bold: meters, staff numbers, counts
constexpr float kNumberHeightUnits = 736.0f; // em of a size-1 number: at the screen's meter size 1.35
                                             // its digits fill the four steps of half a staff

std::string_view screenFace(int fontNumber);       // "Times New Roman Bold"; Times New Roman when unknown
std::string_view postScriptName(int fontNumber);   // "Times-Bold"
// A text-list font for a font number: the screen face with the weight and
// slant its name says, at a height in page units.
TextFont screenFont(int fontNumber, float heightUnits, uint32_t colour);

}  // namespace ts
