#include "glyph_outline.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cmath>
#include <numbers>

namespace ts::glyphs {
namespace {

constexpr int kMaxSubdivision = 16;  // 65536 pieces per curve at most

double distanceToChord(Vec p, Vec a, Vec b) {
  const double dx = b.x - a.x, dy = b.y - a.y;
  const double length = std::hypot(dx, dy);
  if (length < 1e-12) return std::hypot(p.x - a.x, p.y - a.y);
  return std::abs((p.x - a.x) * dy - (p.y - a.y) * dx) / length;
}

Vec mid(Vec a, Vec b) { return {(a.x + b.x) / 2, (a.y + b.y) / 2}; }

void subdivide(Vec p0, Vec p1, Vec p2, Vec p3, double tolerance, int depth, Contour& out) {
  const bool flat = distanceToChord(p1, p0, p3) <= tolerance &&
                    distanceToChord(p2, p0, p3) <= tolerance;
  if (flat || depth >= kMaxSubdivision) {
    out.push_back(p3);
    return;
  }
  const Vec p01 = mid(p0, p1), p12 = mid(p1, p2), p23 = mid(p2, p3);
  const Vec p012 = mid(p01, p12), p123 = mid(p12, p23);
  const Vec centre = mid(p012, p123);
  subdivide(p0, p01, p012, centre, tolerance, depth + 1, out);
  subdivide(centre, p123, p23, p3, tolerance, depth + 1, out);
}

// Collects FreeType's outline callbacks into contours of font units,
// already moved by the pen position of the glyph in its run.
struct OutlineSink {
  Vec origin;
  double tolerance = 1.0;
  Figure figure;
  Vec last;

