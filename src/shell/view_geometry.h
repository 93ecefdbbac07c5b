#pragma once
// The view's arithmetic: view units (0.001 inch, y up) against engine
// display units through the zoom (in 1/256), zoom steps and box zoom.

#include <optional>

namespace ts::shell {

constexpr int kDefaultZoom = 64;  // 100 %: four engine display units make one view unit
constexpr int kZoomStep = 8;
constexpr int kSmallestZoom = 1;
// Engine coordinates stay within about 500000; times the zoom that stays
// inside 32 bits up to a zoom of 4096, 64 times the normal size.
constexpr int kLargestZoom = 4096;
constexpr int kScrollTotal = 16000;  // view units, both ways
constexpr int kScrollPage = 1024;
constexpr int kScrollLine = 128;
constexpr int kViewUnitsPerInch = 1000;

struct Point {
  int x = 0, y = 0;
  bool operator==(const Point&) const = default;
};

// A click in view units to engine display units (truncating toward zero).
Point viewToEngine(Point view, int zoom);
// The view point that a click at this engine point would come from.
Point engineToView(Point engine, int zoom);

// A zoom brought into the range the view can draw.
int clampZoom(int zoom);
int zoomPlus(int zoom);
// Never reaches 0 (the view divides by the zoom): a zoom of 8 or less stays.
int zoomMinus(int zoom);
// The zoom bar's text: the zoom as a percentage.
int zoomPercent(int zoom);

struct BoxZoom {
  int zoom = 0;
  Point scroll;  // the rectangle's corner times the same factor, view units
};
// Zooms so that the box's width fills the client width; nothing for a box
// without width.
std::optional<BoxZoom> boxZoom(int zoom, int clientWidth, Point first, Point second);

// A dragged box's corners in window coordinates, the upper one first
// (only y decides; x stays with its point).
void orderByWindowY(Point& first, Point& second);

}  // namespace ts::shell
