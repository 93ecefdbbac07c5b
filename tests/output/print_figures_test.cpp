#include "output/print_figures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ts {
namespace {

// Writes each operator as a word, points as "x,y".
class Recorder : public FigureOperators {
 public:
  std::string text;
  void lineWidth(int32_t units) override { text += "w" + std::to_string(units) + " "; }
  void defaultLineWidth() override { text += "wdl "; }
  void moveTo(const PathPoint& p) override { text += "m" + std::to_string(p.x) + "," + std::to_string(p.y) + " "; }
  void lineTo(const PathPoint& p) override { text += "l" + std::to_string(p.x) + "," + std::to_string(p.y) + " "; }
  void endFigure(FigureKind kind) override { text += kind == FigureKind::Filled ? "fill " : "stroke "; }
};

std::string walked(const std::vector<PathPoint>& points) {
  Recorder out;
  walkFigures(points, out);
  return out.text;
}

TEST(PrintFigures, AWidthIsSetBeforeTheFiguresDrawnUnderItAreStroked) {
  // A staff line under a weight: the restore comes after the last line's
  // points but must not reach its stroke.
  EXPECT_EQ(walked({{999, 30, 99}, {0, 0, 1}, {10, 0, 0}, {0, 5, 1}, {10, 5, 0}, {0, 0, -99}}),
            "w30 m0,0 l10,0 stroke m0,5 l10,5 stroke wdl ");
  // A width change inside a polyline ends it there and carries it on.
  EXPECT_EQ(walked({{0, 0, 1}, {10, 0, 0}, {999, 40, 99}, {20, 0, 0}, {0, 0, -99}}),
            "m0,0 l10,0 stroke w40 m10,0 l20,0 stroke wdl ");
  // Filled figures keep their kind across the change.
  EXPECT_EQ(walked({{0, 0, 2}, {10, 0, 0}, {0, 0, -99}, {10, 10, 0}}), "m0,0 l10,0 fill wdl m10,0 l10,10 fill ");
}

TEST(PrintFigures, ScreenMarkersDrawNothingAndLonePointsStartFigures) {
  EXPECT_EQ(walked({{-200000, 0, 1}, {5, 5, 0}, {6, 6, 0}}), "m5,5 l6,6 stroke ");
  EXPECT_EQ(walked({{0, 0, 2}, {4, 0, 0}, {4, 4, 0}, {1, 1, 3}, {2, 1, 0}}), "m0,0 l4,0 l4,4 m1,1 l2,1 fill ");
}

}  // namespace
}  // namespace ts
