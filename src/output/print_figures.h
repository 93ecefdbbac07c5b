#pragma once
// What the paper writers share about the marks of the print drawing: how a
// flushed path's pens divide it into figures (stroked, or filled even-odd
// and then stroked, so that holes stay empty), and how a text's font is
// sized, stretched and turned. The PostScript and PDF writers write the
// same figures and matrices in their own operators.

#include <array>
#include <cstdint>
#include <span>

#include "draw/path_sink.h"

namespace ts {

enum class FigureKind { Stroked, Filled };

// The operators of one writer, called in the order of the path's points.
class FigureOperators {
 public:
  virtual ~FigureOperators() = default;
  virtual void lineWidth(int32_t pageUnits) = 0;  // a line-width point (pen 99)
  virtual void defaultLineWidth() = 0;            // the restore point (pen -99)
  virtual void moveTo(const PathPoint& point) = 0;
  virtual void lineTo(const PathPoint& point) = 0;
  virtual void endFigure(FigureKind kind) = 0;
};

// Walks one flushed path: every figure it opens is ended before the next
// starts and at the path's end; the screen's pen markers draw nothing.
void walkFigures(std::span<const PathPoint> points, FigureOperators& out);

// The font matrix of a text in page units (a b c d of [a b c d 0 0]): the
// size across stretched by the width factor, turned by the angle.
std::array<double, 4> fontMatrix(const PrintText& text);

}  // namespace ts
