#pragma once
// The MIDI commands, a component of the engine: "PLA" builds the MIDI file
// of the page for the track set-up (the "&Auto setup" one while the user
// has made none), writes it to the "Midi Output File =" of the "Sound"
// dialog (the work file "c:\!tmp\tsmmidi.mid" unless the user named
// another) and hands it to the host's player.

#include <string>

#include "output/midi_setup.h"

namespace ts {

class EngineHost;
class HostFiles;
class PageStore;

inline constexpr const char* kMidiFileName = "c:\\!tmp\\tsmmidi.mid";

struct MidiReply {
  std::string message;
  bool failed = false;
};

class MidiCommand {
 public:
  // The set-up the "Sound" dialog and the MIDI menu commands edit.
  MidiSetup& setup() { return m_setup; }

  // "PLA". What the build has to say about single items (rhythms made up,
  // notes out of range) goes to message boxes; the answer is the message
  // line. No notes: nothing is written. The file is handed to the player
  // only when it was written.
  MidiReply play(const PageStore& page, EngineHost& host, const HostFiles& files) const;

 private:
  MidiSetup m_setup;  // all zero, as "C&lear" leaves it
};

}  // namespace ts
