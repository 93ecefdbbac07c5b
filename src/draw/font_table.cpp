#include "draw/font_table.h"

#include <array>

namespace ts {
namespace {

constexpr std::array<std::string_view, kScreenFontCount> kScreenFaces = {
    "Times New Roman", "Times New Roman Bold", "Times New Roman Italic", "Times New Roman Bold Italic",
    "Switzerland", "Switzerland Bold", "Switzerland Italic", "Switzerland Bold Italic",
    "SwitzerlandNarrow", "SwitzerlandNarrow Bold", "SwitzerlandNarrow Italic", "SwitzerlandNarrow Bold Italic",
    "Book Antiqua", "Book Antiqua Bold", "Book Antiqua Italic", "Book Antiqua Bold Italic",
    "Switzerland", "Switzerland Bold", "Switzerland Italic", "Switzerland Bold Italic",
    "Switzerland", "Switzerland Bold", "Switzerland Italic", "Switzerland Bold Italic",
    "Century Schoolbook", "Century Schoolbook Bold", "Century Schoolbook Italic", "Century Schoolbook Bold Italic",
    "ZurichCalligraphic Italic", "Courier New", "Courier New Bold", "Courier New Italic",
    "Courier New Bold Italic", "Symbol", "MusicalSymbols"};

constexpr std::array<std::string_view, kScreenFontCount> kPostScriptNames = {
    "Times-Roman", "Times-Bold", "Times-Italic", "Times-BoldItalic",
    "Helvetica", "Helvetica-Bold", "Helvetica-Oblique", "Helvetica-BoldOblique",
    "Helvetica-Narrow", "Helvetica-Narrow-Bold", "Helvetica-Narrow-Oblique", "Helvetica-Narrow-BoldOblique",
    "Palatino-Roman", "Palatino-Bold", "Palatino-Italic", "Palatino-BoldItalic",
    "AvantGarde-Book", "AvantGarde-BookOblique", "AvantGarde-Demi", "AvantGarde-DemiOblique",
    "Bookman-Light", "Bookman-LightItalic", "Bookman-Demi", "Bookman-DemiItalic",
    "NewCentury-Roman", "NewCentury-Bold", "NewCentury-Italic", "NewCentury-BoldItalic",
    "ZapfChancery-MediumItalic", "Courier", "Courier-Bold", "Courier-Oblique",
    "Courier-BoldOblique", "Symbol", "Dingbats"};

constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;

bool valid(int fontNumber) { return fontNumber >= 0 && fontNumber < kScreenFontCount; }

}  // namespace

std::string_view screenFace(int fontNumber) { return kScreenFaces[valid(fontNumber) ? fontNumber : 0]; }

std::string_view postScriptName(int fontNumber) { return kPostScriptNames[valid(fontNumber) ? fontNumber : 0]; }

TextFont screenFont(int fontNumber, float heightUnits, uint32_t colour) {
  TextFont font;
  font.face = std::string(screenFace(fontNumber));
  font.height = heightUnits / kTextUnitPageUnits;
  font.colour = colour;
  font.weight = font.face.find("Bold") != std::string::npos ? kBoldWeight : kNormalWeight;
  font.italic = font.face.find("Italic") != std::string::npos;
  return font;
}

}  // namespace ts
