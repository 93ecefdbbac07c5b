// Any bytes as a MIDI set-up file: the reader must take them without
// reading outside them, keep every value it takes within its range, and
// read back exactly what its writer makes of the result, without damage.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "output/midi_list.h"

namespace {

bool inRange(const ts::MidiTrack& t) {
  if (t.channel < 0 || t.channel >= ts::kMidiChannels || t.instrument < 0 || t.instrument > ts::kHighestProgram) return false;
  if (t.amplitude < 0 || t.amplitude > ts::kHighestVelocity || std::abs(t.transposition) > ts::kHighestTransposition) return false;
  for (int i = 0; i < t.staffCount(); ++i) {
    if (t.staves[static_cast<size_t>(i)] > ts::kHighestStaffNumber) return false;
  }
  return true;
}

bool sameSetup(const ts::MidiSetup& a, const ts::MidiSetup& b) {
  if (a.tempo != b.tempo) return false;
  for (size_t t = 0; t < a.tracks.size(); ++t) {
    if (ts::trackRowText(a.tracks[t]) != ts::trackRowText(b.tracks[t])) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > ts::kLargestMidiList) return 0;
  const ts::MidiListReading reading = ts::readMidiList(std::string_view(reinterpret_cast<const char*>(data), size));
  if (reading.damaged.size() > static_cast<size_t>(ts::kReportedDamagedLines)) std::abort();
  if (reading.setup.tempo < 0 || reading.setup.tempo > ts::kHighestTempo) std::abort();
  for (const ts::MidiTrack& track : reading.setup.tracks) {
    if (!inRange(track)) std::abort();
  }
  const ts::MidiListReading again = ts::readMidiList(ts::midiListText(reading.setup));
  if (again.damagedLines != 0 || !sameSetup(again.setup, reading.setup)) std::abort();
  return 0;
}
