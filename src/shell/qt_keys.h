#pragma once
// Qt's keys as the virtual-key codes, scan codes and extended flag that the
// command line's key rules are written in.

#include <QKeyEvent>
#include <optional>

#include "shell/key_capture.h"

namespace ts::shell {

constexpr int kVirtualKeyReturn = 13;

// Nothing for keys that have no virtual-key code the rules look at.
std::optional<KeyStroke> keyStrokeFor(const QKeyEvent& event);
// The Qt key for a virtual-key code (used to replay "!key" lines).
std::optional<Qt::Key> qtKeyFor(int virtualKey);

}  // namespace ts::shell
