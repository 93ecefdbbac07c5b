#include "draw/drawing_file_writer.h"

#include "model/host_files.h"

namespace ts {
namespace {

LibraryWriteStatus fromReplace(DrawingFileStatus status) {
  switch (status) {
    case DrawingFileStatus::Ok: return LibraryWriteStatus::Written;
    case DrawingFileStatus::TooManyPoints: return LibraryWriteStatus::TooManyPoints;
    case DrawingFileStatus::BadPoint: return LibraryWriteStatus::BadPoint;
    default: return LibraryWriteStatus::BadNumber;
  }
}

// The one place a drawing file leaves the engine.
LibraryWriteStatus writeWholeDrawingFile(const HostFiles& files, std::string_view target, const DrawingFile& file) {
  const std::vector<uint8_t> bytes = file.encode();
  switch (files.writeWhole(target, bytes)) {
    case WriteResult::Written: return LibraryWriteStatus::Written;
    case WriteResult::ReadOnly: return LibraryWriteStatus::ReadOnly;
    default: return LibraryWriteStatus::WriteFailed;
  }
}

}  // namespace

LibraryWriteStatus replaceDrawingInFile(const HostFiles& files, const std::optional<std::filesystem::path>& source,
                                        std::string_view target, int number, std::span<const DrawingPoint> points,
                                        std::string_view name) {
  if (drawingFileName(number).empty()) return LibraryWriteStatus::BadNumber;
  DrawingFile file;
  if (source && readDrawingFile(*source, file) != DrawingFileStatus::Ok) return LibraryWriteStatus::Damaged;
  const LibraryWriteStatus replaced = fromReplace(file.replaceSlot(drawingSlot(number), points, name));
  if (replaced != LibraryWriteStatus::Written) return replaced;
  return writeWholeDrawingFile(files, target, file);
}

}  // namespace ts
