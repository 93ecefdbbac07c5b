#pragma once
// Words of the system's binary files, which are little-endian throughout:
// read and appended by copying, which is right on the little-endian
// machines the system runs on (checked when this is compiled).

#include <bit>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace ts {

static_assert(std::endian::native == std::endian::little, "the binary files are read by copying words");

// The word of type T at `offset`; the caller has checked that it lies inside.
template <typename T>
T readWord(std::span<const uint8_t> bytes, size_t offset) {
  T value{};
  std::memcpy(&value, bytes.data() + offset, sizeof(T));
  return value;
}

template <typename T>
void appendWord(std::vector<uint8_t>& out, T value) {
  uint8_t raw[sizeof(T)];
  std::memcpy(raw, &value, sizeof(T));
  out.insert(out.end(), raw, raw + sizeof(T));
}

}  // namespace ts
