#pragma once
// The fonts that stand for the screen faces the engine names: the URW
// base35 families that match each PostScript font.

#include <QFont>
#include <string_view>

#include "draw/text_list.h"

namespace ts {

struct ScreenFace {
  QString family;
  bool bold = false;
  bool italic = false;
};

// "Times New Roman Bold Italic" -> Nimbus Roman, bold, italic.
ScreenFace screenFaceFamily(std::string_view face);
// The font of a text-list block at a zoom: its em in view units, its
// width, weight, slant and underline.
QFont blockFont(const TextFont& font, int zoom);

}  // namespace ts
