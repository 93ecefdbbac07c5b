#pragma once
// While notes come from a MIDI keyboard, menu commands do not reach the
// engine: each becomes an action code that the note reader consumes.

#include <optional>
#include <string_view>

namespace ts::shell {

namespace midi_messages {
inline constexpr const char* kClickNotAvailable = "This mouse click not available while using MIDI input.";
inline constexpr const char* kNoTyping = "No typing while using MIDI input.";
inline constexpr const char* kExitQuestion = "Exit MIDI input?";
}  // namespace midi_messages

constexpr int kMidiActionBackspace = 42;
constexpr int kMidiActionSemicolon = 43;
constexpr int kMidiActionEscape = 27;
constexpr int kMidiActionPendingEscape = 9999;  // an escape already asked for: "^" ends at once

struct MidiAction {
  int code = 0;
  bool askToExit = false;     // "^": ask kExitQuestion; Yes gives 27 and ends MIDI input
  bool notAvailable = false;  // no action: show kClickNotAvailable
};

// The action for a command string; `current` is the action code now set.
MidiAction midiActionFor(std::string_view command, int current);

}  // namespace ts::shell
