#include "render/display_renderer.h"

#include <QFontMetricsF>
#include <QPainterPath>
#include <QPen>
#include <QPolygonF>

#include "render/screen_fonts.h"

namespace ts {
namespace {

constexpr int32_t kTextBaselineLift = 96;
constexpr uint32_t kKeepBlockColours = 0xFFFFFF;
constexpr uint8_t kStrokedOpcode = 1, kFilledOpcode = 2;

QPolygonF polygonOf(const std::vector<ViewPoint>& contour) {
  QPolygonF polygon;
  polygon.reserve(static_cast<qsizetype>(contour.size()));
  for (const ViewPoint& p : contour) polygon << QPointF(p.x, -p.y);
  return polygon;
}

QPen onePixelPen(uint32_t colour, const RenderOptions& options) {
  QPen pen(colourOf(colour));
  pen.setCosmetic(true);
  pen.setWidthF(options.penWidth);
  pen.setJoinStyle(Qt::MiterJoin);
  return pen;
}

QPainterPath pathOf(const Figure& figure) {
  QPainterPath path;
  path.setFillRule(Qt::OddEvenFill);
  for (const auto& contour : figure.contours) path.addPolygon(polygonOf(contour));
  return path;
}

}  // namespace

QColor colourOf(uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

void DisplayRenderer::setLists(std::span<const int32_t> words, std::span<const char> text) {
  m_words.assign(words.begin(), words.begin() + static_cast<std::ptrdiff_t>(words.size() / 3 * 3));
  markOnePointFigures(m_words);
  m_blocks = readTextList(text);
}

void DisplayRenderer::renderFigures(QPainter& painter, const std::vector<Figure>& figures,
                                    const RenderOptions& options) const {
  const QPen defaultPen = onePixelPen(options.penColour, options);
  for (const Figure& figure : figures) {
    if (figure.opcode == kStrokedOpcode) {
      painter.setPen(options.colourMode ? onePixelPen(figure.colour, options) : defaultPen);
      painter.setBrush(Qt::NoBrush);
      for (const auto& contour : figure.contours) painter.drawPolyline(polygonOf(contour));
      continue;
    }
    if (!options.colourMode) {
      if (figure.opcode != kFilledOpcode) continue;
      painter.setPen(onePixelPen(options.fillColour, options));
      painter.setBrush(options.fillFigures ? QBrush(Qt::black) : QBrush(Qt::NoBrush));
    } else {
      const uint32_t brush = figure.colour == 0 ? options.fillColour : figure.colour;
      painter.setPen(onePixelPen(figure.colour, options));
      painter.setBrush(options.fillFigures ? QBrush(colourOf(brush)) : QBrush(Qt::NoBrush));
    }
    painter.drawPath(pathOf(figure));
  }
}

void DisplayRenderer::renderText(QPainter& painter, int zoom, const RenderOptions& options) const {
  for (const TextBlock& block : m_blocks) {
    if (block.strings.empty() || zoom * static_cast<double>(block.font.height) / 4.0 < 1.0) continue;
    const QFont font = blockFont(block.font, zoom);
    const double ascent = QFontMetricsF(font).ascent();
    painter.setFont(font);
    const uint32_t colour = options.textColour == kKeepBlockColours ? block.font.colour : options.textColour;
    painter.setPen(colourOf(colour));
    for (const TextString& s : block.strings) {
      const double x = scaleToView(s.x, zoom);
      const double baseline = scaleToView(s.y + kTextBaselineLift, zoom);
      painter.save();
      // The screen places a string by the top-left of its cell and turns it
      // about that point.
      painter.translate(x, -(baseline + ascent));
      painter.rotate(-block.font.angle / 10.0);
      painter.drawText(QPointF(0.0, ascent), QString::fromLatin1(s.text.data(), static_cast<qsizetype>(s.text.size())));
      painter.restore();
    }
  }
}

void DisplayRenderer::render(QPainter& painter, int zoom, const RenderOptions& options) const {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, options.antialias);
  painter.setRenderHint(QPainter::TextAntialiasing, options.antialias);
  const double k = options.dotsPerInch / 1000.0;
  painter.scale(k, k);
  painter.translate(-options.origin.x(), options.origin.y());
  if (options.backgroundColour != kKeepBlockColours) {
    const QRectF all = painter.worldTransform().inverted().mapRect(QRectF(painter.viewport()));
    painter.fillRect(all, colourOf(options.backgroundColour));
  }
  renderFigures(painter, buildFigures(m_words, zoom), options);
  renderText(painter, zoom, options);
  painter.restore();
}

QRectF DisplayRenderer::contentBounds(int zoom) const {
  double minX = 1e18, minY = 1e18, maxX = -1e18, maxY = -1e18;
  const auto take = [&](double x, double y) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
    minY = std::min(minY, y);
    maxY = std::max(maxY, y);
  };
  for (const Figure& figure : buildFigures(m_words, zoom)) {
    for (const auto& contour : figure.contours) {
      for (const ViewPoint& p : contour) take(p.x, p.y);
    }
  }
  for (const TextBlock& block : m_blocks) {
    const double em = zoom * static_cast<double>(block.font.height) / 4.0;
    for (const TextString& s : block.strings) {
      const double y = scaleToView(s.y + kTextBaselineLift, zoom);
      take(scaleToView(s.x, zoom), y);
      take(scaleToView(s.x, zoom) + em * static_cast<double>(s.text.size()) * 0.6, y + em);
    }
  }
  if (minX > maxX) return {};
  return QRectF(QPointF(minX, minY), QPointF(maxX, maxY));
}

}  // namespace ts
