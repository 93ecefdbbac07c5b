#pragma once
// Drawing the whole page into the display list and the text list that the
// host owns. The engine calls this after every change of the page.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "draw/page_geometry.h"
#include "draw/font_metrics.h"
#include "draw/symbol_library.h"
#include "model/page_store.h"
#include "model/page_title.h"

namespace ts {

class HostFiles;
class PathSink;

// The host's two buffers, with their capacities and used counts.
struct DisplayTarget {
  int32_t* words = nullptr;
  int32_t capacity = 0;  // words
  int32_t* used = nullptr;
  char* text = nullptr;
  int32_t textCapacity = 0;  // bytes
  int32_t* textUsed = nullptr;
};

struct DrawRequest {
  int highlightedItem = 0;  // the item being edited, drawn in red (0: none)
  bool showInvisible = true;
  bool print = false;  // drawn for print: the drawing routines take their print forms
  PathSink* sink = nullptr;  // when set, paths and texts go here instead of the lists (the PostScript writer)
  int displayOffsetX = 0;
  int displayOffsetY = 0;
  float unit = 0.0f;  // 0 inches, 1 metric
  PaperSize paper = PaperSize::Letter;
  // A figure drawn over the page in page units (the drawing editor's
  // drawing and its marks), in the highlight colour; empty for none.
  std::span<const DrawingPoint> overlay;
};

// Smallest and largest display-list X and Y of what an item drew.
struct PageExtent {
  int32_t minX = 99999, minY = 99999, maxX = -99999, maxY = -99999;
  bool empty() const { return minX > maxX; }
};

// Where an item was drawn, in display-list coordinates: its reference
// point and the box around its marks (empty when it drew nothing).
struct ItemPlace {
  int32_t x = 0, y = 0;
  PageExtent extent;
  bool drawn = false;
};

// What the drawing has to tell the user (out-of-bounds and staff warnings,
// each said once), and where the highlighted item lies.
struct DrawReport {
  std::vector<std::string> warnings;
  PageExtent highlightedExtent;
  int verticalDisplayOffset = 0;  // the offset the drawing ended with (-15000 once a staff is drawn)
  // Neither the library folder nor the bundled library holds a readable
  // symbol file: symbols are missing from the page (kSymbolFileMissingMessage
  // says so, for a host that wants to tell the user once).
  bool symbolLibraryMissing = false;
  // One entry per item of the page, in page order, for picking by clicks.
  std::vector<ItemPlace> places;
};

class PageDrawer {
 public:
  // `files` finds the symbol library folder ("C:\tonesmith\cantlib\" or the
  // folder the preferences name); `bundledLibrary` is the library that came
  // with the program, used when that folder holds no symbol data. The font
  // metrics that came with it lie beside it, in "fontlib".
  PageDrawer(const HostFiles& files, std::filesystem::path bundledLibrary);

  DrawReport draw(const PageStore& page, const DrawRequest& request, DisplayTarget& target);
  // The staff table of the last drawing, for turning display positions
  // back into staves.
  const StaffTable& staves() const { return m_staves; }
  // The library the drawing reads its shapes from, which the drawing editor changes.
  SymbolLibrary& library() { return m_library; }
  FontMetrics& fonts() { return m_fonts; }

 private:
  SymbolLibrary m_library;
  FontMetrics m_fonts;
  StaffTable m_staves;
};

}  // namespace ts
