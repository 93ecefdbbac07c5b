#pragma once
// The event array: the page's notes as MIDI events, per channel, the way
// the file writer takes them. Words 0 to 15 count the events of channels 0
// to 15; then come the events of channel 0, of channel 1 and so on, each an
// event word and a delta time in ticks.

#include <cstdint>
#include <string>
#include <vector>

#include "output/midi_setup.h"

namespace ts {

class PageStore;

constexpr int kChannelCountWords = 16;  // the counts before the events
constexpr int kWordsPerEvent = 2;       // event word, delta time
constexpr uint32_t kNoteOnByte = 0x81;  // top byte of each event word
constexpr uint32_t kNoteOffByte = 0x80;
constexpr uint32_t kProgramByte = 0xFF;
constexpr uint32_t kChannelEventByte = 0xE0;
constexpr double kGraceLead = 0.05;     // quarters each grace note sounds before the next

// Event words (most significant byte first): note on and note off carry the
// note number in bits 8-15 and the velocity in bits 0-7; a program change
// the program in bits 0-7 and 0x2101 in bits 8-23. Values are held within
// their seven bits.
int32_t noteOnWord(int note, int velocity);
int32_t noteOffWord(int note, int velocity);
int32_t programWord(int program);

struct MidiEvents {
  std::vector<int32_t> words;         // the event array
  std::vector<std::string> messages;  // what the user is to be told, in order
  int notes = 0;                      // notes struck; 0: "No Notes Found."
};

// The event array of a page under a set-up. Each track with notes starts
// with its program change; each note is struck at its position's time and
// released its length later (a tied note at the end of the last note it is
// tied on to), both at the track's velocity; a note whose number falls
// outside 0..127 after the octave signs and the track's transposition is
// left out with a message. Grace notes end where their position's time is,
// each 0.05 quarter long, a run of them laid out backwards from there. When
// grace notes at the start reach before 0, the whole piece moves later.
// Events at one time go program changes first, then note-offs, then
// note-ons, so a note struck again is released first.
MidiEvents buildMidiEvents(const PageStore& page, const MidiSetup& setup);

}  // namespace ts
