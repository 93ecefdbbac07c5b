// A Type 1 program split into the three parts a PDF states the lengths of,
// and refused whole when it cannot be split cleanly; the programs the
// build puts into the font library all split, under the names their font
// data files give.

#include "output/type1_program.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "output/pdf_font_data.h"

namespace ts {
namespace {

namespace fs = std::filesystem;

const std::string kCleartext = "%!PS-AdobeFont-1.0: Test-Roman 1.0\n/FontName /Test-Roman def\ncurrentfile eexec\r";
// Encrypted bytes that end in what looks like the trailer's zeros and blanks.
const std::string kEncrypted = std::string("\xE9\x8D\x09\xD7\x60\xA3\xC2\x2C\x00\xFF", 10) + "00\r";

std::string zeros(size_t count) {
  std::string out;
  for (size_t i = 0; i < count; ++i) out += (i % 64 == 63) ? "0\r" : "0";
  return out;
}

const std::string kTrailer = zeros(kTrailerZeros) + "cleartomark\n";

TEST(Type1Program, SplitsIntoCleartextEncryptedAndTrailer) {
  const std::optional<Type1Parts> parts = splitType1Program(kCleartext + kEncrypted + kTrailer);
  ASSERT_TRUE(parts);
  EXPECT_EQ(parts->cleartext, kCleartext.size());
  EXPECT_EQ(parts->encrypted, kEncrypted.size());
  EXPECT_EQ(parts->trailer, kTrailer.size());
  EXPECT_EQ(parts->fontName, "Test-Roman");
}

TEST(Type1Program, EndsOfLineAfterEexecBelongToTheCleartext) {
  for (const std::string_view end : {"\n", "\r\n", "\r", " \n"}) {
    const std::string clear = "%!FontType1-1.0: T\n/FontName /T def\ncurrentfile eexec" + std::string(end);
    const std::optional<Type1Parts> parts = splitType1Program(clear + kEncrypted + kTrailer);
    ASSERT_TRUE(parts) << end.size();
    EXPECT_EQ(parts->cleartext, clear.size());
    EXPECT_EQ(parts->encrypted, kEncrypted.size());
  }
}

TEST(Type1Program, DamagedProgramsAreRefusedWhole) {
  const std::string good = kCleartext + kEncrypted + kTrailer;
  std::string noEexec = good;
  noEexec.replace(noEexec.find("eexec"), 5, "exec!");
  std::string badName = good;
  badName.replace(badName.find("/Test-Roman"), 11, "/Test(Roman");
  std::string noName = good;
  noName.replace(noName.find("/FontName"), 9, "/FontNeme");
  const struct {
    const char* why;
    std::string program;
  } cases[] = {
      {"empty", ""},
      {"no eexec", noEexec},
      {"eexec not ending its line", "%!\n/FontName /T def\ncurrentfile eexec" + kEncrypted + kTrailer},
      {"truncated in the encrypted part", good.substr(0, kCleartext.size() + 4)},
      {"truncated in the zeros", good.substr(0, kCleartext.size() + kEncrypted.size() + 300)},
      {"truncated before cleartomark ends", good.substr(0, good.size() - 4)},
      {"too few zeros", kCleartext + "\xE9\x8D\x09\xD7\x60" + zeros(kTrailerZeros - 1) + "cleartomark\n"},
      {"encrypted part shorter than its random bytes", kCleartext + "\xE9\x8D\x09" + kTrailer},
      {"not a PostScript font (a PFB)", "\x80\x01" + good},
      {"a font name a PDF cannot carry", badName},
      {"no font name", noName},
      {"larger than any font program", good + std::string(kLargestFontProgram, '0')},
  };
  for (const auto& c : cases) EXPECT_FALSE(splitType1Program(c.program)) << c.why;
}

TEST(Type1Program, PlainFontNames) {
  EXPECT_TRUE(isPlainFontName("NimbusRoman-Regular"));
  EXPECT_TRUE(isPlainFontName("C059-BdIta"));
  EXPECT_TRUE(isPlainFontName(std::string(kLongestFontName, 'A')));
  const std::string tooLong(kLongestFontName + 1, 'A');
  for (const std::string_view bad : {std::string_view(), std::string_view("../fm00"), std::string_view("Times Roman"),
                                     std::string_view("A/B"), std::string_view("A(B"), std::string_view(tooLong)}) {
    EXPECT_FALSE(isPlainFontName(bad)) << bad;
  }
}

// ---- the font library the build makes ---------------------------------------

std::optional<fs::path> builtFontLibrary() {
  for (const char* candidate : {"../fontlib", "fontlib", "../../fontlib"}) {
    if (fs::exists(fs::path(candidate) / pdfFontDataName(0))) return fs::path(candidate);
  }
  return std::nullopt;
}

std::string fileText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST(Type1Program, EveryBuiltProgramSplitsUnderItsDataName) {
  const std::optional<fs::path> library = builtFontLibrary();
  if (!library) GTEST_SKIP() << "the font library is not built";
  for (int font = 0; font < 35; ++font) {
    const std::optional<PdfFontData> data = decodePdfFontData(fileText(*library / pdfFontDataName(font)));
    ASSERT_TRUE(data) << font;
    const std::string program = fileText(*library / (data->fontName + ".t1"));
    const std::optional<Type1Parts> parts = splitType1Program(program);
    ASSERT_TRUE(parts) << data->fontName;
    EXPECT_EQ(parts->fontName, data->fontName);
    EXPECT_EQ(parts->cleartext + parts->encrypted + parts->trailer, program.size());
    const std::string trailer = program.substr(parts->cleartext + parts->encrypted);
    EXPECT_EQ(std::count(trailer.begin(), trailer.begin() + static_cast<long>(trailer.find("cleartomark")), '0'),
              static_cast<long>(kTrailerZeros));
  }
}

}  // namespace
}  // namespace ts
