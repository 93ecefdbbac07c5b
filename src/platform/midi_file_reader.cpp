#include "platform/midi_file_reader.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace ts {
namespace {

constexpr uint8_t kMetaEvent = 0xFF;
constexpr uint8_t kSystemExclusive = 0xF0;
constexpr uint8_t kSystemExclusiveEscape = 0xF7;
constexpr uint8_t kEndOfTrack = 0x2F;
constexpr uint8_t kSetTempo = 0x51;
constexpr int kMostVariableLengthBytes = 4;  // 28 bits

// Reads forward through a span; every read past its end fails and leaves
// the reader failed for good.
class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : m_bytes(bytes) {}
  bool ok() const { return m_ok; }
  bool atEnd() const { return m_position >= m_bytes.size(); }
  size_t remaining() const { return m_ok ? m_bytes.size() - m_position : 0; }
  uint8_t peek() const { return atEnd() ? 0 : m_bytes[m_position]; }
  uint8_t byte() { return take(1).empty() ? 0 : m_bytes[m_position - 1]; }
  std::span<const uint8_t> take(size_t count) {
    if (!m_ok || count > remaining()) {
      m_ok = false;
      return {};
    }
    m_position += count;
    return m_bytes.subspan(m_position - count, count);
  }
  uint32_t bigEndian(int count) {
    uint32_t value = 0;
    for (uint8_t b : take(static_cast<size_t>(count))) value = value << 8 | b;
    return value;
  }
  uint32_t littleEndian32() {
    uint32_t value = 0;
    int shift = 0;
    for (uint8_t b : take(4)) {
      value |= static_cast<uint32_t>(b) << shift;
      shift += 8;
    }
    return value;
  }
  std::optional<uint32_t> variableLength() {
    uint32_t value = 0;
    for (int i = 0; i < kMostVariableLengthBytes && m_ok; ++i) {
      const uint8_t b = byte();
      value = value << 7 | (b & 0x7F);
      if ((b & 0x80) == 0) return m_ok ? std::optional(value) : std::nullopt;
    }
    return std::nullopt;
  }
  bool tag(std::string_view expected) {
    const std::span<const uint8_t> got = take(expected.size());
    return m_ok && std::equal(got.begin(), got.end(), expected.begin());
  }

 private:
  std::span<const uint8_t> m_bytes;
  size_t m_position = 0;
  bool m_ok = true;
};

struct TimedEvent {
  uint64_t tick = 0;
  StreamEvent event;
};

