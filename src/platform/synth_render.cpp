#include "platform/synth_render.h"

#include <algorithm>
#include <cmath>

#include "platform/builtin_synth.h"
#include "platform/midi_file_reader.h"
#include "platform/timed_midi_stream.h"

namespace ts {
namespace {

constexpr size_t kRenderFrames = 4096;  // frames rendered a call

// Renders up to frame `until`.
void renderTo(BuiltInSynth& synth, std::vector<int16_t>& samples, uint64_t until) {
  while (samples.size() / 2 < until) {
    const size_t frames = std::min<uint64_t>(kRenderFrames, until - samples.size() / 2);
    const size_t start = samples.size();
    samples.resize(start + 2 * frames);
    synth.render(std::span<int16_t>(samples).subspan(start));
  }
}

void play(BuiltInSynth& synth, const StreamEvent& event, uint32_t& tempo) {
  switch (event.kind) {
    case StreamEvent::Kind::Short: synth.shortMessage(event.message); break;
    case StreamEvent::Kind::Long: synth.longMessage(event.bytes); break;
    case StreamEvent::Kind::Tempo: tempo = event.message; break;
    case StreamEvent::Kind::Nop: break;
  }
}

}  // namespace

double ticksToSeconds(uint64_t ticks, uint32_t tempo, int division) {
  if (division <= 0) return 0;
  return static_cast<double>(ticks) * tempo / (1e6 * division);
}

SynthRender renderMidiFile(std::span<const uint8_t> midiFile, std::string_view soundfont) {
  const MidiFileRead read = readMidiFile(midiFile);
  if (read.error != kMidiDone) return {{}, midiErrorText(read.error)};
  SynthRender result;
  std::unique_ptr<BuiltInSynth> synth = BuiltInSynth::create(soundfont, result.error);
  if (!synth) return result;
  uint32_t tempo = kDefaultTempo;
  double seconds = 0;
  for (const StreamEvent& event : read.sequence.events) {
    seconds += ticksToSeconds(event.delta, tempo, read.sequence.division);
    if (seconds > kLongestRenderSeconds) return {{}, "the piece lasts longer than ten minutes, the most that is rendered"};
    renderTo(*synth, result.samples, static_cast<uint64_t>(std::llround(seconds * kSynthSampleRate)));
    play(*synth, event, tempo);
  }
  return result;
}

}  // namespace ts
