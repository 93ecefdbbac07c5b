// Drawing the page: the staff tables first, then every item in page order,
// each placed on its staff and drawn by the routine of its code.

#include "draw/page_drawing.h"

#include <array>
#include <cmath>

#include "draw/display_device.h"
#include "draw/draw_context.h"
#include "draw/draw_messages.h"
#include "draw/drawable_values.h"
#include "draw/editor_overlay.h"
#include "draw/item_colour.h"
#include "draw/item_parameters.h"
#include "draw/item_routines.h"

namespace ts {
namespace {

constexpr int kLastDrawnCode = 20;
constexpr int kTextExtendedMarker = -1;  // P14 of a text with the extended layout

using Routine = void (*)(DrawContext&);
// [code]: the routine of each code; codes without one draw nothing yet.
constexpr std::array<Routine, kLastDrawnCode + 1> kRoutines = {
    nullptr,          drawNote,  drawRest,        drawClef,       drawLine,  drawSlur, drawBeam,
    drawTrill,        drawStaff, drawLibraryItem, drawNumberItem, nullptr,   nullptr,  nullptr,
    drawBarLine,      drawPicture, drawText,        drawKeySignature, drawMeter, nullptr, nullptr};

void loadItem(const PageStore& page, int k, ItemState& item) {
  item = ItemState{};
  item.number = k;
  readItemParameters(page, k, std::span<float>(item.params).subspan(1));
  item.code = item.pi(1);
  item.staff = item.pi(2);
}

// For each item, [k - 1]: the first of its parameters that cannot be drawn,
// 0 when it can be drawn.
std::vector<int> undrawableParameters(const PageStore& page) {
  std::vector<int> found(static_cast<size_t>(page.itemCount()));
  std::array<float, kItemParams> params{};
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int count = readItemParameters(page, k, params);
    found[static_cast<size_t>(k - 1)] = firstUndrawableParameter({params.data(), static_cast<size_t>(count)});
  }
  return found;
}

bool isDrawableStaffItem(const PageStore& page, int k, const std::vector<int>& undrawable) {
  return page.code(k) == kCodeStaff && undrawable[static_cast<size_t>(k - 1)] == 0;
}

int highestStaffOf(const PageStore& page, const std::vector<int>& undrawable) {
  int highest = 0;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (!isDrawableStaffItem(page, k, undrawable)) continue;
    const int staff = truncToInt(page.param(k, 2));
    if (staff < kStaffLimit) highest = std::max(highest, staff);
  }
  return highest;
}

void placeAllStaves(const PageStore& page, const std::vector<int>& undrawable, StaffTable& staves, bool metric) {
  ItemState item;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (!isDrawableStaffItem(page, k, undrawable)) continue;
    loadItem(page, k, item);
    placeStaff(staves, item, metric);
  }
}

// Page position of the item; false when it is not to be drawn.
bool placeItem(DrawContext& ctx) {
  ItemState& item = ctx.item;
  item.scale = ctx.staves.entry(item.staff).stepScale;
  item.x = item.p(3) * kUnitsPerP3;
  if (item.x > static_cast<float>(kWritingRight) + kOutOfBoundsRightMargin) {
    ctx.warn(outOfBoundsRightMessage(item.staff, item.code));
  } else if (item.p(3) < kOutOfBoundsLeftP3) {
    ctx.warn(outOfBoundsLeftMessage(item.staff, item.code));
    if (item.code == kCodeText) return false;
  }
  item.y = ctx.staves.stepY(item.staff, itemStep(item.code, item.p(4)));
  if (item.code != kCodeNote && item.code != kCodeRest && item.p(15) != 0.0f) item.x += item.p(15) * kUnitsPerP3;
  if (!insideDrawableWindow(item.x, item.y)) {
    ctx.warn(outsideWindowMessage(item.number));
    return false;
  }
  return true;
}

// Draws the loaded item by the routine of its code. An item that makes more
// marks than the display list holds is taken back whole.
bool drawLoadedItem(DrawContext& ctx, Routine routine) {
  ctx.device.startItem();
  try {
    routine(ctx);
    ctx.device.flush();
  } catch (const TooManyMarks&) {
    ctx.device.abandonItem();
    ctx.warn(tooManyMarksMessage(ctx.item.number));
    return false;
  }
  return true;
}

uint32_t colourOf(const ItemState& item, int highlighted) {
  const bool extendedText = item.code == kCodeText && item.pi(14) == kTextExtendedMarker;
  return itemColour(extendedText ? item.p(16) : item.p(26), item.number == highlighted);
}

// The font metrics that came with the program lie beside its symbol library.
std::filesystem::path bundledFontFolder(const std::filesystem::path& bundledLibrary) {
  return bundledLibrary.empty() ? std::filesystem::path() : bundledLibrary.parent_path() / "fontlib";
}

}  // namespace

PageDrawer::PageDrawer(const HostFiles& files, std::filesystem::path bundledLibrary)
    : m_library(files, bundledLibrary), m_fonts(files, bundledFontFolder(bundledLibrary)) {}

DrawReport PageDrawer::draw(const PageStore& page, const DrawRequest& request, DisplayTarget& target) {
  DrawReport report;
  DisplayDevice device(target);
  device.setOffsets(request.displayOffsetX, request.displayOffsetY);
  device.setSink(request.sink);
  StaffTable staves;
  DrawContext ctx(page, request, staves, device, m_library, report);
  ctx.fonts = &m_fonts;
  ctx.screen = !request.print;
  const bool metric = request.unit != 0.0f;
  ctx.undrawable = undrawableParameters(page);
  placeAllStaves(page, ctx.undrawable, staves, metric);
  ctx.highestStaff = highestStaffOf(page, ctx.undrawable);
  report.symbolLibraryMissing = !m_library.outlinesLoaded();
  report.places.resize(static_cast<size_t>(page.itemCount()));
  for (int k = 1; k <= page.itemCount(); ++k) {
    loadItem(page, k, ctx.item);
    const int code = ctx.item.code;
    const int staff = ctx.item.staff;
    if (code < 1 || code > kLastDrawnCode || staff < 0 || staff > ctx.highestStaff) continue;
    if (const int parameter = ctx.undrawable[static_cast<size_t>(k - 1)]) {
      ctx.warn(undrawableParameterMessage(k, parameter, classifyValue(page.param(k, parameter))));
      continue;
    }
    if (!placeItem(ctx) || !kRoutines[code]) continue;
    device.setColour(colourOf(ctx.item, request.highlightedItem));
    device.setRightSheet(onRightSheet(staff));
    if (!drawLoadedItem(ctx, kRoutines[code])) continue;
    ItemPlace& place = report.places[static_cast<size_t>(k - 1)];
    place.extent = device.stopExtent();
    place.x = device.displayPointX(ctx.item.x);
    place.y = device.displayPointY(ctx.item.y);
    place.drawn = true;
    if (k == request.highlightedItem) report.highlightedExtent = place.extent;
  }
  drawOverlay(ctx, request.overlay);
  if (device.displayFull()) ctx.warn(kDisplayListFullMessage);
  if (device.textFull()) ctx.warn(kTextListFullMessage);
  report.verticalDisplayOffset = device.verticalOffset();
  m_staves = staves;
  return report;
}

}  // namespace ts
