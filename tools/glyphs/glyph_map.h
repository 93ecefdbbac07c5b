#pragma once
// The glyph map (data/glyphs/glyph_map.txt): which outline stands for each
// symbol and library drawing number, and how it sits on its reference
// point. The file's own header comment explains the columns.

#include <optional>
#include <string>
#include <vector>

namespace ts::glyphs {

enum class PartKind { Music, Brace, Text, Poly, Ring, Disc, HalfDisc };

// One source of outlines inside an entry. Coordinates and sizes are in
// staff spaces before the entry's own scale.
struct GlyphPart {
  PartKind kind = PartKind::Music;
  std::vector<std::string> glyphNames;    // Music, Brace: laid out by advance
  std::string fontFile;                   // Text: file in the text font folder
  std::string text;                       // Text: UTF-8
  std::vector<std::vector<double>> polys; // Poly: x,y pairs, one list per contour
  double radius = 0.0;                    // Ring, Disc, HalfDisc: outer radius
  double innerRadius = 0.0;               // Ring, HalfDisc
  double scale = 1.0;                     // "*k"
  double offsetX = 0.0;                   // "@x,y"
  double offsetY = 0.0;
};

struct GlyphEntry {
  bool isSymbol = false;  // "S n" (outline file) or "D n" (library drawing)
  int number = 0;
  double scaleX = 1.0;
  double scaleY = 1.0;
  char anchorX = 'o';     // o origin, l left, r right, c centre
  char anchorY = 'o';     // o origin, b bottom, t top, c centre
  double shiftXSteps = 0.0;
  double shiftYSteps = 0.0;
  double drawingUnitsPerSymbolUnit = 4.0;  // "u=N"; the symbol routine's 0.25
  std::vector<GlyphPart> parts;
  int line = 0;
};

struct GlyphMap {
  std::vector<GlyphEntry> entries;
  std::vector<std::string> errors;  // "line 12: ..." for every refused line
};

GlyphMap parseGlyphMap(const std::string& text);
std::optional<std::string> readTextFile(const std::string& path);

}  // namespace ts::glyphs
