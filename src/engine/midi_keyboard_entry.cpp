#include "engine/midi_keyboard_entry.h"

#include "engine/engine_host.h"
#include "engine/input_mode_messages.h"
#include "layout/midi_keyboard_text.h"

namespace ts {
namespace {

namespace text = input_mode_messages;

constexpr int kMidiInputMenu = 144;
constexpr int kPreviousMenu = 0;
// A device can send without end (a clock, a stuck key); a line never
// needs this many messages.
constexpr int kMostEvents = 100000;

enum class Step { More, EndLine, Leave };

Step takeAction(EngineHost& host, MidiNotesLine& line, int action) {
  if (action == kMidiActionEndLine) return Step::EndLine;
  if (action == kMidiActionLeave) return Step::Leave;
  if (action == kMidiActionDropLast) {
    line.dropLast();
  } else if (!line.act(action) && actionToken(action)) {
    host.showMessage(text::kMidiLineFull);
  }
  return Step::More;
}

Step takeMessage(EngineHost& host, MidiNotesLine& line, const MidiKeyboardEvent& event) {
  const std::optional<int> key = noteOnKey(event.message);
  if (!key || line.strike(*key, event.milliseconds)) return Step::More;
  host.showMessage(keyToken(*key, 0) ? text::kMidiLineFull : text::kMidiKeyOutOfRange);
  return Step::More;
}

Step take(EngineHost& host, MidiNotesLine& line, const MidiKeyboardEvent& event) {
  switch (event.kind) {
    case MidiKeyboardEvent::Kind::Message: return takeMessage(host, line, event);
    case MidiKeyboardEvent::Kind::Action: return takeAction(host, line, event.action);
    case MidiKeyboardEvent::Kind::Closed: return Step::Leave;
  }
  return Step::Leave;
}

}  // namespace

MidiKeyboardLine playNotesLine(EngineHost& host, int keySignature, int& waitLevel) {
  if (!host.startMidiKeyboard()) return {false, std::nullopt};
  host.switchEditMenu(kMidiInputMenu, 0);
  MidiNotesLine line(keySignature);
  Step step = Step::Leave;
  ++waitLevel;
  for (int events = 0; events < kMostEvents; ++events) {
    step = take(host, line, host.waitForMidiKeyboard(text::kMidiLinePrefix + line.text()));
    if (step != Step::More) break;
  }
  --waitLevel;
  host.endMidiKeyboard();
  host.switchEditMenu(kPreviousMenu, 0);
  if (step != Step::EndLine) return {true, std::nullopt};
  return {true, line.text() + ';'};
}

}  // namespace ts
