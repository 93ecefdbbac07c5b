#pragma once
// What playback says, kept in one place so that code and tests cite the
// same strings.

#include <string>

namespace ts::midi_messages {

inline constexpr const char* kNoNotesFound = "No Notes Found.";
inline constexpr const char* kMissingRhythm =
    "Missing rhythm (P7): Item=    ,  Staff=   ,  Pos.=      \n\rRhythm changed to whole note.";
inline constexpr const char* kWriteError = "Midi file Write error";
inline constexpr const char* kMoreMissingRhythms = "*** Further notes and rests without rhythm (P7), played as whole notes:";
inline constexpr const char* kOutOfRange = "*** Notes beyond the MIDI range (0 to 127) were left out:";
inline constexpr const char* kTooManyNotes = "*** A track plays at most 6000 notes and rests; the rest of its staves was left out.";

// The missing-rhythm message with the item number, staff and position
// (P3) written right-aligned into its blank fields; a value wider than its
// field widens it rather than being cut.
std::string missingRhythmMessage(int item, int staff, float p3);
// A message followed by a count.
std::string countedMessage(const char* message, int count);

}  // namespace ts::midi_messages
