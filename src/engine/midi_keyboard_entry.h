#pragma once
// "MIDI" at the notes prompt: the notes line is played on a MIDI keyboard
// instead of typed. While it is played, the edit menu is the MIDI input
// menu, whose buttons add clefs, keys and meters, take back the last
// token ("BK") and end the line (";"); "^" or Escape leave without a line.
// The line played goes to the input mode as if typed, ";" and all.

#include <optional>
#include <string>

namespace ts {

class EngineHost;

struct MidiKeyboardLine {
  bool available = true;            // false: no MIDI input device is open
  std::optional<std::string> line;  // nothing when the user left
};

// `keySignature` spells the black keys until a key word is played.
MidiKeyboardLine playNotesLine(EngineHost& host, int keySignature, int& waitLevel);

}  // namespace ts
