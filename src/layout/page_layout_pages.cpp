// The pages of a distribution: every item of the run goes to the line of
// its bar, onto that line's own staves, is mapped from the run's stretch of
// the line onto the room between the line's indent and the right edge, and
// the line is justified there.

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "draw/page_geometry.h"
#include "layout/justification.h"
#include "layout/page_layout.h"
#include "layout/page_layout_messages.h"

namespace ts {
namespace {

constexpr float kPageTopY = static_cast<float>(kFirstStaffDisplayOffset);  // the paper's top edge
constexpr float kTopMargin = 4400.0f;        // paper above the first system's top staff (1.1 inch)
constexpr float kStaffHeightSteps = 8.0f;    // bottom line to top line
constexpr float kSystemClearance = 2400.0f;  // page units kept free below a system (0.6 inch)
constexpr float kLinePrefix = 12.0f;         // P3 units kept for the clef and key repeated at a line's start
constexpr float kKeyAfterClef = 6.0f;        // where the repeated key signature stands after the clef
constexpr float kOnBarLine = 0.5f;           // P3 units; notes keep at least the space after a bar line
constexpr float kUnitsPerInch = 4000.0f;
constexpr double kCentimetersPerInch = 2.54;
constexpr double kPointsPerInch = 72.0;

struct StaffShape {
  ItemRecord item;
  float size = 1.0f;
  float bottomY = 0.0f;  // bottom line in the run
};

struct System {
  std::map<int, StaffShape> staves;  // by run staff number
  float topBottomY = 0.0f;           // bottom line of the highest staff
  float height = 0.0f;               // lowest bottom line to highest top line, page units
};

void setParam(ItemRecord& item, int i, float value) {
  if (static_cast<int>(item.params.size()) < i) item.params.resize(i, 0.0f);
  item.params[i - 1] = value;
}

System systemOf(const PageStore& run, int staffCount) {
  System system;
  StaffTable table;
  for (int k = 1; k <= run.itemCount(); ++k) {
    if (run.code(k) != kCodeStaff) continue;
    const ItemRecord item = run.record(k);
    const int staff = truncToInt(item.p(2));
    if (staff < 1 || staff > staffCount || system.staves.count(staff)) continue;
    StaffPlacement placement{staff, item.p(4), item.p(5), item.p(10), item.p(11), item.p(14), item.p(26), false};
    if (!table.place(placement)) continue;
    const StaffEntry& e = table.entry(staff);
    const float bottom = static_cast<float>(e.referenceY) + 3.0f * kStepUnits * e.stepScale;
    system.staves[staff] = {item, staffSize(item.p(5), item.p(14)), bottom};
  }
  float low = 0.0f, high = 0.0f;
  bool first = true;
  for (const auto& [staff, shape] : system.staves) {
    const float top = shape.bottomY + kStaffHeightSteps * kStepUnits * kStepScalePerSize * shape.size;
    if (first || shape.bottomY > system.topBottomY) system.topBottomY = shape.bottomY;
    low = first ? shape.bottomY : std::min(low, shape.bottomY);
    high = first ? top : std::max(high, top);
    first = false;
  }
  system.height = high - low + kSystemClearance;
  return system;
}

double pageBandInches(const LayoutSettings& settings) {
  const double perInch = settings.unit == LengthUnit::Centimeters ? kCentimetersPerInch
                         : settings.unit == LengthUnit::Points    ? kPointsPerInch
                                                                  : 1.0;
  const double inches = settings.pageHeight / perInch;
  return inches > 0.0 && inches < 100.0 ? inches : 9.0;
}

// Which bar an item belongs to: the first bar whose closing bar line is at
// or right of it (items past the last bar line belong to the last bar). The
// bar lines of the staves of a system stand a hair apart once each staff
// has been spaced; within the tolerance an item counts as on the bar line.
int barOf(const std::vector<float>& barLines, float x) {
  const auto at = std::lower_bound(barLines.begin(), barLines.end(), x - kOnBarLine);
  return std::min(static_cast<int>(at - barLines.begin()), static_cast<int>(barLines.size()) - 1);
}

struct LinePlace {
  int page = 0;
  int slot = 0;          // line on its page, from the top
  float runStart = 0.0f; // run position of the line's left end
  float runEnd = 0.0f;   // its closing bar line
  float left = 0.0f;     // page position of the line's first music
  float staffLeft = 0.0f;
};

class PageBuilder {
 public:
  PageBuilder(const PageStore& run, const RunBars& bars, const Distribution& d, const LayoutSettings& settings,
              const Preferences& preferences)
      : m_run(run), m_bars(bars), m_d(d), m_settings(settings), m_preferences(preferences),
        m_system(systemOf(run, bars.staffCount)) {}

