#include "shell/frame_settings.h"

#include <charconv>
#include <limits>

namespace ts::shell {
namespace {

constexpr int64_t kLowest = std::numeric_limits<int32_t>::min();
constexpr int64_t kHighest = std::numeric_limits<uint32_t>::max();  // "%u" fields reach this far
constexpr uint32_t kColourBits = 0xFFFFFF;

std::optional<int64_t> readNumber(std::string_view text) {
  int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  if (value < kLowest || value > kHighest) return std::nullopt;
  return value;
}

template <typename Values>
std::string joined(const Values& values) {
  std::string text;
  for (const auto value : values) {
    if (!text.empty()) text += ',';
    text += std::to_string(value);
  }
  return text;
}

bool isDockSide(int64_t value) {
  return value == kDockTop || value == kDockBottom || value == kDockLeft || value == kDockRight || value == kFloating;
}

int asInt(int64_t value) { return static_cast<int>(static_cast<int32_t>(value)); }
uint32_t asColour(int64_t value) { return static_cast<uint32_t>(value) & kColourBits; }

void applyToolbarState(const std::vector<int64_t>& state, FrameSettings& settings) {
  for (int bar = 0; bar < kBars; ++bar) settings.barVisible[bar] = asInt(state[bar]);
  for (int flag = 0; flag < kFurtherFlags; ++flag) settings.furtherFlags[flag] = asInt(state[kBars + flag]);
  DisplaySettings& display = settings.display;
  // state[10], the zoom, is saved but every run starts at 100 %.
  display.colourMode = asInt(state[11]);
  display.selectionColour = asColour(state[12]);
  display.fillColour = asColour(state[13]);
  display.textColour = kNoColour;  // every run starts with each text block in its own colour
  display.penColour = asColour(state[15]);
  display.backgroundColour = asColour(state[16]);
  display.displayFlag = asInt(state[17]);
}

void applyRects(const std::vector<int64_t>& values, FrameSettings& settings) {
  for (int bar = 0; bar < kBars; ++bar) {
    BarRect& rect = settings.barRects[bar];
    rect.bottom = asInt(values[4 * bar]);
    rect.left = asInt(values[4 * bar + 1]);
    rect.right = asInt(values[4 * bar + 2]);
    rect.top = asInt(values[4 * bar + 3]);
  }
  settings.rectsStored = true;
}

}  // namespace

std::optional<std::vector<int64_t>> readNumberList(std::string_view text, size_t count) {
  std::vector<int64_t> values;
  size_t start = 0;
  while (true) {
    const size_t comma = text.find(',', start);
    const std::optional<int64_t> value = readNumber(text.substr(start, comma - start));
    if (!value) return std::nullopt;
    values.push_back(*value);
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (values.size() != count) return std::nullopt;
  return values;
}

std::optional<WindowPlacement> readWindowPos(std::string_view text) {
  const size_t blank = text.find(' ');
  if (blank == std::string_view::npos) return std::nullopt;
  const std::optional<std::vector<int64_t>> values = readNumberList(text.substr(0, blank), 10);
  const std::optional<int64_t> maximized = readNumber(text.substr(blank + 1));
  if (!values || !maximized) return std::nullopt;
  const std::vector<int64_t>& v = *values;
  if (v[0] < 0 || v[1] < 0) return std::nullopt;
  WindowPlacement placement;
  placement.flags = static_cast<unsigned>(v[0]);
  placement.showCommand = static_cast<unsigned>(v[1]);
  placement.minX = asInt(v[2]);
  placement.minY = asInt(v[3]);
  placement.maxX = asInt(v[4]);
  placement.maxY = asInt(v[5]);
  placement.left = asInt(v[6]);
  placement.top = asInt(v[7]);
  placement.right = asInt(v[8]);
  placement.bottom = asInt(v[9]);
  placement.pageFrameMaximized = asInt(*maximized);
  return placement;
}

std::string writeWindowPos(const WindowPlacement& p) {
  const std::array<int64_t, 10> values{p.flags, p.showCommand, p.minX, p.minY, p.maxX, p.maxY,
                                       p.left,  p.top,         p.right, p.bottom};
  return joined(values) + " " + std::to_string(p.pageFrameMaximized);
}

FrameSettings readFrameSettings(std::string_view windowPos, std::string_view toolbarState,
                                std::string_view tbarRects, std::string_view tbarDocks) {
  FrameSettings settings;
  settings.placement = readWindowPos(windowPos);
  const std::optional<std::vector<int64_t>> state = readNumberList(toolbarState, kToolbarStateValues);
  if (!state) return settings;
  applyToolbarState(*state, settings);
  if (const auto rects = readNumberList(tbarRects, kRectValues)) applyRects(*rects, settings);
  const std::optional<std::vector<int64_t>> docks = readNumberList(tbarDocks, kBars);
  bool docksValid = docks.has_value();
  for (size_t bar = 0; docksValid && bar < docks->size(); ++bar) docksValid = isDockSide((*docks)[bar]);
  if (docksValid)
    for (int bar = 0; bar < kBars; ++bar) settings.docks[bar] = asInt((*docks)[bar]);
  return settings;
}

std::string writeToolbarState(const FrameSettings& s) {
  std::vector<int64_t> values(s.barVisible.begin(), s.barVisible.end());
  values.insert(values.end(), s.furtherFlags.begin(), s.furtherFlags.end());
  const DisplaySettings& d = s.display;
  values.insert(values.end(), {d.zoom, d.colourMode, d.selectionColour, d.fillColour, d.textColour, d.penColour,
                               d.backgroundColour, d.displayFlag});
  return joined(values);
}

std::string writeTbarRects(const FrameSettings& s) {
  std::vector<int> values;
  for (const BarRect& r : s.barRects) values.insert(values.end(), {r.bottom, r.left, r.right, r.top});
  return joined(values);
}

std::string writeTbarDocks(const FrameSettings& s) { return joined(s.docks); }

int dockSideForAlignment(int style) {
  if (style & kAlignTop) return kDockTop;
  if (style & kAlignBottom) return kDockBottom;
  if (style & kAlignLeft) return kDockLeft;
  if (style & kAlignRight) return kDockRight;
  return kFloating;
}

}  // namespace ts::shell
