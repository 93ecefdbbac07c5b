// The MIDI commands: the engine hands its page to the MIDI components (the
// set-up commands, then "PLA") and shows what they answer.

#include "engine/engine.h"
#include "engine/midi_setup_commands.h"

namespace ts {

bool Engine::dispatchMidiCommand(const CommandLine& line) {
  const MidiSetupPlace place{m_page, m_host, m_files, midiListName(m_pageName)};
  if (const std::optional<MidiSetupReply> reply = midiSetupCommand(line, m_midi.setup(), place)) {
    if (!reply->play) {
      if (reply->failed) fail(reply->message);
      else setMessage(reply->message);
      return true;
    }
  } else if (line.mnemonic != "PLA") {
    return false;
  }
  if (refuseWhileEditing()) return true;
  ensureWorkFolder();
  const MidiReply reply = m_midi.play(m_page, m_host, m_files);
  if (reply.failed) fail(reply.message);
  else setMessage(reply.message);
  return true;
}

}  // namespace ts
