#include "output/midi_file.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "output/midi_events.h"

namespace ts {
namespace {

constexpr uint16_t kTicksPerQuarter = 96;
constexpr size_t kChunkHeaderBytes = 8;  // "MTrk" and the length

// 4/4 time, 24 clocks a click, 8 thirty-seconds a quarter; 500000
// microseconds a quarter; end of track.
constexpr std::array<uint8_t, 19> kTempoTrack = {0x00, 0xFF, 0x58, 0x04, 0x04, 0x02, 0x18, 0x08, 0x00, 0xFF,
                                                 0x51, 0x03, 0x07, 0xA1, 0x20, 0x00, 0xFF, 0x2F, 0x00};
constexpr std::array<uint8_t, 3> kEndOfTrack = {0xFF, 0x2F, 0x00};

void appendText(std::vector<uint8_t>& bytes, std::string_view text) { bytes.insert(bytes.end(), text.begin(), text.end()); }

void appendBigEndian(std::vector<uint8_t>& bytes, uint32_t value, int width) {
  for (int shift = 8 * (width - 1); shift >= 0; shift -= 8) bytes.push_back(static_cast<uint8_t>(value >> shift));
}

void putBigEndian32(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

uint8_t dataByte(uint32_t word, int shift) { return static_cast<uint8_t>((word >> shift) & 0x7F); }

// The bytes of one event after its delta time; empty for a word the writer leaves out.
std::vector<uint8_t> eventBytes(uint32_t word, int channel) {
  const auto status = [&](uint32_t kind) { return static_cast<uint8_t>(kind | static_cast<uint32_t>(channel)); };
  switch (word >> 24) {
    case kNoteOnByte: return {status(0x90), dataByte(word, 8), dataByte(word, 0)};
    case kNoteOffByte: return {status(0x80), dataByte(word, 8), dataByte(word, 0)};
    case kProgramByte: return {status(0xC0), dataByte(word, 0)};
    case kChannelEventByte: return {status(0xE0), 0x00, dataByte(word, 0)};
    default: return {};
  }
}

void appendChannelTrack(std::vector<uint8_t>& bytes, std::span<const int32_t> events, int channel) {
  appendText(bytes, "MTrk");
  const size_t lengthAt = bytes.size();
  appendBigEndian(bytes, 0, 4);
  for (size_t i = 0; i + 1 < events.size(); i += kWordsPerEvent) {
    const std::vector<uint8_t> event = eventBytes(static_cast<uint32_t>(events[i]), channel);
    if (event.empty()) continue;
    appendVariableLength(bytes, static_cast<uint32_t>(events[i + 1]));
    bytes.insert(bytes.end(), event.begin(), event.end());
  }
  bytes.push_back(kEndOfTrackDelta);
  bytes.insert(bytes.end(), kEndOfTrack.begin(), kEndOfTrack.end());
  putBigEndian32(bytes, lengthAt, static_cast<uint32_t>(bytes.size() - lengthAt - 4));
}

// The channels with a count above 0 and their events, as far as the
// array holds them.
struct ChannelWords {
  bool present = false;
  std::span<const int32_t> events;
};

std::array<ChannelWords, kMidiChannels> channelEvents(std::span<const int32_t> events) {
  std::array<ChannelWords, kMidiChannels> channels{};
  if (events.size() < static_cast<size_t>(kChannelCountWords)) return channels;
  size_t at = kChannelCountWords;
  for (size_t c = 0; c < channels.size(); ++c) {
    const size_t wanted = static_cast<size_t>(std::max(events[c], 0)) * kWordsPerEvent;
    const size_t taken = std::min(wanted, events.size() - at);
    channels[c] = {events[c] > 0, events.subspan(at, taken)};
    at += taken;
  }
  return channels;
}

}  // namespace

void appendVariableLength(std::vector<uint8_t>& bytes, uint32_t value) {
  value &= kLargestDelta;
  std::array<uint8_t, 4> groups{};
  int count = 0;
  do {
    groups[static_cast<size_t>(count++)] = static_cast<uint8_t>(value & 0x7F);
    value >>= 7;
  } while (value != 0);
  while (count > 1) bytes.push_back(static_cast<uint8_t>(groups[static_cast<size_t>(--count)] | 0x80));
  bytes.push_back(groups[0]);
}

std::vector<uint8_t> midiFileImage(std::span<const int32_t> events) {
  const auto channels = channelEvents(events);
  const auto used = static_cast<uint32_t>(std::count_if(channels.begin(), channels.end(), [](const ChannelWords& c) { return c.present; }));
  std::vector<uint8_t> bytes;
  bytes.reserve(kChunkHeaderBytes * 2 + 6 + kTempoTrack.size() + events.size() * 4);
  appendText(bytes, "MThd");
  appendBigEndian(bytes, 6, 4);
  appendBigEndian(bytes, 1, 2);
  appendBigEndian(bytes, used + 1, 2);
  appendBigEndian(bytes, kTicksPerQuarter, 2);
  appendText(bytes, "MTrk");
  appendBigEndian(bytes, static_cast<uint32_t>(kTempoTrack.size()), 4);
  bytes.insert(bytes.end(), kTempoTrack.begin(), kTempoTrack.end());
  for (size_t c = 0; c < channels.size(); ++c) {
    if (channels[c].present) appendChannelTrack(bytes, channels[c].events, static_cast<int>(c));
  }
  return bytes;
}

}  // namespace ts
