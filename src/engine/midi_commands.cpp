// The MIDI commands: the engine hands its page to the MIDI component and
// shows what it answers.

#include "engine/engine.h"

namespace ts {

bool Engine::dispatchMidiCommand(const CommandLine& line) {
  // The player's Stop button tells the engine that the piece was stopped;
  // the engine holds nothing of the playing piece, so there is nothing to undo.
  if (line.mnemonic == "MDSTOP") return true;
  if (line.mnemonic != "PLA") return false;
  if (refuseWhileEditing()) return true;
  ensureWorkFolder();
  const MidiReply reply = m_midi.play(m_page, m_host, m_files);
  if (reply.failed) fail(reply.message);
  else setMessage(reply.message);
  return true;
}

}  // namespace ts
