#pragma once
// The drawing editor's work drawing ("DRW.TMP" unless the user names
// another file): a plain text file, so a drawing can be kept outside the
// library, read back later, or typed by hand.
//
//   # any comment line
//   NAME fermata            the drawing's name (optional, at most 24 bytes)
//   0 0 1                   one point a line: x y pen, drawing units
//   28 0 0                  (pen 1 move, 0 draw, 2 filled figure, 3 contour)
//
// Blank lines are skipped. Reading refuses the whole file at its first line
// that is neither a comment, a name nor a sound point, and a file of more
// points than a drawing file holds.

#include <string>
#include <string_view>
#include <vector>

#include "draw/drawing_file.h"

namespace ts {

inline constexpr const char* kWorkDrawingName = "DRW.TMP";
// Far above the longest file of kDrawingFileMaxPoints lines; a larger file
// is not read.
constexpr size_t kWorkDrawingMaxBytes = size_t{4} << 20;

struct WorkDrawing {
  std::string name;
  std::vector<DrawingPoint> points;
};

enum class WorkDrawingStatus { Ok, BadLine, TooManyPoints, TooLarge };

struct WorkDrawingRead {
  WorkDrawingStatus status = WorkDrawingStatus::Ok;
  int line = 0;  // the refused line's number (from 1) for BadLine
};

std::string encodeWorkDrawing(const WorkDrawing& drawing);
// `out` is changed only when the whole text is read.
WorkDrawingRead decodeWorkDrawing(std::string_view text, WorkDrawing& out);

}  // namespace ts
