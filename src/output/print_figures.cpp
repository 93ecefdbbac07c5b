#include "output/print_figures.h"

#include <cmath>
#include <numbers>
#include <optional>

namespace ts {
namespace {

constexpr int kPenStroked = 1;
constexpr int kPenFilled = 2;
constexpr int kPenContour = 3;
constexpr int kPenWidth = 99;
constexpr int kPenDefaultWidth = -99;
constexpr int32_t kPenMarkerLimit = -192600;  // X below: a pen marker of the screen's, no point

}  // namespace

void walkFigures(std::span<const PathPoint> points, FigureOperators& out) {
  std::optional<FigureKind> figure;
  // A line width takes effect when a figure is stroked, so a figure open
  // when the width changes is ended first: it was drawn under the width
  // before. A drawn point after the change carries the figure on from the
  // last point, as one figure would have.
  std::optional<FigureKind> carried;
  std::optional<PathPoint> last;
  const auto end = [&] {
    if (figure) out.endFigure(*figure);
    figure.reset();
  };
  for (const PathPoint& point : points) {
    if (point.pen == kPenWidth || point.pen == kPenDefaultWidth) {
      if (figure) carried = figure;
      end();
      if (point.pen == kPenWidth) {
        out.lineWidth(point.y);
      } else {
        out.defaultLineWidth();
      }
      continue;
    }
    if (point.x < kPenMarkerLimit) continue;
    if (point.pen == kPenStroked || point.pen == kPenFilled) {
      end();
      figure = point.pen == kPenFilled ? FigureKind::Filled : FigureKind::Stroked;
      out.moveTo(point);
    } else if (point.pen == kPenContour || !figure) {
      // A drawn point with no figure open starts one: neither PostScript
      // nor PDF has a current point to draw from.
      if (!figure) figure = carried.value_or(point.pen == kPenContour ? FigureKind::Filled : FigureKind::Stroked);
      if (point.pen != kPenContour && carried && last) {
        out.moveTo(*last);
        out.lineTo(point);
      } else {
        out.moveTo(point);
      }
    } else {
      out.lineTo(point);
    }
    carried.reset();
    last = point;
  }
  end();
}

std::array<double, 4> fontMatrix(const PrintText& text) {
  const double across = text.size * text.widthFactor;
  if (text.angle == 0.0f) return {across, 0.0, 0.0, static_cast<double>(text.size)};
  const double radians = text.angle * std::numbers::pi / 180.0;
  const double c = std::cos(radians), s = std::sin(radians);
  return {across * c, across * s, -text.size * s, text.size * c};
}

}  // namespace ts
