#include "draw/drawing_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "model/host_files.h"

namespace ts {
namespace {

std::vector<DrawingPoint> square(float size) {
  return {{0, 0, 2}, {size, 0, 0}, {size, size, 0}, {0, size, 0}, {0, 0, 0}};
}

void putInt16(std::vector<uint8_t>& bytes, size_t offset, int16_t value) {
  std::memcpy(bytes.data() + offset, &value, 2);
}

TEST(DrawingFileTest, NamesTheFileOfEachDrawingAndItsSlot) {
  const struct { int number; const char* file; int slot; } cases[] = {
      {0, "LB0000.DRW", 0},   {9, "LB0000.DRW", 9},    {10, "LB0010.DRW", 0},
      {129, "LB0120.DRW", 9}, {9999, "LB9990.DRW", 9}, {4650, "LB4650.DRW", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(drawingFileName(c.number), c.file) << c.number;
    EXPECT_EQ(drawingSlot(c.number), c.slot) << c.number;
  }
  EXPECT_EQ(drawingFileName(-1), "");
  EXPECT_EQ(drawingFileName(10000), "");
}

TEST(DrawingFileTest, EmptyFileHasAllEntriesOneAndBlankNames) {
  const DrawingFile empty;
  const std::vector<uint8_t> bytes = empty.encode();
  ASSERT_EQ(bytes.size(), static_cast<size_t>(kDrawingHeaderBytes));
  for (int i = 0; i < kDrawingIndexEntries; ++i) EXPECT_EQ(empty.index()[i], 1);
  EXPECT_EQ(bytes[kDrawingIndexEntries * 2], ' ');
  DrawingFile back;
  ASSERT_EQ(DrawingFile::decode(bytes, back), DrawingFileStatus::Ok);
  for (int slot = 0; slot < kDrawingSlots; ++slot) EXPECT_TRUE(back.slotEmpty(slot));
}

TEST(DrawingFileTest, SlotsSurviveARoundTripWithTheirNames) {
  DrawingFile file;
  ASSERT_EQ(file.replaceSlot(3, square(2), "square"), DrawingFileStatus::Ok);
  ASSERT_EQ(file.replaceSlot(0, square(1), "small"), DrawingFileStatus::Ok);
  ASSERT_EQ(file.replaceSlot(9, std::vector<DrawingPoint>{{1.5f, -2.25f, 1}}, "dot"),
            DrawingFileStatus::Ok);
  const std::array<int16_t, kDrawingIndexEntries> expected{1, 6, 6, 6, 11, 11, 11, 11, 11, 11, 12};
  EXPECT_EQ(file.index(), expected);

  DrawingFile back;
  ASSERT_EQ(DrawingFile::decode(file.encode(), back), DrawingFileStatus::Ok);
  EXPECT_EQ(back.index(), expected);
  EXPECT_EQ(back.slotPoints(0), square(1));
  EXPECT_EQ(back.slotPoints(3), square(2));
  EXPECT_EQ(back.slotPoints(9).at(0), (DrawingPoint{1.5f, -2.25f, 1}));
  EXPECT_EQ(back.slotName(3), "square");
  EXPECT_EQ(back.slotName(9), "dot");
  EXPECT_TRUE(back.slotEmpty(5));
}

TEST(DrawingFileTest, ReplacingASlotShiftsTheLaterSlotsOnly) {
  DrawingFile file;
  file.replaceSlot(2, square(1), "a");
  file.replaceSlot(5, square(5), "b");
  file.replaceSlot(2, std::vector<DrawingPoint>(12, DrawingPoint{7, 7, 0}), "longer");
  EXPECT_EQ(file.index()[3], 13);
  EXPECT_EQ(file.slotPoints(5), square(5));
  file.replaceSlot(2, {}, "");
  EXPECT_TRUE(file.slotEmpty(2));
  EXPECT_EQ(file.index()[kDrawingSlots], 6);
  EXPECT_EQ(file.slotPoints(5), square(5));
  EXPECT_EQ(file.slotName(2), "");
}

TEST(DrawingFileTest, RefusesAChangeTheIndexCannotHold) {
  DrawingFile file;
  file.replaceSlot(1, square(1), "kept");
  const std::vector<DrawingPoint> huge(kDrawingFileMaxPoints, DrawingPoint{});
  EXPECT_EQ(file.replaceSlot(4, huge, "too big"), DrawingFileStatus::TooManyPoints);
  EXPECT_EQ(file.pointCount(), 5);
  EXPECT_EQ(file.slotName(4), "");
  EXPECT_EQ(file.replaceSlot(10, square(1), "no slot"), DrawingFileStatus::BadNumber);
  const std::vector<DrawingPoint> endless{{0, std::numeric_limits<float>::infinity(), 2}};
  EXPECT_EQ(file.replaceSlot(4, endless, "inf"), DrawingFileStatus::BadPoint);
  EXPECT_EQ(file.pointCount(), 5);
}

TEST(DrawingFileTest, RefusesDamagedFilesAndKeepsTheTarget) {
  DrawingFile good;
  good.replaceSlot(0, square(3), "s");
  const std::vector<uint8_t> bytes = good.encode();

  auto withFloat = [&](size_t pointWord, float value) {
    std::vector<uint8_t> damaged = bytes;
    std::memcpy(damaged.data() + kDrawingHeaderBytes + pointWord * 4, &value, 4);
    return damaged;
  };
  auto withIndex = [&](int entry, int16_t value) {
    std::vector<uint8_t> damaged = bytes;
    putInt16(damaged, static_cast<size_t>(entry) * 2, value);
    return damaged;
  };
  const struct { std::vector<uint8_t> bytes; DrawingFileStatus status; } cases[] = {
      {{}, DrawingFileStatus::Truncated},
      {std::vector<uint8_t>(bytes.begin(), bytes.begin() + 21), DrawingFileStatus::Truncated},
      {std::vector<uint8_t>(bytes.begin(), bytes.end() - 1), DrawingFileStatus::Truncated},
      {withIndex(0, 0), DrawingFileStatus::BadIndex},
      {withIndex(4, 2), DrawingFileStatus::BadIndex},               // runs backwards
      {withIndex(10, 30000), DrawingFileStatus::Truncated},         // more points than bytes
      {withIndex(10, -5), DrawingFileStatus::BadIndex},
      {withFloat(1, std::numeric_limits<float>::quiet_NaN()), DrawingFileStatus::BadPoint},
      {withFloat(7, 3.0e9f), DrawingFileStatus::BadPoint},          // a Y beyond int32 units
  };
  for (const auto& c : cases) {
    DrawingFile target;
    target.replaceSlot(7, square(9), "untouched");
    EXPECT_EQ(DrawingFile::decode(c.bytes, target), c.status) << c.bytes.size();
    EXPECT_EQ(target.slotPoints(7), square(9));
  }
}

// Finds names in one folder without regard to case, as the host does.
class FolderFiles : public HostFiles {
 public:
  explicit FolderFiles(std::filesystem::path dir) : m_dir(std::move(dir)) {}
  std::optional<std::filesystem::path> findExisting(std::string_view name) const override {
    const std::string wanted = lower(std::string(name.substr(name.find_last_of("\\/") + 1)));
    for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
      if (lower(entry.path().filename().string()) == wanted) return entry.path();
    }
    return std::nullopt;
  }
  std::filesystem::path forWriting(std::string_view name) const override { return m_dir / name; }

 private:
  static std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }
  std::filesystem::path m_dir;
};

TEST(DrawingFileTest, LoadsALibraryDrawingThroughTheHost) {
  const auto dir = std::filesystem::temp_directory_path() / "ts_drawing_file_test";
  std::filesystem::create_directories(dir);
  DrawingFile file;
  file.replaceSlot(3, square(4), "sign");
  ASSERT_TRUE(writeDrawingFile(dir / "lb0120.drw", file));
  std::ofstream(dir / "LB0130.DRW", std::ios::binary) << "garbage";
  const FolderFiles host(dir);

  EXPECT_EQ(loadLibraryDrawing(host, "C:\\tonesmith\\cantlib\\", 123), square(4));
  EXPECT_FALSE(loadLibraryDrawing(host, "C:\\tonesmith\\cantlib\\", 124));  // empty slot
  EXPECT_FALSE(loadLibraryDrawing(host, "C:\\tonesmith\\cantlib\\", 133));  // damaged file
  EXPECT_FALSE(loadLibraryDrawing(host, "C:\\tonesmith\\cantlib\\", 143));  // no file
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ts
