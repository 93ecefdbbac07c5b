#include "model/abandon_store.h"

#include <cstring>
#include <memory>

namespace ts {

std::vector<uint8_t> encodeAbandonStore(const PageStore& page) {
  const int p = page.nextFreeWord();
  std::vector<uint8_t> bytes(4 + static_cast<size_t>(p) * 4, 0);
  const int32_t count = page.itemCount();
  std::memcpy(bytes.data(), &count, 4);  // the machine is little-endian, as the files are
  for (int i = 1; i <= p; ++i) {
    const float word = i < p ? page.word(i) : 0.0f;  // word P is the filler
    std::memcpy(bytes.data() + 4 + static_cast<size_t>(i - 1) * 4, &word, 4);
  }
  return bytes;
}

bool decodeAbandonStore(std::span<const uint8_t> bytes, PageStore& page) {
  if (bytes.size() < 8 || (bytes.size() - 4) % 4 != 0) return false;
  const size_t p = (bytes.size() - 4) / 4;
  if (p > static_cast<size_t>(kStoreWords)) return false;
  int32_t count = 0;
  std::memcpy(&count, bytes.data(), 4);
  auto copy = std::make_unique<PageStore>();
  for (size_t i = 1; i < p; ++i) {
    float word;
    std::memcpy(&word, bytes.data() + 4 + (i - 1) * 4, 4);
    copy->setWord(static_cast<int>(i), word);
  }
  copy->setNextFreeWord(static_cast<int>(p));
  if (copy->itemCount() != count || copy->nextFreeWord() != static_cast<int>(p)) return false;
  page = *copy;
  return true;
}

}  // namespace ts
