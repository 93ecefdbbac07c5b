// Any bytes as a MIDI file for the player: the reader must take them
// without reading outside them, and a file it accepts must play through
// the sequencer (on the fake output) to its end, every event handed over
// once, in buffers no larger than the limit.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "platform/fake_midi_output.h"
#include "platform/midi_file_reader.h"
#include "platform/midi_sequencer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::span<const uint8_t> bytes(data, size);
  const ts::MidiFileRead read = ts::readMidiFile(bytes);
  if (read.error != ts::kMidiDone) {
    if (!read.sequence.events.empty()) std::abort();
    return 0;
  }
  if (read.sequence.division <= 0 || read.sequence.events.empty()) std::abort();
  ts::FakeMidiOutput device;
  int ended = 0;
  ts::MidiSequencer sequencer([&](const ts::SequencerNotice& notice) { ended += notice.endedByItself; });
  sequencer.setDevice(&device);
  if (sequencer.play(bytes, "fuzz.mid") != ts::kMidiDone) {
    if (sequencer.state() != ts::SequencerState::Opened) std::abort();
    return 0;
  }
  while (device.finishNextBuffer()) {
  }
  size_t handed = 0;
  for (const auto& buffer : device.record().buffers) handed += buffer.size();
  if (handed != read.sequence.events.size() || ended != 1 || sequencer.bufferSize() > ts::kLargestBufferBytes) std::abort();
  return 0;
}
