#pragma once
// Paints what the engine drew, the way the screen does: figures cut from
// the display list (one-point figures dropped), stroked figures as one-pixel
// polylines, filled figures as one even-odd polygon of all their contours,
// text blocks in their fonts with the baseline 96 units above each string's
// Y; every point scaled by the zoom with the screen's rounding. Coordinates
// are view units (0.001 inch, Y upward); the painter maps them to pixels.

#include <QPainter>
#include <QRectF>
#include <cstdint>
#include <span>
#include <vector>

#include "draw/display_figures.h"
#include "draw/text_list.h"

namespace ts {

struct RenderOptions {
  double dotsPerInch = 96.0;        // device pixels per 1000 view units
  QPointF origin{0.0, 0.0};         // view units at the top-left corner (Y upward)
  bool colourMode = true;           // false: monochrome
  bool fillFigures = true;          // false: filled figures as outlines
  double penWidth = 1.0;            // device pixels of the one-pixel pen
  uint32_t fillColour = 0;          // 0x00BBGGRR, for filled figures of colour 0
  uint32_t textColour = 0xFFFFFF;   // 0xFFFFFF: each block keeps its colour
  uint32_t penColour = 0;
  uint32_t backgroundColour = 0xFFFFFF;  // 0xFFFFFF leaves the background alone
  bool antialias = true;
};

QColor colourOf(uint32_t colourRef);

class DisplayRenderer {
 public:
  // Takes copies of the lists as the engine left them.
  void setLists(std::span<const int32_t> words, std::span<const char> text);
  void render(QPainter& painter, int zoom, const RenderOptions& options) const;
  // View-unit box (Y upward, as a QRectF with top < bottom meaning lower Y)
  // of every figure point and string position.
  QRectF contentBounds(int zoom) const;

 private:
  void renderFigures(QPainter& painter, const std::vector<Figure>& figures, const RenderOptions& options) const;
  void renderText(QPainter& painter, int zoom, const RenderOptions& options) const;

  std::vector<int32_t> m_words;
  std::vector<TextBlock> m_blocks;
};

}  // namespace ts
