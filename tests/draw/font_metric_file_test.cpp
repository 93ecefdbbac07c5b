// The metric file's layout, its checks, and the files the build makes from
// the URW AFM metrics.

#include "draw/font_metric_file.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <sstream>

#include <unistd.h>

#include "draw/font_table.h"

namespace ts {
namespace {

namespace fs = std::filesystem;

FontMetricFile sampleFile() {
  FontMetricFile file;
  file.name = "Times-Roman";
  for (size_t slot = 0; slot < file.widths.size(); ++slot) file.widths[slot] = static_cast<int16_t>(100 + slot);
  return file;
}

TEST(FontMetricFile, EverySlotMeasuresADistinctPrintableCode) {
  std::set<int> codes;
  for (const uint8_t code : kSlotCodes) {
    EXPECT_TRUE((code >= 32 && code <= 126) || code >= 161) << int(code);
    codes.insert(code);
  }
  EXPECT_EQ(codes.size(), static_cast<size_t>(kMetricSlots));
  for (int slot = 0; slot < kMetricSlots; ++slot) EXPECT_EQ(metricSlot(kSlotCodes[static_cast<size_t>(slot)]), slot);
}

TEST(FontMetricFile, CodesWithoutASlotAreMeasuredAsANearCharacter) {
  const struct { int code; char measuredAs; } cases[] = {
      {160, ' '}, {173, '-'}, {208, 'D'}, {215, 'x'}, {240, 'd'}, {247, '+'}, {9, ' '}, {127, ' '},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(metricSlot(static_cast<unsigned char>(c.code)), metricSlot(static_cast<unsigned char>(c.measuredAs)))
        << c.code;
  }
}

TEST(FontMetricFile, NamesTheFileOfEachNumber) {
  const struct { int number; const char* name; } cases[] = {
      {0, "fm00.fmt"}, {7, "fm07.fmt"}, {34, "fm34.fmt"}, {107, "fm07.fmt"}, {99, "fm99.fmt"},
  };
  for (const auto& c : cases) EXPECT_EQ(metricFileName(c.number), c.name) << c.number;
}

TEST(FontMetricFile, WritesTheDocumentedLayoutAndReadsItBack) {
  const std::vector<uint8_t> bytes = encodeFontMetrics(sampleFile());
  ASSERT_EQ(bytes.size(), 358u);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 28), "Times-Roman                 ");
  int16_t slots = 0, firstWidth = 0;
  int32_t sum = 0;
  std::memcpy(&slots, bytes.data() + 28, 2);
  std::memcpy(&firstWidth, bytes.data() + 30, 2);
  std::memcpy(&sum, bytes.data() + 354, 4);
  EXPECT_EQ(slots, 162);
  EXPECT_EQ(firstWidth, 100);
  EXPECT_EQ(sum, 162 * 100 + 161 * 162 / 2);
  FontMetricFile read;
  ASSERT_EQ(decodeFontMetrics(bytes, read), MetricFileStatus::Ok);
  EXPECT_EQ(read.name, "Times-Roman");
  EXPECT_EQ(read.widths, sampleFile().widths);
}

TEST(FontMetricFile, RefusesADamagedFileWhole) {
  const std::vector<uint8_t> good = encodeFontMetrics(sampleFile());
  auto setWord = [](std::vector<uint8_t> bytes, size_t offset, int16_t value) {
    std::memcpy(bytes.data() + offset, &value, 2);
    return bytes;
  };
  std::vector<uint8_t> longer = good;
  longer.push_back(0);
  std::vector<uint8_t> badName = good;
  badName[3] = 0;
  const struct { std::vector<uint8_t> bytes; MetricFileStatus status; } cases[] = {
      {{}, MetricFileStatus::WrongSize},
      {std::vector<uint8_t>(good.begin(), good.end() - 1), MetricFileStatus::WrongSize},
      {longer, MetricFileStatus::WrongSize},
      {badName, MetricFileStatus::BadName},
      {setWord(good, 28, 161), MetricFileStatus::BadSlotCount},
      {setWord(good, 30, -1), MetricFileStatus::BadWidth},
      {setWord(good, 32, 6381), MetricFileStatus::BadWidth},
      {setWord(good, 34, 103), MetricFileStatus::BadChecksum},
  };
  for (const auto& c : cases) {
    FontMetricFile out;
    out.name = "untouched";
    EXPECT_EQ(decodeFontMetrics(c.bytes, out), c.status);
    EXPECT_EQ(out.name, "untouched");
  }
}