// The number of data bytes a channel message carries.
int dataBytes(uint8_t status) {
  const uint8_t kind = status & 0xF0;
  return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

class TrackReader {
 public:
  TrackReader(std::vector<TimedEvent>& events, uint64_t& endTick) : m_events(events), m_endTick(endTick) {}

  int read(std::span<const uint8_t> data) {
    ByteReader r(data);
    while (!r.atEnd()) {
      const std::optional<uint32_t> delta = r.variableLength();
      if (!delta || (m_tick += *delta) > kLongestMidiPiece) return kMidiInvalidFile;
      const int result = readEvent(r);
      if (result == kEndReached) break;
      if (result != kMidiDone) return result;
      if (m_events.size() > kMostMidiEvents) return kMidiOutOfMemory;
    }
    m_endTick = std::max(m_endTick, m_tick);
    return kMidiDone;
  }

 private:
  static constexpr int kEndReached = -1;

  int readEvent(ByteReader& r) {
    uint8_t status = r.peek();
    if (status & 0x80) r.byte();
    else if (m_running == 0) return kMidiInvalidFile;
    else status = m_running;
    if (status == kMetaEvent) return readMeta(r);
    if (status == kSystemExclusive || status == kSystemExclusiveEscape) return readSystemExclusive(r, status);
    if (status > kSystemExclusive) return kMidiInvalidFile;  // no real-time or common messages in a file
    m_running = status;
    const uint8_t data1 = r.byte();
    const uint8_t data2 = dataBytes(status) == 2 ? r.byte() : 0;
    if (!r.ok() || ((data1 | data2) & 0x80)) return kMidiInvalidFile;
    add(StreamEvent{0, StreamEvent::Kind::Short, shortMessage(status, data1, data2), {}});
    return kMidiDone;
  }

  int readMeta(ByteReader& r) {
    m_running = 0;
    const uint8_t type = r.byte();
    const std::optional<uint32_t> length = r.variableLength();
    const std::span<const uint8_t> data = length ? r.take(*length) : std::span<const uint8_t>();
    if (!r.ok() || !length) return kMidiInvalidFile;
    if (type == kEndOfTrack) return kEndReached;
    if (type == kSetTempo && data.size() == 3) {
      add(StreamEvent{0, StreamEvent::Kind::Tempo, static_cast<uint32_t>(data[0] << 16 | data[1] << 8 | data[2]), {}});
    }
    return kMidiDone;
  }

  // A whole system-exclusive message is played; an escape (F7) packet,
  // which may hold anything, is passed over.
  int readSystemExclusive(ByteReader& r, uint8_t status) {
    m_running = 0;
    const std::optional<uint32_t> length = r.variableLength();
    const std::span<const uint8_t> data = length ? r.take(*length) : std::span<const uint8_t>();
    if (!r.ok() || !length) return kMidiInvalidFile;
    if (status == kSystemExclusiveEscape) return kMidiDone;
    StreamEvent event{0, StreamEvent::Kind::Long, 0, {kSystemExclusive}};
    event.bytes.insert(event.bytes.end(), data.begin(), data.end());
    add(std::move(event));
    return kMidiDone;
  }

  void add(StreamEvent event) { m_events.push_back(TimedEvent{m_tick, std::move(event)}); }

  std::vector<TimedEvent>& m_events;
  uint64_t& m_endTick;
  uint64_t m_tick = 0;
  uint8_t m_running = 0;
};

// The tracks in time order; events of one tick keep their track's order.
MidiSequence merged(std::vector<TimedEvent> events, uint64_t endTick, int division) {
  std::stable_sort(events.begin(), events.end(), [](const TimedEvent& a, const TimedEvent& b) { return a.tick < b.tick; });
  MidiSequence sequence;
  sequence.division = division;
  sequence.events.reserve(events.size() + 1);
  uint64_t previous = 0;
  for (TimedEvent& timed : events) {
    timed.event.delta = static_cast<uint32_t>(timed.tick - previous);
    previous = timed.tick;
    sequence.events.push_back(std::move(timed.event));
  }
  sequence.events.push_back(StreamEvent{static_cast<uint32_t>(endTick - previous), StreamEvent::Kind::Nop, 0, {}});
  return sequence;
}

// The standard MIDI file inside a RIFF "RMID" file; nothing when it has none.
std::optional<std::span<const uint8_t>> riffMidiData(std::span<const uint8_t> bytes) {
  ByteReader r(bytes);
  if (!r.tag("RIFF")) return std::nullopt;
  r.littleEndian32();
  if (!r.tag("RMID")) return std::nullopt;
  while (r.ok() && !r.atEnd()) {
    const bool isData = r.tag("data");
    const uint32_t length = r.littleEndian32();
    const std::span<const uint8_t> chunk = r.take(length);
    if (isData && r.ok()) return chunk;
    if (length % 2 == 1 && !r.atEnd()) r.byte();
  }
  return std::nullopt;
}

MidiFileRead readStandardFile(std::span<const uint8_t> bytes) {
  ByteReader r(bytes);
  const bool header = r.tag("MThd");
  const uint32_t headerLength = r.bigEndian(4);
  const std::span<const uint8_t> fields = r.take(headerLength);
  if (!header || !r.ok() || headerLength < 6) return {kMidiInvalidFile, {}};
  ByteReader h(fields);
  const uint32_t format = h.bigEndian(2);
  const uint32_t tracks = h.bigEndian(2);
  const uint32_t division = h.bigEndian(2);
  // Format 2 holds independent pieces; a division in SMPTE frames (top bit) is not a page's.
  if (format > 1 || division == 0 || (division & 0x8000) != 0) return {kMidiInvalidFile, {}};
  std::vector<TimedEvent> events;
  uint64_t endTick = 0;
  for (uint32_t found = 0; found < tracks;) {
    const bool isTrack = r.tag("MTrk");
    const uint32_t length = r.bigEndian(4);
    const std::span<const uint8_t> chunk = r.take(length);
    if (!r.ok()) return {kMidiInvalidFile, {}};
    if (!isTrack) continue;
    ++found;
    if (const int error = TrackReader(events, endTick).read(chunk); error != kMidiDone) return {error, {}};
  }
  return {kMidiDone, merged(std::move(events), endTick, static_cast<int>(division))};
}

}  // namespace

MidiFileRead readMidiFile(std::span<const uint8_t> bytes) {
  if (bytes.size() > kLargestMidiFile) return {kMidiOutOfMemory, {}};
  if (const std::optional<std::span<const uint8_t>> data = riffMidiData(bytes)) return readStandardFile(*data);
  return readStandardFile(bytes);
}

}  // namespace ts
