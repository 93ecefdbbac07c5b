#include "engine/draw_mode_messages.h"

#include <cstdio>

#include "model/page_file.h"

namespace ts::draw_mode_messages {

std::string pointCountMessage(bool editing, size_t points) {
  char text[64];
  std::snprintf(text, sizeof text, "***** %s - %4zu Points", editing ? "Editing" : "Drawing", points);
  return text;
}

std::string libraryWriteMessage(LibraryWriteStatus status, int number) {
  const std::string file = drawingFileName(number);
  switch (status) {
    case LibraryWriteStatus::Written: return {};
    case LibraryWriteStatus::BadNumber: return kBadNumber;
    case LibraryWriteStatus::Damaged:
      return "*** " + file + " is damaged: the library is left as it was.";
    case LibraryWriteStatus::TooManyPoints:
      return "*** " + file + " cannot hold more than 32766 points: the library is left as it was.";
    case LibraryWriteStatus::BadPoint: return "*** The drawing has a point no library file can hold.";
    case LibraryWriteStatus::ReadOnly: return writeErrorMessage(file, WriteResult::ReadOnly);
    case LibraryWriteStatus::WriteFailed: return writeErrorMessage(file, WriteResult::Failed);
  }
  return {};
}

std::string workDrawingReadMessage(const WorkDrawingRead& read, std::string_view name) {
  const std::string file(name);
  switch (read.status) {
    case WorkDrawingStatus::Ok: return {};
    case WorkDrawingStatus::BadLine:
      return "*** " + file + " line " + std::to_string(read.line) + " is not a point (x y pen): nothing read.";
    case WorkDrawingStatus::TooManyPoints: return "*** " + file + " holds more than 32766 points: nothing read.";
    case WorkDrawingStatus::TooLarge: return "*** " + file + " is too large for a drawing: nothing read.";
  }
  return {};
}

std::string workDrawingWritten(std::string_view name) { return "**** Drawing written to " + std::string(name); }

}  // namespace ts::draw_mode_messages
