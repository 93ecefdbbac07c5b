#include "platform/wav_file.h"

#include <cstring>

namespace ts {
namespace {

constexpr uint16_t kPcm = 1;
constexpr uint16_t kBitsPerSample = 16;
constexpr uint64_t kLargestData = 0xFFFFFFFFu - (kWavHeaderBytes - 8);  // the RIFF size field holds the rest

void putTag(std::vector<uint8_t>& bytes, const char* tag) { bytes.insert(bytes.end(), tag, tag + 4); }

void putLittleEndian(std::vector<uint8_t>& bytes, uint32_t value, int count) {
  for (int i = 0; i < count; ++i) bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
}

}  // namespace

std::optional<std::vector<uint8_t>> wavFileImage(std::span<const int16_t> samples, int channels, int sampleRate) {
  if (channels <= 0 || sampleRate <= 0 || samples.size() % static_cast<size_t>(channels) != 0) return std::nullopt;
  const uint64_t dataBytes = uint64_t{samples.size()} * 2;
  if (dataBytes > kLargestData) return std::nullopt;
  const auto frameBytes = static_cast<uint32_t>(channels) * kBitsPerSample / 8;
  std::vector<uint8_t> bytes;
  bytes.reserve(kWavHeaderBytes + dataBytes);
  putTag(bytes, "RIFF");
  putLittleEndian(bytes, static_cast<uint32_t>(dataBytes + kWavHeaderBytes - 8), 4);
  putTag(bytes, "WAVE");
  putTag(bytes, "fmt ");
  putLittleEndian(bytes, 16, 4);
  putLittleEndian(bytes, kPcm, 2);
  putLittleEndian(bytes, static_cast<uint32_t>(channels), 2);
  putLittleEndian(bytes, static_cast<uint32_t>(sampleRate), 4);
  putLittleEndian(bytes, static_cast<uint32_t>(sampleRate) * frameBytes, 4);
  putLittleEndian(bytes, frameBytes, 2);
  putLittleEndian(bytes, kBitsPerSample, 2);
  putTag(bytes, "data");
  putLittleEndian(bytes, static_cast<uint32_t>(dataBytes), 4);
  for (int16_t sample : samples) putLittleEndian(bytes, static_cast<uint16_t>(sample), 2);
  return bytes;
}

}  // namespace ts
