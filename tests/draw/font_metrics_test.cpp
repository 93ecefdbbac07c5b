// Where the widths of a font come from: the fixed font folders first, then
// the font library that came with the program; damaged files are passed by.

#include "draw/font_metrics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <unistd.h>

#include "model/host_files.h"
#include "support/folder_map_files.h"

namespace ts {
namespace {

namespace fs = std::filesystem;

using FolderFiles = testing::FolderMapFiles;

class FontMetricsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() / ("ts_font_metrics_" + std::to_string(::getpid()));
    for (const char* folder : {"fixed", "program", "bundled"}) fs::create_directories(m_root / folder);
    m_files.folders[std::string(kFontFolders[0])] = m_root / "fixed";
    m_files.folders[std::string(kFontFolders[1])] = m_root / "program";
  }
  void TearDown() override { fs::remove_all(m_root); }

  // A metric file whose every width is `width`.
  void write(const char* folder, int number, int16_t width) {
    FontMetricFile file;
    file.name = "Test";
    file.widths.fill(width);
    const std::vector<uint8_t> bytes = encodeFontMetrics(file);
    std::ofstream(m_root / folder / metricFileName(number), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  }
  void damage(const char* folder, int number) {
    std::ofstream(m_root / folder / metricFileName(number), std::ios::binary) << "not a metric file";
  }

  fs::path m_root;
  FolderFiles m_files;
};

TEST_F(FontMetricsTest, TheFirstReadableFileWins) {
  const struct {
    const char* fixed;    // "w": a file, "d": a damaged one, "": none
    const char* program;
    const char* bundled;
    float advance;  // 0: no widths
  } cases[] = {
      {"w", "w", "w", 1.0f}, {"", "w", "w", 0.5f}, {"", "", "w", 0.25f},
      {"d", "", "w", 0.25f}, {"d", "d", "", 0.0f}, {"", "", "", 0.0f},
  };
  int number = 0;
  for (const auto& c : cases) {
    ++number;
    const std::pair<const char*, const char*> places[] = {{"fixed", c.fixed}, {"program", c.program}, {"bundled", c.bundled}};
    const int16_t widths[] = {638, 319, 160};
    for (size_t i = 0; i < 3; ++i) {
      if (std::string(places[i].second) == "w") write(places[i].first, number, widths[i]);
      if (std::string(places[i].second) == "d") damage(places[i].first, number);
    }
    FontMetrics metrics(m_files, m_root / "bundled");
    const FontWidths* found = metrics.widths(number);
    if (c.advance == 0.0f) {
      EXPECT_EQ(found, nullptr) << number;
    } else {
      ASSERT_NE(found, nullptr) << number;
      EXPECT_NEAR(found->advance('a'), c.advance, 0.002f) << number;
    }
  }
}

TEST_F(FontMetricsTest, AFontIsReadOnce) {
  write("bundled", 7, 638);
  FontMetrics metrics(m_files, m_root / "bundled");
  ASSERT_NE(metrics.widths(7), nullptr);
  EXPECT_EQ(metrics.widths(8), nullptr);
  fs::remove(m_root / "bundled" / "fm07.fmt");
  write("bundled", 8, 638);
  EXPECT_NE(metrics.widths(7), nullptr);
  EXPECT_EQ(metrics.widths(8), nullptr);
}

TEST_F(FontMetricsTest, NumbersOutsideTheFilesHaveNoWidths) {
  write("bundled", 0, 638);
  FontMetrics metrics(m_files, m_root / "bundled");
  for (const int number : {-1, 100, 107}) EXPECT_EQ(metrics.widths(number), nullptr) << number;
}

}  // namespace
}  // namespace ts
