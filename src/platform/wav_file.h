#pragma once
// The image of a WAV file of 16-bit PCM samples, channels interleaved.

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace ts {

inline constexpr size_t kWavHeaderBytes = 44;

// Nothing when the samples do not fill whole frames or the data would
// not fit the format's 32-bit sizes.
std::optional<std::vector<uint8_t>> wavFileImage(std::span<const int16_t> samples, int channels, int sampleRate);

}  // namespace ts
