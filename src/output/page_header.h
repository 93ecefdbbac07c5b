#pragma once
// The header and footer of a printed sheet: a framed band at the top or
// the bottom of the sheet, in points, with the page's file name, project,
// file date, print time and print data.

#include <string>

#include "output/postscript_prolog.h"
#include "output/print_options.h"

namespace ts {

struct HeaderText {
  std::string fileName;
  std::string project;    // the folder the page lies in
  std::string fileDate;
  std::string time;       // when it was printed
  std::string printData;  // size and paper
};

// The lines of the chosen bands; empty for none. They start by leaving
// CANTO's units for the sheet's points (" r g").
std::string headerFooterLines(HeaderFooter which, const SheetPoints& sheet, const HeaderText& text);
// "Size 1.00 Letter": what the print data field says.
std::string printDataText(const PrintOptions& options);

}  // namespace ts