  Vec at(const FT_Vector* v) const {
    return {origin.x + static_cast<double>(v->x), origin.y + static_cast<double>(v->y)};
  }
};

OutlineSink& sinkOf(void* user) { return *static_cast<OutlineSink*>(user); }

int moveTo(const FT_Vector* to, void* user) {
  auto& sink = sinkOf(user);
  sink.last = sink.at(to);
  sink.figure.push_back({sink.last});
  return 0;
}

int lineTo(const FT_Vector* to, void* user) {
  auto& sink = sinkOf(user);
  sink.last = sink.at(to);
  sink.figure.back().push_back(sink.last);
  return 0;
}

int conicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  auto& sink = sinkOf(user);
  const Vec c = sink.at(control), end = sink.at(to), start = sink.last;
  const Vec c1{start.x + 2.0 / 3.0 * (c.x - start.x), start.y + 2.0 / 3.0 * (c.y - start.y)};
  const Vec c2{end.x + 2.0 / 3.0 * (c.x - end.x), end.y + 2.0 / 3.0 * (c.y - end.y)};
  flattenCubic(start, c1, c2, end, sink.tolerance, sink.figure.back());
  sink.last = end;
  return 0;
}

int cubicTo(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user) {
  auto& sink = sinkOf(user);
  const Vec end = sink.at(to);
  flattenCubic(sink.last, sink.at(c1), sink.at(c2), end, sink.tolerance, sink.figure.back());
  sink.last = end;
  return 0;
}

// Drops the repeated closing point and runs too short to enclose anything.
void tidy(Figure& figure) {
  Figure kept;
  for (Contour& contour : figure) {
    if (contour.size() > 1 && std::hypot(contour.front().x - contour.back().x,
                                         contour.front().y - contour.back().y) < 1e-9) {
      contour.pop_back();
    }
    if (contour.size() >= 3) kept.push_back(std::move(contour));
  }
  figure = std::move(kept);
}

// Font units of a glyph run to staff spaces, with the part's scale and offset.
void placePart(Figure& figure, const GlyphPart& part) {
  for (Contour& contour : figure) {
    for (Vec& p : contour) {
      p = {p.x / kFontUnitsPerStaffSpace * part.scale + part.offsetX,
           p.y / kFontUnitsPerStaffSpace * part.scale + part.offsetY};
    }
  }
}

std::optional<std::string> outlineOf(FT_Face face, FT_UInt glyph, Vec origin,
                                     const GlyphPart& part, Figure& out) {
  if (FT_Load_Glyph(face, glyph, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    return std::string("cannot load an outline");
  }
  OutlineSink sink;
  sink.origin = origin;
  sink.tolerance = kFlatnessStaffSpaces * kFontUnitsPerStaffSpace / part.scale;
  FT_Outline_Funcs funcs{};
  funcs.move_to = moveTo;
  funcs.line_to = lineTo;
  funcs.conic_to = conicTo;
  funcs.cubic_to = cubicTo;
  if (FT_Outline_Decompose(&face->glyph->outline, &funcs, &sink) != 0) {
    return std::string("cannot read the outline");
  }
  tidy(sink.figure);
  placePart(sink.figure, part);
  out = std::move(sink.figure);
  return std::nullopt;
}

Contour circle(double radius, double startAngle, double sweep, int segments) {
  Contour contour;
  for (int i = 0; i < segments; ++i) {
    const double a = startAngle + sweep * i / segments;
    contour.push_back({radius * std::cos(a), radius * std::sin(a)});
  }
  return contour;
}

void moveContour(Contour& contour, const GlyphPart& part) {
  for (Vec& p : contour) {
    p = {p.x * part.scale + part.offsetX, p.y * part.scale + part.offsetY};
  }
}

// Rings, discs and half-filled rings for the harp and circle drawings.
void addCircles(const GlyphPart& part, Shape& out) {
  constexpr double kTurn = 2 * std::numbers::pi;
  Figure outer{circle(part.radius, 0, kTurn, kCircleSegments)};
  if (part.kind != PartKind::Disc) outer.push_back(circle(part.innerRadius, 0, kTurn, kCircleSegments));
  for (Contour& c : outer) moveContour(c, part);
  out.push_back(std::move(outer));
  if (part.kind != PartKind::HalfDisc) return;
  Contour half = circle(part.innerRadius, std::numbers::pi / 2, std::numbers::pi, kCircleSegments / 2);
  half.push_back({0, -part.innerRadius});
  moveContour(half, part);
  out.push_back(Figure{std::move(half)});
}

void addPolygon(const GlyphPart& part, Shape& out) {
  Figure figure;
  for (const auto& coords : part.polys) {
    Contour contour;
    for (size_t i = 0; i + 1 < coords.size(); i += 2) contour.push_back({coords[i], coords[i + 1]});
    moveContour(contour, part);
    figure.push_back(std::move(contour));
  }
  out.push_back(std::move(figure));
}

// Code points of a UTF-8 string; a broken sequence becomes U+FFFD.
std::vector<char32_t> decodeUtf8(const std::string& text) {
  std::vector<char32_t> out;
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t cp = length == 1 ? lead : lead & (0x3F >> (length - 1));
    for (int k = 1; k < length; ++k) {
      if (i + k >= text.size()) { cp = 0xFFFD; break; }
      cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    out.push_back(cp);
    i += static_cast<size_t>(length);
  }
  return out;
}

}  // namespace

void flattenCubic(Vec p0, Vec p1, Vec p2, Vec p3, double tolerance, Contour& out) {
  subdivide(p0, p1, p2, p3, tolerance, 0, out);
}

FontSet::FontSet(const std::string& musicFont, const std::string& braceFont,
                 const std::string& textFontDir)
    : m_textFontDir(textFontDir) {
  if (FT_Init_FreeType(&m_library) != 0) {
    m_loadError = "FreeType would not start";
    return;
  }
  if (FT_New_Face(m_library, musicFont.c_str(), 0, &m_music) != 0) {
    m_loadError = "cannot open the music font " + musicFont;
  } else if (FT_New_Face(m_library, braceFont.c_str(), 0, &m_brace) != 0) {
    m_loadError = "cannot open the brace font " + braceFont;
  }
}

FontSet::~FontSet() {
  if (m_library) FT_Done_FreeType(m_library);  // also releases every face
}

FT_Face FontSet::textFace(const std::string& file) {
  if (auto found = m_textFaces.find(file); found != m_textFaces.end()) return found->second;
  FT_Face face = nullptr;
  const std::string path = m_textFontDir + "/" + file;
  if (FT_New_Face(m_library, path.c_str(), 0, &face) != 0) face = nullptr;
  m_textFaces[file] = face;
  return face;
}

std::optional<std::string> FontSet::addGlyphRun(FT_Face face, const GlyphPart& part, Shape& out) {
  double penX = 0.0;
  for (const std::string& name : part.glyphNames) {
    const FT_UInt glyph = FT_Get_Name_Index(face, name.c_str());
    if (glyph == 0) return "no glyph named '" + name + "'";
    Figure figure;
    if (auto error = outlineOf(face, glyph, {penX, 0}, part, figure)) return name + ": " + *error;
    penX += static_cast<double>(face->glyph->advance.x);
    if (!figure.empty()) out.push_back(std::move(figure));
  }
  return std::nullopt;
}

std::optional<std::string> FontSet::addText(const GlyphPart& part, Shape& out) {
  FT_Face face = textFace(part.fontFile);
  if (!face) return "cannot open the text font " + part.fontFile;
  double penX = 0.0;
  FT_UInt previous = 0;
  for (char32_t cp : decodeUtf8(part.text)) {
    const FT_UInt glyph = FT_Get_Char_Index(face, cp);
    if (glyph == 0) return "the text font has no character " + std::to_string(cp);
    FT_Vector kern{0, 0};
    if (previous && FT_HAS_KERNING(face)) {
      FT_Get_Kerning(face, previous, glyph, FT_KERNING_UNSCALED, &kern);
    }
    penX += static_cast<double>(kern.x);
    Figure figure;
    if (auto error = outlineOf(face, glyph, {penX, 0}, part, figure)) return *error;
    penX += static_cast<double>(face->glyph->advance.x);
    if (!figure.empty()) out.push_back(std::move(figure));
    previous = glyph;
  }
  return std::nullopt;
}

std::optional<std::string> FontSet::build(const GlyphEntry& entry, Shape& out) {
  out.clear();
  for (const GlyphPart& part : entry.parts) {
    std::optional<std::string> error;
    switch (part.kind) {
      case PartKind::Music: error = addGlyphRun(m_music, part, out); break;
      case PartKind::Brace: error = addGlyphRun(m_brace, part, out); break;
      case PartKind::Text: error = addText(part, out); break;
      case PartKind::Poly: addPolygon(part, out); break;
      case PartKind::Ring:
      case PartKind::Disc:
      case PartKind::HalfDisc: addCircles(part, out); break;
    }
    if (error) return error;
  }
  if (out.empty()) return std::string("no outline");
  return std::nullopt;
}

}  // namespace ts::glyphs
