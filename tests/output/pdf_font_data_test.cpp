// The font data file: what the build writes reads back the same, and a
// file that is damaged anywhere is refused whole.

#include "output/pdf_font_data.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

PdfFontData sample() {
  PdfFontData data;
  data.fontName = "NimbusSans-Italic";
  data.flags = 96;
  data.boundingBox = {-144, -284, 1154, 1070};
  data.italicAngle = -12.5;
  data.ascent = 1070;
  data.descent = -284;
  data.capHeight = 729;
  data.stemV = 80;
  for (int i = 0; i < kPdfWidthCount; ++i) data.widths[static_cast<size_t>(i)] = (i * 37) % 1001;
  return data;
}

TEST(PdfFontData, ReadsBackWhatItWrites) {
  const std::optional<PdfFontData> read = decodePdfFontData(encodePdfFontData(sample()));
  ASSERT_TRUE(read);
  const PdfFontData expected = sample();
  EXPECT_EQ(read->fontName, expected.fontName);
  EXPECT_EQ(read->flags, expected.flags);
  EXPECT_EQ(read->boundingBox, expected.boundingBox);
  EXPECT_EQ(read->italicAngle, expected.italicAngle);
  EXPECT_EQ(read->ascent, expected.ascent);
  EXPECT_EQ(read->descent, expected.descent);
  EXPECT_EQ(read->capHeight, expected.capHeight);
  EXPECT_EQ(read->stemV, expected.stemV);
  EXPECT_EQ(read->widths, expected.widths);
  EXPECT_FALSE(read->symbolic());
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
  return text.replace(text.find(from), from.size(), to);
}

TEST(PdfFontData, DamagedFilesAreRefusedWhole) {
  const std::string good = encodePdfFontData(sample());
  const std::string lastWidth = " " + std::to_string(sample().widths.back()) + "\n";
  const struct {
    const char* why;
    std::string text;
  } cases[] = {
      {"empty", ""},
      {"no mark", good.substr(good.find('\n') + 1)},
      {"a name that leaves the folder", replaced(good, "NimbusSans-Italic", "../../secret")},
      {"a missing field", replaced(good, "CapHeight 729\n", "")},
      {"an unknown field", replaced(replaced(good, "Ascent", "Xscent"), "Descent", "Ascent")},
      {"a width too large", replaced(good, "Widths\n0 ", "Widths\n10001 ")},
      {"a negative width", replaced(good, "Widths\n0 ", "Widths\n-1 ")},
      {"a width that is no number", replaced(good, "Widths\n0 ", "Widths\n0x1 ")},
      {"an angle beyond upright", replaced(good, "-12.5", "-91")},
      {"an angle that is no number", replaced(good, "-12.5", "nan")},
      {"a width short", replaced(good, lastWidth, "\n")},
      {"a width more", good + "5\n"},
      {"a box of three numbers", replaced(good, " 1070\nItalic", "\nItalic")},
      {"too long", good + std::string(kLargestPdfFontData, ' ')},
  };
  for (const auto& c : cases) EXPECT_FALSE(decodePdfFontData(c.text)) << c.why;
}

TEST(PdfFontData, FileNamesFollowTheFontNumber) {
  EXPECT_EQ(pdfFontDataName(0), "fd00.fdt");
  EXPECT_EQ(pdfFontDataName(34), "fd34.fdt");
}

}  // namespace
}  // namespace ts
