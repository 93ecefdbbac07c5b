// Replacing one drawing of a library file: the documented byte layout, the
// other slots kept byte for byte, and damaged files left as they were.

#include "draw/drawing_file_writer.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "support/folder_files.h"

namespace ts {
namespace {

namespace fs = std::filesystem;

std::vector<uint8_t> bytesOf(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int16_t int16At(const std::vector<uint8_t>& bytes, size_t offset) {
  int16_t value = 0;
  std::memcpy(&value, bytes.data() + offset, 2);
  return value;
}

float floatAt(const std::vector<uint8_t>& bytes, size_t offset) {
  float value = 0;
  std::memcpy(&value, bytes.data() + offset, 4);
  return value;
}

class DrawingFileWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_dir = fs::temp_directory_path() / ("ts_writer_" + std::to_string(::getpid()));
    fs::remove_all(m_dir);
    fs::create_directories(m_dir);
  }
  void TearDown() override { fs::remove_all(m_dir); }

  // A file with slot 0 = a 2-point line "first" and slot 4 = a 3-point "later".
  fs::path writeStart() {
    DrawingFile file;
    file.replaceSlot(0, std::vector<DrawingPoint>{{0, 0, 1}, {5, 0, 0}}, "first");
    file.replaceSlot(4, std::vector<DrawingPoint>{{1, 1, 2}, {2, 1, 0}, {1, 2, 0}}, "later");
    const fs::path path = m_dir / "LB5000.DRW";
    writeDrawingFile(path, file);
    return path;
  }

  fs::path m_dir;
};

TEST_F(DrawingFileWriterTest, ReplacingASlotMovesTheLaterEntriesAndKeepsTheOtherSlotsByteForByte) {
  const fs::path path = writeStart();
  const std::vector<uint8_t> before = bytesOf(path);
  const testing::FolderFiles files(m_dir);
  const std::vector<DrawingPoint> corner{{0, 0, 1}, {28, 0, 0}, {28, 28, 0}, {0, 28, 1}};
  ASSERT_EQ(replaceDrawingInFile(files, path, "C:\\tonesmith\\cantlib\\LB5000.DRW", 5001, corner, "Corner"),
            LibraryWriteStatus::Written);
  const std::vector<uint8_t> after = bytesOf(path);

  // Index: slot 0 from point 1 (2 points), slot 1 from 3 (4 points), slots 2..4 from 7, slot 4 holds 3, end 10.
  const int16_t index[kDrawingIndexEntries] = {1, 3, 7, 7, 7, 10, 10, 10, 10, 10, 10};
  for (int i = 0; i < kDrawingIndexEntries; ++i) EXPECT_EQ(int16At(after, static_cast<size_t>(i) * 2), index[i]) << i;
  const size_t names = kDrawingIndexEntries * 2;
  EXPECT_EQ(std::string(after.begin() + names + 24, after.begin() + names + 48), "Corner" + std::string(18, ' '));
  // Every name but slot 1's is the old bytes.
  EXPECT_TRUE(std::equal(before.begin() + names, before.begin() + names + 24, after.begin() + names));
  EXPECT_TRUE(
      std::equal(before.begin() + names + 48, before.begin() + kDrawingHeaderBytes, after.begin() + names + 48));

  const size_t n = 9, xs = kDrawingHeaderBytes, ys = xs + n * 4, pens = ys + n * 4;
  ASSERT_EQ(after.size(), pens + n * 2);
  const float x[] = {0, 5, 0, 28, 28, 0, 1, 2, 1};
  const float y[] = {0, 0, 0, 0, 28, 28, 1, 1, 2};
  const int16_t pen[] = {1, 0, 1, 0, 0, 1, 2, 0, 0};
  for (size_t i = 0; i < n; ++i) {
    EXPECT_EQ(floatAt(after, xs + i * 4), x[i]) << i;
    EXPECT_EQ(floatAt(after, ys + i * 4), y[i]) << i;
    EXPECT_EQ(int16At(after, pens + i * 2), pen[i]) << i;
  }
}

TEST_F(DrawingFileWriterTest, ANewFileStartsEmptyAroundTheOneSlot) {
  const testing::FolderFiles files(m_dir);
  ASSERT_EQ(replaceDrawingInFile(files, std::nullopt, "LB5010.DRW", 5019, std::vector<DrawingPoint>{{1, 2, 1}}, "x"),
            LibraryWriteStatus::Written);
  DrawingFile back;
  ASSERT_EQ(readDrawingFile(m_dir / "LB5010.DRW", back), DrawingFileStatus::Ok);
  const std::array<int16_t, kDrawingIndexEntries> expected{1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 2};
  EXPECT_EQ(back.index(), expected);
  EXPECT_EQ(back.slotName(9), "x");
}

TEST_F(DrawingFileWriterTest, RefusesDamagedFilesAndBadDrawingsLeavingTheFileAsItWas) {
  const fs::path path = writeStart();
  std::vector<uint8_t> damaged = bytesOf(path);
  damaged[kDrawingIndexEntries * 2 - 2] = 0x7F;  // the end entry points past the file's end
  const struct {
    const char* what;
    std::vector<uint8_t> content;
    int number;
    std::vector<DrawingPoint> points;
    LibraryWriteStatus status;
  } cases[] = {
      {"damaged index", damaged, 5003, {{0, 0, 1}}, LibraryWriteStatus::Damaged},
      {"cut short", std::vector<uint8_t>(damaged.begin(), damaged.begin() + 30), 5003, {{0, 0, 1}},
       LibraryWriteStatus::Damaged},
      {"bad pen", bytesOf(path), 5003, {{0, 0, 7}}, LibraryWriteStatus::BadPoint},
      {"too many points", bytesOf(path), 5003, std::vector<DrawingPoint>(kDrawingFileMaxPoints, {0, 0, 0}),
       LibraryWriteStatus::TooManyPoints},
      {"no such number", bytesOf(path), 10000, {{0, 0, 1}}, LibraryWriteStatus::BadNumber},
  };
  const testing::FolderFiles files(m_dir);
  for (const auto& c : cases) {
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(c.content.data()), static_cast<std::streamsize>(c.content.size()));
    EXPECT_EQ(replaceDrawingInFile(files, path, "LB5000.DRW", c.number, c.points, "new"), c.status) << c.what;
    EXPECT_EQ(bytesOf(path), c.content) << c.what;
  }
}

}  // namespace
}  // namespace ts
