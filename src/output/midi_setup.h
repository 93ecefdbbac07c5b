#pragma once
// The track set-up of playback: 16 tracks, each a channel, an instrument,
// a loudness, a transposition and the staves whose notes it plays one after
// another, plus one tempo for the whole piece. "C&lear" is the all-zero
// set-up; "&Auto setup" fills it from the staves of the page.

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace ts {

class PageStore;

constexpr int kMidiTracks = 16;        // tracks of the set-up
constexpr int kStavesPerTrack = 16;    // staff numbers one track plays in turn
constexpr int kMidiChannels = 16;      // channels of a standard MIDI file
constexpr int kPercussionChannel = 9;  // General MIDI keeps channel 10 (counted from 1) for drums
constexpr int kDefaultTempo = 120;     // quarter notes a minute when the set-up says 0
constexpr int kDefaultAmplitude = 100; // velocity of a track whose amplitude is 0
constexpr int kHighestTempo = 1000;
constexpr int kHighestTransposition = 127;  // semitones either way
constexpr int kHighestProgram = 127;        // General MIDI programs count from 0
constexpr int kHighestVelocity = 127;       // seven bits
constexpr int kHighestStaffNumber = 9999;

struct MidiTrack {
  int channel = 0;
  int instrument = 0;     // General MIDI program, 0 to 127
  int amplitude = 0;      // velocity of every note; 0 plays at kDefaultAmplitude
  int transposition = 0;  // semitones added to every note
  std::array<int, kStavesPerTrack> staves{};  // 0 ends the list

  // The staff numbers in play order, up to the first 0.
  int staffCount() const;
};

struct MidiSetup {
  std::array<MidiTrack, kMidiTracks> tracks{};
  int tempo = 0;  // quarter notes a minute; 0 plays at kDefaultTempo
  std::string outputFile;  // where "PLA" writes the MIDI file; empty: the work file

  // True when some track names a staff: a set-up the user has made.
  bool hasStaves() const;
};

// The tempo a set-up plays at: 0 and below give 120, the rest is held
// within 1..1000 so that tick counts stay finite.
int playingTempo(int tempo);
// The velocity of a track: 0 and below play at the default, the rest is
// held within the seven bits a velocity has.
int playingVelocity(int amplitude);

// One track for each part the page's systems hold. Staves joined by a bar
// line (or brace) that spans them make one system; the staves of the
// systems are counted from the top of each system, and the n-th staff of
// every system goes into track n, top system first, so that a piece set on
// several systems plays through them in turn while the staves of one system
// play together. Only staves with notes count. Channels are given in track
// order, passing over the drum channel; instrument 0 (piano), default
// loudness, no transposition. The tempo is left at 0.
MidiSetup autoSetup(const PageStore& page);

// A track as a line of text "CH:INSTR:AMPL:TRANSP:STAFF,STAFF...": channel
// 0..15, program 0..127, amplitude 0..127, transposition -127..127 and one
// to 16 staff numbers from 1 to 9999. Nothing when any of it is out of
// range or not a whole number.
std::optional<MidiTrack> parseMidiTrack(std::string_view text);

}  // namespace ts
