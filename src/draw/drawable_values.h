#pragma once
// What drawing accepts. Page files, typed lines and dialogs can put any
// float into a parameter; drawing takes an item only when every value it
// draws from is one that can be drawn, and bounds everything that follows
// from those values. The rules, in the order drawing applies them:
//
// 1. Every numeric parameter of the item is finite and no larger in size
//    than kLargestDrawableValue. No code packs a larger number into a
//    parameter (the largest, a colour selector RRGGBB, stays below one
//    million), and every page coordinate computed from such values stays far
//    inside the int range.
// 2. The item's page position lies within kDrawableExtent page units of the
//    page's origin, a window far larger than any sheet (the right-hand sheet
//    of a double page and the highest staff number stay well inside it).
// 3. While it draws, an item makes no more points than the whole display
//    list holds: one that would is left out whole, so no loop of a drawing
//    routine can run on without end, whatever its count or length.
//
// An item that breaks a rule is not drawn; the user is told which item and
// why, and the rest of the page draws as usual.

#include <cstdint>
#include <span>

namespace ts {

constexpr float kLargestDrawableValue = 1.0e7f;
constexpr float kDrawableExtent = 4.0e6f;  // page units each way: 1000 inches

// Why a value cannot be drawn.
enum class UndrawableValue { None, NotANumber, TooLarge };

UndrawableValue classifyValue(float value);

// The first parameter that cannot be drawn, numbered as P1, P2, ...; 0 when
// every one can. `params[0]` is P1.
int firstUndrawableParameter(std::span<const float> params);

// True when a page position lies inside the drawable window.
bool insideDrawableWindow(float x, float y);

// A whole number saturated into the drawable window, for positions that come
// from outside drawing (clicks, display offsets).
int32_t clampToDrawableWindow(int64_t value);

}  // namespace ts
