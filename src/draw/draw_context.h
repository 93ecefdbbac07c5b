#pragma once
// What every drawing routine works with: the item being drawn (its
// parameters as reals, its staff, scale and page position), the staff
// tables, the display device and the symbol library.

#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "draw/display_device.h"
#include "draw/font_metrics.h"
#include "draw/page_drawing.h"
#include "draw/page_geometry.h"
#include "draw/symbol_library.h"
#include "model/item_codes.h"
#include "model/page_store.h"

namespace ts {

constexpr int kItemParams = 50;  // P1..P50 of the working record

struct ItemState {
  int number = 0;  // item number on the page
  int code = 0;
  std::array<float, kItemParams + 1> params{};  // [i] is Pi; [0] unused
  int staff = 0;
  float scale = kStepScalePerSize;  // step scale s of the item's staff
  float x = 0.0f;                   // page position of the item
  float y = 0.0f;
  bool substituted = false;  // the P7 = 99 stand-in has been drawn

  float p(int i) const { return i >= 1 && i <= kItemParams ? params[i] : 0.0f; }
  int pi(int i) const { return truncToInt(p(i)); }
};

// The outline of a type-0 head at one scale, relative to the head's place.
struct HeadCache {
  float product = -1.0f;  // head size x note scale of the cached outline
  std::vector<std::array<float, 2>> offsets;
  std::vector<int16_t> pens;
};

class DrawContext {
 public:
  DrawContext(const PageStore& pageToDraw, const DrawRequest& drawRequest, StaffTable& staffTable,
              DisplayDevice& displayDevice, SymbolLibrary& symbolLibrary, DrawReport& drawReport)
      : page(pageToDraw), request(drawRequest), staves(staffTable), device(displayDevice), library(symbolLibrary),
        report(drawReport) {}

  const PageStore& page;
  const DrawRequest& request;
  StaffTable& staves;
  DisplayDevice& device;
  SymbolLibrary& library;
  DrawReport& report;
  ItemState item;
  HeadCache headCache;
  FontMetrics* fonts = nullptr;  // the widths of each font, kept across drawings
  int fontInUse = 0;             // the font the last text was set in: font 99 keeps it
  bool screen = true;  // false when drawn for print (DrawRequest::print)
  int highestStaff = 0;  // the highest staff number a staff item defines
  // [k - 1]: the first parameter of item k that cannot be drawn (0: none).
  std::vector<int> undrawable;
  // P3 of the bar lines and clefs of each staff, sorted; found once per
  // drawing for the rests that centre themselves in their bar.
  const std::vector<float>& barsOfStaff(int staff);

  // Page Y of a step on the item's staff.
  float stepY(float step) const { return staves.stepY(item.staff, step); }
  // A dashed line; dash and space in page units.
  void dashedLine(float x1, float y1, float x2, float y2, float dash, float space);
  // The symbol routine: symbol n at a scale (the staff step scale, or a
  // note's scale) with its x- and y-scales.
  void symbol(float x, float y, int n, float xs, float ys, float scale);
  // Library drawing n, its drawing units multiplied by xs and ys.
  void drawing(float x, float y, int n, float xs, float ys);
  // The number routine: a whole number as text, its baseline at y.
  void number(float x, float baselineY, int value, float size);
  // A filled rectangle (a thick bar, a stem of a block).
  void filledRect(float x1, float y1, float x2, float y2);
  void warn(const std::string& message);

 private:
  void symbolSubstitute();
  std::set<std::string> m_warned;
  std::map<int, std::vector<float>> m_bars;
  bool m_barsFound = false;
};

}  // namespace ts
