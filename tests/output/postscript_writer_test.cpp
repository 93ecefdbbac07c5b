// The body of the PostScript file: paths as m / l lines closed by their
// figure's operator, line widths, colours, texts and fonts, items taken
// back, the trailer and the bounding box.

#include "output/postscript_writer.h"

#include <gtest/gtest.h>

#include <vector>

namespace ts {
namespace {

std::string pathText(const std::vector<PathPoint>& points, uint32_t colour = 0) {
  PostScriptWriter writer;
  writer.path(points, colour);
  PrintOptions options;
  options.kind = OutputKind::Eps;
  const std::string document = writer.document(options, {});
  const size_t start = document.find(" g CANTO\n") + 9;
  return document.substr(start, document.find("showpage") - start);
}

TEST(PostScriptWriter, FiguresEndWithTheirOperator) {
  struct Case {
    std::vector<PathPoint> points;
    std::string body;
  };
  for (const Case& c : {
           Case{{{0, 0, 1}, {10, 0, 0}}, "0 0 m\n10 0 l\n s\n"},
           // A filled figure with two contours: the hole stays empty.
           Case{{{0, 0, 2}, {9, 0, 0}, {9, 9, 0}, {0, 0, 0}, {3, 3, 3}, {6, 3, 0}, {6, 6, 0}, {3, 3, 0}},
                "0 0 m\n9 0 l\n9 9 l\n0 0 l\n3 3 m\n6 3 l\n6 6 l\n3 3 l\ng e r s\n"},
           Case{{{0, 0, 1}, {5, 5, 0}, {1, 1, 2}, {2, 2, 0}}, "0 0 m\n5 5 l\n s\n1 1 m\n2 2 l\ng e r s\n"},
           // A width takes effect at the stroke: the part drawn under the old
           // width is stroked first and the line carries on from its last
           // point; the restore writes the default width after the stroke.
           Case{{{999, 25, 99}, {0, 0, 1}, {4, 0, 0}, {999, 50, 99}, {8, 0, 0}, {0, 0, -99}},
                " 25 lw\n0 0 m\n4 0 l\n s\n 50 lw\n4 0 m\n8 0 l\n s\n wdl lw\n"},
           // A drawn point with nothing to draw from starts the figure.
           Case{{{7, 8, 0}, {9, 9, 0}}, "7 8 m\n9 9 l\n s\n"},
           Case{{{-192699, 0, 1}, {1, 1, 1}, {2, 2, 0}}, "1 1 m\n2 2 l\n s\n"},
       }) {
    EXPECT_EQ(pathText(c.points), c.body);
  }
}

TEST(PostScriptWriter, ColoursChangeOnlyWhenTheyDiffer) {
  PostScriptWriter writer;
  writer.path(std::vector<PathPoint>{{0, 0, 1}, {1, 0, 0}}, 0);
  writer.path(std::vector<PathPoint>{{0, 0, 1}, {1, 0, 0}}, 0x0000FF);
  writer.path(std::vector<PathPoint>{{0, 0, 1}, {1, 0, 0}}, 0x0000FF);
  writer.path(std::vector<PathPoint>{{0, 0, 1}, {1, 0, 0}}, 0x808080);
  writer.path(std::vector<PathPoint>{{0, 0, 1}, {1, 0, 0}}, 0);
  const std::string document = writer.document({}, {});
  EXPECT_NE(document.find("1 0 l\n s\n1.000 0.000 0.000 setrgbcolor\n0 0 m\n1 0 l\n s\n0 0 m"), std::string::npos);
  EXPECT_NE(document.find("0.502 0.502 0.502 setrgbcolor\n0 0 m\n1 0 l\n s\n0 setgray\n"), std::string::npos);
}

PrintText textAt(int font, std::string_view name, std::string_view string, float angle = 0.0f) {
  PrintText text;
  text.fontNumber = font;
  text.postScriptName = name;
  text.size = 666.7f;
  text.widthFactor = 1.5f;
  text.angle = angle;
  text.x = 100;
  text.y = -200;
  text.text = string;
  return text;
}

TEST(PostScriptWriter, TextsSelectTheirFontOnceAndListItInTheTrailer) {
  PostScriptWriter writer;
  writer.text(textAt(0, "Times-Roman", "Ab(c)"));
  writer.text(textAt(0, "Times-Roman", "d"));
  writer.text(textAt(5, "Helvetica-Bold", "e", 90.0f));
  PrintedPage page;
  page.fontInit = "%!PS-Adobe-2.0\n% a comment\n/reencodeLatin1 { } def\n";
  const std::string document = writer.document({}, page);
  EXPECT_NE(document.find(" g CANTO\n/reencodeLatin1 { } def\n/Times-Roman f [1000.1 0 0 666.7 0 0] mkf sf\n"
                          "100 -200 m(Ab\\(c\\))sh\n100 -200 m(d)sh\n"
                          "/Helvetica-Bold f [0.0 1000.1 -666.7 0.0 0 0] mkf sf\n100 -200 m(e)sh\n"),
            std::string::npos);
  EXPECT_TRUE(document.ends_with(
      "showpage\n r restore\n%%Trailer\n%%DocumentFonts: Times-Roman\n%%+ Helvetica-Bold\n"));
}

TEST(PostScriptWriter, AbandonedItemLeavesNothing) {
  PostScriptWriter writer;
  writer.path(std::vector<PathPoint>{{0, 0, 1}, {1, 0, 0}}, 0);
  const std::string before = writer.document({}, {});
  writer.itemStarted();
  writer.path(std::vector<PathPoint>{{50000, 50000, 1}, {1, 0, 0}}, 0xFF);
  writer.text(textAt(2, "Times-Italic", "gone"));
  writer.itemAbandoned();
  EXPECT_EQ(writer.document({}, {}), before);
  EXPECT_FALSE(writer.hasText());
}

TEST(PostScriptWriter, TrailerByCopiesAndKind) {
  struct Case {
    OutputKind kind;
    int copies;
    std::string tail;
  };
  for (const Case& c : {
           Case{OutputKind::Printer, 1, "s\nshowpage\n r restore\n%%Trailer\n%%DocumentFonts:\n"},
           Case{OutputKind::Network, 2, "s\n copypage\nshowpage\n r restore\n%%Trailer\n%%DocumentFonts:\n"},
           Case{OutputKind::Printer, 4, "s\n 3 {copypage} repeat\nshowpage\n r restore\n%%Trailer\n%%DocumentFonts:\n"},
           Case{OutputKind::Eps, 4, "s\nshowpage\n r restore\nend\n%%Trailer\n%%DocumentFonts:\n"},
       }) {
    PostScriptWriter writer;
    writer.path(std::vector<PathPoint>{{0, 0, 1}, {1, 0, 0}}, 0);
    PrintOptions options;
    options.kind = c.kind;
    options.copies = c.copies;
    EXPECT_TRUE(writer.document(options, {}).ends_with(c.tail)) << c.copies;
  }
}

TEST(PostScriptWriter, BoundingBoxFollowsCanto) {
  PostScriptWriter::Extent extent{0, -24000, 30000, -20000, false};
  struct Case {
    float size;
    bool mirror, rotate;
    PointBox box;
  };
  for (const Case& c : {
           // size 1, margins 100 and 24250: x (0..30000 + 100) x 0.018, y (250..4250) x 0.018
           Case{1.0f, false, false, {0, 3, 543, 78}},
           Case{0.5f, false, false, {0, 3, 273, 42}},
           // mirrored: x' = 29900 - x runs from -100 to 29900
           Case{1.0f, true, false, {-1, 3, 541, 78}},
           // rotated onto Letter: x = 612 - y, y = -6 + x
           Case{1.0f, false, true, {534, -6, 609, 537}},
       }) {
    PrintOptions options;
    options.size = c.size;
    options.offsetX = 0.0f;
    options.offsetY = 0.0f;
    options.mirror = c.mirror;
    options.rotate = c.rotate;
    const PointBox box = boundingBox(extent, options);
    EXPECT_EQ(box.left, c.box.left) << c.size << c.mirror << c.rotate;
    EXPECT_EQ(box.bottom, c.box.bottom);
    EXPECT_EQ(box.right, c.box.right);
    EXPECT_EQ(box.top, c.box.top);
  }
  EXPECT_EQ(boundingBox({}, {}).right, 0);
}

}  // namespace
}  // namespace ts
