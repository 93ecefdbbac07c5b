#pragma once
// The print options: what the print command's option list shows and sets,
// and what `tsm export` takes as flags. Plain values; the PostScript writer
// turns them into the prolog's numbers.

#include <string>

#include "model/page_title.h"

namespace ts {

// Where the PostScript goes: an EPS file for other programs, the system's
// print queue (the printer port "LPT1"), or a file for a network printer.
enum class OutputKind { Eps, Printer, Network };
enum class HeaderFooter { None, Header, Footer, Both };

inline constexpr const char* kDefaultEpsName = "eps.eps";
inline constexpr const char* kDefaultNetName = "net.ps";
// The offsets that put on the paper what the screen shows as the sheet: its
// top at page Y -15000 (where the first staff scrolls the screen) and its
// left edge half an inch left of the writing (page X -2000), through
// CANTO's margins (b x 4000 + 24000 + 250 = 59000; a x 4000 + 100 = 2100,
// a fortieth of an inch from the screen's edge, since an offset of 0.475
// has no exact binary form and CANTO truncates).
inline constexpr float kScreenSheetOffsetX = 0.5f;
inline constexpr float kScreenSheetOffsetY = 8.6875f;

struct PrintOptions {
  OutputKind kind = OutputKind::Printer;
  float size = 1.0f;            // scale of the page
  PaperSize paper = PaperSize::Letter;
  float customWidth = 9.0f;     // inches of a custom sheet
  float customHeight = 12.0f;
  float offsetX = kScreenSheetOffsetX;  // left margin, inches (metric offsets are kept in inches too)
  float offsetY = kScreenSheetOffsetY;  // bottom margin, inches
  bool metricOffsets = false;   // the list shows and takes the offsets in centimetres
  bool freeze = false;          // "PR" prints at once with these options
  int resolution = 300;         // printer dots per inch
  int lineWidth = 1;            // default line width in printer dots
  HeaderFooter header = HeaderFooter::None;
  bool rotate = false;          // landscape
  bool mirror = false;
  bool batch = false;           // print the pages listed in "PRINT.SCR"
  bool reverse = false;         // the batch list from its last page to its first
  bool manualFeed = false;
  bool pixelSnap = false;       // snap points to the device pixels where stroke adjustment is missing
  int copies = 1;
  std::string epsName = kDefaultEpsName;
  std::string netName = kDefaultNetName;
};

}  // namespace ts
