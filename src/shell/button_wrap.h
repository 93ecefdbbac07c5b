#pragma once
// How the buttons of an edit menu wrap when the bar holding them is shorter
// than the buttons laid end to end: into further columns (a bar docked at a
// side) or further rows (a bar at the top or bottom), so that every button
// stays on screen and none is pushed into an overflow menu.

#include <span>
#include <vector>

namespace ts::shell {

// A button's size along the bar and across it, in pixels.
struct ButtonExtent {
  int along = 0, across = 0;
};

// Where a button goes: its offset along the bar and across it, and the
// thickness of its line (the thickest button of that line).
struct ButtonPlace {
  int along = 0, across = 0, thickness = 0;
};

struct WrappedButtons {
  std::vector<ButtonPlace> places;  // one for each button, in order
  int longestLine = 0;              // along the bar
  int acrossUsed = 0;               // every line's thickness added up
  int lines = 0;
};

// Buttons in their order, a new line whenever the next would pass `limit`;
// a button longer than the limit gets a line of its own, so nothing is lost
// however small the bar is made.
WrappedButtons wrapButtons(std::span<const ButtonExtent> buttons, int limit);

}  // namespace ts::shell
