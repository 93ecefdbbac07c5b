// Reading an item's parameters in one run gives exactly what
// PageStore::param gives, for every kind of record the store holds.

#include "draw/item_parameters.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace ts {
namespace {

// A text of sixteen parameters: the store keeps 13 of them unless P14 is -1,
// then the characters P12 counts.
ItemRecord text(float p14) {
  return {{16, 1, 30, 7, 0, 0, 0, 0, 0, 0, 0, 9, 0, p14, 15, 16}, "crescendo"};
}

TEST(ItemParameters, SameAsParamForEveryKindOfRecord) {
  const std::vector<ItemRecord> items = {{{1, 2, 30, 7, 22, 0, 1, 0, 21}, ""}, {{14}, ""},
                                         {std::vector<float>(60, 1.0f), ""},  text(0), text(-1), text(5)};
  PageStore page;
  for (const ItemRecord& item : items) ASSERT_GT(page.append(item), 0);
  for (int k = 0; k <= page.itemCount() + 1; ++k) {
    std::array<float, 50> out{};
    const int count = readItemParameters(page, k, out);
    EXPECT_EQ(count, k >= 1 && k <= page.itemCount() ? page.paramCount(k) : 0) << k;
    for (int i = 1; i <= count; ++i) EXPECT_EQ(out[static_cast<size_t>(i - 1)], page.param(k, i)) << k << " P" << i;
  }
  std::array<float, 3> few{};
  EXPECT_EQ(readItemParameters(page, 1, few), 3);  // no further than the room given
}

}  // namespace
}  // namespace ts