  PagesOutcome build();

 private:
  void placeLines();
  void addStaves(int line);
  void addLineStarts(int line);
  void addItem(int k);
  float pagePosition(int line, float x) const;
  int pageStaff(int line, int runStaff) const { return m_places[line].slot * m_bars.staffCount + runStaff; }
  void justifyLine(int line);

  const PageStore& m_run;
  const RunBars& m_bars;
  const Distribution& m_d;
  const LayoutSettings& m_settings;
  const Preferences& m_preferences;
  System m_system;
  std::vector<LinePlace> m_places;
  std::vector<int> m_lineOfBar;
  PagesOutcome m_out;
  bool m_otherPageNoted = false;
};

void PageBuilder::placeLines() {
  int line = 0;
  for (size_t page = 0; page < m_d.pageLines.size(); ++page) {
    for (int slot = 0; slot < m_d.pageLines[page] && line < static_cast<int>(m_d.lines.size()); ++slot, ++line) {
      const LayoutLine& l = m_d.lines[line];
      LinePlace place;
      place.page = static_cast<int>(page);
      place.slot = slot;
      place.runStart = l.firstBar == 0 ? 0.0f : m_bars.barLines[l.firstBar - 1];
      place.runEnd = m_bars.barLines[l.firstBar + l.barCount - 1];
      place.staffLeft = static_cast<float>(line == 0 ? m_settings.firstIndent : m_settings.otherIndent);
      place.left = place.staffLeft + (line == 0 ? 0.0f : kLinePrefix);
      m_places.push_back(place);
      for (int b = 0; b < l.barCount; ++b) m_lineOfBar.push_back(line);
    }
  }
}

// The line's staves: the run's staves, numbered after the lines above them
// on the page, keeping their distances, the systems spread down the page.
void PageBuilder::addStaves(int line) {
  const LinePlace& place = m_places[line];
  const float scale = static_cast<float>(m_settings.staffSize) * 0.01f;
  const int perPage = std::max(m_d.pageLines[place.page], linesPerPage(m_settings, m_system.height / kUnitsPerInch));
  const float slotHeight = static_cast<float>(pageBandInches(m_settings) * kUnitsPerInch) / static_cast<float>(perPage);
  const float topY = kPageTopY - kTopMargin - slotHeight * static_cast<float>(place.slot);
  for (const auto& [staff, shape] : m_system.staves) {
    ItemRecord item = shape.item;
    const int number = pageStaff(line, staff);
    const float size = shape.size * scale;
    const float bottom = topY + (shape.bottomY - m_system.topBottomY) * scale;
    setParam(item, 2, static_cast<float>(number));
    setParam(item, 3, place.staffLeft);
    setParam(item, 4, (bottom - static_cast<float>(staffBaseHeight(number))) / (kStepUnits * kStepScalePerSize * size));
    setParam(item, 5, size);
    if (item.params.size() >= 6) item.params[5] = 0.0f;
    if (item.params.size() >= 10) item.params[9] = 0.0f;
    if (item.params.size() >= 14) item.params[13] = 0.0f;
    m_out.pages[place.page].append(item);
  }
}

// Lines after the first begin with the clef and key signature in force on
// each staff where the line starts in the run.
void PageBuilder::addLineStarts(int line) {
  if (line == 0) return;
  const LinePlace& place = m_places[line];
  std::map<std::pair<int, int>, int> latest;  // (staff, code) -> item
  for (int k = 1; k <= m_run.itemCount(); ++k) {
    const int code = m_run.code(k);
    if ((code != kCodeClef && code != kCodeKeySignature) || m_run.param(k, 3) > place.runStart) continue;
    const auto key = std::make_pair(truncToInt(m_run.param(k, 2)), code);
    if (!latest.count(key) || m_run.param(latest[key], 3) <= m_run.param(k, 3)) latest[key] = k;
  }
  for (const auto& [key, k] : latest) {
    if (!m_system.staves.count(key.first)) continue;
    ItemRecord item = m_run.record(k);
    setParam(item, 2, static_cast<float>(pageStaff(line, key.first)));
    setParam(item, 3, place.staffLeft + (key.second == kCodeClef ? 2.0f : kKeyAfterClef + 2.0f));
    m_out.pages[place.page].append(item);
  }
}

float PageBuilder::pagePosition(int line, float x) const {
  const LinePlace& place = m_places[line];
  const float runWidth = std::max(place.runEnd - place.runStart, 1.0f);
  return place.left + (x - place.runStart) * (kLayoutRightEdge - place.left) / runWidth;
}

void PageBuilder::addItem(int k) {
  ItemRecord item = m_run.record(k);
  const int staff = truncToInt(item.p(2));
  if (!m_system.staves.count(staff)) {
    m_out.pages.front().append(item);  // not music of the system: kept as it stands
    return;
  }
  const int line = m_lineOfBar[barOf(m_bars.barLines, item.p(3))];
  setParam(item, 2, static_cast<float>(pageStaff(line, staff)));
  setParam(item, 3, pagePosition(line, item.p(3)));
  if (isTwoEndedCode(item.code()) && item.params.size() >= 6) {
    const int endLine = m_lineOfBar[barOf(m_bars.barLines, item.p(6))];
    if (m_places[endLine].page != m_places[line].page && !m_otherPageNoted) {
      m_out.messages.push_back(page_layout_messages::kOtherPage);
      m_otherPageNoted = true;
    }
    item.params[5] = endLine == line ? pagePosition(line, item.p(6)) : kLayoutRightEdge;
  }
  m_out.pages[m_places[line].page].append(item);
}

void PageBuilder::justifyLine(int line) {
  const LinePlace& place = m_places[line];
  JustifyRange range{pageStaff(line, 1), pageStaff(line, m_bars.staffCount), place.staffLeft, kLayoutRightEdge};
  justifyStaves(m_out.pages[place.page], range, m_preferences);
}

PagesOutcome PageBuilder::build() {
  placeLines();
  if (m_lineOfBar.size() != m_bars.barLines.size() || m_places.size() != m_d.lines.size() || m_system.staves.empty())
    return {{}, {wrongBarsMessage(static_cast<int>(m_lineOfBar.size()), static_cast<int>(m_bars.barLines.size()))}};
  const int mostLines = *std::max_element(m_d.pageLines.begin(), m_d.pageLines.end());
  if (mostLines * m_bars.staffCount >= kRightSheetFirstStaff) return {{}, {page_layout_messages::kOverflow}};
  m_out.pages.resize(m_d.pageLines.size());
  for (size_t line = 0; line < m_places.size(); ++line) addStaves(static_cast<int>(line));
  for (size_t line = 0; line < m_places.size(); ++line) addLineStarts(static_cast<int>(line));
  for (int k = 1; k <= m_run.itemCount(); ++k) {
    if (m_run.code(k) != kCodeStaff) addItem(k);
  }
  for (size_t line = 0; line < m_places.size(); ++line) justifyLine(static_cast<int>(line));
  return std::move(m_out);
}

}  // namespace

RunBars findRunBars(const PageStore& run) {
  RunBars bars;
  int barStaff = 0;
  for (int k = 1; k <= run.itemCount(); ++k) {
    const int staff = truncToInt(run.param(k, 2));
    if (run.code(k) == kCodeStaff) bars.staffCount = std::max(bars.staffCount, std::min(staff, kStaffLimit - 1));
    if (run.code(k) == kCodeBars && staff >= 1 && (barStaff == 0 || staff < barStaff)) barStaff = staff;
  }
  std::set<float> lines;
  for (int k = 1; k <= run.itemCount(); ++k) {
    const float x = run.param(k, 3);
    if (run.code(k) == kCodeBars && truncToInt(run.param(k, 2)) == barStaff && std::isfinite(x)) lines.insert(x);
  }
  bars.barLines.assign(lines.begin(), lines.end());
  float previous = 0.0f;
  for (float x : bars.barLines) {
    bars.widths.push_back(std::max(0.0, static_cast<double>(x) - previous));
    previous = x;
  }
  return bars;
}

double systemHeightInches(const PageStore& run) {
  return systemOf(run, findRunBars(run).staffCount).height / kUnitsPerInch;
}

PagesOutcome layOutPages(const PageStore& run, const Distribution& distribution, const LayoutSettings& settings,
                         const Preferences& preferences) {
  const RunBars bars = findRunBars(run);
  if (bars.barLines.empty() || distribution.lines.empty() || distribution.pageLines.empty())
    return {{}, {page_layout_messages::kNoBars}};
  return PageBuilder(run, bars, distribution, settings, preferences).build();
}

}  // namespace ts
