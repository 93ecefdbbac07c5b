// The head of the PostScript and EPS files: CANTO's numbers in their
// columns, the paper selection, and the prolog lines byte for byte.

#include "output/postscript_prolog.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(PostScriptProlog, CantoNumbersInTheirColumns) {
  struct Case {
    float size;
    int lineWidth, resolution;
    float a, b;
    const char *scale, *width, *left, *bottom;
  };
  for (const Case& c : {
           Case{1.0f, 1, 300, 0.0f, 0.0f, " 0.01800", "   13.3433", "    100", "  24250"},
           Case{0.5f, 2, 600, 1.0f, 0.5f, " 0.00900", "   26.7067", "   8200", "  28500"},
           Case{2.0f, 1, 300, 0.3f, -1.0f, " 0.03600", "    6.6717", "    650", "  22125"},
           Case{0.7f, 3, 1200, 0.333f, 0.1f, " 0.01260", "   14.3286", "   2044", "  24928"},
           Case{1.0f, 0, 300, kScreenSheetOffsetX, kScreenSheetOffsetY, " 0.01800", "    0.0000", "   2100", "  59000"},
       }) {
    SCOPED_TRACE(c.size);
    EXPECT_EQ(realField(cantoScale(c.size), 8, 5), c.scale);
    EXPECT_EQ(realField(cantoLineWidth(c.lineWidth, c.resolution, c.size), 10, 4), c.width);
    EXPECT_EQ(intField(cantoLeftMargin(c.a, c.size), 7), c.left);
    EXPECT_EQ(intField(cantoBottomMargin(c.b, c.size), 7), c.bottom);
  }
}

TEST(PostScriptProlog, PaperSelectionPerSize) {
  struct Case {
    PaperSize paper;
    bool rotated;
    const char* line;
  };
  for (const Case& c : {
           Case{PaperSize::Letter, false, ""},
           Case{PaperSize::Legal, false, " statusdict begin legal end"},
           Case{PaperSize::Double, false, " statusdict begin 11x17 end"},
           Case{PaperSize::Ledger, false, " statusdict begin ledger end"},
           Case{PaperSize::Custom, false, " statusdict /setpage known {statusdict begin  648  864 1 setpage end} if"},
           Case{PaperSize::A4, false, " statusdict /setpage known {statusdict begin  595  842 1 setpage end} if"},
           Case{PaperSize::Letter, true, " statusdict /setpage known {statusdict begin  612  792 1 setpage end} if"},
           Case{PaperSize::Legal, true, " statusdict /setpage known {statusdict begin  612 1008 1 setpage end} if"},
       }) {
    EXPECT_EQ(paperSelection(c.paper, c.rotated, 9.0f, 12.0f), c.line) << static_cast<int>(c.paper);
  }
}

PrintOptions plainOptions(OutputKind kind) {
  PrintOptions options;
  options.kind = kind;
  options.offsetX = 0.0f;
  options.offsetY = 0.0f;
  return options;
}

constexpr const char* kCommonLines =
    " /m /moveto load def /l /lineto load def\n"
    " /tr /translate load def /aw /awidthshow load def\n"
    " /e /eofill load def /s /stroke load def /g /gsave load def /r /grestore load def\n"
    " /f /findfont load def /sf /setfont load def\n"
    " /mkf /makefont load def /lw /setlinewidth load def\n";

constexpr const char* kCantoLines =
    " /sh/show load def .1 lw\n"
    " newpath /CANTO  {\n"
    " /size 0.01800 def  /wdl   13.3433 def\n"
    " size dup scale   wdl lw  1 setlinejoin\n"
    " /lmar    100 def /bmar  24250 def\n"
    " lmar bmar tr} def\n"
    " g CANTO\n";

TEST(PostScriptProlog, EpsPrologHasItsOwnDictionaryAndNoPaper) {
  PrintOptions options = plainOptions(OutputKind::Eps);
  options.paper = PaperSize::Legal;
  options.manualFeed = true;
  const std::string expected =
      std::string(" /cantodict 200 dict def cantodict begin\n save\n") + kCommonLines + kCantoLines;
  EXPECT_EQ(prologLines(options), expected);
  EXPECT_EQ(headerComments(OutputKind::Eps, "A.MUS", {-3, 0, 612, 1001}, 1),
            "%!PS-Adobe-2.0 EPSF-1.2\n%%Creator: TONESMITH (tm) Ver. 5.00\n%%Title: A.MUS\n"
            "%%BoundingBox:   -3    0  612 1001\n");
}

TEST(PostScriptProlog, PrinterPrologResetsTheDeviceAndSelectsThePaper) {
  for (const OutputKind kind : {OutputKind::Printer, OutputKind::Network}) {
    PrintOptions options = plainOptions(kind);
    options.paper = PaperSize::Legal;
    const std::string expected = std::string(" %!PS-Adobe-2.0 EPSF-1.2\n erasepage initgraphics\n save\n") +
                                 " statusdict begin /waittimeout 0 def end\n" + kCommonLines +
                                 " statusdict begin legal end\n" + kCantoLines;
    EXPECT_EQ(prologLines(options), expected);
    EXPECT_EQ(headerComments(kind, "A.MUS", {}, 3),
              "%!PS-Adobe-2.0\n%%Creator: TONESMITH (tm) Ver. 5.00\n%%Title: A.MUS\n%%DocumentFonts: (atend)\n"
              "%%EndComments\n%%Page: 3\n");
  }
}

TEST(PostScriptProlog, RotationMirrorFeedAndSnapTakeTheirPlaces) {
  PrintOptions options = plainOptions(OutputKind::Printer);
  options.rotate = true;
  options.mirror = true;
  options.manualFeed = true;
  options.pixelSnap = true;
  const std::string prolog = prologLines(options);
  EXPECT_NE(prolog.find(" newpath /CANTO  {\n 612 -6 tr 90 rotate\n /size"), std::string::npos);
  EXPECT_NE(prolog.find(" g CANTO\n 29900 0 tr -1 1 scale\n statusdict /manualfeed true put \n"), std::string::npos);
  EXPECT_NE(prolog.find(" /m /moveto load def /l /lineto load def\n /setstrokeadjust where\n"), std::string::npos);
  EXPECT_NE(prolog.find(" itransform  lineto } bind def } ifelse\n /tr /translate"), std::string::npos);
  EXPECT_TRUE(prolog.ends_with(" 29900 0 tr -1 1 scale\n statusdict /manualfeed true put \n"));
}

TEST(PostScriptProlog, StringsAreEscaped) {
  struct Case {
    std::string text, escaped;
  };
  for (const Case& c : {Case{"plain", "plain"}, Case{"(a)", "\\(a\\)"}, Case{"a\\b", "a\\\\b"},
                        Case{"\xe9t\xe9", "\\351t\\351"}, Case{std::string("\n\x01", 2), "\\012\\001"}}) {
    EXPECT_EQ(escapedString(c.text), c.escaped);
  }
}

}  // namespace
}  // namespace ts
