// Test tool: reads a 16-bit PCM WAV file on its own (not through the
// writer's code) and prints its length and level, one line:
//   seconds=S peak=P rms=R
// with P and R as fractions of full scale. Exit 1 when the file is not a
// WAV file it can read.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

uint32_t little(const std::vector<uint8_t>& b, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | b[at + static_cast<size_t>(i)];
  return value;
}

bool tagAt(const std::vector<uint8_t>& b, size_t at, const char* tag) {
  return at + 4 <= b.size() && std::string(b.begin() + static_cast<long>(at), b.begin() + static_cast<long>(at) + 4) == tag;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::ifstream in(argv[1], std::ios::binary);
  const std::vector<uint8_t> b{std::istreambuf_iterator<char>(in), {}};
  if (!tagAt(b, 0, "RIFF") || !tagAt(b, 8, "WAVE")) return 1;
  uint32_t channels = 0, rate = 0, bits = 0;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    const uint32_t length = little(b, at + 4, 4);
    if (length > b.size() - at - 8) return 1;
    if (tagAt(b, at, "fmt ") && length >= 16) {
      channels = little(b, at + 10, 2);
      rate = little(b, at + 12, 4);
      bits = little(b, at + 22, 2);
    }
    if (tagAt(b, at, "data")) {
      if (channels == 0 || rate == 0 || bits != 16) return 1;
      const size_t samples = length / 2;
      double peak = 0, sum = 0;
      for (size_t i = 0; i < samples; ++i) {
        const double v = static_cast<int16_t>(little(b, at + 8 + 2 * i, 2)) / 32768.0;
        peak = std::fmax(peak, std::fabs(v));
        sum += v * v;
      }
      const double seconds = static_cast<double>(samples / channels) / rate;
      std::printf("seconds=%.3f peak=%.4f rms=%.4f\n", seconds, peak, samples ? std::sqrt(sum / static_cast<double>(samples)) : 0.0);
      return 0;
    }
    at += 8 + length + (length & 1);
  }
  return 1;
}
