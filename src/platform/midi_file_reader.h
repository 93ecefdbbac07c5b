#pragma once
// Reads a standard MIDI file (formats 0 and 1, or one wrapped in a RIFF
// "RMID" file) into the one list of events the sequencer plays: the tracks
// merged in time order, tempo changes kept, other meta events dropped. The
// bytes may come from anywhere: a damaged file is refused whole, and a
// file too large to play is refused before it can exhaust memory.

#include <cstdint>
#include <span>
#include <vector>

#include "platform/midi_stream.h"

namespace ts {

inline constexpr size_t kLargestMidiFile = size_t{16} << 20;  // bytes; far beyond any page's piece
inline constexpr size_t kMostMidiEvents = 500000;            // events of all tracks together
inline constexpr uint64_t kLongestMidiPiece = 0xFFFFFFFF;     // ticks: a stream's position is 32 bits

struct MidiSequence {
  int division = 0;                 // ticks a quarter note
  std::vector<StreamEvent> events;  // merged; the last is a Nop at the end of the longest track
};

struct MidiFileRead {
  int error = kMidiDone;  // kMidiInvalidFile when damaged, kMidiOutOfMemory when too large
  MidiSequence sequence;
};

MidiFileRead readMidiFile(std::span<const uint8_t> bytes);

}  // namespace ts
