#include "render/page_picture.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "render/display_renderer.h"

namespace ts {
namespace {

constexpr double kViewUnitsPerInch = 1000.0;
constexpr double kDisplayUnitsPerInch = 4000.0;
constexpr double kLeftMarginDisplay = -2000.0;  // half an inch left of the writing width
constexpr double kMarginView = 100.0;
constexpr double kPointsPerInch = 72.0;
constexpr double kScreenDotsPerInch = 96.0;

struct PaperInches {
  double width = 8.5, height = 11.0;
};

// A custom size is not known here: it takes Letter.
PaperInches paperInches(PaperSize paper) {
  const PaperPoints sheet = paperPoints(paper);
  if (sheet.width == 0) return {};
  return {sheet.width / kPointsPerInch, sheet.height / kPointsPerInch};
}

// View-unit box of the sheet (Y upward): from the left margin and the top
// of the view down one sheet.
QRectF sheetArea(const PictureSettings& settings) {
  const double perDisplay = settings.zoom / 256.0;
  const PaperInches sheet = paperInches(settings.paper);
  const double left = kLeftMarginDisplay * perDisplay;
  const double width = sheet.width * kDisplayUnitsPerInch * perDisplay;
  const double height = sheet.height * kDisplayUnitsPerInch * perDisplay;
  return QRectF(QPointF(left, -height), QPointF(left + width, 0.0));
}

// The sheet widened to whatever the page draws outside it, or only what
// the page draws when fitting.
QRectF pictureArea(const DisplayRenderer& renderer, const PictureSettings& settings) {
  const QRectF area = sheetArea(settings);
  const QRectF content = renderer.contentBounds(settings.zoom);
  if (content.isNull()) return area;
  const QRectF padded = content.adjusted(-kMarginView, -kMarginView, kMarginView, kMarginView);
  return settings.fit ? padded : area.united(padded);
}

// Where a picture is painted: the options that place it and its size in pixels.
struct Canvas {
  RenderOptions options;
  QSize pixels;
};

Canvas canvasFor(const DisplayRenderer& renderer, const PictureSettings& settings) {
  const QRectF area = pictureArea(renderer, settings);
  Canvas canvas;
  canvas.options.dotsPerInch = settings.dotsPerInch;
  canvas.options.origin = QPointF(area.left(), area.bottom());  // top-left: Y upward
  canvas.options.penWidth = std::max(1.0, settings.dotsPerInch / kScreenDotsPerInch);
  const double k = settings.dotsPerInch / kViewUnitsPerInch;
  canvas.pixels = QSize(static_cast<int>(std::ceil(area.width() * k)), static_cast<int>(std::ceil(area.height() * k)));
  return canvas;
}

void paintPng(const DisplayRenderer& renderer, const Canvas& canvas, const PictureSettings& settings, QIODevice& out) {
  QImage image(canvas.pixels, QImage::Format_RGB32);
  if (image.isNull()) return;
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(painter, settings.zoom, canvas.options);
  painter.end();
  image.save(&out, "PNG");
}

void paintSvg(const DisplayRenderer& renderer, const Canvas& canvas, const PictureSettings& settings, QIODevice& out) {
  QSvgGenerator svg;
  svg.setOutputDevice(&out);
  svg.setSize(canvas.pixels);
  svg.setViewBox(QRect(QPoint(0, 0), canvas.pixels));
  svg.setResolution(static_cast<int>(settings.dotsPerInch));
  QPainter painter(&svg);
  painter.fillRect(QRect(QPoint(0, 0), canvas.pixels), Qt::white);
  renderer.render(painter, settings.zoom, canvas.options);
}

bool endsWith(std::string_view text, std::string_view suffix) {
  if (text.size() < suffix.size()) return false;
  std::string tail(text.substr(text.size() - suffix.size()));
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == suffix;
}

}  // namespace

std::optional<PictureFormat> pictureFormatFor(std::string_view path) {
  if (endsWith(path, ".png")) return PictureFormat::Png;
  if (endsWith(path, ".svg")) return PictureFormat::Svg;
  return std::nullopt;
}

QByteArray paintPagePicture(std::span<const int32_t> words, std::span<const char> text, PictureFormat format,
                            const PictureSettings& settings) {
  DisplayRenderer renderer;
  renderer.setLists(words, text);
  const Canvas canvas = canvasFor(renderer, settings);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (format == PictureFormat::Png) paintPng(renderer, canvas, settings, buffer);
  else paintSvg(renderer, canvas, settings, buffer);
  buffer.close();
  return bytes;
}

}  // namespace ts
