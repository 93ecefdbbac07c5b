#pragma once
// Draws a page of items with the symbol library the build makes and gives
// back what the drawing routines put into the lists, in page units, cut
// into paths: for tests that check a routine's corners and ends.

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "draw/display_figures.h"
#include "draw/page_drawing.h"
#include "draw/text_list.h"
#include "model/host_files.h"

namespace ts::testing {

struct PagePoint {
  float x = 0, y = 0;
  int pen = 0;
};

// One path: a move or fill point and the points that follow it.
using DrawnPath = std::vector<PagePoint>;

struct DrawnPage {
  std::vector<DrawnPath> paths;  // in the order drawn
  std::vector<TextBlock> blocks;
  DrawReport report;
};

inline std::filesystem::path builtSymbolLibrary() {
  namespace fs = std::filesystem;
  if (const char* env = std::getenv("TSMITH_CANTLIB")) return env;
  for (const char* candidate : {"../cantlib", "cantlib", "../../cantlib"}) {
    if (fs::exists(fs::path(candidate) / "TSMITH.DAT")) return candidate;
  }
  return {};
}

class NoHostFiles : public HostFiles {
 public:
  std::optional<std::filesystem::path> findExisting(std::string_view) const override { return std::nullopt; }
  std::filesystem::path forWriting(std::string_view) const override { return {}; }
};

// Draws a staff of size 1 (staff 1 at P4 = 0) and then `items` (P1, P2, ...).
inline DrawnPage drawOnStaff(const std::vector<std::vector<float>>& items) {
  static NoHostFiles files;
  PageStore page;
  for (const auto& params : {std::vector<float>{8, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}}) {
    page.append(ItemRecord{params, {}});
  }
  for (const auto& params : items) page.append(ItemRecord{params, {}});
  PageDrawer drawer(files, builtSymbolLibrary());
  std::vector<int32_t> words(100000);
  std::vector<char> text(20000);
  int32_t used = 0, textUsed = 0;
  DisplayTarget target{words.data(), 100000, &used, text.data(), 20000, &textUsed};
  DrawnPage drawn;
  drawn.report = drawer.draw(page, {}, target);
  const float offsetY = static_cast<float>(drawn.report.verticalDisplayOffset);
  for (int32_t i = 0; i + 2 < used; i += 3) {
    const PagePoint p{static_cast<float>(words[i]), static_cast<float>(words[i + 1]) + offsetY, wordPen(words[i + 2])};
    if (p.pen == 1 || p.pen == 2 || drawn.paths.empty()) drawn.paths.emplace_back();
    drawn.paths.back().push_back(p);
  }
  drawn.blocks = readTextList({text.data(), static_cast<size_t>(textUsed)});
  return drawn;
}

// The paths of the items after the staff (whose five lines come first, as
// five paths of two points, with P12 = 1 so that it writes no number).
inline std::vector<DrawnPath> itemPaths(const DrawnPage& drawn) {
  constexpr size_t kStaffPaths = 5;
  if (drawn.paths.size() <= kStaffPaths) return {};
  return {drawn.paths.begin() + kStaffPaths, drawn.paths.end()};
}

// Page Y of a step on that staff (step 0 three steps below the bottom line).
constexpr float kStaffStepScale = 25.0f;
inline float staffStepY(float step) { return -24000.0f - 21.0f * kStaffStepScale + step * 7.0f * kStaffStepScale; }

}  // namespace ts::testing
