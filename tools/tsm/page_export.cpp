#include "page_export.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>

#include "platform/safe_file_writer.h"
#include "render/display_renderer.h"
#include "write_failure.h"

namespace tsm {
namespace {

constexpr double kViewUnitsPerInch = 1000.0;
constexpr double kDisplayUnitsPerInch = 4000.0;
constexpr double kLeftMarginDisplay = -2000.0;  // half an inch left of the writing width
constexpr double kMarginView = 100.0;

struct PaperInches {
  double width = 8.5, height = 11.0;
};

// A custom size is not known here: it takes Letter.
PaperInches paperInches(ts::PaperSize paper) {
  const ts::PaperPoints sheet = ts::paperPoints(paper);
  if (sheet.width == 0) return {};
  constexpr double kPointsPerInch = 72.0;
  return {sheet.width / kPointsPerInch, sheet.height / kPointsPerInch};
}

// View-unit box of the sheet (Y upward): from the left margin and the top
// of the view down one sheet.
QRectF sheetArea(const ExportSettings& settings) {
  const double perDisplay = settings.zoom / 256.0;
  const PaperInches sheet = paperInches(settings.paper);
  const double left = kLeftMarginDisplay * perDisplay;
  const double width = sheet.width * kDisplayUnitsPerInch * perDisplay;
  const double height = sheet.height * kDisplayUnitsPerInch * perDisplay;
  return QRectF(QPointF(left, -height), QPointF(left + width, 0.0));
}

// The sheet widened to whatever the page draws outside it, or only what
// the page draws when fitting.
QRectF pictureArea(const ts::DisplayRenderer& renderer, const ExportSettings& settings) {
  const QRectF area = sheetArea(settings);
  const QRectF content = renderer.contentBounds(settings.zoom);
  if (settings.fit && !content.isNull()) return content.adjusted(-kMarginView, -kMarginView, kMarginView, kMarginView);
  if (!content.isNull()) return area.united(content.adjusted(-kMarginView, -kMarginView, kMarginView, kMarginView));
  return area;
}

ts::RenderOptions optionsFor(const QRectF& area, const ExportSettings& settings) {
  ts::RenderOptions options;
  options.dotsPerInch = settings.dotsPerInch;
  options.origin = QPointF(area.left(), area.bottom());  // top-left: Y upward
  options.penWidth = std::max(1.0, settings.dotsPerInch / 96.0);
  return options;
}

bool endsWith(const std::string& text, const std::string& suffix) {
  if (text.size() < suffix.size()) return false;
  std::string tail = text.substr(text.size() - suffix.size());
  for (char& c : tail) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return tail == suffix;
}

// Where a picture is painted: the view-unit area it shows, the options
// that place it, and its size in pixels.
struct Canvas {
  QRectF area;
  ts::RenderOptions options;
  QSize pixels;
  int zoom = 64;
  double dotsPerInch = 150.0;
};

void paintPng(const ts::DisplayRenderer& renderer, const Canvas& canvas, QIODevice& out) {
  QImage image(canvas.pixels, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  renderer.render(painter, canvas.zoom, canvas.options);
  painter.end();
  image.save(&out, "PNG");
}

void paintSvg(const ts::DisplayRenderer& renderer, const Canvas& canvas, QIODevice& out) {
  QSvgGenerator svg;
  svg.setOutputDevice(&out);
  svg.setSize(canvas.pixels);
  svg.setViewBox(QRect(QPoint(0, 0), canvas.pixels));
  svg.setResolution(static_cast<int>(canvas.dotsPerInch));
  QPainter painter(&svg);
  painter.fillRect(QRect(QPoint(0, 0), canvas.pixels), Qt::white);
  renderer.render(painter, canvas.zoom, canvas.options);
}

// The picture in the format its extension names, painted into memory so
// that it reaches the file whole; nothing for an extension of no format.
std::optional<QByteArray> paintPicture(const ts::DisplayRenderer& renderer, const std::string& path,
                                       const ExportSettings& settings) {
  using Paint = void (*)(const ts::DisplayRenderer&, const Canvas&, QIODevice&);
  const Paint paint = endsWith(path, ".png") ? paintPng : endsWith(path, ".svg") ? paintSvg : nullptr;
  if (!paint) return std::nullopt;
  Canvas canvas;
  canvas.area = pictureArea(renderer, settings);
  canvas.options = optionsFor(canvas.area, settings);
  const double k = settings.dotsPerInch / kViewUnitsPerInch;
  canvas.pixels = QSize(static_cast<int>(std::ceil(canvas.area.width() * k)),
                        static_cast<int>(std::ceil(canvas.area.height() * k)));
  canvas.zoom = settings.zoom;
  canvas.dotsPerInch = settings.dotsPerInch;
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    paint(renderer, canvas, buffer);
  }
  return bytes;
}

}  // namespace

std::string exportPicture(std::span<const int32_t> words, std::span<const char> text, const std::string& path,
                          const ExportSettings& settings) {
  ts::DisplayRenderer renderer;
  renderer.setLists(words, text);
  const std::optional<QByteArray> picture = paintPicture(renderer, path, settings);
  if (!picture) return "the picture must be a .png, .svg, .pdf, .ps or .eps file: " + path;
  if (picture->isEmpty()) return "cannot paint " + path;
  const std::span bytes(reinterpret_cast<const uint8_t*>(picture->constData()), static_cast<size_t>(picture->size()));
  const ts::WriteResult written = ts::writeFileSafely(path, bytes);
  return written == ts::WriteResult::Written ? std::string() : writeFailure(path, written, path);
}

}  // namespace tsm
