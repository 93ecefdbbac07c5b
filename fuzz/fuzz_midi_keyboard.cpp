// Any messages from a MIDI input device, mixed with any action codes: the
// line played must stay within its stored length and always read as a
// notes line without a syntax error.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "layout/input_line.h"
#include "layout/midi_keyboard_text.h"
#include "layout/notes_line.h"

namespace {

constexpr size_t kEventBytes = 9;  // kind, message (4), time (4)

uint32_t word(const uint8_t* bytes) {
  uint32_t value = 0;
  std::memcpy(&value, bytes, sizeof value);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 1) return 0;
  ts::MidiNotesLine line(static_cast<int8_t>(data[0]) % 8);
  for (size_t at = 1; at + kEventBytes <= size; at += kEventBytes) {
    const uint32_t value = word(data + at + 1);
    switch (data[at] % 3) {
      case 0:
        if (const std::optional<int> key = ts::noteOnKey(value)) line.strike(*key, word(data + at + 5));
        break;
      case 1: line.act(static_cast<int8_t>(value & 0xFF)); break;
      default: line.dropLast(); break;
    }
  }
  const std::string text = line.text();
  if (text.size() > ts::kMostMidiLineChars) std::abort();
  ts::InputState state;
  const ts::PreparedLine prepared = ts::prepareLine(text, ts::InputStage::Notes, {});
  if (prepared.error) std::abort();
  if (ts::readNotesLine(prepared.text, state).error) std::abort();
  return 0;
}
