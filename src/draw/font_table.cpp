#include "draw/font_table.h"

#include <array>

namespace ts {
namespace {

// The screen face and the PostScript font of each font number.
struct FontNames {
  std::string_view screen;
  std::string_view postScript;
};

constexpr std::array<FontNames, kScreenFontCount> kFonts = {{
    {"Times New Roman", "Times-Roman"},
    {"Times New Roman Bold", "Times-Bold"},
    {"Times New Roman Italic", "Times-Italic"},
    {"Times New Roman Bold Italic", "Times-BoldItalic"},
    {"Switzerland", "Helvetica"},
    {"Switzerland Bold", "Helvetica-Bold"},
    {"Switzerland Italic", "Helvetica-Oblique"},
    {"Switzerland Bold Italic", "Helvetica-BoldOblique"},
    {"SwitzerlandNarrow", "Helvetica-Narrow"},
    {"SwitzerlandNarrow Bold", "Helvetica-Narrow-Bold"},
    {"SwitzerlandNarrow Italic", "Helvetica-Narrow-Oblique"},
    {"SwitzerlandNarrow Bold Italic", "Helvetica-Narrow-BoldOblique"},
    {"Book Antiqua", "Palatino-Roman"},
    {"Book Antiqua Bold", "Palatino-Bold"},
    {"Book Antiqua Italic", "Palatino-Italic"},
    {"Book Antiqua Bold Italic", "Palatino-BoldItalic"},
    {"Switzerland", "AvantGarde-Book"},
    {"Switzerland Bold", "AvantGarde-BookOblique"},
    {"Switzerland Italic", "AvantGarde-Demi"},
    {"Switzerland Bold Italic", "AvantGarde-DemiOblique"},
    {"Switzerland", "Bookman-Light"},
    {"Switzerland Bold", "Bookman-LightItalic"},
    {"Switzerland Italic", "Bookman-Demi"},
    {"Switzerland Bold Italic", "Bookman-DemiItalic"},
    {"Century Schoolbook", "NewCentury-Roman"},
    {"Century Schoolbook Bold", "NewCentury-Bold"},
    {"Century Schoolbook Italic", "NewCentury-Italic"},
    {"Century Schoolbook Bold Italic", "NewCentury-BoldItalic"},
    {"ZurichCalligraphic Italic", "ZapfChancery-MediumItalic"},
    {"Courier New", "Courier"},
    {"Courier New Bold", "Courier-Bold"},
    {"Courier New Italic", "Courier-Oblique"},
    {"Courier New Bold Italic", "Courier-BoldOblique"},
    {"Symbol", "Symbol"},
    {"MusicalSymbols", "Dingbats"},
}};

constexpr int kNormalWeight = 400;
constexpr int kBoldWeight = 700;

bool valid(int fontNumber) { return fontNumber >= 0 && fontNumber < kScreenFontCount; }

}  // namespace

std::string_view screenFace(int fontNumber) { return kFonts[valid(fontNumber) ? fontNumber : 0].screen; }

std::string_view postScriptName(int fontNumber) { return kFonts[valid(fontNumber) ? fontNumber : 0].postScript; }

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
