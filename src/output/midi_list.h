#pragma once
// The set-up file "MIDILIST" that "MDLIST" and the Sound dialog's "&Load"
// read and "&Save" writes: plain text a user may also edit by hand, a line
// for the tempo and one for each track that holds anything:
//
//   TMP 120
//   TRK  1 ch 0 instr 0 ampl 100 transp 0 staves 2 4 6 8
//
// Tracks count from 1 to 16. The fields of a track stand in this order,
// each once; "staves" is followed by up to 16 staff numbers (none for a
// track that names no staff yet), played one after another. Keywords are
// read without regard to case; blank lines and lines starting with '#' are
// passed over. A damaged line is left out with a message and the rest is
// read; tracks the file does not name are cleared, and without a "TMP" line
// the tempo is 0 (played at 120).
//
// The same numbers, without the keywords, make a track's row in the dialogs:
// "CHANNEL INSTR AMPL TRANSP STAFF STAFF...", empty for an unused track.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "output/midi_setup.h"

namespace ts {

constexpr size_t kLargestMidiList = 16384;  // bytes; a full set-up takes under 2 KB
constexpr int kReportedDamagedLines = 8;    // messages kept; the rest are only counted

namespace midi_list_messages {
inline constexpr const char* kUnknownKeyword = "not a TRK or TMP line";
inline constexpr const char* kBadTempo = "the tempo is not a whole number from 0 to 1000";
inline constexpr const char* kBadTrackNumber = "the track is not a whole number from 1 to 16";
inline constexpr const char* kTrackTwice = "the track was named on an earlier line";
inline constexpr const char* kBadFields = "not \"TRK n ch C instr I ampl A transp T staves S...\"";
inline constexpr const char* kBadValue = "a channel, instrument, amplitude, transposition or staff number is out of range";
}  // namespace midi_list_messages

struct MidiListReading {
  MidiSetup setup;
  int tracks = 0;                    // TRK lines taken
  int damagedLines = 0;              // lines left out
  std::vector<std::string> damaged;  // "line N: why", for the first kReportedDamagedLines of them
};

MidiListReading readMidiList(std::string_view text);
std::string midiListText(const MidiSetup& setup);

// A whole number from `low` to `high` and nothing else.
bool readSetupNumber(std::string_view text, int low, int high, int& value);

// A track's row in the dialogs, and back: nothing when it is damaged.
std::string trackRowText(const MidiTrack& track);
std::optional<MidiTrack> parseTrackRow(std::string_view text);

// The staff numbers of a track as text ("2 4 6 8"), and back.
std::string staffListText(const MidiTrack& track);
bool parseStaffList(std::string_view text, MidiTrack& track);

// True when the track holds nothing at all: it is not written to the file.
bool trackIsClear(const MidiTrack& track);

}  // namespace ts
