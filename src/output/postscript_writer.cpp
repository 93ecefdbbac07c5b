#include "output/postscript_writer.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "model/item_codes.h"
#include "output/included_picture.h"
#include "output/print_figures.h"

namespace ts {
namespace {

constexpr double kCharacterWidthEm = 0.6;     // estimated advance, for the bounding box only
constexpr double kDescentEm = 0.25;
constexpr double kMirrorAxisTwice = 29900.0;  // the page is flipped about X = 14950
constexpr double kRotatedLift = -6.0;         // points: CANTO's rotated origin
constexpr double kPageUnitsPerPoint = 4000.0 / 72.0;

std::string pointLine(const PathPoint& point, const char* op) {
  char line[48];
  std::snprintf(line, sizeof line, "%d %d %s\n", point.x, point.y, op);
  return line;
}

// A path's figures as PostScript lines; every point drawn widens the extent.
template <typename Widen>
class FigureLines : public FigureOperators {
 public:
  FigureLines(std::string& body, Widen widen) : m_body(body), m_widen(widen) {}
  void lineWidth(int32_t pageUnits) override { m_body += " " + std::to_string(pageUnits) + " lw\n"; }
  void defaultLineWidth() override { m_body += " wdl lw\n"; }
  void moveTo(const PathPoint& point) override { drawn(point, "m"); }
  void lineTo(const PathPoint& point) override { drawn(point, "l"); }
  void endFigure(FigureKind kind) override { m_body += kind == FigureKind::Filled ? "g e r s\n" : " s\n"; }

