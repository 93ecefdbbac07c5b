#pragma once
// A MIDI file rendered offline through the built-in synthesizer: the
// samples a player would sound, from the start to the end of the longest
// track, without an audio device.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

inline constexpr double kLongestRenderSeconds = 600;  // ten minutes: 100 MB of stereo samples

struct SynthRender {
  std::vector<int16_t> samples;  // stereo frames at kSynthSampleRate, left first
  std::string error;             // why nothing was rendered
};

// `soundfont` empty takes the packaged one.
SynthRender renderMidiFile(std::span<const uint8_t> midiFile, std::string_view soundfont);

// Seconds from the start to an event `ticks` later at `tempo` microseconds
// a quarter and `division` ticks a quarter.
double ticksToSeconds(uint64_t ticks, uint32_t tempo, int division);

}  // namespace ts
