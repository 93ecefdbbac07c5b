#pragma once
// Library drawing files. Drawing n lives in slot n mod 10 of the file
// "LB" + the four digits of n with the last one set to 0 + ".DRW". A file
// is little-endian and has no header beyond its index:
//
//   11 x int16   first point number (from 1) of slots 0..9, then the
//                number after the last point; equal neighbours = empty slot
//   10 x 24 B    slot names, blank-padded
//   N  x float32 X of every point, slot after slot      (N = entry 11 - 1)
//   N  x float32 Y of every point
//   N  x int16   pen of every point (1 move, 0 draw, 2 filled figure,
//                3 further contour of that figure)
//
// Coordinates are drawing units: the symbol routine draws a drawing at
// 0.25 x its scales, so four drawing units make one symbol unit and a
// staff step (7 symbol units) is 28 drawing units.

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

class HostFiles;

constexpr int kDrawingSlots = 10;          // drawings per file
constexpr int kDrawingIndexEntries = 11;   // first point of each slot + end
constexpr int kDrawingNameLength = 24;     // bytes per slot name, blank-padded
constexpr int kDrawingMaxNumber = 9999;    // "LB9990.DRW" holds the last ten
constexpr int kDrawingFileMaxPoints = 32766;  // the index is int16 and counts from 1
constexpr int kDrawingHeaderBytes = kDrawingIndexEntries * 2 + kDrawingSlots * kDrawingNameLength;
constexpr int kDrawingPointBytes = 4 + 4 + 2;  // x, y, pen
// The largest file the index can describe; anything longer is not a
// drawing file, and reading stops there instead of taking in a huge file.
constexpr size_t kDrawingFileMaxBytes =
    static_cast<size_t>(kDrawingHeaderBytes) + static_cast<size_t>(kDrawingFileMaxPoints) * kDrawingPointBytes;
// Drawing units of the editor's page span about +-700; a coordinate far
// beyond (or not a number) can only come from a damaged file, and would
// overflow the int32 page units the device layer truncates to.
constexpr float kDrawingMaxCoordinate = 1.0e6f;

struct DrawingPoint {
  float x = 0.0f;
  float y = 0.0f;
  int16_t pen = 0;
  bool operator==(const DrawingPoint&) const = default;
};

// Missing: no file to read. BadPoint: a coordinate no drawing can hold, or
// a pen other than move, draw, fill and contour.
enum class DrawingFileStatus { Ok, Missing, Truncated, TooLarge, BadIndex, BadPoint, TooManyPoints, BadNumber };

// The ten slots of one drawing file, held as one point list with the index.
class DrawingFile {
 public:
  DrawingFile();  // an empty file: all index entries 1, blank names

  static DrawingFileStatus decode(std::span<const uint8_t> bytes, DrawingFile& out);
  std::vector<uint8_t> encode() const;

  bool slotEmpty(int slot) const;
  std::vector<DrawingPoint> slotPoints(int slot) const;
  std::string slotName(int slot) const;  // trailing blanks removed
  // Replaces one slot's points and name; the later slots' index entries
  // move by the change in point count. Refuses a change that would not fit
  // the int16 index (TooManyPoints) or a point that no file may hold
  // (BadPoint), leaving the file unchanged.
  DrawingFileStatus replaceSlot(int slot, std::span<const DrawingPoint> points,
                                std::string_view name);

  const std::array<int16_t, kDrawingIndexEntries>& index() const { return m_index; }
  int pointCount() const { return m_index[kDrawingSlots] - 1; }

 private:
  std::array<int16_t, kDrawingIndexEntries> m_index{};
  std::array<std::array<char, kDrawingNameLength>, kDrawingSlots> m_names{};
  std::vector<DrawingPoint> m_points;
};

// A finite coordinate within kDrawingMaxCoordinate.
bool coordinateIsSound(float value);
// One of the four pens a drawing holds (1 move, 0 draw, 2 fill, 3 contour).
bool penIsSound(int16_t pen);

// "LB0120.DRW" for drawings 120..129; empty for numbers outside 0..9999.
std::string drawingFileName(int drawingNumber);
int drawingSlot(int drawingNumber);  // n mod 10

// Reads a whole file, refusing a missing, damaged or oversized one.
DrawingFileStatus readDrawingFile(const std::filesystem::path& path, DrawingFile& out);
// A plain write for the build tool that makes the bundled library in its
// own output folder; the engine writes drawing files through HostFiles
// (drawing_file_writer.h).
bool writeDrawingFile(const std::filesystem::path& path, const DrawingFile& file);

}  // namespace ts
