// Any bytes read as a library drawing file and, when the reader takes
// them, one slot replaced and the result read back: the reader must never
// read outside the bytes, and a replaced file must keep every other slot
// as it was. The same bytes are read as the editor's text work drawing,
// which must read back what it writes.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>
#include <vector>

#include "draw/drawing_file.h"
#include "draw/work_drawing_file.h"

namespace {

void replaceAndReadBack(const ts::DrawingFile& file, uint8_t choice) {
  const int slot = choice % ts::kDrawingSlots;
  // The new drawing: the points of another slot, so sizes vary with the input.
  const int source = (slot + 1 + choice / ts::kDrawingSlots) % ts::kDrawingSlots;
  const std::vector<ts::DrawingPoint> points = file.slotPoints(source);
  ts::DrawingFile changed = file;
  const ts::DrawingFileStatus replaced = changed.replaceSlot(slot, points, "fuzz");
  if (replaced != ts::DrawingFileStatus::Ok) {
    if (replaced != ts::DrawingFileStatus::TooManyPoints) std::abort();
    return;
  }
  ts::DrawingFile back;
  if (ts::DrawingFile::decode(changed.encode(), back) != ts::DrawingFileStatus::Ok) std::abort();
  if (back.slotPoints(slot) != points || back.slotName(slot) != "fuzz") std::abort();
  for (int other = 0; other < ts::kDrawingSlots; ++other) {
    if (other == slot) continue;
    if (back.slotPoints(other) != file.slotPoints(other) || back.slotName(other) != file.slotName(other)) std::abort();
  }
}

void readWorkDrawing(std::string_view text) {
  ts::WorkDrawing drawing;
  if (ts::decodeWorkDrawing(text, drawing).status != ts::WorkDrawingStatus::Ok) return;
  ts::WorkDrawing back;
  if (ts::decodeWorkDrawing(ts::encodeWorkDrawing(drawing), back).status != ts::WorkDrawingStatus::Ok) std::abort();
  if (back.points != drawing.points) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  ts::DrawingFile file;
  if (ts::DrawingFile::decode(bytes, file) == ts::DrawingFileStatus::Ok) {
    // The file must read back as it was read, whatever followed its points.
    ts::DrawingFile again;
    if (ts::DrawingFile::decode(file.encode(), again) != ts::DrawingFileStatus::Ok) std::abort();
    replaceAndReadBack(file, size > 0 ? data[size - 1] : 0);
  }
  readWorkDrawing(std::string_view(reinterpret_cast<const char*>(data), size));
  return 0;
}
