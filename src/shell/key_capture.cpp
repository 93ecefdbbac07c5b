#include "shell/key_capture.h"

#include <cstdio>

namespace ts::shell {
namespace {

bool isArrow(int key) { return key >= vk::kLeft && key <= vk::kDown; }
bool isFunctionKey(int key) { return key >= vk::kF1 && key <= vk::kF12; }
bool isPadInsertOrDelete(const KeyStroke& key) {
  return !key.extended && (key.scanCode == kScanPadInsert || key.scanCode == kScanPadDelete);
}
bool isExtendedEditingKey(const KeyStroke& key) {
  const int k = key.virtualKey;
  return key.extended && ((k >= vk::kPageUp && k <= vk::kHome) || k == vk::kInsert || k == vk::kDelete);
}
// Insert and the other keys between Down and Delete have no pseudo-key:
// they are typed, and capture stays as it is.
bool isUnmappedEditingKey(int key) { return key > vk::kDown && key < vk::kDelete; }

}  // namespace

std::optional<std::string> pseudoKeyFor(int virtualKey) {
  const bool navigation = (virtualKey >= vk::kPageUp && virtualKey <= vk::kDown) || virtualKey == vk::kDelete;
  const bool function = virtualKey >= vk::kF2 && virtualKey <= vk::kF12;
  if (!navigation && !function) return std::nullopt;
  char text[8];
  std::snprintf(text, sizeof text, "~~%03d", virtualKey);
  return std::string(text);
}

void CommandKeyCapture::commandSent() {
  m_counter = 0;
  m_navigation = m_function = true;
}

void CommandKeyCapture::switchOff() {
  m_counter = 0;
  m_navigation = m_function = false;
  m_mode = 0;
}

void CommandKeyCapture::switchOnForInput() {
  m_navigation = m_function = true;
  m_mode = kCaptureModeInput;
}

bool CommandKeyCapture::counts(const KeyStroke& key) const {
  if (key.virtualKey == vk::kEscape) return true;
  if (m_navigation && (isArrow(key.virtualKey) || isPadInsertOrDelete(key))) return true;
  return m_function && (isFunctionKey(key.virtualKey) || isExtendedEditingKey(key));
}

std::optional<std::string> CommandKeyCapture::keyDown(const KeyStroke& key, bool rawKeyRequested) {
  if (counts(key)) ++m_counter;
  if (m_counter == 0 && !rawKeyRequested) return std::nullopt;
  std::optional<std::string> pseudoKey = pseudoKeyFor(key.virtualKey);
  if (!pseudoKey && !isUnmappedEditingKey(key.virtualKey)) switchOff();
  return pseudoKey;
}

}  // namespace ts::shell
