#include "shell/view_geometry.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <utility>

namespace ts::shell {

Point viewToEngine(Point view, int zoom) {
  const int64_t z = std::max(zoom, kSmallestZoom);
  return {static_cast<int>(int64_t{view.x} * 256 / z), static_cast<int>(int64_t{view.y} * 256 / z)};
}

Point engineToView(Point engine, int zoom) {
  return {static_cast<int>(int64_t{engine.x} * zoom / 256), static_cast<int>(int64_t{engine.y} * zoom / 256)};
}

int clampZoom(int zoom) { return std::clamp(zoom, kSmallestZoom, kLargestZoom); }

int zoomPlus(int zoom) { return std::min(zoom + kZoomStep, kLargestZoom); }

int zoomMinus(int zoom) { return zoom > kZoomStep ? zoom - kZoomStep : zoom; }

int zoomPercent(int zoom) { return zoom * 100 / kDefaultZoom; }

std::optional<BoxZoom> boxZoom(int zoom, int clientWidth, Point first, Point second) {
  const int extent = std::abs(second.x - first.x);
  if (extent == 0 || clientWidth <= 0) return std::nullopt;
  const double factor = static_cast<double>(clientWidth) / extent;
  const double zoomed = std::clamp(zoom * factor, double{kSmallestZoom}, double{kLargestZoom});
  const double applied = zoomed / zoom;  // the factor the clamped zoom really applies
  BoxZoom result;
  result.zoom = static_cast<int>(zoomed);
  const Point corner{std::min(first.x, second.x), std::max(first.y, second.y)};
  result.scroll = {static_cast<int>(corner.x * applied), static_cast<int>(-corner.y * applied)};
  return result;
}

void orderByWindowY(Point& first, Point& second) {
  if (second.y < first.y) std::swap(first.y, second.y);
}

}  // namespace ts::shell
