#pragma once
// What a navigation or function key means: pseudo-keys ("~~038") become
// the command lines below, by mode and, while editing, by the item's code.

#include <string>

namespace ts {

namespace vk {
constexpr int kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36;
constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kDelete = 46;
constexpr int kF2 = 113, kF3 = 114, kF4 = 115, kF5 = 116, kF6 = 117, kF7 = 118;
constexpr int kF8 = 119, kF9 = 120, kF10 = 121, kF11 = 122, kF12 = 123, kF13 = 124;
}  // namespace vk

// Main mode (no item being edited). Empty when the key means nothing.
std::string mainModeKeyCommand(int key);
// Edit mode, for an item of code `code`. Empty when the key means nothing.
std::string editModeKeyCommand(int key, int code);

}  // namespace ts
