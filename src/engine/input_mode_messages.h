#pragma once
// The prompts and messages of the input mode ("IN"), kept in one place so
// that code and tests cite the same strings.

namespace ts::input_mode_messages {

inline constexpr const char* kClickStaff = "Click on Staff for input.  X = exit.";
inline constexpr const char* kContinueOnStaff = "Continue Input on Staff %3d ?";
inline constexpr const char* kSetInputSpace = "Set Input Space for Staff %3d";
inline constexpr const char* kRangePrompt = "Type Pos. 1, Pos. 2 >\r\n(Default = 2, 200)";
inline constexpr float kDefaultLeft = 2.0f;
inline constexpr float kDefaultRight = 200.0f;
inline constexpr const char* kNotesPrompt = "Type Notes, Rest, Clefs, etc.  Semicolon = end. >";
inline constexpr const char* kRhythmsPrompt = "Type %3d Rhythms >";
inline constexpr const char* kMarksPrompt = "Type Mark letter(s) and note numbers . . . >";
inline constexpr const char* kBeamsPrompt = "Type pairs of numbers for Beams >";
inline constexpr const char* kSlursPrompt = "Type pairs of numbers for Slurs >";
inline constexpr const char* kEndMenu =
    "E = Edit these lines of input. \r\nS = Save these lines of input to a file. \r\nX = Exit from input mode.";
inline constexpr const char* kSaveName = "Type file name for these lines. (Default = input.tmp)";
inline constexpr const char* kDefaultSaveName = "input.tmp";
inline constexpr const char* kFileExists = "File exists - write over file? (Y/N) >";
inline constexpr const char* kErrorWriting = "Error writing file";
inline constexpr const char* kLinesSaved = "Lines of input saved: ";
inline constexpr const char* kLeaving = "*** Leaving input ***";
inline constexpr const char* kAbandoned = "*** Input abandoned: the page is as it was. ***";
inline constexpr const char* kNoMidi = "No MIDI for input.";
inline constexpr const char* kMidiLinePrefix = "MIDI notes > ";
inline constexpr const char* kMidiLineFull = "*** The notes line is full: \";\" ends it.";
inline constexpr const char* kMidiKeyOutOfRange = "*** A key below C0 cannot be written: left out.";
inline constexpr const char* kMidiLeft = "*** MIDI input left: the notes line is asked again.";
inline constexpr const char* kMotiveStored = "Motive stored: @";
inline constexpr const char* kScalePassedOver = "*** SC is not available yet in this version.";
inline constexpr const char* kSpacingStaff = "Spacing staff =";
inline constexpr const char* kSpacingStaffOff = "Spacing staff OFF.";
inline constexpr const char* kStoredLine = "Stored: ";
inline constexpr const char* kInputFileMissing = "*** Input file not found: ";
inline constexpr const char* kInputFileOpen = "Reading input file: ";
inline constexpr const char* kBadRange = "*** Pos. 2 must lie right of Pos. 1.";

}  // namespace ts::input_mode_messages
