#pragma once
// Standard MIDI files made byte by byte for the player's tests.

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace ts::testing {

using Bytes = std::vector<uint8_t>;

inline void appendBigEndian(Bytes& bytes, uint32_t value, int count) {
  for (int i = count - 1; i >= 0; --i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

inline void appendVariable(Bytes& bytes, uint32_t value) {
  Bytes groups{static_cast<uint8_t>(value & 0x7F)};
  while ((value >>= 7) != 0) groups.insert(groups.begin(), static_cast<uint8_t>(0x80 | (value & 0x7F)));
  bytes.insert(bytes.end(), groups.begin(), groups.end());
}

inline Bytes chunk(const char* tag, const Bytes& data) {
  Bytes bytes(tag, tag + 4);
  appendBigEndian(bytes, static_cast<uint32_t>(data.size()), 4);
  bytes.insert(bytes.end(), data.begin(), data.end());
  return bytes;
}

// A format 1 file of the given track contents (their events, delta times
// included, end of track included or not as the test wants).
inline Bytes midiFile(std::initializer_list<Bytes> tracks, uint16_t division = 96, uint16_t format = 1) {
  Bytes header;
  appendBigEndian(header, format, 2);
  appendBigEndian(header, static_cast<uint32_t>(tracks.size()), 2);
  appendBigEndian(header, division, 2);
  Bytes file = chunk("MThd", header);
  for (const Bytes& track : tracks) {
    const Bytes bytes = chunk("MTrk", track);
    file.insert(file.end(), bytes.begin(), bytes.end());
  }
  return file;
}

inline const Bytes kEndOfTrack{0x00, 0xFF, 0x2F, 0x00};

// `notes` quarter notes one after another on channel 0, from middle C up.
inline Bytes scaleTrack(int notes) {
  Bytes track;
  for (int i = 0; i < notes; ++i) {
    const uint8_t key = static_cast<uint8_t>(60 + i % 24);
    track.insert(track.end(), {0x00, 0x90, key, 100});
    appendVariable(track, 96);
    track.insert(track.end(), {0x80, key, 0});
  }
  track.insert(track.end(), kEndOfTrack.begin(), kEndOfTrack.end());
  return track;
}

// A track holding one system-exclusive message of `length` data bytes.
inline Bytes systemExclusiveTrack(uint32_t length) {
  Bytes track{0x00, 0xF0};
  appendVariable(track, length);
  for (uint32_t i = 0; i + 1 < length; ++i) track.push_back(0x10);
  track.push_back(0xF7);
  track.insert(track.end(), kEndOfTrack.begin(), kEndOfTrack.end());
  return track;
}

}  // namespace ts::testing
