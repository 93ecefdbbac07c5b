// make_glyph_data: builds the symbol outline file "TSMITH.DAT", the library
// drawing files "LB0000.DRW" ... and the licence copies of the symbol
// library from the glyph map and open fonts.
//
//   make_glyph_data --map glyph_map.txt --music-font F.otf --brace-font B.otf
//                   --text-fonts DIR --licence FILE... --out DIR
//   make_glyph_data --svg-drawing LIBDIR N OUT.svg   (look at drawing N)
//   make_glyph_data --svg-symbol LIBDIR N OUT.svg    (look at symbol N)

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "draw/drawing_file.h"
#include "draw/symbol_outlines.h"
#include "glyph_map.h"
#include "glyph_outline.h"

namespace fs = std::filesystem;
using namespace ts;
using namespace ts::glyphs;

namespace {

constexpr double kSymbolUnitsPerStaffSpace = 14.0;  // a staff space is two steps of 7
constexpr double kSymbolUnitsPerStep = 7.0;
constexpr double kSymbolUnitsPerDrawingUnit = 0.25;  // the symbol routine's print scale

struct Bounds {
  double left = 1e300, bottom = 1e300, right = -1e300, top = -1e300;
};

Bounds boundsOf(const Shape& shape) {
  Bounds b;
  for (const Figure& figure : shape) {
    for (const Contour& contour : figure) {
      for (const Vec& p : contour) {
        b.left = std::min(b.left, p.x);
        b.right = std::max(b.right, p.x);
        b.bottom = std::min(b.bottom, p.y);
        b.top = std::max(b.top, p.y);
      }
    }
  }
  return b;
}

double anchorShift(char anchor, double low, double high) {
  switch (anchor) {
    case 'l': case 'b': return -low;
    case 'r': case 't': return -high;
    case 'c': return -(low + high) / 2;
    default: return 0.0;
  }
}

// Staff spaces to symbol units, with the entry's scale, anchor and shift.
Shape placeInSymbolUnits(Shape shape, const GlyphEntry& entry) {
  for (Figure& figure : shape) {
    for (Contour& contour : figure) {
      for (Vec& p : contour) {
        p = {p.x * kSymbolUnitsPerStaffSpace * entry.scaleX,
             p.y * kSymbolUnitsPerStaffSpace * entry.scaleY};
      }
    }
  }
  const Bounds b = boundsOf(shape);
  const double dx = anchorShift(entry.anchorX, b.left, b.right) + entry.shiftXSteps * kSymbolUnitsPerStep;
  const double dy = anchorShift(entry.anchorY, b.bottom, b.top) + entry.shiftYSteps * kSymbolUnitsPerStep;
  for (Figure& figure : shape) {
    for (Contour& contour : figure) {
      for (Vec& p : contour) p = {p.x + dx, p.y + dy};
    }
  }
  return shape;
}

// Pen 2 opens each figure, pen 3 each further contour of it, and every
// contour ends on its first point so that outline-only drawing closes it.
std::vector<DrawingPoint> toPoints(const Shape& shape, double unitScale) {
  std::vector<DrawingPoint> points;
  for (const Figure& figure : shape) {
    for (size_t c = 0; c < figure.size(); ++c) {
      const Contour& contour = figure[c];
      const int16_t startPen = c == 0 ? 2 : 3;
      for (size_t i = 0; i <= contour.size(); ++i) {
        const Vec& p = contour[i % contour.size()];
        points.push_back({static_cast<float>(p.x * unitScale), static_cast<float>(p.y * unitScale),
                          i == 0 ? startPen : int16_t{0}});
      }
    }
  }
  return points;
}

std::string slotNameOf(const GlyphEntry& entry) {
  std::string name;
  for (const GlyphPart& part : entry.parts) {
    if (!name.empty()) name += "&";
    if (part.kind == PartKind::Text) name += part.text;
    else if (!part.glyphNames.empty()) name += part.glyphNames.front();
    else name += "figure";
  }
  return name.substr(0, kDrawingNameLength);
}

struct Options {
  std::string map, musicFont, braceFont, textFonts, out;
  std::vector<std::string> licences;
};

struct Built {
  SymbolOutlines symbols;
  std::map<int, std::pair<std::vector<DrawingPoint>, std::string>> drawings;
};

bool buildAll(const GlyphMap& map, FontSet& fonts, Built& built) {
  std::set<int> explicitDrawings;
  for (const GlyphEntry& e : map.entries) {
    if (!e.isSymbol) explicitDrawings.insert(e.number);
  }
  bool ok = true;
  for (const GlyphEntry& entry : map.entries) {
    Shape shape;
    if (auto error = fonts.build(entry, shape)) {
      std::fprintf(stderr, "glyph map line %d: %s\n", entry.line, error->c_str());
      ok = false;
      continue;
    }
    const Shape placed = placeInSymbolUnits(std::move(shape), entry);
    if (entry.isSymbol) {
      built.symbols.setSymbol(entry.number, toPoints(placed, 1.0));
      if (explicitDrawings.count(entry.number)) continue;  // a drawing of its own replaces the copy
    }
    const double drawingScale = entry.isSymbol ? 1.0 / kSymbolUnitsPerDrawingUnit
                                               : entry.drawingUnitsPerSymbolUnit;
    built.drawings[entry.number] = {toPoints(placed, drawingScale), slotNameOf(entry)};
  }
  return ok;
}

bool writeDrawings(const Built& built, const fs::path& out) {
  std::map<std::string, DrawingFile> files;
  for (const auto& [number, drawing] : built.drawings) {
    DrawingFile& file = files[drawingFileName(number)];
    if (file.replaceSlot(drawingSlot(number), drawing.first, drawing.second) != DrawingFileStatus::Ok) {
      std::fprintf(stderr, "drawing %d does not fit its file\n", number);
      return false;
    }
  }
  for (const auto& [name, file] : files) {
    if (!writeDrawingFile(out / name, file)) return false;
  }
  return true;
}

int generate(const Options& o) {
  const auto text = readTextFile(o.map);
  if (!text) { std::fprintf(stderr, "cannot read %s\n", o.map.c_str()); return 1; }
  const GlyphMap map = parseGlyphMap(*text);
  for (const auto& error : map.errors) std::fprintf(stderr, "glyph map %s\n", error.c_str());
  if (!map.errors.empty()) return 1;
  FontSet fonts(o.musicFont, o.braceFont, o.textFonts);
  if (auto error = fonts.loadError()) { std::fprintf(stderr, "%s\n", error->c_str()); return 1; }
  Built built;
  if (!buildAll(map, fonts, built)) return 1;
  fs::create_directories(o.out);
  if (!writeSymbolFile(fs::path(o.out) / kSymbolFileName, built.symbols)) return 1;
  if (!writeDrawings(built, o.out)) return 1;
  for (const auto& licence : o.licences) {
    fs::copy_file(licence, fs::path(o.out) / fs::path(licence).filename(),
                  fs::copy_options::overwrite_existing);
  }
  std::printf("symbol library: %zu symbol points, %zu drawings in %s\n",
              built.symbols.points.size(), built.drawings.size(), o.out.c_str());
  return 0;
}

// A page for a person to look at: the outline filled even-odd, a cross at
// the reference point and a faint line every staff step.
std::string svgOf(const std::vector<DrawingPoint>& points, double unitsPerStep) {
  float left = 0, right = 0, bottom = 0, top = 0;
  for (const auto& p : points) {
    left = std::min(left, p.x); right = std::max(right, p.x);
    bottom = std::min(bottom, p.y); top = std::max(top, p.y);
  }
  const double margin = unitsPerStep * 2;
  const double x0 = left - margin, y0 = -top - margin;
  const double w = right - left + 2 * margin, h = top - bottom + 2 * margin;
  std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"" + std::to_string(x0) + " " +
                    std::to_string(y0) + " " + std::to_string(w) + " " + std::to_string(h) +
                    "\" width=\"600\"><rect x=\"" + std::to_string(x0) + "\" y=\"" + std::to_string(y0) +
                    "\" width=\"" + std::to_string(w) + "\" height=\"" + std::to_string(h) + "\" fill=\"white\"/>\n";
  for (double s = std::floor((bottom - margin) / unitsPerStep); s * unitsPerStep <= top + margin; ++s) {
    svg += "<line x1=\"" + std::to_string(x0) + "\" x2=\"" + std::to_string(x0 + w) + "\" y1=\"" +
           std::to_string(-s * unitsPerStep) + "\" y2=\"" + std::to_string(-s * unitsPerStep) +
           "\" stroke=\"#cce\" stroke-width=\"" + std::to_string(unitsPerStep / 20) + "\"/>\n";
  }
  std::string path;
  auto flush = [&] {
    if (!path.empty()) svg += "<path fill-rule=\"evenodd\" d=\"" + path + "\"/>\n";
    path.clear();
  };
  for (const auto& p : points) {
    if (p.pen == 2 || p.pen == 1) flush();
    path += (p.pen == 0 ? "L" : "M") + std::to_string(p.x) + " " + std::to_string(-p.y) + " ";
  }
  flush();
  const std::string r = std::to_string(unitsPerStep / 2);
  svg += "<path stroke=\"red\" stroke-width=\"" + std::to_string(unitsPerStep / 15) + "\" d=\"M-" + r +
         " 0 L" + r + " 0 M0 -" + r + " L0 " + r + "\"/>\n</svg>\n";
  return svg;
}

int renderSvg(bool symbol, const std::string& dir, int number, const std::string& outPath) {
  std::vector<DrawingPoint> points;
  double unitsPerStep = kSymbolUnitsPerStep;
  if (symbol) {
    SymbolOutlines outlines;
    if (readSymbolFile(fs::path(dir) / kSymbolFileName, outlines) != SymbolFileStatus::Ok) return 1;
    const auto run = outlines.symbol(number);
    points.assign(run.begin(), run.end());
  } else {
    DrawingFile file;
    if (readDrawingFile(fs::path(dir) / drawingFileName(number), file) != DrawingFileStatus::Ok) return 1;
    points = file.slotPoints(drawingSlot(number));
    unitsPerStep /= kSymbolUnitsPerDrawingUnit;
  }
  if (points.empty()) { std::fprintf(stderr, "nothing at %d\n", number); return 1; }
  std::ofstream(outPath) << svgOf(points, unitsPerStep);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && (args[0] == "--svg-drawing" || args[0] == "--svg-symbol")) {
    return renderSvg(args[0] == "--svg-symbol", args[1], std::stoi(args[2]), args[3]);
  }
  Options o;
  for (size_t i = 0; i + 1 < args.size(); i += 2) {
    const std::string& key = args[i];
    const std::string& value = args[i + 1];
    if (key == "--map") o.map = value;
    else if (key == "--music-font") o.musicFont = value;
    else if (key == "--brace-font") o.braceFont = value;
    else if (key == "--text-fonts") o.textFonts = value;
    else if (key == "--licence") o.licences.push_back(value);
    else if (key == "--out") o.out = value;
    else { std::fprintf(stderr, "unknown option %s\n", key.c_str()); return 2; }
  }
  if (o.map.empty() || o.musicFont.empty() || o.braceFont.empty() || o.out.empty()) {
    std::fprintf(stderr, "usage: make_glyph_data --map F --music-font F --brace-font F "
                         "--text-fonts DIR [--licence F]... --out DIR\n");
    return 2;
  }
  return generate(o);
}
