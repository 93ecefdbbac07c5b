#include "render/screen_fonts.h"

#include <QFontMetricsF>
#include <array>
#include <utility>

namespace ts {
namespace {

// [screen face] -> the URW family installed with fonts-urw-base35.
constexpr std::array<std::pair<std::string_view, const char*>, 9> kFamilies = {{
    {"Times New Roman", "Nimbus Roman"},
    {"SwitzerlandNarrow", "Nimbus Sans Narrow"},
    {"Switzerland", "Nimbus Sans"},
    {"Book Antiqua", "P052"},
    {"Century Schoolbook", "C059"},
    {"ZurichCalligraphic", "Z003"},
    {"Courier New", "Nimbus Mono PS"},
    {"Symbol", "Standard Symbols PS"},
    {"MusicalSymbols", "D050000L"},
}};

bool cutSuffix(std::string_view& face, std::string_view suffix) {
  if (face.size() < suffix.size() || face.substr(face.size() - suffix.size()) != suffix) return false;
  face.remove_suffix(suffix.size());
  return true;
}

}  // namespace

ScreenFace screenFaceFamily(std::string_view face) {
  ScreenFace result;
  result.italic = cutSuffix(face, " Italic");
  result.bold = cutSuffix(face, " Bold");
  for (const auto& [name, family] : kFamilies) {
    if (face == name) {
      result.family = QString::fromLatin1(family);
      return result;
    }
  }
  result.family = QString::fromLatin1(face.data(), static_cast<qsizetype>(face.size()));
  return result;
}

QFont blockFont(const TextFont& font, int zoom) {
  const ScreenFace face = screenFaceFamily(font.face);
  QFont qfont(face.family);
  const int height = static_cast<int>(zoom * static_cast<double>(font.height) / 4.0);
  qfont.setPixelSize(std::max(1, height));
  qfont.setWeight(static_cast<QFont::Weight>(std::clamp(font.weight, 100, 900)));
  if (face.bold && font.weight < 700) qfont.setWeight(QFont::Bold);
  qfont.setItalic(font.italic || face.italic);
  qfont.setUnderline(font.underline);
  qfont.setHintingPreference(QFont::PreferNoHinting);
  const int width = static_cast<int>(zoom * static_cast<double>(font.width) / 4.0);
  if (width > 0) {
    const double natural = QFontMetricsF(qfont).averageCharWidth();
    if (natural > 0) qfont.setStretch(std::clamp(static_cast<int>(100.0 * width / natural), 1, 4000));
  }
  return qfont;
}

}  // namespace ts
