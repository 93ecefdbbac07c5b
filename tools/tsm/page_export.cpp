#include "page_export.h"

#include <QGuiApplication>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>
#include <cmath>
#include <memory>

#include "render/display_renderer.h"

namespace tsm {
namespace {

constexpr double kViewUnitsPerInch = 1000.0;
constexpr double kDisplayUnitsPerInch = 4000.0;
constexpr double kLeftMarginDisplay = -2000.0;  // half an inch left of the writing width
constexpr double kMarginView = 100.0;

struct PaperInches {
  double width = 8.5, height = 11.0;
};

PaperInches paperInches(ts::PaperSize paper) {
  switch (paper) {
    case ts::PaperSize::Legal: return {8.5, 14.0};
    case ts::PaperSize::Ledger: return {11.0, 17.0};
    case ts::PaperSize::Double: return {17.0, 11.0};
    case ts::PaperSize::A3: return {11.7, 16.5};
    case ts::PaperSize::A4: return {8.3, 11.7};
    case ts::PaperSize::B4: return {9.8, 13.9};
    default: return {};
  }
}

// View-unit box of the sheet (Y upward): from the left margin and the top
// of the view down one sheet, widened to whatever the page draws outside it.
QRectF pictureArea(const ts::DisplayRenderer& renderer, const ExportSettings& settings) {
  const double perDisplay = settings.zoom / 256.0;
  const PaperInches sheet = paperInches(settings.paper);
  const double left = kLeftMarginDisplay * perDisplay;
  const double width = sheet.width * kDisplayUnitsPerInch * perDisplay;
  const double height = sheet.height * kDisplayUnitsPerInch * perDisplay;
  QRectF area(QPointF(left, -height), QPointF(left + width, 0.0));
  const QRectF content = renderer.contentBounds(settings.zoom);
  if (settings.fit && !content.isNull()) return content.adjusted(-kMarginView, -kMarginView, kMarginView, kMarginView);
  if (!content.isNull()) area = area.united(content.adjusted(-kMarginView, -kMarginView, kMarginView, kMarginView));
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

}  // namespace

std::string exportPicture(std::span<const int32_t> words, std::span<const char> text, const std::string& path,
                          const ExportSettings& settings) {
  ts::DisplayRenderer renderer;
  renderer.setLists(words, text);
  const QRectF area = pictureArea(renderer, settings);
  const ts::RenderOptions options = optionsFor(area, settings);
  const double k = settings.dotsPerInch / kViewUnitsPerInch;
  const QSize pixels(static_cast<int>(std::ceil(area.width() * k)), static_cast<int>(std::ceil(area.height() * k)));
  const QString file = QString::fromStdString(path);
  if (endsWith(path, ".png")) {
    QImage image(pixels, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    renderer.render(painter, settings.zoom, options);
    painter.end();
    return image.save(file, "PNG") ? std::string() : "cannot write " + path;
  }
  if (endsWith(path, ".svg")) {
    QSvgGenerator svg;
    svg.setFileName(file);
    svg.setSize(pixels);
    svg.setViewBox(QRect(QPoint(0, 0), pixels));
    svg.setResolution(static_cast<int>(settings.dotsPerInch));
    QPainter painter;
    if (!painter.begin(&svg)) return "cannot write " + path;
    painter.fillRect(QRect(QPoint(0, 0), pixels), Qt::white);
    renderer.render(painter, settings.zoom, options);
    painter.end();
    return {};
  }
  if (endsWith(path, ".pdf")) {
    QPdfWriter pdf(file);
    pdf.setResolution(static_cast<int>(settings.dotsPerInch));
    pdf.setPageSize(QPageSize(QSizeF(area.width() / kViewUnitsPerInch, area.height() / kViewUnitsPerInch),
                              QPageSize::Inch));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf)) return "cannot write " + path;
    renderer.render(painter, settings.zoom, options);
    painter.end();
    return {};
  }
  return "the picture must be a .png, .svg or .pdf file: " + path;
}

}  // namespace tsm
