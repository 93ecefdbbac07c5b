#include "draw/work_drawing_file.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

TEST(WorkDrawingFileTest, RoundTripsTheNameAndEveryPointExactly) {
  const WorkDrawing drawing{"Coda", {{0, 0, 1}, {28.125f, -3.3333333f, 0}, {1e6f, -1e6f, 2}, {0.1f, 0.2f, 3}}};
  WorkDrawing back;
  const WorkDrawingRead read = decodeWorkDrawing(encodeWorkDrawing(drawing), back);
  ASSERT_EQ(read.status, WorkDrawingStatus::Ok);
  EXPECT_EQ(back.name, "Coda");
  EXPECT_EQ(back.points, drawing.points);
  ASSERT_EQ(decodeWorkDrawing(encodeWorkDrawing({"", drawing.points}), back).status, WorkDrawingStatus::Ok);
  EXPECT_EQ(back.name, "");
}

TEST(WorkDrawingFileTest, ReadsHandWrittenFilesAndRefusesTheFirstBadLineWhole) {
  const struct {
    const char* text;
    WorkDrawingStatus status;
    int line;
    size_t points;
  } cases[] = {
      {"# made by hand\n\nNAME  Mark \r\n0 0 1\r\n  28 0 0\n", WorkDrawingStatus::Ok, 0, 2},
      {"0 0 1\n28 0\n", WorkDrawingStatus::BadLine, 2, 0},            // no pen
      {"0 0 1\n28 0 0 5\n", WorkDrawingStatus::BadLine, 2, 0},        // a word too many
      {"0 0 4\n", WorkDrawingStatus::BadLine, 1, 0},                  // not a drawing pen
      {"0 0 0.5\n", WorkDrawingStatus::BadLine, 1, 0},
      {"0 nan 1\n", WorkDrawingStatus::BadLine, 1, 0},
      {"0 inf 1\n", WorkDrawingStatus::BadLine, 1, 0},
      {"2e6 0 1\n", WorkDrawingStatus::BadLine, 1, 0},                // beyond any drawing
      {"1 2 0x1\n", WorkDrawingStatus::BadLine, 1, 0},
      {"point 1 2\n", WorkDrawingStatus::BadLine, 1, 0},
  };
  for (const auto& c : cases) {
    WorkDrawing out{"kept", {{9, 9, 1}}};
    const WorkDrawingRead read = decodeWorkDrawing(c.text, out);
    EXPECT_EQ(read.status, c.status) << c.text;
    EXPECT_EQ(read.line, c.line) << c.text;
    if (c.status == WorkDrawingStatus::Ok) {
      EXPECT_EQ(out.points.size(), c.points) << c.text;
      EXPECT_EQ(out.name, "Mark");
    } else {
      EXPECT_EQ(out.name, "kept") << c.text;  // refused whole: nothing changed
    }
  }
}

TEST(WorkDrawingFileTest, RefusesMorePointsThanADrawingFileHolds) {
  std::string text;
  for (int i = 0; i <= kDrawingFileMaxPoints; ++i) text += "1 1 0\n";
  WorkDrawing out;
  EXPECT_EQ(decodeWorkDrawing(text, out).status, WorkDrawingStatus::TooManyPoints);
  EXPECT_EQ(decodeWorkDrawing(std::string(kWorkDrawingMaxBytes + 1, '\n'), out).status, WorkDrawingStatus::TooLarge);
}

}  // namespace
}  // namespace ts