 private:
  void drawn(const PathPoint& point, const char* op) {
    m_widen(point);
    m_body += pointLine(point, op);
  }
  std::string& m_body;
  Widen m_widen;
};

// The font, sized, stretched and turned by its matrix.
std::string fontLine(const PrintText& text) {
  const std::array<double, 4> m = fontMatrix(text);
  char line[200];
  if (text.angle == 0.0f) {
    std::snprintf(line, sizeof line, "/%.*s f [%.1f 0 0 %.1f 0 0] mkf sf\n", static_cast<int>(text.postScriptName.size()),
                  text.postScriptName.data(), m[0], m[3]);
  } else {
    std::snprintf(line, sizeof line, "/%.*s f [%.1f %.1f %.1f %.1f 0 0] mkf sf\n",
                  static_cast<int>(text.postScriptName.size()), text.postScriptName.data(), m[0], m[1], m[2], m[3]);
  }
  return line;
}

std::string colourLine(uint32_t colour) {
  if (colour == 0) return "0 setgray\n";
  char line[64];
  std::snprintf(line, sizeof line, "%.3f %.3f %.3f setrgbcolor\n", (colour & 0xFFu) / 255.0, ((colour >> 8) & 0xFFu) / 255.0,
                ((colour >> 16) & 0xFFu) / 255.0);
  return line;
}

std::string trailer(const PrintOptions& options, const std::vector<std::string>& fonts) {
  std::string out;
  const int copies = options.kind == OutputKind::Eps ? 1 : std::clamp(options.copies, 1, 999);
  if (copies == 2) out += " copypage\n";
  if (copies > 2) out += " " + std::to_string(copies - 1) + " {copypage} repeat\n";
  out += "showpage\n r restore\n";
  // Only the EPS begins a dictionary of its own; the printer kinds leave
  // the dictionary stack as they found it.
  if (ownDictionary(options.kind)) out += "end\n";
  out += "%%Trailer\n%%DocumentFonts:";
  for (size_t i = 0; i < fonts.size(); ++i) out += (i == 0 ? " " : "\n%%+ ") + fonts[i];
  out += '\n';
  return out;
}

// The printer's font set-up without its comment lines, which would read as
// structure comments in the middle of the file.
std::string fontInitBody(std::string_view setup) {
  std::string out;
  size_t start = 0;
  while (start < setup.size()) {
    size_t end = setup.find('\n', start);
    if (end == std::string_view::npos) end = setup.size();
    const std::string_view line = setup.substr(start, end - start);
    if (!line.empty() && line[0] != '%') {
      out += line;
      out += '\n';
    }
    start = end + 1;
  }
  return out;
}

}  // namespace

void PostScriptWriter::setColour(uint32_t colour) {
  colour &= 0xFFFFFFu;
  if (colour == m_colour) return;
  m_body += colourLine(colour);
  m_colour = colour;
}

void PostScriptWriter::widen(double x, double y) {
  if (m_extent.empty) {
    m_extent = {x, y, x, y, false};
    return;
  }
  m_extent.minX = std::min(m_extent.minX, x);
  m_extent.minY = std::min(m_extent.minY, y);
  m_extent.maxX = std::max(m_extent.maxX, x);
  m_extent.maxY = std::max(m_extent.maxY, y);
}

void PostScriptWriter::path(std::span<const PathPoint> points, uint32_t colour) {
  setColour(colour);
  FigureLines lines(m_body, [this](const PathPoint& point) { widen(point.x, point.y); });
  walkFigures(points, lines);
}

void PostScriptWriter::useFont(std::string_view name) {
  if (std::find(m_fonts.begin(), m_fonts.end(), name) == m_fonts.end()) m_fonts.emplace_back(name);
}

void PostScriptWriter::text(const PrintText& text) {
  if (text.text.empty()) return;
  setColour(text.colour);
  const std::string selection = fontLine(text);
  if (selection != m_fontSelection) {
    m_body += selection;
    m_fontSelection = selection;
  }
  useFont(text.postScriptName);
  m_hasText = true;
  m_body += std::to_string(text.x) + " " + std::to_string(text.y) + " m(" + escapedString(text.text) + ")sh\n";
  // The string's box, turned with its baseline.
  const double radians = text.angle * std::numbers::pi / 180.0;
  const double length = kCharacterWidthEm * text.size * text.widthFactor * static_cast<double>(text.text.size());
  const double c = std::cos(radians), s = std::sin(radians);
  for (const double along : {0.0, length}) {
    for (const double up : {-kDescentEm * text.size, static_cast<double>(text.size)}) {
      widen(text.x + along * c - up * s, text.y + along * s + up * c);
    }
  }
}

void PostScriptWriter::setPictures(PictureReader reader, bool mirror) {
  m_readPicture = std::move(reader);
  m_mirror = mirror;
}

void PostScriptWriter::picture(const PrintPicture& picture) {
  const std::optional<std::string> file = m_readPicture ? m_readPicture(picture.name) : std::nullopt;
  if (!file) {
    m_missingPictures.emplace_back(picture.name);
    return;
  }
  const std::string_view postscript = epsPostScript(*file);
  const std::optional<EpsBox> box = epsBoundingBox(postscript);
  if (!box) {
    m_picturesWithoutBox.emplace_back(picture.name);
    return;
  }
  m_body += wrappedPicture(picture, *box, postscript, m_mirror);
  // The picture ran inside a grestore of the page's state: its colour and
  // font are the page's defaults again.
  m_colour = 0;
  m_fontSelection.clear();
  const double width = (box->right - box->left) * picture.scale * kPageUnitsPerPoint;
  const double height = (box->top - box->bottom) * picture.scale * kPageUnitsPerPoint;
  const double radians = picture.angle * std::numbers::pi / 180.0;
  const double c = std::cos(radians), s = std::sin(radians);
  for (const double across : {0.0, width}) {
    for (const double up : {0.0, height}) widen(picture.x + across * c - up * s, picture.y + across * s + up * c);
  }
}

void PostScriptWriter::itemStarted() {
  m_itemMark = {m_body.size(), m_colour, m_fontSelection, m_fonts.size(), m_hasText, m_extent, m_missingPictures.size(),
                m_picturesWithoutBox.size()};
}

void PostScriptWriter::itemAbandoned() {
  m_body.resize(m_itemMark.body);
  m_colour = m_itemMark.colour;
  m_fontSelection = m_itemMark.fontSelection;
  m_fonts.resize(m_itemMark.fonts);
  m_hasText = m_itemMark.hasText;
  m_extent = m_itemMark.extent;
  m_missingPictures.resize(m_itemMark.missingPictures);
  m_picturesWithoutBox.resize(m_itemMark.picturesWithoutBox);
}

std::string PostScriptWriter::document(const PrintOptions& options, const PrintedPage& page) const {
  std::vector<std::string> fonts = m_fonts;
  const std::string band = headerFooterLines(options.header, sheetPoints(options.paper, options.customWidth,
                                                                         options.customHeight), page.header);
  if (!band.empty()) {
    for (const char* name : {"Times-Roman", "Helvetica-Bold"}) {
      if (std::find(fonts.begin(), fonts.end(), name) == fonts.end()) fonts.emplace_back(name);
    }
  }
  std::string out = headerComments(options.kind, page.title, boundingBox(m_extent, options), page.pageNumber);
  out += prologLines(options);
  if (m_hasText) out += fontInitBody(page.fontInit);
  out += m_body;
  out += band;
  out += trailer(options, fonts);
  return out;
}

PointBox boundingBox(const PostScriptWriter::Extent& extent, const PrintOptions& options) {
  if (extent.empty) return {};
  const double scale = cantoScale(options.size);
  const double left = cantoLeftMargin(options.offsetX, options.size);
  const double bottom = cantoBottomMargin(options.offsetY, options.size);
  const double sheetWidth = sheetPoints(options.paper, options.customWidth, options.customHeight).width;
  double minX = 1e300, minY = 1e300, maxX = -1e300, maxY = -1e300;
  for (const double x : {extent.minX, extent.maxX}) {
    for (const double y : {extent.minY, extent.maxY}) {
      const double pageX = options.mirror ? kMirrorAxisTwice - x : x;
      double px = scale * (pageX + left);
      double py = scale * (y + bottom);
      if (options.rotate) {
        const double turned = sheetWidth - py;
        py = kRotatedLift + px;
        px = turned;
      }
      minX = std::min(minX, px);
      minY = std::min(minY, py);
      maxX = std::max(maxX, px);
      maxY = std::max(maxY, py);
    }
  }
  const auto outward = [](double value, bool up) { return truncToInt(up ? std::ceil(value) + 1 : std::floor(value) - 1); };
  return {outward(minX, false), outward(minY, false), outward(maxX, true), outward(maxY, true)};
}

}  // namespace ts
