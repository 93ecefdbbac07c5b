// The PDF writer: figures, widths, colours and texts in PDF operators, the
// page placed as CANTO places it, items taken back, and a file whose
// cross-reference table a reader can follow: every offset read back points
// at its object, every stream is as long as it says.

#include "output/pdf_writer.h"

#include <gtest/gtest.h>

#include <charconv>
#include <map>
#include <vector>

namespace ts {
namespace {

// The objects of a PDF found through its cross-reference table, as a
// reader finds them; a failed expectation for every way it can go wrong.
std::map<int, std::string> objectsByTable(const std::string& pdf) {
  std::map<int, std::string> objects;
  const size_t startxref = pdf.rfind("startxref\n");
  EXPECT_NE(startxref, std::string::npos);
  EXPECT_TRUE(pdf.ends_with("%%EOF\n"));
  const size_t xref = std::stoul(pdf.substr(startxref + 10));
  EXPECT_EQ(pdf.compare(xref, 5, "xref\n"), 0);
  const size_t countAt = xref + 7;  // "xref\n0 "
  const int count = std::stoi(pdf.substr(countAt));
  size_t entry = pdf.find('\n', countAt) + 1;
  EXPECT_EQ(pdf.substr(entry, 20), "0000000000 65535 f \n");
  for (int number = 1; number < count; ++number) {
    entry += 20;
    EXPECT_EQ(pdf.substr(entry + 10, 10), " 00000 n \n") << number;
    const size_t offset = std::stoul(pdf.substr(entry, 10));
    const std::string head = std::to_string(number) + " 0 obj\n";
    EXPECT_EQ(pdf.compare(offset, head.size(), head), 0) << "object " << number << " at " << offset;
    const size_t end = pdf.find("\nendobj\n", offset);
    objects[number] = pdf.substr(offset + head.size(), end - offset - head.size());
  }
  EXPECT_EQ(pdf.compare(entry + 20, 8, "trailer\n"), 0);
  EXPECT_NE(pdf.find("/Size " + std::to_string(count) + " "), std::string::npos);
  return objects;
}

// A stream object's data, checked against its /Length.
std::string streamData(const std::string& object) {
  const size_t lengthAt = object.find("/Length ") + 8;
  size_t length = 0;
  std::from_chars(object.data() + lengthAt, object.data() + object.size(), length);
  const size_t start = object.find(">>\nstream\n") + 10;
  EXPECT_EQ(object.substr(start + length), "\nendstream");
  return object.substr(start, length);
}

std::string contentOf(const PdfWriter& writer, const std::vector<PdfFont>& fonts = {}) {
  std::map<int, std::string> objects = objectsByTable(writer.document("page.mus", fonts));
  return streamData(objects[4]);
}

// The page's marks: what follows the set-up.
std::string marksOf(const PdfWriter& writer) {
  const std::string content = contentOf(writer);
  const size_t start = content.find(" w 1 j\n") + 7;
  return content.substr(start, content.size() - 2 - start);
}

TEST(PdfWriter, PagesShareOneFileAndOnePageIsWhatTheWriterMakes) {
  PrintOptions options;
  std::vector<PdfWriter> pages(2, PdfWriter(options));
  const std::vector<PathPoint> first{{10, 20, 1}, {30, 40, 0}};
  const std::vector<PathPoint> second{{50, 60, 1}, {70, 80, 0}};
  pages[0].path(first, 0);
  pages[1].path(second, 0);
  EXPECT_EQ(pdfDocument(std::span<const PdfWriter>(pages.data(), 1), "p", {}), pages[0].document("p", {}));
  std::map<int, std::string> objects = objectsByTable(pdfDocument(pages, "p", {}));
  EXPECT_NE(objects[2].find("/Kids [3 0 R 5 0 R] /Count 2"), std::string::npos) << objects[2];
  EXPECT_NE(streamData(objects[4]).find("10 20 m"), std::string::npos);
  EXPECT_NE(streamData(objects[6]).find("50 60 m"), std::string::npos);
  EXPECT_EQ(streamData(objects[6]).find("10 20 m"), std::string::npos) << "the pages keep their own marks";
  EXPECT_NE(objects[5].find("/Contents 6 0 R"), std::string::npos) << objects[5];
}

TEST(PdfWriter, FiguresEndWithTheirOperator) {
  struct Case {
    std::vector<PathPoint> points;
    std::string marks;
  };
  for (const Case& c : {
           Case{{{0, 0, 1}, {10, 0, 0}}, "0 0 m\n10 0 l\nS\n"},
           // A filled figure with two contours: even-odd, so the hole stays empty, then stroked.
           Case{{{0, 0, 2}, {9, 0, 0}, {9, 9, 0}, {3, 3, 3}, {6, 3, 0}, {6, 6, 0}}, "0 0 m\n9 0 l\n9 9 l\n3 3 m\n6 3 l\n6 6 l\nB*\n"},
           Case{{{0, 0, 1}, {5, 5, 0}, {1, 1, 2}, {2, 2, 0}}, "0 0 m\n5 5 l\nS\n1 1 m\n2 2 l\nB*\n"},
           // Width points, never inside a path (PDF forbids it): the part drawn
           // under the old width is stroked first; the restore takes CANTO's
           // width, 1 x (4000 / 300 + 0.01) / 1.
           Case{{{999, 25, 99}, {0, 0, 1}, {4, 0, 0}, {999, 50, 99}, {8, 0, 0}, {0, 0, -99}},
                "25 w\n0 0 m\n4 0 l\nS\n50 w\n4 0 m\n8 0 l\nS\n13.3433 w\n"},
           Case{{{7, 8, 0}, {9, 9, 0}}, "7 8 m\n9 9 l\nS\n"},
           Case{{{-192699, 0, 1}, {1, 1, 1}, {2, 2, 0}}, "1 1 m\n2 2 l\nS\n"},
       }) {
    PdfWriter writer({});
    writer.path(c.points, 0);
    EXPECT_EQ(marksOf(writer), c.marks);
  }
}

TEST(PdfWriter, ColoursFillAndStrokeAndChangeOnlyWhenTheyDiffer) {
  PdfWriter writer({});
  for (const uint32_t colour : {0u, 0x0000FFu, 0x0000FFu, 0x808080u, 0u}) {
    writer.path(std::vector<PathPoint>{{0, 0, 1}, {1, 0, 0}}, colour);
  }
  const std::string line = "0 0 m\n1 0 l\nS\n";
  EXPECT_EQ(marksOf(writer), line + "1.000 0.000 0.000 rg 1.000 0.000 0.000 RG\n" + line + line +
                                 "0.502 0.502 0.502 rg 0.502 0.502 0.502 RG\n" + line + "0 g 0 G\n" + line);
}

PrintText textAt(int font, std::string_view string, float angle = 0.0f) {
  PrintText text;
  text.fontNumber = font;
  text.size = 666.7f;
  text.widthFactor = 1.5f;
  text.angle = angle;
  text.x = 100;
  text.y = -200;
  text.text = string;
  return text;
}

TEST(PdfWriter, TextsShowInTheirFontWithThePostScriptMatrix) {
  PdfWriter writer({});
  writer.text(textAt(0, "Ab(c)\xE9"));
  writer.text(textAt(5, "e", 90.0f));
  writer.text(textAt(77, "f"));  // no such font: the first, as its printer's name says
  writer.text(textAt(5, ""));
  EXPECT_EQ(marksOf(writer),
            "BT /F0 1 Tf 1000.1 0.0 0.0 666.7 100 -200 Tm (Ab\\(c\\)\\351) Tj ET\n"
            "BT /F5 1 Tf 0.0 1000.1 -666.7 0.0 100 -200 Tm (e) Tj ET\n"
            "BT /F0 1 Tf 1000.1 0.0 0.0 666.7 100 -200 Tm (f) Tj ET\n");
  EXPECT_EQ(writer.fontsUsed(), (std::vector<int>{0, 5}));
}

TEST(PdfWriter, AbandonedItemLeavesNothing) {
  PdfWriter writer({});
  writer.path(std::vector<PathPoint>{{0, 0, 1}, {1, 0, 0}}, 0);
  const std::string before = writer.document("p", {});
  writer.itemStarted();
  writer.path(std::vector<PathPoint>{{50000, 50000, 1}, {1, 0, 0}}, 0xFF);
  writer.text(textAt(2, "gone"));
  writer.itemAbandoned();
  EXPECT_EQ(writer.document("p", {}), before);
  EXPECT_TRUE(writer.fontsUsed().empty());
}

TEST(PdfWriter, PagePlacedAsCantoPlacesIt) {
  struct Case {
    float size;
    bool rotate, mirror;
    std::string setUp;
  };
  for (const Case& c : {
           // margins: 0.5 x 4000 + 100 and 8.6875 x 4000 + 24000 + 250
           Case{1.0f, false, false, "0.01800 0 0 0.01800 0 0 cm\n1 0 0 1 2100 59000 cm\n13.3433 w 1 j\n"},
           Case{0.5f, false, false, "0.00900 0 0 0.00900 0 0 cm\n1 0 0 1 4200 94000 cm\n26.6867 w 1 j\n"},
           // turned a quarter about the origin, then moved the sheet's width right and 6 points down
           Case{1.0f, true, false,
                "0 1 -1 0 612 -6 cm\n0.01800 0 0 0.01800 0 0 cm\n1 0 0 1 2100 59000 cm\n13.3433 w 1 j\n"},
           Case{1.0f, false, true,
                "0.01800 0 0 0.01800 0 0 cm\n1 0 0 1 2100 59000 cm\n-1 0 0 1 29900 0 cm\n13.3433 w 1 j\n"},
       }) {
    PrintOptions options;
    options.size = c.size;
    options.rotate = c.rotate;
    options.mirror = c.mirror;
    const PdfWriter writer(options);
    EXPECT_EQ(contentOf(writer), "q\n" + c.setUp + "Q\n") << c.size << c.rotate << c.mirror;
  }
}

TEST(PdfWriter, SheetOfThePaper) {
  struct Case {
    PaperSize paper;
    std::string box;
  };
  for (const Case& c : {Case{PaperSize::Letter, "[0 0 612 792]"}, Case{PaperSize::A4, "[0 0 595 842]"},
                        Case{PaperSize::Custom, "[0 0 648 864]"}}) {
    PrintOptions options;
    options.paper = c.paper;
    std::map<int, std::string> objects = objectsByTable(PdfWriter(options).document("p", {}));
    EXPECT_NE(objects[3].find("/MediaBox " + c.box), std::string::npos) << objects[3];
  }
}

PdfFont embeddedFont(int number, bool symbolic) {
  PdfFont font;
  font.number = number;
  font.baseFont = symbolic ? "StandardSymbolsPS" : "NimbusRoman-Regular";
  font.data = PdfFontData{};
  font.data->fontName = font.baseFont;
  font.data->flags = symbolic ? kPdfFlagSymbolic : kPdfFlagNonsymbolic;
  font.data->widths.fill(500);
  font.program = "%!clear eexec\r" + std::string("\x01\x02\x03\x04\x05", 5) + std::string(512, '0') + "cleartomark\n";
  font.parts = {14, 5, 524, font.baseFont};
  return font;
}

TEST(PdfWriter, FontsEmbeddedWholeWithTheirLengths) {
  PdfWriter writer({});
  writer.text(textAt(0, "a"));
  writer.text(textAt(33, "b"));
  writer.text(textAt(1, "c"));
  PdfFont missing;
  missing.number = 1;
  missing.baseFont = "Times-Bold";
  const std::vector<PdfFont> fonts = {embeddedFont(0, false), embeddedFont(33, true), missing};
  std::map<int, std::string> objects = objectsByTable(writer.document("p", fonts));
  const std::string& resources = objects[3];
  std::map<std::string, std::string> byName;
  for (const auto& [number, body] : objects) {
    const size_t name = body.find("/BaseFont /") + 11;
    if (body.starts_with("<< /Type /Font ")) byName[body.substr(name, body.find(' ', name) - name)] = body;
    if (body.find("/Length1 14 /Length2 5 /Length3 524") != std::string::npos) {
      EXPECT_EQ(streamData(body), fonts[0].program);
    }
  }
  ASSERT_EQ(byName.size(), 3u) << resources;
  EXPECT_NE(byName["NimbusRoman-Regular"].find("/FirstChar 32 /LastChar 255 /Widths [\n500 500"), std::string::npos);
  EXPECT_NE(byName["NimbusRoman-Regular"].find("/Encoding "), std::string::npos);
  EXPECT_EQ(byName["StandardSymbolsPS"].find("/Encoding"), std::string::npos);
  EXPECT_EQ(byName["Times-Bold"], "<< /Type /Font /Subtype /Type1 /BaseFont /Times-Bold >>");
  for (const char* resource : {"/F0 ", "/F33 ", "/F1 "}) EXPECT_NE(resources.find(resource), std::string::npos);
  bool encodingFound = false;
  for (const auto& [number, body] : objects) {
    if (!body.starts_with("<< /Type /Encoding /Differences [")) continue;
    encodingFound = true;
    EXPECT_NE(body.find("\n32 /space /exclam"), std::string::npos);
    EXPECT_NE(body.find("\n160 /space /exclamdown"), std::string::npos);
    EXPECT_NE(body.find("/eacute /ecircumflex"), std::string::npos);
  }
  EXPECT_TRUE(encodingFound);
}

}  // namespace
}  // namespace ts
