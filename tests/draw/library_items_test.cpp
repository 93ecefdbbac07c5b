#include "draw/library_items.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "draw/draw_messages.h"
#include "draw/page_drawing.h"
#include "support/folder_files.h"

namespace ts {
namespace {

TEST(LibraryItemsTest, ScaleIsAQuarterOfTheStepScaleTimesTheSizes) {
  const struct { float p6, p7, s, x, y; } cases[] = {
      {0, 0, 25, 6.25f, 6.25f},        // size 1 staff: 28 drawing units make a step of 175
      {2, 0, 25, 12.5f, 12.5f},        // the y-size follows the x-size
      {2, 0.5f, 25, 12.5f, 3.125f},
      {0, 3, 25, 6.25f, 18.75f},
      {-1, 0, 25, -6.25f, -6.25f},     // a negative size mirrors
      {0, 0, 20, 5.0f, 5.0f},          // a staff of size 0.8
  };
  for (const auto& c : cases) {
    const LibraryScale scale = libraryItemScale(c.p6, c.p7, c.s);
    EXPECT_FLOAT_EQ(scale.x, c.x) << c.p6 << " " << c.p7 << " " << c.s;
    EXPECT_FLOAT_EQ(scale.y, c.y) << c.p6 << " " << c.p7 << " " << c.s;
  }
}

TEST(LibraryItemsTest, AMissingDrawingDrawsNothingAndSaysWhyOnce) {
  const auto dir = std::filesystem::temp_directory_path() / "ts_library_items_test";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  const testing::FolderFiles files(dir);
  DrawingFile file;
  file.replaceSlot(1, std::vector<DrawingPoint>{{0, 0, 1}, {4, 0, 0}}, "line");
  writeDrawingFile(dir / "LB5000.DRW", file);
  std::ofstream(dir / "LB5010.DRW") << "damaged";

  PageStore page;
  for (std::vector<float> params : std::vector<std::vector<float>>{
           {8, 1, 0, 0}, {9, 1, 10, 0, 5001}, {9, 1, 20, 0, 5002}, {9, 1, 30, 0, 5002}, {9, 1, 40, 0, 5011},
           {9, 1, 50, 0, 6001}, {9, 1, 60, 0, 12345}}) {
    ItemRecord item;
    item.params = params;
    page.append(item);
  }
  std::vector<int32_t> words(100000);
  std::vector<char> text(20000);
  int32_t used = 0, textUsed = 0;
  DisplayTarget target{words.data(), 100000, &used, text.data(), 20000, &textUsed};
  PageDrawer drawer(files, {});
  const DrawReport report = drawer.draw(page, {}, target);
  const std::vector<std::string> expected{
      libraryDrawingMessage(5002, DrawingLookup::EmptySlot), libraryDrawingMessage(5011, DrawingLookup::DamagedFile),
      libraryDrawingMessage(6001, DrawingLookup::NoFile), libraryDrawingMessage(12345, DrawingLookup::BadNumber)};
  EXPECT_EQ(report.warnings, expected);
  EXPECT_EQ(report.warnings[0], "*** Library drawing 5002 not found: LB5000.DRW does not hold it.");
  EXPECT_TRUE(report.places[1].drawn);
  EXPECT_EQ(report.places[1].extent.maxX - report.places[1].extent.minX, 25);  // 4 drawing units at 6.25
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace ts
