#include "shell/qt_keys.h"

#include <array>

namespace ts::shell {
namespace {

struct KeyRow {
  Qt::Key key;
  int virtualKey;
  int scanCode;   // the keyboard's set-1 scan code
  bool extended;  // on the grey cluster (not the numeric pad)
};

constexpr std::array<KeyRow, 26> kKeys{{
    {Qt::Key_Escape, 27, 1, false},    {Qt::Key_Return, 13, 28, false}, {Qt::Key_Enter, 13, 28, true},
    {Qt::Key_Backspace, 8, 14, false}, {Qt::Key_PageUp, 33, 73, true}, {Qt::Key_PageDown, 34, 81, true},
    {Qt::Key_End, 35, 79, true},       {Qt::Key_Home, 36, 71, true},    {Qt::Key_Left, 37, 75, true},
    {Qt::Key_Up, 38, 72, true},        {Qt::Key_Right, 39, 77, true},   {Qt::Key_Down, 40, 80, true},
    {Qt::Key_Insert, 45, 82, true},    {Qt::Key_Delete, 46, 83, true},  {Qt::Key_F1, 112, 59, false},
    {Qt::Key_F2, 113, 60, false},      {Qt::Key_F3, 114, 61, false},    {Qt::Key_F4, 115, 62, false},
    {Qt::Key_F5, 116, 63, false},      {Qt::Key_F6, 117, 64, false},    {Qt::Key_F7, 118, 65, false},
    {Qt::Key_F8, 119, 66, false},      {Qt::Key_F9, 120, 67, false},    {Qt::Key_F10, 121, 68, false},
    {Qt::Key_F11, 122, 87, false},     {Qt::Key_F12, 123, 88, false},
}};

}  // namespace

std::optional<KeyStroke> keyStrokeFor(const QKeyEvent& event) {
  const int key = event.key();
  for (const KeyRow& row : kKeys) {
    if (row.key != key) continue;
    // The pad's keys (NumLock off) arrive with the keypad modifier.
    const bool pad = event.modifiers().testFlag(Qt::KeypadModifier);
    return KeyStroke{row.virtualKey, row.scanCode, row.extended && !pad};
  }
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
    return KeyStroke{key, 0, false};  // letters and digits share their codes with Qt
  return std::nullopt;
}

std::optional<Qt::Key> qtKeyFor(int virtualKey) {
  for (const KeyRow& row : kKeys)
    if (row.virtualKey == virtualKey) return row.key;
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9'))
    return static_cast<Qt::Key>(virtualKey);
  return std::nullopt;
}

}  // namespace ts::shell
