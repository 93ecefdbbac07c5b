#pragma once
// The MIDI output stream the sequencer plays through, in place of the
// system's multimedia library: buffers of timed events are handed over,
// played in order once the stream is restarted, and handed back one at a
// time through the "done" callback. The back ends are the built-in
// synthesizer, the system's MIDI ports and a fake that tests drive.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace ts {

// Results, numbered as the multimedia control errors the player shows.
inline constexpr int kMidiDone = 0;
inline constexpr int kMidiOutOfMemory = 264;
inline constexpr int kMidiNotPossibleNow = 274;  // not possible in the sequencer's present state
inline constexpr int kMidiFileNotFound = 275;
inline constexpr int kMidiDeviceNotReady = 276;
inline constexpr int kMidiInvalidFile = 296;

// The player's words for a result.
std::string midiErrorText(int error);

// One event of a stream buffer.
struct StreamEvent {
  enum class Kind : uint8_t { Short, Tempo, Long, Nop };
  uint32_t delta = 0;  // ticks after the event before it
  Kind kind = Kind::Short;
  // Short: status, data 1 and data 2 packed low byte first.
  // Tempo: microseconds a quarter note.
  uint32_t message = 0;
  std::vector<uint8_t> bytes;  // Long: a system-exclusive message, F0 included
};

inline constexpr size_t kStreamHeaderBytes = 64;  // every buffer starts with its header
inline constexpr size_t kStreamEventBytes = 12;   // delta, stream id and event word of one event

// What one event takes in a buffer: its 12 bytes, and a long message's
// data rounded up to whole 32-bit words.
size_t streamEventBytes(const StreamEvent& event);

inline uint32_t shortMessage(uint8_t status, uint8_t data1, uint8_t data2) {
  return status | (static_cast<uint32_t>(data1) << 8) | (static_cast<uint32_t>(data2) << 16);
}

// A buffer of events. Its size counts the header.
struct StreamBuffer {
  size_t size = 0;
  size_t used = kStreamHeaderBytes;
  std::vector<StreamEvent> events;

  // False, and nothing added, when the event does not fit.
  bool append(StreamEvent event);
  void clear();
};

// An open stream. A stream starts paused; closing it is destroying it. The
// done callback may run on the stream's own thread or inside stop() and
// reset(), never inside out(); it may hand the buffer back with out().
class MidiOutputStream {
 public:
  virtual ~MidiOutputStream() = default;
  virtual int setTimeDivision(int ticksPerQuarter) = 0;
  // Queues a buffer; it comes back through the callback once played.
  virtual int out(StreamBuffer& buffer) = 0;
  virtual int restart() = 0;
  virtual int pause() = 0;
  // Stops at once; every queued buffer comes back, the position returns to 0.
  virtual int stop() = 0;
  // As stop, and every note still sounding is silenced.
  virtual int reset() = 0;
  // Ticks played since the stream was opened or last stopped.
  virtual uint32_t position() = 0;
};

using StreamDoneCallback = std::function<void(StreamBuffer&)>;

class MidiOutputDevice {
 public:
  virtual ~MidiOutputDevice() = default;
  virtual std::string name() const = 0;
  // Nothing when the device cannot be opened; `whyNot` then says why in
  // the user's words.
  virtual std::unique_ptr<MidiOutputStream> open(StreamDoneCallback done, std::string& whyNot) = 0;
};

}  // namespace ts
