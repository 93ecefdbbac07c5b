#pragma once
// The system's MIDI ports through RtMidi: each output port is a device the
// sequencer can play through, each input port a keyboard. A machine
// without a MIDI system simply has no ports.

#include <memory>
#include <string>
#include <vector>

#include "platform/midi_input.h"
#include "platform/midi_stream.h"

namespace ts {

// The output ports, in the system's order.
std::vector<std::unique_ptr<MidiOutputDevice>> systemMidiOutputs();

class RtMidiInputDevices : public MidiInputDevices {
 public:
  RtMidiInputDevices();
  ~RtMidiInputDevices() override;
  int count() override;
  std::optional<std::string> name(int device, std::string& whyNot) override;
  bool open(int device, Callback callback, std::string& whyNot) override;
  bool start(int device) override;

  struct Port;  // an opened input port, its callback's data

 private:
  std::vector<std::string> m_names;
  std::vector<std::unique_ptr<Port>> m_ports;
};

}  // namespace ts
