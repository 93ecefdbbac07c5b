#pragma once
// Turns a glyph map entry into flattened outlines: FreeType supplies the
// font outlines, curves become point runs within a small tolerance, and
// every glyph stays one figure whose contours (holes included) are kept
// apart so that an even-odd fill shows the holes.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "glyph_map.h"

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;

namespace ts::glyphs {

struct Vec {
  double x = 0.0;
  double y = 0.0;
};
using Contour = std::vector<Vec>;     // closed; the last point is not repeated
using Figure = std::vector<Contour>;  // first contour starts the filled figure
using Shape = std::vector<Figure>;    // coordinates in staff spaces

// Largest distance between a curve and its flattened run, in staff spaces:
// 0.002 of a space is well under a printer dot at the largest staff size.
constexpr double kFlatnessStaffSpaces = 0.002;
// The music font and the URW fonts both have 1000 units to the em; the
// music font's staff space is a quarter of its em.
constexpr double kFontUnitsPerStaffSpace = 250.0;
constexpr int kCircleSegments = 72;

// Flattens one cubic Bezier segment onto `out` (the start point is
// already there); used for quadratic segments after degree elevation.
void flattenCubic(Vec p0, Vec p1, Vec p2, Vec p3, double tolerance, Contour& out);

class FontSet {
 public:
  FontSet(const std::string& musicFont, const std::string& braceFont,
          const std::string& textFontDir);
  ~FontSet();
  FontSet(const FontSet&) = delete;
  FontSet& operator=(const FontSet&) = delete;

  std::optional<std::string> loadError() const { return m_loadError; }
  // The entry's parts, each moved and scaled by its own "*k" and "@x,y";
  // the entry's scale and anchor are applied later by the caller.
  std::optional<std::string> build(const GlyphEntry& entry, Shape& out);

 private:
  std::optional<std::string> addGlyphRun(FT_Face face, const GlyphPart& part, Shape& out);
  std::optional<std::string> addText(const GlyphPart& part, Shape& out);
  FT_Face textFace(const std::string& file);

  FT_Library m_library = nullptr;
  FT_Face m_music = nullptr;
  FT_Face m_brace = nullptr;
  std::string m_textFontDir;
  std::map<std::string, FT_Face> m_textFaces;
  std::optional<std::string> m_loadError;
};

}  // namespace ts::glyphs
