#include "interchange/score_to_pages.h"

#include <algorithm>
#include <numeric>

#include "draw/page_geometry.h"
#include "interchange/interchange_messages.h"
#include "interchange/run_builder.h"
#include "interchange/run_marks.h"
#include "layout/page_layout.h"
#include "model/preferences.h"

namespace ts::interchange {
namespace {

constexpr float kUnitsPerInch = 4000.0f;
constexpr float kStaffHeight = 8.0f * kStepUnits * kStepScalePerSize;  // bottom line to top line
constexpr float kSystemGap = 2400.0f;        // below a system, as the layout keeps it
constexpr int kLinePrefix = 12;              // P3 units a later line keeps for its clef and key
constexpr float kBraceType = 8.0f;           // a bar item's P5 that draws a brace
constexpr float kTitleStep = 22.0f, kComposerStep = 16.0f;
constexpr float kTitleSize = 22.0f, kComposerSize = 11.0f;
constexpr float kTitleCharacterWidth = 2.0f;     // P3 units of half a 22-point character
constexpr float kComposerCharacterWidth = 2.0f;  // P3 units of an 11-point character

double systemHeightInches(const Score& score) {
  int staves = 0, parts = 0;
  for (const Part& part : score.parts) staves += part.staves, ++parts;
  const float span = static_cast<float>(staves - parts) * 3500.0f + static_cast<float>(parts - 1) * 4300.0f;
  return static_cast<double>((span + kStaffHeight + kSystemGap) / kUnitsPerInch);
}

DistributionOutcome distributionFor(const PageStore& run, const LayoutSettings& settings, double systemHeight) {
  const RunBars bars = findRunBars(run);
  const std::vector<int> widths = layoutBarWidths(bars.widths, settings);
  const int lineWidth = lineWidthFor(static_cast<int>(kLayoutRightEdge) - kLinePrefix, settings);
  const long long total = std::accumulate(widths.begin(), widths.end(), 0LL);
  const int lines = std::clamp(lineCountForPiece(total, lineWidth), 1, std::max(1, static_cast<int>(widths.size())));
  return linesForm(widths, std::min(lines, kMaxLayoutLines), linesPerPage(settings, systemHeight));
}

ItemRecord textItem(int staff, float x, float step, float font, float size, const std::string& text) {
  ItemRecord item;
  item.params = {16, static_cast<float>(staff), x, step, 0, font, size, 1, 0, 0, 0, static_cast<float>(text.size()), 0};
  item.text = text;
  return item;
}

// Each line of the page starts with a bar line through all its staves and
// a brace before each part of several staves.
void addSystemStarts(PageStore& page, const std::vector<StaffSlot>& slots, int staffCount) {
  std::vector<std::pair<int, float>> lowest;  // (lowest page staff of a line, its left end)
  for (int k = 1; k <= page.itemCount(); ++k)
    if (page.code(k) == kCodeStaff && (truncToInt(page.param(k, 2)) - 1) % staffCount == 0)
      lowest.emplace_back(truncToInt(page.param(k, 2)), page.param(k, 3));
  for (const auto& [base, left] : lowest) {
    if (staffCount > 1) page.append({{14, static_cast<float>(base), left, static_cast<float>(staffCount), 0}, {}});
    std::map<int, std::pair<int, int>> parts;  // part -> (lowest run staff, staves)
    for (const StaffSlot& slot : slots) {
      auto& [low, count] = parts[slot.part];
      low = count == 0 ? slot.runStaff : std::min(low, slot.runStaff);
      ++count;
    }
    for (const auto& [part, shape] : parts)
      if (shape.second > 1)
        page.append({{14, static_cast<float>(base - 1 + shape.first), left, static_cast<float>(shape.second), kBraceType}, {}});
  }
}

void addTitle(PageStore& page, const Score& score, int topStaff) {
  if (!score.title.empty()) {
    const float x = std::max(0.0f, 100.0f - kTitleCharacterWidth * static_cast<float>(score.title.size()));
    page.append(textItem(topStaff, x, kTitleStep, 1, kTitleSize, score.title));
  }
  if (!score.composer.empty()) {
    const float x = std::max(100.0f, 200.0f - kComposerCharacterWidth * static_cast<float>(score.composer.size()));
    page.append(textItem(topStaff, x, kComposerStep, 2, kComposerSize, score.composer));
  }
}

// The staff highest on the page: the layout numbers lines from the top.
int topStaffOf(const PageStore& page) {
  int top = 0;
  float highest = 0.0f;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeStaff) continue;
    const int staff = truncToInt(page.param(k, 2));
    const float y = static_cast<float>(staffBaseHeight(staff)) + page.param(k, 4) * kStepUnits * kStepScalePerSize;
    if (top == 0 || y > highest) top = staff, highest = y;
  }
  return std::max(top, 1);
}

int staffCountOf(const Score& score) {
  int staves = 0;
  for (const Part& part : score.parts) staves += part.staves;
  return staves;
}

}  // namespace

PagesOutcome scoreToPages(const Score& score, const Preferences& preferences, UnmappedLog& unmapped) {
  PagesOutcome outcome;
  const int staffCount = staffCountOf(score);
  if (staffCount > kMaxSystemStaves) return {{}, {}, messages::kTooManyStaves};
  const LayoutSettings settings;
  const double systemHeight = systemHeightInches(score);
  RunBuilder builder(score, unmapped);
  PageStore run;
  RunChunk chunk;
  while (!builder.done()) {
    if (!builder.fill(run, chunk, outcome.error)) return {{}, {}, outcome.error};
    if (!attachMarks(run, chunk, score, unmapped)) unmapped.note("marks past the room of a page", std::to_string(chunk.firstMeasure + 1));
    const DistributionOutcome distribution = distributionFor(run, settings, systemHeight);
    if (!distribution.ok) return {{}, {}, distribution.message};
    ts::PagesOutcome laid = layOutPages(run, distribution.distribution, settings, preferences);
    if (laid.pages.empty()) return {{}, {}, laid.messages.empty() ? messages::kNoPages : laid.messages.front()};
    if (outcome.pages.size() + laid.pages.size() > kMaxImportPages) return {{}, {}, messages::kTooManyPages};
    for (const std::string& message : laid.messages) outcome.notices.push_back(message);
    for (PageStore& page : laid.pages) outcome.pages.push_back(std::move(page));
  }
  if (outcome.pages.empty()) return {{}, {}, messages::kNoMeasures};
  const std::vector<StaffSlot> slots = staffSlots(score);
  for (PageStore& page : outcome.pages) addSystemStarts(page, slots, staffCount);
  if (!outcome.pages.empty()) addTitle(outcome.pages.front(), score, topStaffOf(outcome.pages.front()));
  return outcome;
}

}  // namespace ts::interchange
