// The script's MIDI keyboard: "!midi 60 64 67" strikes three keys at once;
// other lines are the MIDI input menu's commands ("TR/", "K3F/ ", "; ",
// "^ "), turned into action codes by the desktop program's own table.

#include <sstream>

#include "shell/midi_action.h"
#include "tsm_host.h"

namespace tsm {
namespace {

constexpr uint32_t kStrikeSpacing = 500;  // milliseconds between the script's strikes
constexpr uint32_t kNoteOn = 0x90;
constexpr uint32_t kVelocity = 100;
constexpr int kMostKeysAtOnce = 16;

// The keys of a "!midi" line; nothing when the line is not one or a key is
// not a MIDI key.
std::optional<std::vector<int>> struckKeys(const std::string& line) {
  std::istringstream words(line);
  std::string word;
  if (!(words >> word) || word != "!midi") return std::nullopt;
  std::vector<int> keys;
  while (words >> word) {
    if (word.size() > 3 || word.find_first_not_of("0123456789") != std::string::npos) return std::nullopt;
    const int key = std::stoi(word);
    if (key > 127 || keys.size() >= kMostKeysAtOnce) return std::nullopt;
    keys.push_back(key);
  }
  if (keys.empty()) return std::nullopt;
  return keys;
}

ts::MidiKeyboardEvent action(int code) {
  ts::MidiKeyboardEvent event;
  event.kind = ts::MidiKeyboardEvent::Kind::Action;
  event.action = code;
  return event;
}

}  // namespace

ts::MidiKeyboardEvent ScriptHost::waitForMidiKeyboard(std::string_view line) {
  if (!m_struck.empty()) {
    const ts::MidiKeyboardEvent next = m_struck.front();
    m_struck.pop_front();
    return next;
  }
  print(line);
  while (const std::optional<std::string> reply = answer()) {
    if (const std::optional<std::vector<int>> keys = struckKeys(*reply)) {
      m_keyboardClock += kStrikeSpacing;
      for (const int key : *keys) {
        ts::MidiKeyboardEvent event;
        event.kind = ts::MidiKeyboardEvent::Kind::Message;
        event.message = kNoteOn | static_cast<uint32_t>(key) << 8 | kVelocity << 16;
        event.milliseconds = m_keyboardClock;
        m_struck.push_back(event);
      }
      return waitForMidiKeyboard(line);
    }
    const ts::shell::MidiAction midi = ts::shell::midiActionFor(*reply, 0);
    if (midi.askToExit) {
      if (askYesNo(ts::shell::midi_messages::kExitQuestion)) return action(ts::shell::kMidiActionEscape);
      continue;
    }
    if (!midi.notAvailable) return action(midi.code);
    print(ts::shell::midi_messages::kClickNotAvailable);
  }
  return {};  // the script has ended
}

}  // namespace tsm
