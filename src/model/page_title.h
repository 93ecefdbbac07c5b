#pragma once
// The document title the shell shows for the page.

#include <string>
#include <string_view>

namespace ts {

enum class PaperSize { Letter = 1, Legal, Ledger, Double, A3, A4, B4, Custom };

// The bracketed paper tag of the title and status line ("<A4>"); Letter has none.
const char* paperTag(PaperSize paper);
// The paper's name as option lists show it ("Double page").
const char* paperName(PaperSize paper);
// The sheet of a paper size in points, width by height; 0 by 0 for Custom,
// whose size the user gives.
struct PaperPoints {
  int width = 0;
  int height = 0;
};
PaperPoints paperPoints(PaperSize paper);

// "NAME (saved - 0012 Items)" or "NAME* (not saved - 0012 Items)", then the
// paper tag; an empty page shows its name alone.
std::string pageTitle(std::string_view name, int itemCount, bool modified, PaperSize paper);

}  // namespace ts
