#pragma once
// The main frame's settings as stored between runs: the window placement,
// the bars and the display colours, each entry a string of decimal numbers
// joined by commas. An entry that does not read back whole is ignored whole.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/view_geometry.h"

namespace ts::shell {

namespace settings_keys {
inline constexpr const char* kSection = "Settings";
inline constexpr const char* kWindowPos = "WindowPos";
inline constexpr const char* kToolbarState = "ToolbarState";
inline constexpr const char* kTbarRects = "TbarRects";
inline constexpr const char* kTbarDocks = "TbarDocks";
inline constexpr const char* kGeneralSection = "General";
inline constexpr const char* kToolTips = "ToolTips";
}  // namespace settings_keys

constexpr uint32_t kNoColour = 0xFFFFFF;  // text: each block keeps its own; background: none painted

// The six bars, in the order of their flags, rectangles and docks.
enum class Bar { FileTools, ItemBar, SecondToolBar, CommandBar, InputTools, ZoomBar };
constexpr int kBars = 6;
constexpr int kFurtherFlags = 4;
constexpr int kToolbarStateValues = 18;
constexpr int kRectValues = 4 * kBars;

// Dock sides as stored.
constexpr int kDockTop = 0xE81B, kDockBottom = 0xE81E, kDockLeft = 0xE81C, kDockRight = 0xE81D, kFloating = 0;
// Alignment styles of a docked bar.
constexpr int kAlignTop = 0x2000, kAlignBottom = 0x8000, kAlignLeft = 0x1000, kAlignRight = 0x4000;

struct BarRect {
  int bottom = 0, left = 0, right = 0, top = 0;  // the stored order
};

struct WindowPlacement {
  unsigned flags = 0;
  unsigned showCommand = 1;
  int minX = 0, minY = 0, maxX = 0, maxY = 0;
  int left = 0, top = 0, right = 0, bottom = 0;
  int pageFrameMaximized = 0;
};

struct DisplaySettings {
  int zoom = kDefaultZoom;
  int colourMode = 1;
  uint32_t selectionColour = 0;
  uint32_t fillColour = 0;
  uint32_t textColour = kNoColour;
  uint32_t penColour = 0;
  uint32_t backgroundColour = kNoColour;
  int displayFlag = 1;
};

struct FrameSettings {
  std::optional<WindowPlacement> placement;  // set when "WindowPos" read back
  std::array<int, kBars> barVisible{0, 0, 1, 1, 1, 1};
  std::array<int, kFurtherFlags> furtherFlags{};
  std::array<BarRect, kBars> barRects{};
  // The edit menu at the left: its buttons wrap into columns there and leave
  // the page its width.
  std::array<int, kBars> docks{kDockTop, kDockTop, kDockLeft, kDockTop, kDockTop, kDockTop};
  bool rectsStored = false;
  DisplaySettings display;
};

// Exactly `count` decimal numbers joined by commas, nothing else.
std::optional<std::vector<int64_t>> readNumberList(std::string_view text, size_t count);

std::optional<WindowPlacement> readWindowPos(std::string_view text);
std::string writeWindowPos(const WindowPlacement& placement);

// The settings after reading the four entries (each may be missing: empty).
FrameSettings readFrameSettings(std::string_view windowPos, std::string_view toolbarState,
                                std::string_view tbarRects, std::string_view tbarDocks);

std::string writeToolbarState(const FrameSettings& settings);
std::string writeTbarRects(const FrameSettings& settings);
std::string writeTbarDocks(const FrameSettings& settings);

int dockSideForAlignment(int alignmentStyle);

}  // namespace ts::shell