TEST(FontMetricFile, ReadsNoMoreThanAMetricFileHolds) {
  const fs::path dir = fs::temp_directory_path() / ("ts_font_metric_file_" + std::to_string(::getpid()));
  fs::create_directories(dir);
  FontMetricFile out;
  EXPECT_EQ(readFontMetricFile(dir / "none.fmt", out), MetricFileStatus::Missing);
  std::ofstream(dir / "big.fmt", std::ios::binary) << std::string(1 << 20, 'x');
  EXPECT_EQ(readFontMetricFile(dir / "big.fmt", out), MetricFileStatus::WrongSize);
  const std::vector<uint8_t> good = encodeFontMetrics(sampleFile());
  std::ofstream(dir / "good.fmt", std::ios::binary).write(reinterpret_cast<const char*>(good.data()), 358);
  EXPECT_EQ(readFontMetricFile(dir / "good.fmt", out), MetricFileStatus::Ok);
  fs::remove_all(dir);
}

// ---- the font library the build makes ---------------------------------------

std::optional<fs::path> builtFontLibrary() {
  for (const char* candidate : {"../fontlib", "fontlib", "../../fontlib"}) {
    if (fs::exists(fs::path(candidate) / "fm00.fmt")) return fs::path(candidate);
  }
  return std::nullopt;
}

// WX of the glyphs an AFM file encodes, by code.
std::map<int, int> afmWidthsByCode(const fs::path& afm) {
  std::map<int, int> widths;
  std::ifstream in(afm);
  std::string line;
  while (std::getline(in, line)) {
    int code = 0, width = 0;
    if (std::sscanf(line.c_str(), "C %d ; WX %d ;", &code, &width) == 2 && code >= 0) widths[code] = width;
  }
  return widths;
}

TEST(FontMetricFile, BuiltFilesHoldEveryFontUnderItsPostScriptName) {
  const auto library = builtFontLibrary();
  if (!library) GTEST_SKIP() << "the font library was not built (target font_metrics)";
  for (int font = 0; font < kScreenFontCount; ++font) {
    FontMetricFile file;
    ASSERT_EQ(readFontMetricFile(*library / metricFileName(font), file), MetricFileStatus::Ok) << font;
    EXPECT_EQ(file.name, postScriptName(font));
  }
  EXPECT_TRUE(fs::exists(*library / "fmfontinit.psc"));
  EXPECT_TRUE(fs::exists(*library / "URW-LICENSE.txt"));
}

// The ASCII letters, digits and signs of Times-Roman are 638/1000 of the AFM
// advance (its standard encoding gives 39 and 96 to other quotes).
TEST(FontMetricFile, TimesRomanWidthsAreTheAfmAdvances) {
  const auto library = builtFontLibrary();
  const fs::path afm = "/usr/share/fonts/type1/urw-base35/NimbusRoman-Regular.afm";
  if (!library || !fs::exists(afm)) GTEST_SKIP() << "the font library or the URW metrics are missing";
  FontMetricFile file;
  ASSERT_EQ(readFontMetricFile(*library / "fm00.fmt", file), MetricFileStatus::Ok);
  const std::map<int, int> widths = afmWidthsByCode(afm);
  for (int code = 32; code <= 126; ++code) {
    if (code == 39 || code == 96) continue;
    const long expected = std::lround(widths.at(code) * 0.638);
    EXPECT_EQ(file.widths[static_cast<size_t>(metricSlot(static_cast<unsigned char>(code)))], expected) << code;
  }
}

}  // namespace
}  // namespace ts
