#include "draw/drawing_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>


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
      {withIndex(kDrawingHeaderBytes / 2 + 10 * 2, 7), DrawingFileStatus::BadPoint},  // pen 7 of point 1
      {withIndex(kDrawingHeaderBytes / 2 + 10 * 2 + 4, -99), DrawingFileStatus::BadPoint},  // a line-width pen
  };
  for (const auto& c : cases) {
    DrawingFile target;
    target.replaceSlot(7, square(9), "untouched");
    EXPECT_EQ(DrawingFile::decode(c.bytes, target), c.status) << c.bytes.size();
    EXPECT_EQ(target.slotPoints(7), square(9));
  }
}

TEST(DrawingFileTest, ReadingRefusesAMissingFileAndOneLongerThanAnyIndexDescribes) {
  const auto dir = std::filesystem::temp_directory_path() / "ts_drawing_file_read_test";
  std::filesystem::create_directories(dir);
  DrawingFile file;
  EXPECT_EQ(readDrawingFile(dir / "LB0000.DRW", file), DrawingFileStatus::Missing);
  std::vector<uint8_t> huge = DrawingFile().encode();
  huge.resize(kDrawingFileMaxBytes + 1, 0);
  std::ofstream(dir / "LB0010.DRW", std::ios::binary)
      .write(reinterpret_cast<const char*>(huge.data()), static_cast<std::streamsize>(huge.size()));
  EXPECT_EQ(readDrawingFile(dir / "LB0010.DRW", file), DrawingFileStatus::TooLarge);
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ts
