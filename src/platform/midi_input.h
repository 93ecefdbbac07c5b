#pragma once
// MIDI keyboards: the input devices, opened at start-up, call back from
// their drivers' threads; each event goes into a circular buffer of 200,
// and message 400 asks the main window to take it out into the last-event
// record that the engine reads in MIDI-input mode.

#include <array>
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace ts {

// One event as the buffer holds it: four 32-bit words, 16 bytes.
struct MidiInputEvent {
  uint32_t error = 0;      // 1 for an input error message, 0 for data
  uint32_t device = 0;
  uint32_t timestamp = 0;  // milliseconds since the device started
  uint32_t message = 0;    // status, data 1, data 2, low byte first
};
static_assert(sizeof(MidiInputEvent) == 16);

inline constexpr size_t kMidiInputEvents = 200;  // 3200 bytes of events
inline constexpr int kMostMidiInputDevices = 8;
inline constexpr int kMidiInputMessage = 400;

namespace midi_input_messages {
inline constexpr const char* kNoMemoryForBuffer = "IDS_NOMEM_IBUF";
inline constexpr const char* kNoMemory = "IDS_NOMEM";
inline constexpr const char* kCapabilities = "midiInGetDevCaps";
inline constexpr const char* kOpenFailed = "midiInOpen(%u)";
std::string openFailed(int device);
}  // namespace midi_input_messages

// Between the device callbacks and the main window. Its count is the only
// field both sides change; writers (one thread per device) queue on a lock
// of their own, so the reader never waits.
class MidiInputBuffer {
 public:
  // False, the event dropped and the overflow flag set, when full.
  bool push(const MidiInputEvent& event);
  std::optional<MidiInputEvent> pop();
  int count() const { return m_count.load(); }
  bool overflowed() const { return m_overflow.load(); }
  void clearOverflow() { m_overflow = false; }

 private:
  std::array<MidiInputEvent, kMidiInputEvents> m_events{};
  std::atomic<int> m_count{0};
  std::atomic<bool> m_overflow{false};
  std::mutex m_writers;
  size_t m_write = 0;  // the writers'
  size_t m_read = 0;   // the reader's
};

// The last event, read by the engine in MIDI-input mode.
struct LastMidiInput {
  uint32_t device = 0;
  uint32_t timestamp = 0;
  uint32_t message = 0;
  uint8_t status = 0;
  bool busy = false;  // set when an event is stored, cleared by the engine when it has taken it
};

// Message 400. One event at a time reaches the record, and only once the
// engine has taken the one before; true when message 400 is to be posted
// again (the record is still busy, or more events wait).
bool takeMidiInput(MidiInputBuffer& buffer, LastMidiInput& last);

// The system's MIDI input ports.
class MidiInputDevices {
 public:
  using Callback = std::function<void(const MidiInputEvent&)>;
  virtual ~MidiInputDevices() = default;
  virtual int count() = 0;
  // The device's name, nothing when its capabilities cannot be read
  // (`whyNot` then says why).
  virtual std::optional<std::string> name(int device, std::string& whyNot) = 0;
  virtual bool open(int device, Callback callback, std::string& whyNot) = 0;
  virtual bool start(int device) = 0;
};

// The input side of the main window: the devices opened at start-up and
// the buffer they fill. Events count only while MIDI-input mode is on.
class MidiInput {
 public:
  using Post = std::function<void()>;  // posts message 400 to the main window
  MidiInput(MidiInputDevices& devices, Post post);

  // Opens and starts every device up to 8; the messages to show, in order.
  std::vector<std::string> openAll();
  bool available() const { return m_available; }
  int opened() const { return m_opened; }
  void setInputMode(bool on) { m_inputMode = on; }
  MidiInputBuffer& buffer() { return *m_buffer; }
  LastMidiInput& last() { return m_last; }
  // Message 400; true when it is to be posted again.
  bool onMessage() { return m_buffer && takeMidiInput(*m_buffer, m_last); }
  // The input callback, on a driver's thread.
  void arrived(const MidiInputEvent& event);

 private:
  MidiInputDevices& m_devices;
  Post m_post;
  std::unique_ptr<MidiInputBuffer> m_buffer;
  LastMidiInput m_last;
  std::atomic<bool> m_inputMode{false};
  bool m_available = false;
  int m_opened = 0;
};

// Input devices for tests: names given, events sent by hand.
class FakeMidiInputDevices : public MidiInputDevices {
 public:
  std::vector<std::string> names;
  std::vector<int> refuseOpen;  // devices whose open fails
  std::vector<int> started;

  int count() override { return static_cast<int>(names.size()); }
  std::optional<std::string> name(int device, std::string& whyNot) override;
  bool open(int device, Callback callback, std::string& whyNot) override;
  bool start(int device) override;
  // Sends an event from device `device`'s callback.
  void play(int device, uint32_t message, uint32_t timestamp = 0);

 private:
  std::vector<std::pair<int, Callback>> m_callbacks;
};

}  // namespace ts
