#include "output/pdf_writer.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <utility>

#include "draw/font_table.h"
#include "output/postscript_prolog.h"
#include "output/print_figures.h"

namespace ts {
namespace {

constexpr int kRotatedLift = -6;               // points: CANTO's rotated origin
constexpr int kMirrorAxisTwice = 29900;        // the page is flipped about X = 14950
constexpr const char* kProducer = "Tonesmith";

std::string printed(const char* format, auto... values) {
  char text[200];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

// CANTO's numbers as the prolog writes them, so that both files place the
// page on the same digits.
std::string cantoScaleText(const PrintOptions& o) { return printed("%.5f", cantoScale(o.size)); }
std::string cantoWidthText(const PrintOptions& o) {
  return printed("%.4f", cantoLineWidth(o.lineWidth, o.resolution, o.size));
}

class ContentOperators : public FigureOperators {
 public:
  ContentOperators(std::string& out, const std::string& defaultWidth) : m_out(out), m_defaultWidth(defaultWidth) {}
  void lineWidth(int32_t pageUnits) override { m_out += std::to_string(pageUnits) + " w\n"; }
  void defaultLineWidth() override { m_out += m_defaultWidth + " w\n"; }
  void moveTo(const PathPoint& p) override { addPoint(p, 'm'); }
  void lineTo(const PathPoint& p) override { addPoint(p, 'l'); }
  void endFigure(FigureKind kind) override { m_out += kind == FigureKind::Filled ? "B*\n" : "S\n"; }

 private:
  // "X Y m": the page's bulk, written without a string of its own.
  void addPoint(const PathPoint& p, char op) {
    char line[32];
    char* end = std::to_chars(line, line + 11, p.x).ptr;
    *end++ = ' ';
    end = std::to_chars(end, end + 11, p.y).ptr;
    *end++ = ' ';
    *end++ = op;
    *end++ = '\n';
    m_out.append(line, end);
  }

  std::string& m_out;
  const std::string& m_defaultWidth;
};

std::string colourOperators(uint32_t colour) {
  if (colour == 0) return "0 g 0 G\n";
  const double r = (colour & 0xFFu) / 255.0, g = ((colour >> 8) & 0xFFu) / 255.0, b = ((colour >> 16) & 0xFFu) / 255.0;
  return printed("%.3f %.3f %.3f rg %.3f %.3f %.3f RG\n", r, g, b, r, g, b);
}

// A font number the table does not know prints in its first font, as the
// printer's name of the font does.
int tableFont(int fontNumber) { return fontNumber >= 0 && fontNumber < kScreenFontCount ? fontNumber : 0; }

}  // namespace

std::string pdfFontResource(int fontNumber) {
  std::string name = "F";
  name += std::to_string(fontNumber);
  return name;
}

PdfWriter::PdfWriter(const PrintOptions& options) : m_options(options), m_defaultWidth(cantoWidthText(options)) {}

void PdfWriter::setColour(uint32_t colour) {
  colour &= 0xFFFFFFu;
  if (colour == m_colour) return;
  m_body += colourOperators(colour);
  m_colour = colour;
}

void PdfWriter::path(std::span<const PathPoint> points, uint32_t colour) {
  setColour(colour);
  ContentOperators operators(m_body, m_defaultWidth);
  walkFigures(points, operators);
}

void PdfWriter::text(const PrintText& text) {
  if (text.text.empty()) return;
  setColour(text.colour);
  const int font = tableFont(text.fontNumber);
  if (std::find(m_fonts.begin(), m_fonts.end(), font) == m_fonts.end()) m_fonts.push_back(font);
  // One font size of 1 and the size in the text matrix: the matrix is the
  // PostScript writer's, to the same tenth of a page unit.
  const std::array<double, 4> m = fontMatrix(text);
  m_body += "BT /" + pdfFontResource(font) + " 1 Tf " +
            printed("%.1f %.1f %.1f %.1f %d %d Tm (", m[0], m[1], m[2], m[3], text.x, text.y) + pdfString(text.text) +
            ") Tj ET\n";
}

void PdfWriter::picture(const PrintPicture& picture) { m_pictures.emplace_back(picture.name); }

void PdfWriter::itemStarted() { m_itemMark = {m_body.size(), m_colour, m_fonts.size(), m_pictures.size()}; }

void PdfWriter::itemAbandoned() {
  m_body.resize(m_itemMark.body);
  m_colour = m_itemMark.colour;
  m_fonts.resize(m_itemMark.fonts);
  m_pictures.resize(m_itemMark.pictures);
}

// CANTO's set-up as a matrix chain: rotation, scale, margins, then the
// mirror that follows it; the default width and round joins.
std::string PdfWriter::placement() const {
  const PrintOptions& o = m_options;
  const SheetPoints sheet = sheetPoints(o.paper, o.customWidth, o.customHeight);
  std::string out;
  if (o.rotate) out += printed("0 1 -1 0 %d %d cm\n", sheet.width, kRotatedLift);
  const std::string scale = cantoScaleText(o);
  out += scale + " 0 0 " + scale + " 0 0 cm\n";
  out += printed("1 0 0 1 %d %d cm\n", cantoLeftMargin(o.offsetX, o.size), cantoBottomMargin(o.offsetY, o.size));
  if (o.mirror) out += printed("-1 0 0 1 %d 0 cm\n", kMirrorAxisTwice);
  out += m_defaultWidth + " w 1 j\n";
  return out;
}

std::string PdfWriter::document(std::string_view title, const std::vector<PdfFont>& fonts) const {
  return pdfDocument(std::span<const PdfWriter>(this, 1), title, fonts);
}

std::string PdfWriter::contentStream() const {
  std::string stream = "q\n" + placement();
  stream.reserve(stream.size() + m_body.size() + 2);
  stream += m_body;
  stream += "Q\n";
  return stream;
}

namespace {

// The font objects, and the resource dictionary's entries that name them.
std::string addFonts(PdfObjects& objects, const std::vector<PdfFont>& fonts) {
  const bool anyLatin1 = std::any_of(fonts.begin(), fonts.end(), [](const PdfFont& f) {
    return f.data && !f.data->symbolic();
  });
  const int encoding = anyLatin1 ? objects.reserve() : 0;
  if (anyLatin1) objects.put(encoding, latin1EncodingObject());
  std::string resources;
  for (const PdfFont& font : fonts) {
    resources += " /" + pdfFontResource(font.number) + " " + pdfReference(addFontObjects(objects, font, encoding));
  }
  return resources;
}

}  // namespace

// Objects in the order a single page has always had them: catalog, page
// tree, then each page with its content, the information, the fonts.
std::string pdfDocument(std::span<const PdfWriter> pages, std::string_view title, const std::vector<PdfFont>& fonts) {
  PdfObjects objects;
  const int catalog = objects.reserve(), tree = objects.reserve();
  std::vector<std::pair<int, int>> pageAndContent;
  std::string kids;
  for (size_t i = 0; i < pages.size(); ++i) {
    const int page = objects.reserve(), content = objects.reserve();
    pageAndContent.emplace_back(page, content);
    kids += (kids.empty() ? "" : " ") + pdfReference(page);
  }
  const int info = objects.reserve();
  objects.put(catalog, "<< /Type /Catalog /Pages " + pdfReference(tree) + " >>");
  objects.put(tree, "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>");
  for (size_t i = 0; i < pages.size(); ++i) objects.putStream(pageAndContent[i].second, "", pages[i].contentStream());
  objects.put(info, "<< /Title (" + pdfString(title) + ") /Producer (" + kProducer + ") >>");
  const std::string fontResources = addFonts(objects, fonts);
  for (size_t i = 0; i < pages.size(); ++i) {
    const PrintOptions& o = pages[i].options();
    const SheetPoints sheet = sheetPoints(o.paper, o.customWidth, o.customHeight);
    objects.put(pageAndContent[i].first, "<< /Type /Page /Parent " + pdfReference(tree) +
                                             printed(" /MediaBox [0 0 %d %d]", sheet.width, sheet.height) +
                                             " /Resources << /Font <<" + fontResources +
                                             " >> /ProcSet [/PDF /Text] >> /Contents " +
                                             pdfReference(pageAndContent[i].second) + " >>");
  }
  return objects.finish(catalog, info);
}

}  // namespace ts
