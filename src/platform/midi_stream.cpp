#include "platform/midi_stream.h"

namespace ts {

std::string midiErrorText(int error) {
  switch (error) {
    case kMidiDone: return "done";
    case kMidiOutOfMemory: return "out of memory";
    case kMidiNotPossibleNow: return "not possible now";
    case kMidiFileNotFound: return "the MIDI file cannot be found";
    case kMidiDeviceNotReady: return "the MIDI output device is not ready";
    case kMidiInvalidFile: return "the file is not a MIDI file that can be played";
    default: return "error " + std::to_string(error);
  }
}

size_t streamEventBytes(const StreamEvent& event) {
  if (event.kind != StreamEvent::Kind::Long) return kStreamEventBytes;
  return kStreamEventBytes + (event.bytes.size() + 3) / 4 * 4;
}

bool StreamBuffer::append(StreamEvent event) {
  const size_t bytes = streamEventBytes(event);
  if (used > size || bytes > size - used) return false;
  used += bytes;
  events.push_back(std::move(event));
  return true;
}

void StreamBuffer::clear() {
  used = kStreamHeaderBytes;
  events.clear();
}

}  // namespace ts
