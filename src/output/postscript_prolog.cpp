#include "output/postscript_prolog.h"

#include <cmath>
#include <cstdio>

#include "model/item_codes.h"

namespace ts {
namespace {

constexpr double kPointsPerInch = 72.0;
constexpr double kUnitsPerInch = 4000.0;
constexpr double kPageLift = 24000.0;  // the staves lie at negative Y: the page is lifted into the positive quadrant
constexpr double kLeftPad = 100.0;     // page units at size 1 between the offset and the page's left edge
constexpr double kBottomPad = 250.0;

std::string printed(const char* format, auto... values) {
  char text[160];
  std::snprintf(text, sizeof text, format, values...);
  return text;
}

// The resolution divides; options from a dialog are checked, but the rule
// itself never divides by zero.
double safeDivisor(double value) { return value == 0.0 ? 1.0 : value; }

void addLine(std::string& out, std::string_view line) {
  out += line;
  out += '\n';
}

void addPixelSnap(std::string& out) {
  addLine(out, " /setstrokeadjust where");
  addLine(out, " { pop true setstrokeadjust }");
  addLine(out, " { /m { transform .25 sub round .25 add exch .25 sub round .25 add exch");
  addLine(out, " itransform  moveto } bind def");
  addLine(out, " /l { transform .25 sub round .25 add exch .25 sub round .25 add exch");
  addLine(out, " itransform  lineto } bind def } ifelse");
}

void addCanto(std::string& out, const PrintOptions& options) {
  addLine(out, " newpath /CANTO  {");
  if (options.rotate) {
    const SheetPoints sheet = sheetPoints(options.paper, options.customWidth, options.customHeight);
    addLine(out, printed(" %d -6 tr 90 rotate", sheet.width));
  }
  addLine(out, " /size" + realField(cantoScale(options.size), 8, 5) + " def  /wdl" +
                   realField(cantoLineWidth(options.lineWidth, options.resolution, options.size), 10, 4) + " def");
  addLine(out, " size dup scale   wdl lw  1 setlinejoin");
  addLine(out, " /lmar" + intField(cantoLeftMargin(options.offsetX, options.size), 7) + " def /bmar" +
                   intField(cantoBottomMargin(options.offsetY, options.size), 7) + " def");
  addLine(out, " lmar bmar tr} def");
}

}  // namespace

SheetPoints sheetPoints(PaperSize paper, float customWidth, float customHeight) {
  if (paper != PaperSize::Custom) return {paperPoints(paper).width, paperPoints(paper).height};
  return {truncToInt(std::round(customWidth * kPointsPerInch)), truncToInt(std::round(customHeight * kPointsPerInch))};
}

double cantoScale(float size) { return size * kPointsPerInch / kUnitsPerInch; }

double cantoLineWidth(int lineWidth, int resolution, float size) {
  return lineWidth * (kUnitsPerInch / safeDivisor(resolution) + 0.01) / safeDivisor(size);
}

int cantoLeftMargin(float offsetInches, float size) {
  const double s = safeDivisor(size);
  return truncToInt(std::trunc(offsetInches * kUnitsPerInch / s) + kLeftPad / s);
}

int cantoBottomMargin(float offsetInches, float size) {
  const double s = safeDivisor(size);
  return truncToInt(std::trunc(offsetInches * kUnitsPerInch / s + kPageLift) + kBottomPad / s);
}

std::string realField(double value, int width, int decimals) { return printed("%*.*f", width, decimals, value); }

std::string intField(int value, int width) { return printed("%*d", width, value); }

std::string paperSelection(PaperSize paper, bool rotated, float customWidth, float customHeight) {
  if (!rotated) {
    if (paper == PaperSize::Letter) return {};
    if (paper == PaperSize::Legal) return " statusdict begin legal end";
    if (paper == PaperSize::Double) return " statusdict begin 11x17 end";
    if (paper == PaperSize::Ledger) return " statusdict begin ledger end";
  }
  const SheetPoints sheet = sheetPoints(paper, customWidth, customHeight);
  return " statusdict /setpage known {statusdict begin" + intField(sheet.width, 5) + intField(sheet.height, 5) +
         " 1 setpage end} if";
}

bool opensDevice(OutputKind kind) { return kind != OutputKind::Eps; }
bool ownDictionary(OutputKind kind) { return kind == OutputKind::Eps; }

std::string headerComments(OutputKind kind, std::string_view title, const PointBox& box, int pageNumber) {
  std::string out;
  if (kind == OutputKind::Eps) {
    addLine(out, "%!PS-Adobe-2.0 EPSF-1.2");
    addLine(out, kCreatorLine);
    addLine(out, "%%Title: " + std::string(title));
    addLine(out, "%%BoundingBox:" + intField(box.left, 5) + intField(box.bottom, 5) + intField(box.right, 5) +
                     intField(box.top, 5));
    return out;
  }
  addLine(out, "%!PS-Adobe-2.0");
  addLine(out, kCreatorLine);
  addLine(out, "%%Title: " + std::string(title));
  addLine(out, "%%DocumentFonts: (atend)");
  addLine(out, "%%EndComments");
  addLine(out, "%%Page: " + std::to_string(pageNumber));
  return out;
}

std::string prologLines(const PrintOptions& options) {
  std::string out;
  if (opensDevice(options.kind)) {
    addLine(out, " %!PS-Adobe-2.0 EPSF-1.2");
    addLine(out, " erasepage initgraphics");
  }
  if (ownDictionary(options.kind)) addLine(out, " /cantodict 200 dict def cantodict begin");
  addLine(out, " save");
  if (!ownDictionary(options.kind)) addLine(out, " statusdict begin /waittimeout 0 def end");
  addLine(out, " /m /moveto load def /l /lineto load def");
  if (options.pixelSnap) addPixelSnap(out);
  addLine(out, " /tr /translate load def /aw /awidthshow load def");
  addLine(out, " /e /eofill load def /s /stroke load def /g /gsave load def /r /grestore load def");
  addLine(out, " /f /findfont load def /sf /setfont load def");
  addLine(out, " /mkf /makefont load def /lw /setlinewidth load def");
  if (options.kind != OutputKind::Eps) {
    const std::string paper = paperSelection(options.paper, options.rotate, options.customWidth, options.customHeight);
    if (!paper.empty()) addLine(out, paper);
  }
  addLine(out, " /sh/show load def .1 lw");
  addCanto(out, options);
  addLine(out, " g CANTO");
  if (options.mirror) addLine(out, " 29900 0 tr -1 1 scale");
  if (options.manualFeed && options.kind != OutputKind::Eps) addLine(out, " statusdict /manualfeed true put ");
  return out;
}

}  // namespace ts

namespace ts {

std::string escapedString(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '(' || c == ')' || c == '\\') {
      out += '\\';
      out += c;
    } else if (byte < 32 || byte > 126) {
      char octal[8];
      std::snprintf(octal, sizeof octal, "\\%03o", byte);
      out += octal;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace ts
