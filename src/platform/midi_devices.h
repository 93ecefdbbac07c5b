#pragma once
// The MIDI output devices a user can choose, numbered from 0 as the output
// device menu shows them: the built-in synthesizer first, then the
// system's MIDI ports.

#include <memory>
#include <vector>

#include "platform/midi_stream.h"

namespace ts {

std::vector<std::unique_ptr<MidiOutputDevice>> midiOutputDevices();

}  // namespace ts
