#pragma once
// The display device: drawing routines describe their marks as paths of
// points in page units; a flush appends the pending path to the host's
// display list as triples (X, Y, pen << 24 | colour), and text goes to the
// text list. The lists are never written past their capacities: once a
// path does not fit, that path and every later one are left out, so the
// page is cut at one place instead of losing marks here and there.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "draw/drawing_file.h"
#include "draw/page_drawing.h"
#include "draw/path_sink.h"
#include "draw/text_list.h"

namespace ts {

enum Pen : int16_t {
  kPenDraw = 0,       // line from the previous point
  kPenMove = 1,       // start a stroked figure
  kPenFill = 2,       // start a filled figure
  kPenContour = 3,    // start a further contour of the filled figure
  kPenLineWidth = 99,      // Y is the new line width; no point
  kPenRestoreWidth = -99,  // back to the default line width
};

constexpr int kPendingPathPoints = 40000;  // above the largest drawing file (32766 points)
// Points one item may make: room for the largest drawing file, and more
// than the display list (100000 words, 33333 points) holds, so an item that
// reaches it could never be shown whole.
constexpr int kItemPointLimit = 40000;
constexpr int kLineWidthBase = 300;        // line-width base setting
constexpr int kLineWidthMarkerX = 999;
constexpr int kNoExtent = 99999;

using Extent = PageExtent;

// Thrown by the device when the item being drawn (from startItem to
// stopExtent) goes past kItemPointLimit;
// the page drawer leaves that item out and carries on.
struct TooManyMarks {};

// The display-list word of one point.
int32_t displayWord(int pen, uint32_t colour);
// Page units beyond which a coordinate is held, so that offsets added to it
// cannot overflow.
constexpr float kCoordinateLimit = 1.0e9f;

// Truncation toward zero of a page coordinate, saturating far outside.
// Inline: every point of every mark goes through it.
inline int32_t truncCoordinate(float value) {
  if (std::isnan(value)) return 0;
  return static_cast<int32_t>(std::clamp(value, -kCoordinateLimit, kCoordinateLimit));
}

class DisplayDevice {
 public:
  explicit DisplayDevice(DisplayTarget& target);

  void setOffsets(int horizontal, int vertical) {
    m_offsetX = horizontal;
    m_offsetY = vertical;
  }
  int verticalOffset() const { return m_offsetY; }
  void setVerticalOffset(int vertical) { m_offsetY = vertical; }
  void setColour(uint32_t colour) { m_colour = colour; }
  uint32_t colour() const { return m_colour; }
  // Points of staves 200 and above lie on the right-hand sheet.
  void setRightSheet(bool right) { m_rightSheet = right; }
  // Drawn for paper: paths and texts go to the sink, in page units, and the
  // lists stay empty. Null sends them to the lists again.
  void setSink(PathSink* sink) { m_sink = sink; }

  // Defined here: every mark of the page comes through it.
  void plot(float x, float y, int pen) {
    countPoint();
    if (discardsPoints()) return;
    if (m_pending.size() >= static_cast<size_t>(kPendingPathPoints)) flush();
    m_pending.push_back({truncCoordinate(x), truncCoordinate(y), static_cast<int16_t>(pen)});
  }
  // A whole outline: each point at (x + xs * point.x, y + ys * point.y),
  // with the outline's own pens.
  void plotOutline(std::span<const DrawingPoint> outline, float x, float y, float xs, float ys);
  // True when `count` points need not be worked out: the display list can
  // take nothing more, so they are only counted toward the item's limit.
  bool skipPoints(size_t count);
  void line(float x1, float y1, float x2, float y2);
  void setLineWidth(int weight);
  void restoreLineWidth();
  void flush();

  // Text at a page position whose baseline is at y; `print` names the font
  // for a sink.
  void text(const TextFont& font, float x, float baselineY, std::string_view text, const PrintFont& print = {});

  // An included picture for paper; the screen frames it by itself.
  void picture(PrintPicture picture);

  // Starts an item: its extent is measured and its points counted from here.
  void startItem();
  // Takes back everything the item has put into both lists since startItem.
  void abandonItem();
  Extent stopExtent() {
    m_measuring = false;
    return m_extent;
  }

  // A page position as the display list holds it (offsets and sheet added).
  int32_t displayPointX(float x) const { return displayX(truncCoordinate(x)); }
  int32_t displayPointY(float y) const { return displayY(truncCoordinate(y)); }

  bool displayFull() const { return m_displayFull; }
  bool textFull() const { return m_text.full(); }
  size_t pendingPoints() const { return m_pending.size(); }

 private:
  int32_t displayX(int32_t x) const;
  int32_t displayY(int32_t y) const;
  // Once the display list is full no later point can reach it (a path that
  // did not fit cuts the page there), so points are counted and dropped
  // instead of being kept for a flush that would throw them away. A full
  // page makes many times the points the list holds, so this is most of a
  // redraw's work saved.
  bool discardsPoints() const { return m_displayFull && !m_sink; }
  void countPoint() {
    if (m_measuring && ++m_itemPoints > kItemPointLimit) throw TooManyMarks{};
  }
  void appendTriple(const PathPoint& point);
  void flushToSink();

  DisplayTarget& m_target;
  PathSink* m_sink = nullptr;
  TextListWriter m_text;
  std::vector<PathPoint> m_pending;
  int m_previousPen = 0;
  int m_offsetX = 0;
  int m_offsetY = 0;
  uint32_t m_colour = 0;
  bool m_rightSheet = false;
  bool m_displayFull = false;
  bool m_measuring = false;
  Extent m_extent;
  // Where the item being drawn started, to take it back whole. The text
  // list's state is taken only when the item first writes text: most items
  // write none, and taking it copies the last block's font.
  struct ItemStart {
    int32_t used = 0;
    int previousPen = 0;
    bool displayFull = false;
    bool textMarked = false;
    TextListWriter::Mark text;
  } m_itemStart;
  int m_itemPoints = 0;
};

}  // namespace ts
