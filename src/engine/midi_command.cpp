#include "engine/midi_command.h"

#include "engine/engine_host.h"
#include "model/host_files.h"
#include "output/midi_events.h"
#include "output/midi_file.h"
#include "output/midi_messages.h"

namespace ts {
namespace {

constexpr const char* kNoPlayer = "*** This program has no MIDI player; the MIDI file was written to ";

}  // namespace

MidiReply MidiCommand::play(const PageStore& page, EngineHost& host, const HostFiles& files) const {
  MidiSetup setup = m_setup;
  if (!setup.hasStaves()) {
    setup = autoSetup(page);
    setup.tempo = m_setup.tempo;
  }
  const MidiEvents events = buildMidiEvents(page, setup);
  for (const std::string& message : events.messages) host.messageBox(message);
  if (events.notes == 0) return {midi_messages::kNoNotesFound, true};
  const std::vector<uint8_t> image = midiFileImage(events.words);
  const std::string fileName = m_setup.outputFile.empty() ? std::string(kMidiFileName) : m_setup.outputFile;
  if (files.writeWhole(fileName, image) != WriteResult::Written) return {midi_messages::kWriteError, true};
  const MidiPlayback playback = host.playMidiFile(fileName, image);
  if (playback.played) return {};
  return {playback.message.empty() ? kNoPlayer + fileName : playback.message, true};
}

}  // namespace ts
