#include "shell/button_pictures.h"

#include <QElapsedTimer>
#include <QPainter>
#include <algorithm>
#include <cmath>

#include "engine/creation_keywords.h"
#include "engine/engine.h"
#include "render/display_renderer.h"

namespace ts::shell {
namespace {

constexpr int kPictureZoom = 64;             // display units to view units, as the page at 100 %
constexpr float kStaffMarginP3 = 2.0f;       // the short staff reaches this far past the last mark
constexpr double kPaddingPixels = 1.0;       // free border inside the picture, at scale 1
constexpr double kMarginDisplay = 40.0;      // display units left and right of the marks
constexpr double kViewUnitsPerInch = 1000.0;
constexpr float kInvisibleLines = -1.0f;     // P7 of a staff that is placed but not drawn
constexpr std::array<int, 2> kScales{1, 2};  // ordinary and doubled display scaling

// The box around the marks of the picture's own items (display units),
// reaching over the staff's height for a picture on a staff, so that
// every such picture shows the whole staff.
PageExtent pictureBox(const DrawReport& report, const PageStore& page, bool onStaff) {
  PageExtent box, staff;
  for (int k = 1; k <= page.itemCount() && k <= static_cast<int>(report.places.size()); ++k) {
    const PageExtent& e = report.places[static_cast<size_t>(k - 1)].extent;
    if (e.empty()) continue;
    PageExtent& into = page.code(k) == kCodeStaff ? staff : box;
    into.minX = std::min(into.minX, e.minX);
    into.maxX = std::max(into.maxX, e.maxX);
    into.minY = std::min(into.minY, e.minY);
    into.maxY = std::max(into.maxY, e.maxY);
  }
  if (box.empty()) return onStaff ? staff : box;
  if (onStaff && !staff.empty()) {
    box.minY = std::min(box.minY, staff.minY);
    box.maxY = std::max(box.maxY, staff.maxY);
  }
  box.minX -= static_cast<int32_t>(kMarginDisplay);
  box.maxX += static_cast<int32_t>(kMarginDisplay);
  return box;
}

// The right end of the short staff (P3 units): past every position the items name.
float staffEnd(const PictureItems& items) {
  float end = 0.0f;
  for (const std::vector<float>& item : items) {
    if (item.size() >= 3) end = std::max(end, item[2]);
    if (item.size() >= 6 && isTwoEndedCode(truncToInt(item[0]))) end = std::max(end, item[5]);
  }
  return end + kStaffMarginP3;
}

ItemRecord recordOf(const std::vector<float>& params) {
  ItemRecord record;
  record.params = params;
  record.params.resize(std::max<size_t>(params.size(), kMinStoredParams), 0.0f);
  return record;
}

}  // namespace

ButtonPictures::ButtonPictures(PictureTable table, const HostFiles& files, std::filesystem::path bundledLibrary)
    : m_table(std::move(table)), m_drawer(files, std::move(bundledLibrary)),
      m_words(kDisplayListWords), m_text(kTextListBytes) {}

void ButtonPictures::decorate(QAction& action, const CommandRow& row) {
  const std::optional<Picture> picture = m_table.pictureFor(row);
  if (!picture) return;
  const QIcon icon = iconFor(*picture);
  action.setIcon(icon);
  action.setText(QString::fromStdString(buttonLabel(*picture, row)));
}

std::optional<PictureItems> ButtonPictures::itemsOf(const Picture& picture) const {
  if (picture.kind != PictureKind::Made) return parsePictureItems(picture.argument);
  const std::optional<int> keyword = findCreationKeyword(picture.argument);
  if (!keyword) return std::nullopt;
  return PictureItems{makeCreatedItem(*keyword, CreationPlace{}, std::nullopt).params};
}

QIcon ButtonPictures::iconFor(const Picture& picture) {
  if (picture.kind == PictureKind::Label || picture.kind == PictureKind::Tooltip) return {};
  if (picture.kind == PictureKind::Icon) return QIcon::fromTheme(QString::fromStdString(picture.argument));
  const std::string key = std::to_string(static_cast<int>(picture.kind)) + picture.argument;
  if (const auto found = m_made.find(key); found != m_made.end()) return found->second;
  QElapsedTimer timer;
  timer.start();
  QIcon icon;
  if (const std::optional<PictureItems> items = itemsOf(picture))
    icon = drawnIcon(*items, picture.kind != PictureKind::Items);
  m_nanoseconds += timer.nsecsElapsed();
  m_made.emplace(key, icon);
  return icon;
}

QIcon ButtonPictures::drawnIcon(const PictureItems& items, bool onStaff) {
  // Items alone still need their staff placed: an invisible one, not drawn.
  PageStore page;
  page.append(recordOf({static_cast<float>(kCodeStaff), 1, 0, 0, 0, staffEnd(items), onStaff ? 0.0f : kInvisibleLines}));
  for (const std::vector<float>& item : items) page.append(recordOf(item));
  QIcon icon;
  for (const int scale : kScales) {
    QImage image = paintItems(page, scale);
    if (image.isNull()) return {};
    image.setDevicePixelRatio(scale);
    icon.addPixmap(QPixmap::fromImage(image));
  }
  return icon;
}

// The page's marks fitted into a square picture of kButtonPictureSize
// logical pixels at `scale` device pixels each.
QImage ButtonPictures::paintItems(const PageStore& page, int scale) {
  int32_t used = 0, textUsed = 0;
  DisplayTarget target{m_words.data(), static_cast<int32_t>(m_words.size()), &used,
                       m_text.data(), static_cast<int32_t>(m_text.size()), &textUsed};
  DrawRequest request;
  request.showInvisible = false;
  const DrawReport report = m_drawer.draw(page, request, target);
  const PageExtent box = pictureBox(report, page, page.param(1, 7) == 0.0f);
  if (box.empty() || report.symbolLibraryMissing) return {};
  const double pixels = kButtonPictureSize * scale;
  const double toView = kPictureZoom / 256.0;
  const double width = (box.maxX - box.minX) * toView, height = (box.maxY - box.minY) * toView;
  const double perView = (pixels - 2 * kPaddingPixels * scale) / std::max({width, height, 1.0});
  RenderOptions options;
  options.dotsPerInch = perView * kViewUnitsPerInch;
  options.penWidth = scale;
  const double half = pixels / 2 / perView;
  options.origin = QPointF((box.minX + box.maxX) / 2.0 * toView - half, (box.minY + box.maxY) / 2.0 * toView + half);
  DisplayRenderer renderer;
  renderer.setLists(std::span<const int32_t>(m_words.data(), static_cast<size_t>(used)),
                    std::span<const char>(m_text.data(), static_cast<size_t>(textUsed)));
  QImage image(static_cast<int>(pixels), static_cast<int>(pixels), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  renderer.render(painter, kPictureZoom, options);
  return image;
}

}  // namespace ts::shell
