#include "output/page_header.h"

#include <cstdio>

namespace ts {
namespace {

constexpr int kBandLeft = 20;        // points from the sheet's left edge
constexpr int kBandRightInset = 22;  // points from its right edge (590 on Letter)
constexpr int kBandEdge = 20;        // points between the band and the sheet's top or bottom
constexpr int kBandHeight = 24;
constexpr int kLabelColumn = 24;     // the labels, then their values 50 points on
constexpr int kValueGap = 50;
constexpr int kSecondColumn = 250;
constexpr int kThirdColumn = 420;
constexpr int kLineGap = 10;

}  // namespace

namespace {

std::string shown(int x, int y, std::string_view text) {
  return std::to_string(x) + " " + std::to_string(y) + " m(" + escapedString(text) + ")sh";
}

// One band whose lower edge lies at `bottom` points.
std::string band(int bottom, const SheetPoints& sheet, const HeaderText& text) {
  const int right = sheet.width - kBandRightInset;
  const int top = bottom + kBandHeight;
  const int upper = top - 9;
  const int lower = upper - kLineGap;
  char frame[160];
  std::snprintf(frame, sizeof frame, " %d %d m %d %d l %d %d l %d %d l closepath s\n", kBandLeft, bottom, right, bottom,
                right, top, kBandLeft, top);
  std::string out = frame;
  out += " save /Times-Roman f [8.5 0 0 9 0 0] mkf sf\n";
  out += " " + shown(kLabelColumn, upper, "CANTO File:") + " " + shown(kLabelColumn + kValueGap, upper, text.fileName) + "\n";
  out += " " + shown(kLabelColumn, lower, "Project:") + " " + shown(kLabelColumn + kValueGap, lower, text.project) + "\n";
  out += " " + shown(kSecondColumn, upper, "File Date:") + " " + shown(kSecondColumn + kValueGap, upper, text.fileDate) + "\n";
  out += " " + shown(kSecondColumn, lower, "Time:") + " " + shown(kSecondColumn + kValueGap, lower, text.time) + "\n";
  out += " " + shown(kThirdColumn, upper, "Print data:") + " restore\n";
  out += " save /Helvetica-Bold f [9 0 0 9 0 0] mkf sf " + shown(kThirdColumn, lower, text.printData) + " restore\n";
  return out;
}

}  // namespace

std::string headerFooterLines(HeaderFooter which, const SheetPoints& sheet, const HeaderText& text) {
  if (which == HeaderFooter::None) return {};
  std::string out = " r g .5 setlinewidth 0 setgray\n";
  if (which == HeaderFooter::Header || which == HeaderFooter::Both) {
    out += band(sheet.height - kBandEdge - kBandHeight, sheet, text);
  }
  if (which == HeaderFooter::Footer || which == HeaderFooter::Both) out += band(kBandEdge, sheet, text);
  return out;
}

std::string printDataText(const PrintOptions& options) {
  char text[96];
  std::snprintf(text, sizeof text, "Size %.2f %s", static_cast<double>(options.size), paperName(options.paper));
  return text;
}

}  // namespace ts
