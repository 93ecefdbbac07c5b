#include "output/included_picture.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(IncludedPicture, BoundingBoxFromTheFirstUsableLine) {
  struct Case {
    std::string file;
    std::optional<EpsBox> box;
  };
  const Case cases[] = {
      {"%!PS\n%%BoundingBox: 10 20 154 92\n", EpsBox{10, 20, 154, 92}},
      {"%!PS\r%%BoundingBox: (atend)\rstuff\r%%BoundingBox:-1.5 0 2.25 3\r", EpsBox{-1.5, 0, 2.25, 3}},
      {"%!PS\r\n%%BoundingBox: 0 0 10 10\r\n", EpsBox{0, 0, 10, 10}},
      {"%!PS\n%%BoundingBox: 0 0 0 10\n", std::nullopt},      // no width
      {"%!PS\n%%BoundingBox: 0 0 10\n", std::nullopt},        // three numbers
      {"%!PS\n%%BoundingBox: 0 0 1e9 10\n", std::nullopt},    // beyond any sheet
      {"%!PS\n%%BoundingBox: nan 0 10 10\n", std::nullopt},
      {"%!PS\n % %%BoundingBox: 0 0 10 10\n", std::nullopt},  // not at the line's start
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    const std::optional<EpsBox> box = epsBoundingBox(c.file);
    ASSERT_EQ(box.has_value(), c.box.has_value()) << c.file;
    if (!box) continue;
    EXPECT_EQ(box->left, c.box->left);
    EXPECT_EQ(box->bottom, c.box->bottom);
    EXPECT_EQ(box->right, c.box->right);
    EXPECT_EQ(box->top, c.box->top);
  }
}

std::string dosEps(uint32_t start, uint32_t length, const std::string& rest) {
  std::string file = "\xC5\xD0\xD3\xC6";
  for (const uint32_t value : {start, length}) {
    for (int i = 0; i < 4; ++i) file += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  file.resize(30, '\0');
  return file + rest;
}

TEST(IncludedPicture, DosBinaryFilesGiveTheirPostScriptSection) {
  EXPECT_EQ(epsPostScript(dosEps(30, 5, "%!PS\nTIFF")), "%!PS\n");
  EXPECT_EQ(epsPostScript(dosEps(30, 50, "%!PS\n")), "");          // past the end
  EXPECT_EQ(epsPostScript(dosEps(0xFFFFFFF0u, 50, "%!PS\n")), "");  // start far outside
  EXPECT_EQ(epsPostScript("%!PS\nplain"), "%!PS\nplain");
}

TEST(IncludedPicture, WrapperKeepsThePictureToItselfAndSetsThePageUpAgain) {
  PrintPicture picture;
  picture.name = "logo.eps";
  picture.x = 3000;
  picture.y = -24525;
  picture.scale = 1.5f;
  picture.angle = 30.0f;
  picture.params = {60, -30, 1.5f, 30};
  const std::string lines = wrappedPicture(picture, EpsBox{10, 20, 154, 92}, "%!PS\nshowpage", true);
  const std::string expectedInOrder[] = {
      " r g /--sav2-- save def /showpage { } def\n", " % -- START USER-ADDED POSTSCRIPT CODE --\n",
      " /globalsize size def\n", " /lnwd wdl def\n", " /loff lmar def\n", " /boff bmar def\n", " /stafflevel 0 def\n",
      " /pointslevel", " /staffsize 1 def\n", " /pp3 60 def\n", " /pp4 -30 def\n", " /pp5 1.5 def\n", " /pp6 30 def\n",
      " CANTO\n 29900 0 tr -1 1 scale\n", " 3000 -24525 tr\n", " 30 rotate\n", " 83.3333 83.3333 scale\n",
      " -10 -20 tr", "%%BeginDocument: logo.eps\n%!PS\nshowpage\n%%EndDocument\n",
      " % -- END USER-ADDED POSTSCRIPT CODE --\n", " --sav2-- restore r g\n", " CANTO\n 29900 0 tr -1 1 scale\n"};
  size_t at = 0;
  for (const std::string& line : expectedInOrder) {
    const size_t found = lines.find(line, at);
    ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line << "\nin:\n" << lines;
    at = found + line.size();
  }
  EXPECT_EQ(at, lines.size());
}

}  // namespace
}  // namespace ts
