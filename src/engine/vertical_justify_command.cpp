// "VJ": vertical justification of the page's staves. The settings come
// typed after the command or from the "Vertical Justify" dialog; the
// outlines are the boxes the last drawing put around each item.

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "draw/draw_context.h"
#include "draw/item_routines.h"
#include "engine/engine.h"
#include "layout/vertical_justification.h"

namespace ts {
namespace {

constexpr int kHighestStaff = 200;
constexpr const char* kTitle = "Vertical Justify";
constexpr const char* kHigherIgnored = "Staves higher than 200 will be ignored.";
constexpr const char* kSingleStaff = "Multiple staves not found. Cannot do VJ.";
constexpr const char* kMinimumWanted = "*** The minimum vertical space in steps is wanted.";
constexpr const char* kNothingMoved = "Vertical justify: no staff moved.";
constexpr const char* kMoving = "Moving up/down";
constexpr const char* kLabels[] = {"Minimum vertical space steps.", "Minimum horizontal space steps.",
                                   "Minimum steps between staves.", "Bottom staff number.",
                                   "Number of staves to process."};

// A note marked in P13 and a text whose P15 holds "_99" stand outside the
// outlines, as do bar lines (they join staves) and the staff lines, whose
// distance has a rule of its own.
bool inOutline(const PageStore& page, int k) {
  const int code = page.code(k);
  if (code == kCodeBars || code == kCodeStaff) return false;
  if (code == kCodeNote && page.paramCount(k) > 11 && page.param(k, 13) != 0.0f) return false;
  if (code == kCodeText && page.paramCount(k) > 11) {
    const auto bits = std::bit_cast<std::array<char, 4>>(page.param(k, 15));
    if (std::memcmp(bits.data(), "_99", 3) == 0) return false;
  }
  return true;
}

std::optional<float> numberIn(const std::string& text) {
  char* end = nullptr;
  const float value = std::strtof(text.c_str(), &end);
  if (end == text.c_str() || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

void Engine::verticalJustifyCommand(const CommandLine& line) {
  VerticalSettings settings;
  std::vector<double> numbers = line.numbers;
  if (numbers.empty()) {
    const VerticalSettings defaults;
    const std::vector<DialogField> fields = {{kLabels[0], ""},
                                             {kLabels[1], std::to_string(truncToInt(defaults.minHorizontal))},
                                             {kLabels[2], std::to_string(truncToInt(defaults.minBetween))},
                                             {kLabels[3], std::to_string(defaults.bottomStaff)},
                                             {kLabels[4], std::to_string(defaults.staffCount)}};
    ++m_waitLevel;
    const std::optional<std::vector<std::string>> answers = m_host.askFields(kTitle, fields);
    --m_waitLevel;
    if (!answers) return;  // cancelled: nothing moves
    for (const std::string& answer : *answers) {
      const std::optional<float> value = numberIn(answer);
      if (!value) break;
      numbers.push_back(*value);
    }
  }
  if (numbers.empty()) {
    fail(kMinimumWanted);
    return;
  }
  float* targets[] = {&settings.minVertical, &settings.minHorizontal, &settings.minBetween};
  for (size_t i = 0; i < numbers.size() && i < 3; ++i) *targets[i] = static_cast<float>(numbers[i]);
  if (numbers.size() > 3) settings.bottomStaff = std::clamp(truncToInt(numbers[3]), 1, kHighestStaff);
  if (numbers.size() > 4) settings.staffCount = std::clamp(truncToInt(numbers[4]), 1, kHighestStaff);
  verticalJustify(settings);
}

void Engine::verticalJustify(const VerticalSettings& settings) {
  StaffTable table;
  std::vector<StaffOutline> staves(kHighestStaff + 1);
  int lowest = kHighestStaff + 1, highest = 0;
  bool higherIgnored = false;
  ItemState item;
  for (int k = 1; k <= m_page.itemCount(); ++k) {
    const int staff = truncToInt(m_page.param(k, 2));
    if (staff > kHighestStaff) higherIgnored = true;
    if (staff < 1 || staff > kHighestStaff) continue;
    if (m_page.code(k) == kCodeStaff) {
      item = ItemState{};
      for (int i = 1; i <= std::min(m_page.paramCount(k), kItemParams); ++i) item.params[i] = m_page.param(k, i);
      placeStaff(table, item, m_unit != 0.0f);
    }
    lowest = std::min(lowest, staff);
    highest = std::max(highest, staff);
    const size_t index = static_cast<size_t>(k - 1);
    if (index >= m_places.size() || !m_places[index].drawn || m_places[index].extent.empty() || !inOutline(m_page, k)) {
      continue;
    }
    const PageExtent& e = m_places[index].extent;
    const auto y = [this](int32_t display) { return static_cast<float>(int64_t{display} + m_displayOffsetY); };
    staves[static_cast<size_t>(staff)].items.push_back(
        {static_cast<float>(e.minX), y(e.minY), static_cast<float>(e.maxX), y(e.maxY)});
  }
  if (higherIgnored) m_host.showMessage(kHigherIgnored);
  if (highest < lowest || table.entry(lowest).referenceY == table.entry(highest).referenceY) {
    fail(kSingleStaff);
    return;
  }
  std::vector<StaffOutline> range;
  for (int s = lowest; s <= highest; ++s) {
    StaffOutline& outline = staves[static_cast<size_t>(s)];
    outline.staff = s;
    outline.referenceY = static_cast<float>(table.entry(s).referenceY);
    outline.stepScale = table.entry(s).stepScale;
    range.push_back(std::move(outline));
  }
  m_host.showMessage(kMoving);
  applyStaffMoves(verticalMoves(range, settings));
}

void Engine::applyStaffMoves(const std::vector<StaffMove>& moves) {
  if (moves.empty()) {
    setMessage(kNothingMoved);
    return;
  }
  saveUndoCopy();
  writeBackEdit();
  std::string report;
  for (const StaffMove& move : moves) {
    for (int k = 1; k <= m_page.itemCount(); ++k) {
      if (m_page.code(k) != kCodeStaff || truncToInt(m_page.param(k, 2)) != move.staff) continue;
      if (m_page.paramCount(k) < 4) {
        ItemRecord record = m_page.record(k);
        record.params.resize(4, 0.0f);
        if (!m_page.replace(k, record)) continue;
      }
      m_page.setParam(k, 4, m_page.param(k, 4) + move.steps);
    }
    char text[48];
    std::snprintf(text, sizeof text, "Staff %3d %+8.2f steps", move.staff, static_cast<double>(move.steps));
    report += (report.empty() ? "" : "|") + std::string(text);
  }
  markModified();
  m_host.messageBox(report);
}

}  // namespace ts
