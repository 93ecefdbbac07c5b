#include "platform/midi_devices.h"

#include "platform/builtin_synth.h"
#include "platform/rtmidi_ports.h"

namespace ts {

std::vector<std::unique_ptr<MidiOutputDevice>> midiOutputDevices() {
  std::vector<std::unique_ptr<MidiOutputDevice>> devices;
  devices.push_back(std::make_unique<BuiltInSynthDevice>());
  for (std::unique_ptr<MidiOutputDevice>& port : systemMidiOutputs()) devices.push_back(std::move(port));
  return devices;
}

}  // namespace ts
