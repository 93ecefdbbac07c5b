// Where a PDF's fonts come from: the fixed font folders first, then the
// font library that came with the program; a font whose data or program is
// missing or damaged is named without being embedded, and said.

#include "output/pdf_fonts.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>

#include <unistd.h>

#include "draw/font_metrics.h"
#include "model/host_files.h"
#include "support/folder_map_files.h"

namespace ts {
namespace {

namespace fs = std::filesystem;

using FolderFiles = testing::FolderMapFiles;

std::string program(const std::string& name) {
  return "%!FontType1-1.0: " + name + "\n/FontName /" + name + " def\ncurrentfile eexec\r\x01\x02\x03\x04\x05" +
         std::string(512, '0') + "cleartomark\n";
}

class PdfFontsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    m_root = fs::temp_directory_path() / ("ts_pdf_fonts_" + std::to_string(::getpid()));
    for (const char* folder : {"fixed", "bundled", "preferred"}) fs::create_directories(m_root / folder);
    m_files.folders[std::string(kFontFolders[0])] = m_root / "fixed";
    m_files.folders["D:\\MY FONTS\\"] = m_root / "preferred";
  }
  void TearDown() override { fs::remove_all(m_root); }

  void writeData(const char* folder, int number, const std::string& name, int width) {
    PdfFontData data;
    data.fontName = name;
    data.widths.fill(width);
    std::ofstream(m_root / folder / pdfFontDataName(number), std::ios::binary) << encodePdfFontData(data);
  }
  void writeProgram(const char* folder, const std::string& name, const std::string& text) {
    std::ofstream(m_root / folder / (name + ".t1"), std::ios::binary) << text;
  }
  PdfFont find(int number) { return findPdfFont(m_files, {"", m_root / "bundled"}, number); }

  fs::path m_root;
  FolderFiles m_files;
};

TEST_F(PdfFontsTest, BundledFontIsEmbeddedUnderItsProgramName) {
  writeData("bundled", 4, "NimbusSans-Regular", 600);
  writeProgram("bundled", "NimbusSans-Regular", program("NimbusSans-Regular"));
  const PdfFont font = find(4);
  EXPECT_TRUE(font.embedded());
  EXPECT_EQ(font.baseFont, "NimbusSans-Regular");
  EXPECT_EQ(font.program, program("NimbusSans-Regular"));
  EXPECT_EQ(font.data->widths[0], 600);
}

TEST_F(PdfFontsTest, FixedFolderComesFirstAndDamagedFilesArePassedBy) {
  writeData("bundled", 0, "NimbusRoman-Regular", 500);
  writeProgram("bundled", "NimbusRoman-Regular", program("NimbusRoman-Regular"));
  writeData("fixed", 0, "NimbusRoman-Regular", 700);
  writeProgram("fixed", "NimbusRoman-Regular", "%!damaged: no eexec");
  const PdfFont font = find(0);
  EXPECT_EQ(font.data->widths[0], 700);
  EXPECT_TRUE(font.embedded());  // the bundled program, since the fixed one is damaged
  std::ofstream(m_root / "fixed" / pdfFontDataName(0)) << "damaged";
  EXPECT_EQ(find(0).data->widths[0], 500);
}

TEST_F(PdfFontsTest, ThePreferencesFolderComesBeforeTheFixedOnes) {
  writeData("fixed", 5, "NimbusSans-Bold", 700);
  writeData("preferred", 5, "NimbusSans-Bold", 650);
  writeProgram("bundled", "NimbusSans-Bold", program("NimbusSans-Bold"));
  const PdfFont font = findPdfFont(m_files, {"D:\\MY FONTS", m_root / "bundled"}, 5);  // no closing backslash
  EXPECT_EQ(font.data->widths[0], 650);
  EXPECT_TRUE(font.embedded());
}

TEST_F(PdfFontsTest, MissingOrDamagedFontsAreNamedWithoutEmbedding) {
  writeData("bundled", 1, "NimbusRoman-Bold", 500);
  writeProgram("bundled", "NimbusRoman-Bold", program("NimbusRoman-Bold").substr(0, 200));
  struct Case {
    int number;
    bool hasData;
  };
  for (const Case& c : {Case{1, true}, Case{2, false}}) {
    const PdfFont font = find(c.number);
    EXPECT_FALSE(font.embedded()) << c.number;
    EXPECT_EQ(font.data.has_value(), c.hasData);
    EXPECT_EQ(font.baseFont, c.number == 1 ? "Times-Bold" : "Times-Italic");
    EXPECT_EQ(notEmbeddedWarning(font), std::string("*** Font not embedded in the PDF (its program or data is "
                                                    "missing or damaged): ") + font.baseFont);
  }
}

}  // namespace
}  // namespace ts
