#pragma once
// The standard MIDI file (format 1) of an event array: a header, the tempo
// track, then one track per channel that has events, in channel order.
// Multi-byte numbers are big-endian; no running status is used.

#include <cstdint>
#include <span>
#include <vector>

namespace ts {

constexpr uint32_t kLargestDelta = 0x0FFFFFFF;  // the 28 bits a variable-length delta carries
constexpr uint8_t kEndOfTrackDelta = 0x3F;       // ticks before each channel track's end

// Appends a delta time as a variable-length quantity: seven bits a byte,
// the most significant group first, bit 7 set on all but the last byte;
// the value is masked to 28 bits.
void appendVariableLength(std::vector<uint8_t>& bytes, uint32_t value);

// The whole file image. Counts and words that the array does not hold are
// taken as far as it holds them; a negative count as 0; a delta time as
// its 28 bits. Event words: note on (0x81), note off (0x80), program change
// (0xFF) and the two-byte channel event (0xE0, written as a whole pitch
// bend with its data byte as the coarse value, so the file stays valid);
// any other word is left out with its delta time.
std::vector<uint8_t> midiFileImage(std::span<const int32_t> events);

}  // namespace ts
