#include "draw/display_device.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "draw/font_table.h"
#include "draw/page_geometry.h"

namespace ts {
namespace {

constexpr int kWordsPerPoint = 3;
constexpr int kTextBaselineLift = 96;  // the host draws a string's baseline 96 units above its Y

int32_t saturate(int64_t value) {
  constexpr auto kLimit = static_cast<int64_t>(kCoordinateLimit);
  return static_cast<int32_t>(std::clamp(value, -kLimit, kLimit));
}

}  // namespace

int32_t displayWord(int pen, uint32_t colour) {
  const uint32_t high = static_cast<uint32_t>(static_cast<uint8_t>(static_cast<int8_t>(pen))) << 24;
  return static_cast<int32_t>(high | (colour & 0xFFFFFFu));
}

DisplayDevice::DisplayDevice(DisplayTarget& target)
    : m_target(target), m_text(target.text, target.textCapacity, *target.textUsed) {
  *m_target.used = 0;
  *m_target.textUsed = 0;
  m_pending.reserve(1024);
}

void DisplayDevice::startItem() {
  m_extent = Extent{};
  m_measuring = true;
  m_itemPoints = 0;
  m_itemStart.used = *m_target.used;
  m_itemStart.previousPen = m_previousPen;
  m_itemStart.displayFull = m_displayFull;
  m_itemStart.textMarked = false;
  if (m_sink) m_sink->itemStarted();
}

void DisplayDevice::abandonItem() {
  m_pending.clear();
  *m_target.used = m_itemStart.used;
  m_previousPen = m_itemStart.previousPen;
  m_displayFull = m_itemStart.displayFull;
  if (m_itemStart.textMarked) m_text.rollBack(m_itemStart.text);
  m_measuring = false;
  if (m_sink) m_sink->itemAbandoned();
}

void DisplayDevice::plotOutline(std::span<const DrawingPoint> outline, float x, float y, float xs, float ys) {
  if (skipPoints(outline.size())) return;
  for (const DrawingPoint& point : outline) plot(x + xs * point.x, y + ys * point.y, point.pen);
}

bool DisplayDevice::skipPoints(size_t count) {
  if (!discardsPoints()) return false;
  if (!m_measuring) return true;
  // Counted as one by one: the item is taken back once its total passes the limit.
  if (count > static_cast<size_t>(kItemPointLimit - m_itemPoints)) throw TooManyMarks{};
  m_itemPoints += static_cast<int>(count);
  return true;
}

void DisplayDevice::line(float x1, float y1, float x2, float y2) {
  plot(x1, y1, kPenMove);
  plot(x2, y2, kPenDraw);
}

void DisplayDevice::setLineWidth(int weight) {
  countPoint();
  // A weight from a hostile page may be near the int range: the product is
  // taken wide and saturated.
  const int64_t width = std::clamp<int64_t>(int64_t{kLineWidthBase} * weight / 600, INT32_MIN, INT32_MAX);
  m_pending.push_back({kLineWidthMarkerX, static_cast<int32_t>(width), kPenLineWidth});
}

void DisplayDevice::restoreLineWidth() {
  countPoint();
  m_pending.push_back({0, 0, kPenRestoreWidth});
}

// Offsets come from the engine's display moves; the sums are taken wide and
// saturated so that no offset can make a coordinate overflow.
int32_t DisplayDevice::displayX(int32_t x) const {
  return saturate(int64_t{x} + m_offsetX + (m_rightSheet ? kRightSheetShift : 0));
}

int32_t DisplayDevice::displayY(int32_t y) const { return saturate(int64_t{y} - m_offsetY); }

void DisplayDevice::appendTriple(const PathPoint& point) {
  int32_t& used = *m_target.used;
  if (point.pen != kPenDraw && m_previousPen != kPenDraw && used >= kWordsPerPoint) used -= kWordsPerPoint;
  const int32_t x = displayX(point.x);
  const int32_t y = displayY(point.y);
  m_target.words[used] = x;
  m_target.words[used + 1] = y;
  m_target.words[used + 2] = displayWord(point.pen, m_colour);
  used += kWordsPerPoint;
  m_previousPen = point.pen;
  if (m_measuring && point.pen != kPenLineWidth && point.pen != kPenRestoreWidth) {
    m_extent.minX = std::min(m_extent.minX, x);
    m_extent.maxX = std::max(m_extent.maxX, x);
    m_extent.minY = std::min(m_extent.minY, y);
    m_extent.maxY = std::max(m_extent.maxY, y);
  }
}

// Paper takes page units as they are: no scroll, only the right-hand
// sheet's shift. The extent is kept the same way as on the screen.
void DisplayDevice::flushToSink() {
  const int32_t shift = m_rightSheet ? kRightSheetShift : 0;
  for (PathPoint& point : m_pending) {
    if (point.pen == kPenLineWidth || point.pen == kPenRestoreWidth) continue;
    point.x = saturate(int64_t{point.x} + shift);
    if (!m_measuring) continue;
    m_extent.minX = std::min(m_extent.minX, point.x);
    m_extent.maxX = std::max(m_extent.maxX, point.x);
    m_extent.minY = std::min(m_extent.minY, point.y);
    m_extent.maxY = std::max(m_extent.maxY, point.y);
  }
  if (!m_pending.empty()) m_sink->path(m_pending, m_colour);
  m_pending.clear();
}

void DisplayDevice::flush() {
  if (m_sink) {
    flushToSink();
    return;
  }
  const int64_t needed = static_cast<int64_t>(m_pending.size()) * kWordsPerPoint;
  if (!m_displayFull && needed > m_target.capacity - *m_target.used) m_displayFull = true;
  if (!m_displayFull) {
    for (const PathPoint& point : m_pending) appendTriple(point);
  }
  m_pending.clear();
}

void DisplayDevice::text(const TextFont& font, float x, float baselineY, std::string_view text,
                         const PrintFont& print) {
  countPoint();
  if (m_sink) {
    const int32_t shift = m_rightSheet ? kRightSheetShift : 0;
    m_sink->text({print.number, postScriptName(print.number), font.height * kTextUnitPageUnits, print.widthFactor,
                  static_cast<float>(font.angle) / 10.0f, saturate(int64_t{truncCoordinate(x)} + shift),
                  truncCoordinate(baselineY), m_colour, text});
    return;
  }
  if (m_measuring && !m_itemStart.textMarked) {
    m_itemStart.text = m_text.mark();
    m_itemStart.textMarked = true;
  }
  const int32_t px = displayX(truncCoordinate(x));
  const int32_t py = displayY(truncCoordinate(baselineY)) - kTextBaselineLift;
  m_text.append(font, px, py, text);
}

void DisplayDevice::picture(PrintPicture picture) {
  countPoint();
  if (!m_sink) return;
  if (m_rightSheet) picture.x = saturate(int64_t{picture.x} + kRightSheetShift);
  m_sink->picture(picture);
}

}  // namespace ts
