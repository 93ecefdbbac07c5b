// The MIDI commands: the engine hands its page to the MIDI components (the
// set-up commands, then "PLA" or "PLAY") and shows what they answer;
// "PAUS" and "STOP" go to the host's player.

#include "engine/engine.h"
#include "engine/midi_setup_commands.h"

namespace ts {

namespace {

constexpr const char* kNoPlayer = "*** This program has no MIDI player.";

}  // namespace

bool Engine::dispatchMidiCommand(const CommandLine& line) {
  if (line.word == "PAUS" || line.word == "STOP") {
    const std::optional<std::string> answer =
        m_host.controlPlayback(line.word == "STOP" ? PlaybackControl::Stop : PlaybackControl::PauseOrResume);
    if (answer) setMessage(*answer);
    else fail(kNoPlayer);
    return true;
  }
  const MidiSetupPlace place{m_page, m_host, m_files, midiListName(m_pageName)};
  if (const std::optional<MidiSetupReply> reply = midiSetupCommand(line, m_midi.setup(), place)) {
    if (!reply->play) {
      if (reply->failed) fail(reply->message);
      else setMessage(reply->message);
      return true;
    }
  } else if (line.word != "PLA" && line.word != "PLAY") {
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
