#pragma once
// Which keys typed in the command line become pseudo-keys for the engine.
// After a command is sent, navigation and function keys are "captured":
// they reach the engine as "~~" and their virtual-key code instead of
// being typed.

#include <optional>
#include <string>

namespace ts::shell {

namespace vk {
constexpr int kEscape = 27, kPageUp = 33, kPageDown = 34, kEnd = 35, kHome = 36;
constexpr int kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kInsert = 45, kDelete = 46;
constexpr int kF1 = 112, kF2 = 113, kF12 = 123;
}  // namespace vk

// Scan codes of the numeric pad's Insert and Delete (not extended).
constexpr int kScanPadInsert = 82, kScanPadDelete = 83;
constexpr int kCaptureModeInput = -1;

struct KeyStroke {
  int virtualKey = 0;
  int scanCode = 0;
  bool extended = false;
};

class CommandKeyCapture {
 public:
  void commandSent();      // counter 0, navigation and function keys captured
  void switchOff();        // counter 0, nothing captured, mode 0
  void switchOnForInput(); // as after a command, mode -1 (typed input and vertical edit)

  // A key-down in the command line. The pseudo-key to hand to the engine
  // ("~~038"), or nothing when the key is only typed into the field.
  std::optional<std::string> keyDown(const KeyStroke& key, bool rawKeyRequested);
  // After a pseudo-key was handed to the engine.
  void keySent() { m_counter = 0; }

  int counter() const { return m_counter; }
  int mode() const { return m_mode; }
  bool navigationCaptured() const { return m_navigation; }
  bool functionKeysCaptured() const { return m_function; }

 private:
  bool counts(const KeyStroke& key) const;

  int m_counter = 0;
  int m_mode = 0;
  bool m_navigation = false;
  bool m_function = false;
};

// "~~" and the virtual-key code in three digits, for the keys that have
// one; nothing for every other key.
std::optional<std::string> pseudoKeyFor(int virtualKey);

}  // namespace ts::shell
