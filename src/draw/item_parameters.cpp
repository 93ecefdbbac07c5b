#include "draw/item_parameters.h"

#include <algorithm>

namespace ts {

int readItemParameters(const PageStore& page, int k, std::span<float> out) {
  if (k < 1 || k > page.itemCount()) return 0;
  // The parameters follow the item's count word; paramCount already stops
  // short of a text item's characters.
  const int count = std::clamp(page.paramCount(k), 0, static_cast<int>(out.size()));
  const int first = page.itemStart(k) + 1;
  for (int i = 0; i < count; ++i) out[static_cast<size_t>(i)] = page.word(first + i);
  return count;
}

}  // namespace ts
