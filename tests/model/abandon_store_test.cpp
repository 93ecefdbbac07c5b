#include "model/abandon_store.h"

#include <gtest/gtest.h>

#include <memory>

namespace ts {
namespace {

TEST(AbandonStore, RoundTripGivesThePageBackWordForWord) {
  auto page = std::make_unique<PageStore>();
  page->append({{8, 1, 0, 0}, {}});
  page->append({{16, 1, 5, 3, 0, 0, 0, 0, 0, 0, 0, 5}, "Adagio"});
  const std::vector<uint8_t> bytes = encodeAbandonStore(*page);
  EXPECT_EQ(bytes.size(), 4u + 4u * static_cast<size_t>(page->nextFreeWord()));
  auto back = std::make_unique<PageStore>();
  ASSERT_TRUE(decodeAbandonStore(bytes, *back));
  ASSERT_EQ(back->itemCount(), 2);
  EXPECT_EQ(back->text(2), "Adagi");
  for (int w = 1; w < page->nextFreeWord(); ++w) EXPECT_EQ(back->word(w), page->word(w));
}

TEST(AbandonStore, DamagedCopiesLeaveThePageAlone) {
  auto page = std::make_unique<PageStore>();
  page->append({{1, 1, 10, 7}, {}});
  std::vector<uint8_t> bytes = encodeAbandonStore(*page);
  auto target = std::make_unique<PageStore>();
  target->append({{2, 1, 5, 0}, {}});
  std::vector<uint8_t> wrongCount = bytes;
  wrongCount[0] = 7;
  EXPECT_FALSE(decodeAbandonStore(wrongCount, *target));
  EXPECT_FALSE(decodeAbandonStore(std::span<const uint8_t>(bytes.data(), bytes.size() - 2), *target));
  EXPECT_FALSE(decodeAbandonStore({}, *target));
  EXPECT_EQ(target->code(1), kCodeRest);
}

}  // namespace
}  // namespace ts
