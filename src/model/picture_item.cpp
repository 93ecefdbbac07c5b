#include "model/picture_item.h"

#include <cmath>
#include <cstdint>

namespace ts {
namespace {

constexpr int kFirstPrintable = 32;
constexpr int kLastPrintable = 126;
constexpr float kPackedLimit = 16777216.0f;  // 256^3

bool printable(int c) { return c >= kFirstPrintable && c <= kLastPrintable; }

}  // namespace

std::optional<PictureNameWords> packPictureName(std::string_view name) {
  if (name.empty() || name.size() > kPictureNameMaxLength) return std::nullopt;
  std::array<uint32_t, kPictureNameWords> values{};
  for (size_t i = 0; i < name.size(); ++i) {
    const int c = static_cast<unsigned char>(name[i]);
    if (!printable(c)) return std::nullopt;
    values[i / kPictureNameCharsPerWord] |= static_cast<uint32_t>(c) << (8 * (i % kPictureNameCharsPerWord));
  }
  PictureNameWords words{};
  for (size_t i = 0; i < words.size(); ++i) words[i] = static_cast<float>(values[i]);  // below 2^24: exact
  return words;
}

std::string unpackPictureName(std::span<const float> words) {
  std::string name;
  for (const float word : words) {
    // Only whole numbers below 256^3 are packed characters.
    if (!(word >= 0.0f && word < kPackedLimit) || word != std::floor(word)) return name;
    auto value = static_cast<uint32_t>(word);
    for (size_t place = 0; place < kPictureNameCharsPerWord; ++place) {
      const int c = static_cast<int>(value % 256u);
      if (!printable(c)) return name;
      name += static_cast<char>(c);
      value /= 256u;
    }
  }
  return name;
}

float pictureScale(float p5) { return p5 == 0.0f ? 1.0f : p5; }

}  // namespace ts
