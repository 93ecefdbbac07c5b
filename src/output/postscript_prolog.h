#pragma once
// The head of a PostScript or EPS file: the comment group of its kind and
// the prolog lines in their fixed order, with the procedure CANTO that
// scales page units (4000 to the inch) to points. The numeric rules are
// small functions so that each can be checked alone.

#include <string>
#include <string_view>

#include "output/print_options.h"

namespace ts {

inline constexpr const char* kCreatorLine = "%%Creator: TONESMITH (tm) Ver. 5.00";

// A box in points: left, bottom, right, top.
struct PointBox {
  int left = 0, bottom = 0, right = 0, top = 0;
};

// The width and height of a sheet in points, upright.
struct SheetPoints {
  int width = 612;
  int height = 792;
};
SheetPoints sheetPoints(PaperSize paper, float customWidth, float customHeight);

// The four numbers of CANTO (S: size, L: line width in dots, R: dots per
// inch, a and b: the offsets in inches).
double cantoScale(float size);                                   // S x 0.018
double cantoLineWidth(int lineWidth, int resolution, float size);  // L x (4000 / R + 0.01) / S
int cantoLeftMargin(float offsetInches, float size);             // trunc(trunc(a x 4000 / S) + 100 / S)
int cantoBottomMargin(float offsetInches, float size);           // trunc(trunc(b x 4000 / S + 24000) + 250 / S)

// Fixed-column fields: a real right-aligned in `width` columns with
// `decimals` decimals, an integer right-aligned in `width` columns.
std::string realField(double value, int width, int decimals);
std::string intField(int value, int width);

// The paper selection line of a printed page; empty for Letter upright.
std::string paperSelection(PaperSize paper, bool rotated, float customWidth, float customHeight);

// The kind that opens the printer itself resets it (prolog line 1); EPS
// keeps its names in a dictionary of its own (line 2) so that a document
// that places it keeps its own; the printer kinds set the wait timeout
// (line 4) instead.
bool opensDevice(OutputKind kind);
bool ownDictionary(OutputKind kind);

// A PostScript string literal's inside: parentheses and backslashes escaped,
// bytes outside printable ASCII as three octal digits.
std::string escapedString(std::string_view text);

// The comment group at the top of the file.
std::string headerComments(OutputKind kind, std::string_view title, const PointBox& boundingBox, int pageNumber);
// Prolog lines 1 to 16.
std::string prologLines(const PrintOptions& options);

}  // namespace ts
