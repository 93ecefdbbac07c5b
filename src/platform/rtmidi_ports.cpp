#include "platform/rtmidi_ports.h"

#include <rtmidi/RtMidi.h>

#include <atomic>
#include <chrono>

#include "platform/timed_midi_stream.h"

namespace ts {
namespace {

constexpr const char* kClientName = "Tonesmith";

// RtMidi reports warnings through this callback instead of printing them;
// errors still arrive as exceptions, which are caught where they can arise.
void ignoreWarning(RtMidiError::Type, const std::string&, void*) {}

class PortSink : public MidiMessageSink {
 public:
  explicit PortSink(std::unique_ptr<RtMidiOut> port) : m_port(std::move(port)) {}
  void shortMessage(uint32_t message) override {
    const uint8_t status = message & 0xFF;
    const unsigned char bytes[3] = {status, static_cast<unsigned char>(message >> 8 & 0x7F),
                                    static_cast<unsigned char>(message >> 16 & 0x7F)};
    const uint8_t kind = status & 0xF0;
    send(bytes, kind == 0xC0 || kind == 0xD0 ? 2 : 3);
  }
  void longMessage(std::span<const uint8_t> bytes) override { send(bytes.data(), bytes.size()); }
  // "All sound off" and "all notes off" on every channel.
  void silence() override {
    for (uint8_t channel = 0; channel < 16; ++channel) {
      const unsigned char soundOff[3] = {static_cast<unsigned char>(0xB0 | channel), 120, 0};
      const unsigned char notesOff[3] = {static_cast<unsigned char>(0xB0 | channel), 123, 0};
      send(soundOff, 3);
      send(notesOff, 3);
    }
  }

 private:
  void send(const unsigned char* bytes, size_t size) {
    try {
      m_port->sendMessage(bytes, size);
    } catch (const RtMidiError&) {
      // A port that went away drops the message; the piece plays on silently.
    }
  }
  std::unique_ptr<RtMidiOut> m_port;
};

class PortDevice : public MidiOutputDevice {
 public:
  PortDevice(unsigned int port, std::string name) : m_port(port), m_name(std::move(name)) {}
  std::string name() const override { return m_name; }
  std::unique_ptr<MidiOutputStream> open(StreamDoneCallback done, std::string& whyNot) override {
    try {
      auto out = std::make_unique<RtMidiOut>(RtMidi::UNSPECIFIED, kClientName);
      out->setErrorCallback(ignoreWarning);
      out->openPort(m_port, kClientName);
      return std::make_unique<TimedMidiStream>(std::make_unique<PortSink>(std::move(out)), std::move(done));
    } catch (const RtMidiError& error) {
      whyNot = "the MIDI port " + m_name + " cannot be opened: " + error.getMessage();
      return nullptr;
    }
  }

 private:
  unsigned int m_port;
  std::string m_name;
};

}  // namespace

std::vector<std::unique_ptr<MidiOutputDevice>> systemMidiOutputs() {
  std::vector<std::unique_ptr<MidiOutputDevice>> devices;
  try {
    RtMidiOut out(RtMidi::UNSPECIFIED, kClientName);
    out.setErrorCallback(ignoreWarning);
    const unsigned int ports = out.getPortCount();
    for (unsigned int port = 0; port < ports; ++port) {
      devices.push_back(std::make_unique<PortDevice>(port, out.getPortName(port)));
    }
  } catch (const RtMidiError&) {
    devices.clear();  // no MIDI system on this machine
  }
  return devices;
}

struct RtMidiInputDevices::Port {
  std::unique_ptr<RtMidiIn> in;
  Callback callback;
  int device = 0;
  std::chrono::steady_clock::time_point started = std::chrono::steady_clock::now();
  std::atomic<bool> running{false};
};

namespace {

// RtMidi's input callback, on its own thread: channel messages only, packed
// low byte first as the input buffer keeps them.
void portArrived(double, std::vector<unsigned char>* message, void* data) {
  auto* port = static_cast<RtMidiInputDevices::Port*>(data);
  if (!port->running || message == nullptr || message->empty() || message->size() > 3) return;
  uint32_t packed = 0;
  for (size_t i = 0; i < message->size(); ++i) packed |= static_cast<uint32_t>((*message)[i]) << (8 * i);
  const auto elapsed = std::chrono::steady_clock::now() - port->started;
  const auto millis = std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count();
  port->callback(MidiInputEvent{0, static_cast<uint32_t>(port->device), static_cast<uint32_t>(millis), packed});
}

}  // namespace

RtMidiInputDevices::RtMidiInputDevices() {
  try {
    RtMidiIn in(RtMidi::UNSPECIFIED, kClientName);
    in.setErrorCallback(ignoreWarning);
    const unsigned int ports = in.getPortCount();
    for (unsigned int port = 0; port < ports; ++port) m_names.push_back(in.getPortName(port));
  } catch (const RtMidiError&) {
    m_names.clear();
  }
}

RtMidiInputDevices::~RtMidiInputDevices() = default;

int RtMidiInputDevices::count() { return static_cast<int>(m_names.size()); }

std::optional<std::string> RtMidiInputDevices::name(int device, std::string& whyNot) {
  if (device < 0 || device >= count()) {
    whyNot = "There is no MIDI input device " + std::to_string(device) + ".";
    return std::nullopt;
  }
  return m_names[static_cast<size_t>(device)];
}

bool RtMidiInputDevices::open(int device, Callback callback, std::string& whyNot) {
  if (device < 0 || device >= count()) return false;
  auto port = std::make_unique<Port>();
  port->callback = std::move(callback);
  port->device = device;
  try {
    port->in = std::make_unique<RtMidiIn>(RtMidi::UNSPECIFIED, kClientName);
    port->in->setErrorCallback(ignoreWarning);
    port->in->setCallback(portArrived, port.get());
    port->in->openPort(static_cast<unsigned int>(device), kClientName);
  } catch (const RtMidiError& error) {
    whyNot = error.getMessage();
    return false;
  }
  m_ports.push_back(std::move(port));
  return true;
}

bool RtMidiInputDevices::start(int device) {
  for (const std::unique_ptr<Port>& port : m_ports) {
    if (port->device != device) continue;
    port->started = std::chrono::steady_clock::now();
    port->running = true;
    return true;
  }
  return false;
}

}  // namespace ts
