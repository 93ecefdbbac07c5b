#include "model/page_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace ts {
namespace {

ItemRecord item(std::vector<float> params) { return ItemRecord{std::move(params), {}}; }

ItemRecord text(float staff, float p3, float p4, std::string characters) {
  std::vector<float> params(kTextParams, 0.0f);
  params[0] = kCodeText;
  params[1] = staff;
  params[2] = p3;
  params[3] = p4;
  params[11] = static_cast<float>(characters.size());
  return ItemRecord{params, std::move(characters)};
}

// Each item carries a tag in P20 (text: its characters) so that the new
// order can be read back whatever else ordering changed.
std::unique_ptr<PageStore> pageOf(const std::vector<ItemRecord>& items) {
  auto page = std::make_unique<PageStore>();
  for (size_t i = 0; i < items.size(); ++i) {
    ItemRecord tagged = items[i];
    if (tagged.code() != kCodeText) {
      tagged.params.resize(20, 0.0f);
      tagged.params[19] = static_cast<float>(i + 1);
    }
    page->append(tagged);
  }
  return page;
}

std::vector<std::string> tags(const PageStore& page) {
  std::vector<std::string> result;
  for (int k = 1; k <= page.itemCount(); ++k)
    result.push_back(page.code(k) == kCodeText ? page.text(k) : std::to_string(static_cast<int>(page.param(k, 20))));
  return result;
}

using Tags = std::vector<std::string>;

std::vector<std::string> orderedTags(const std::vector<ItemRecord>& items, PageOrder order) {
  auto page = pageOf(items);
  orderPage(*page, order);
  return tags(*page);
}

TEST(OrderKey, KeysAndSecondaryValues) {
  struct Case {
    std::vector<float> params;
    PageOrder order;
    int64_t key;
    float secondary;
  } cases[] = {
      {{1, 3, 12.5f, 4}, PageOrder::ByStaff, 3012500, 4},
      {{8, 3, 12.5f, 4}, PageOrder::ByStaff, 3012501, 4},         // not a note or rest: +1
      {{2, 3, 12.5f, 4}, PageOrder::ByStaff, 3012500, 9},         // rests: +5
      {{1, 200, 1, 0}, PageOrder::ByStaffReversed, 1001000, 0},   // 201 - 200
      {{1, 1, 1, 0}, PageOrder::ByStaffReversed, 200001000, 0},
      {{3, 1, 7}, PageOrder::ByStaff, 1007001, 0},                // three parameters: secondary 0
      {{2, 1, 7}, PageOrder::ByStaff, 1007000, 0},                // ... without the rest's 5
      {{1, 2, 7.5f, 105}, PageOrder::ByPosition, 7500002, 5},     // P4 modulo 100
      {{6, 2, 7.5f, -105}, PageOrder::ByPosition, 7500002, -5},
      {{4, 2, 7.5f, 105}, PageOrder::ByPosition, 7500002, 105},   // lines keep P4
      {{14, 2, 7.5f, 999}, PageOrder::ByPosition, 7500002, 0},    // bar lines: 0
      {{1, 2, -0.5f, 1}, PageOrder::ByStaff, 1999500, 1},
  };
  for (const Case& c : cases) {
    const OrderKey key = orderKey(item(c.params), c.order);
    EXPECT_EQ(key.key, c.key) << c.params[0] << " " << c.params[1] << " " << c.params[2];
    EXPECT_EQ(key.secondary, c.secondary) << c.params[0] << " " << c.params[1] << " " << c.params[2];
  }
}

TEST(OrderKey, TextFrontKey) {
  EXPECT_EQ(textFrontKey(text(2, 0, -5, "a")), 199500);
  EXPECT_EQ(textFrontKey(text(1, 0, 12.5f, "a")), 101250);
}

TEST(RoundToHundredth, NearestHundredth) {
  struct Case {
    float p3, rounded;
  } cases[] = {{10.004f, 10.0f}, {10.006f, 10.01f}, {-3.333f, -3.33f}, {0.0f, 0.0f}, {199.999f, 200.0f}};
  for (const Case& c : cases) EXPECT_EQ(roundToHundredth(c.p3), c.rounded) << c.p3;
}

TEST(OrderPage, NotesBeforeTheStaffAtTheSamePlaceLowerNoteFirst) {
  EXPECT_EQ(orderedTags({item({8, 1, 10, 0}), item({1, 1, 10, 5}), item({1, 1, 10, 2})}, PageOrder::ByStaff),
            (Tags{"3", "2", "1"}));
}

TEST(OrderPage, StavesInOrderAndReversed) {
  const std::vector<ItemRecord> items = {item({1, 200, 5, 0}), item({1, 1, 50, 0}), item({1, 2, 0, 0}),
                                         item({1, 1, 10, 0})};
  EXPECT_EQ(orderedTags(items, PageOrder::ByStaff), (Tags{"4", "2", "3", "1"}));
  EXPECT_EQ(orderedTags(items, PageOrder::ByStaffReversed), (Tags{"1", "3", "4", "2"}));
}

TEST(OrderPage, RestsCountFiveStepsHigher) {
  // A rest at step 2 ranks as step 7: after a note at 6, before one at 8.
  EXPECT_EQ(orderedTags({item({1, 1, 10, 8}), item({2, 1, 10, 2}), item({1, 1, 10, 6})}, PageOrder::ByStaff),
            (Tags{"3", "2", "1"}));
}

TEST(OrderPage, ItemsOfThreeParametersRankAsStepZero) {
  auto page = std::make_unique<PageStore>();
  page->append(item({3, 1, 10, 2}));
  page->append(item({3, 1, 10}));
  page->append(item({3, 1, 10, -2}));
  orderPage(*page, PageOrder::ByStaff);
  EXPECT_EQ(page->param(1, 4), -2.0f);
  EXPECT_EQ(page->wordCount(2), 3);
  EXPECT_EQ(page->param(3, 4), 2.0f);
}

TEST(OrderPage, ByPositionAcrossStaves) {
  const std::vector<ItemRecord> items = {
      item({1, 1, 10, 3}),     // 1
      item({1, 2, 5, 0}),      // 2: further left, on a lower staff
      item({1, 1, 10, 105}),   // 3: step 5 plus a hundred: ranks as 5, after 1
      item({14, 1, 10, 50}),   // 4: bar line ranks as 0
      item({1, 1, 10, -2}),    // 5
      item({1, 2, 10, 0}),     // 6: same place, staff 2 after staff 1
  };
  EXPECT_EQ(orderedTags(items, PageOrder::ByPosition), (Tags{"2", "5", "4", "1", "3", "6"}));
}

TEST(OrderPage, StepsOf900AndAboveArePlacedExactlyOnce) {
  const std::vector<ItemRecord> items = {
      item({14, 1, 10, 999}),  // 1: bar line reaching the top staff
      item({1, 1, 10, 3}),     // 2
      item({14, 1, 10, 0}),    // 3
      item({1, 1, 10, 950}),   // 4
      item({1, 1, 5, 1}),      // 5
  };
  EXPECT_EQ(orderedTags(items, PageOrder::ByStaff), (Tags{"5", "2", "4", "3", "1"}));
}

TEST(OrderPage, HugeStavesAndPositionsArePlacedExactlyOnce) {
  const std::vector<ItemRecord> items = {
      item({1, 1.0e9f, 10, 0}),  // 1
      item({1, 600, 10, 0}),     // 2: key beyond 500000000
      item({1, 1, 1.0e30f, 0}),  // 3
      item({1, 1, 10, 0}),       // 4
      item({1, -1.0e9f, 10, 0}), // 5
  };
  for (PageOrder order : {PageOrder::ByStaff, PageOrder::ByStaffReversed, PageOrder::ByPosition, PageOrder::TextFirst}) {
    Tags result = orderedTags(items, order);
    std::sort(result.begin(), result.end());
    EXPECT_EQ(result, (Tags{"1", "2", "3", "4", "5"}));
  }
  EXPECT_EQ(orderedTags(items, PageOrder::ByStaff), (Tags{"5", "4", "2", "1", "3"}));
}

TEST(OrderPage, PositionsAreRoundedToTheHundredthFirst) {
  // 10.004 becomes 10.00: both notes then share a key and the lower step wins.
  auto page = pageOf({item({1, 1, 10.0f, 3}), item({1, 1, 10.004f, 1})});
  orderPage(*page, PageOrder::ByStaff);
  EXPECT_EQ(tags(*page), (Tags{"2", "1"}));
  EXPECT_EQ(page->param(1, 3), 10.0f);
  // A page of one item is left as it is.
  auto single = pageOf({item({1, 1, 10.004f, 1})});
  orderPage(*single, PageOrder::ByStaff);
  EXPECT_EQ(single->param(1, 3), 10.004f);
}

TEST(OrderPage, EqualItemsKeepTheirOrder) {
  EXPECT_EQ(orderedTags({item({1, 1, 10, 0}), item({5, 1, 10, 0}), item({1, 1, 10, 0}), item({5, 1, 10, 0})},
                        PageOrder::ByStaff),
            (Tags{"1", "3", "2", "4"}));
}

TEST(OrderPage, TextFirstInDecreasingStaffAndStep) {
  const std::vector<ItemRecord> items = {
      item({1, 1, 30, 0}),                          // 1
      text(1, 50, 10, "low on staff 1"),
      item({1, 1, 20, 0}),                          // 3
      text(2, 0, -5, "staff 2"),
      text(1, 5, 12, "high on staff 1 with a long text of many words"),
      text(1, 60, 10, "tie goes to the first"),
  };
  EXPECT_EQ(orderedTags(items, PageOrder::TextFirst),
            (Tags{"staff 2", "high on staff 1 with a long text of many words", "low on staff 1",
                  "tie goes to the first", "3", "1"}));
}

TEST(OrderPage, TextRecordsKeepEveryWordWhenMoved) {
  auto page = pageOf({item({1, 2, 10, 0}), text(3, 50, 0, "abcdefghijklmnopq"), item({1, 1, 10, 0})});
  const int nextFree = page->nextFreeWord();
  orderPage(*page, PageOrder::ByStaff);
  ASSERT_EQ(page->itemCount(), 3);
  EXPECT_EQ(page->nextFreeWord(), nextFree);
  EXPECT_EQ(page->text(3), "abcdefghijklmnopq");
  EXPECT_EQ(page->wordCount(3), 13 + 5);
  EXPECT_EQ(tags(*page), (Tags{"3", "1", "abcdefghijklmnopq"}));
}

}  // namespace
}  // namespace ts
