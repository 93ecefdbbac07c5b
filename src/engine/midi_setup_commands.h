#pragma once
// The MIDI set-up commands, a component of the engine beside "PLA": the
// Sound dialog ("MDALL"), the dialogs of one of its columns ("MDTRKS",
// "MDAMPLS", "MDTRNSP", "MDINST", "MDTEMPO"), "MDAUTO", the set-up file
// "MIDILIST" ("MDLIST", the dialog's "&Load" and "&Save"), the tempo menu's
// words ("MM48" ... "MM144", "MM-6", "MM-12"), and the player window's
// "MDSTOP" and "MDEXIT", which leave nothing to do: the engine holds nothing
// of a piece being played.

#include <optional>
#include <string>
#include <string_view>

#include "output/midi_setup.h"

namespace ts {

class EngineHost;
class HostFiles;
class PageStore;
struct CommandLine;

namespace midi_setup_messages {
inline constexpr const char* kCannotRead = "*** The MIDI set-up file cannot be read: ";
inline constexpr const char* kReadOnly = "*** The MIDI set-up file is read-only: ";
inline constexpr const char* kCannotWrite = "*** The MIDI set-up file could not be written: ";
inline constexpr const char* kDamagedLines = "*** Lines of the MIDI set-up file were left out:";
inline constexpr const char* kBadRow = "*** Track %d: \"%s\" is not %s";
inline constexpr const char* kNoStaves = "*** No staff with notes: the set-up was left as it was";
}  // namespace midi_setup_messages

struct MidiSetupPlace {
  const PageStore& page;
  EngineHost& host;
  const HostFiles& files;
  std::string listFile;  // the set-up file's name
};

struct MidiSetupReply {
  std::string message;
  bool failed = false;
  bool play = false;  // the Sound dialog's "&Play": the page is played with the set-up
};

// Nothing when the word is not a set-up command.
std::optional<MidiSetupReply> midiSetupCommand(const CommandLine& line, MidiSetup& setup, const MidiSetupPlace& place);

// "MIDILIST" in the folder of the page's file: a set-up belongs to its piece.
std::string midiListName(std::string_view pageName);

// The tempo the tempo menu's word "MM<number>" leaves. A positive number is
// the tempo. "MM-6" lowers it by 6 and "MM-12" raises it by 12, as the
// menu reads ("MM +12"); "MM+n" raises by n and any other "MM-n" lowers by
// n. Steps start from the tempo played (120 for 0); the result stays
// within 1..1000. "MM0" gives 0, the tempo a set-up plays without one.
int tempoAfterWord(int tempo, std::string_view word, double number);

}  // namespace ts
