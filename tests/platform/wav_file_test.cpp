// The WAV image: its 44-byte header field by field, samples little-endian,
// and what cannot be a WAV file refused.

#include "platform/wav_file.h"

#include <gtest/gtest.h>

namespace ts {
namespace {

uint32_t field(const std::vector<uint8_t>& bytes, size_t at, int size) {
  uint32_t value = 0;
  for (int i = size - 1; i >= 0; --i) value = value << 8 | bytes[at + static_cast<size_t>(i)];
  return value;
}

TEST(WavFile, HeaderAndSamples) {
  const std::vector<int16_t> samples{1, -1, 0x1234, -32768};
  const std::optional<std::vector<uint8_t>> image = wavFileImage(samples, 2, 44100);
  ASSERT_TRUE(image);
  const std::vector<uint8_t>& b = *image;
  ASSERT_EQ(b.size(), kWavHeaderBytes + 8);
  EXPECT_EQ(std::string(b.begin(), b.begin() + 4), "RIFF");
  EXPECT_EQ(std::string(b.begin() + 8, b.begin() + 16), "WAVEfmt ");
  EXPECT_EQ(std::string(b.begin() + 36, b.begin() + 40), "data");
  struct Field {
    size_t at;
    int size;
    uint32_t value;
  };
  for (const Field& f : {Field{4, 4, 44}, Field{16, 4, 16}, Field{20, 2, 1}, Field{22, 2, 2}, Field{24, 4, 44100},
                         Field{28, 4, 176400}, Field{32, 2, 4}, Field{34, 2, 16}, Field{40, 4, 8}}) {
    EXPECT_EQ(field(b, f.at, f.size), f.value) << "at " << f.at;
  }
  EXPECT_EQ(std::vector<uint8_t>(b.begin() + 44, b.end()),
            (std::vector<uint8_t>{0x01, 0x00, 0xFF, 0xFF, 0x34, 0x12, 0x00, 0x80}));
}

TEST(WavFile, RefusesWhatIsNotWholeFrames) {
  const std::vector<int16_t> three{1, 2, 3};
  EXPECT_FALSE(wavFileImage(three, 2, 44100));
  EXPECT_FALSE(wavFileImage(three, 0, 44100));
  EXPECT_FALSE(wavFileImage(three, 1, 0));
  EXPECT_TRUE(wavFileImage({}, 2, 44100));
}

}  // namespace
}  // namespace ts
