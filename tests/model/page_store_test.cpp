#include "model/page_store.h"

#include <gtest/gtest.h>

#include <cmath>

#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace ts {
namespace {

ItemRecord item(std::vector<float> params, std::string text = {}) { return ItemRecord{std::move(params), std::move(text)}; }

ItemRecord textItem(std::string text, float p14 = 0.0f) {
  std::vector<float> params(kExtendedTextParams, 0.0f);
  params[0] = kCodeText;
  params[1] = 2;
  params[2] = 40;
  params[11] = static_cast<float>(text.size());
  params[13] = p14;
  return item(params, std::move(text));
}

// Every index entry must point at a count word whose record ends where the
// next entry starts, and the last entry must be the next free word.
void expectIndexConsistent(const PageStore& page) {
  int position = 1;
  for (int k = 1; k <= page.itemCount(); ++k) {
    ASSERT_EQ(page.itemStart(k), position) << "item " << k;
    position += page.wordCount(k) + 1;
  }
  EXPECT_EQ(page.itemStart(page.itemCount() + 1), page.nextFreeWord());
  EXPECT_EQ(position, page.nextFreeWord());
}

std::vector<float> codes(const PageStore& page) {
  std::vector<float> result;
  for (int k = 1; k <= page.itemCount(); ++k) result.push_back(page.param(k, 1) * 100 + page.param(k, 3));
  return result;
}

// A store of 64000 words is too big for the stack of some test runners.
std::unique_ptr<PageStore> newPage() { return std::make_unique<PageStore>(); }

TEST(PageStoreAppend, PadsShortItemsToThreeParameters) {
  auto page = newPage();
  EXPECT_EQ(page->append(item({1, 2})), 1);
  EXPECT_EQ(page->wordCount(1), 3);
  EXPECT_EQ(page->param(1, 3), 0.0f);
  EXPECT_EQ(page->param(1, 4), 0.0f);  // not stored: reads 0
  EXPECT_EQ(page->nextFreeWord(), 5);
  EXPECT_EQ(page->append(item({8})), 2);
  EXPECT_EQ(page->wordCount(2), 3);
  expectIndexConsistent(*page);
}

TEST(PageStoreAppend, CutsNonTextItemsToFortyFiveParameters) {
  auto page = newPage();
  std::vector<float> params(50, 7.0f);
  params[0] = kCodeNote;
  page->append(item(params));
  EXPECT_EQ(page->wordCount(1), kMaxStoredParams);
  EXPECT_EQ(page->param(1, 45), 7.0f);
  EXPECT_EQ(page->param(1, 46), 0.0f);
}

TEST(PageStoreAppend, TextItemOfFiveCharactersStoresThirteenParametersAndTwoWords) {
  auto page = newPage();
  ItemRecord text = textItem("Hello");
  text.params.resize(20, 9.0f);  // numeric parameters beyond P13 are not stored
  text.params[13] = 0.0f;
  page->append(text);
  EXPECT_EQ(page->wordCount(1), 15);
  EXPECT_EQ(page->paramCount(1), kTextParams);
  EXPECT_EQ(page->nextFreeWord(), 17);
  // Characters in text order, the first in the lowest byte of the first word.
  unsigned char bytes[8];
  const float first = page->word(15), second = page->word(16);
  std::memcpy(bytes, &first, 4);
  std::memcpy(bytes + 4, &second, 4);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 5), "Hello");
  EXPECT_EQ(page->text(1), "Hello");
  EXPECT_EQ(page->record(1).text, "Hello");
}

TEST(PageStoreAppend, ExtendedTextStoresSixteenParameters) {
  auto page = newPage();
  ItemRecord text = textItem("abcdefghi", -1.0f);
  text.params[15] = 4.0f;  // P16: the colour selector of the extended layout
  page->append(text);
  EXPECT_EQ(page->paramCount(1), kExtendedTextParams);
  EXPECT_EQ(page->wordCount(1), 16 + 3);
  EXPECT_EQ(page->param(1, 16), 4.0f);
  EXPECT_EQ(page->text(1), "abcdefghi");
}

TEST(PageStoreAppend, TextShorterThanItsCountIsBlankPadded) {
  auto page = newPage();
  ItemRecord text = textItem("ab");
  text.params[11] = 6;  // P12 says six characters
  page->append(text);
  EXPECT_EQ(page->wordCount(1), 13 + 2);
  EXPECT_EQ(page->text(1), "ab    ");
}

TEST(PageStoreParam, TextParametersBeyondTheStoredOnesReadZero) {
  // The character words follow P13 directly; they are not P14 to P16.
  auto page = newPage();
  page->append(textItem("\xff\xff\x7f\x7f  ABCDEFGH"));
  for (int i = kTextParams + 1; i <= kWorkingParams; ++i) EXPECT_EQ(page->param(1, i), 0.0f) << "P" << i;
  EXPECT_FALSE(page->setParam(1, 14, 1.0f));
  EXPECT_EQ(page->text(1), "\xff\xff\x7f\x7f  ABCDEFGH");
}

TEST(PageStoreAppend, The6001stItemIsRefusedAndThePageUnchanged) {
  auto page = newPage();
  for (int k = 1; k <= kMaxItems; ++k) ASSERT_EQ(page->append(item({1, 1, static_cast<float>(k)})), k);
  const int nextFree = page->nextFreeWord();
  EXPECT_EQ(page->append(item({2, 1, 5})), 0);
  EXPECT_EQ(page->itemCount(), kMaxItems);
  EXPECT_EQ(page->nextFreeWord(), nextFree);
  EXPECT_EQ(page->param(kMaxItems, 3), static_cast<float>(kMaxItems));
  expectIndexConsistent(*page);
}

TEST(PageStoreAppend, AnItemThatDoesNotFitTheStoreIsRefused) {
  auto page = newPage();
  // 1400 items of 45 parameters fill 64400 words; the store holds 64000
  // with room for the trailer a save adds.
  std::vector<float> params(kMaxStoredParams, 1.0f);
  int added = 0;
  while (page->append(item(params)) != 0) ++added;
  EXPECT_EQ(added, (kStoreWords - kTrailerWords) / 46);
  EXPECT_LE(page->nextFreeWord() + 5, kStoreWords);
  EXPECT_EQ(page->itemCount(), added);
  // A short item still fits where a long one does not.
  EXPECT_NE(page->append(item({1, 1, 1})), 0);
  expectIndexConsistent(*page);
}

class PageStoreEdits : public ::testing::Test {
 protected:
  void SetUp() override {
    page = newPage();
    page->append(item({1, 1, 10, 3}));
    page->append(textItem("words"));
    page->append(item({2, 1, 20}));
    page->append(item({14, 1, 30, 0, 1}));
  }
  std::unique_ptr<PageStore> page;
};

TEST_F(PageStoreEdits, RemoveClosesTheGap) {
  page->remove(2);
  EXPECT_EQ(page->itemCount(), 3);
  EXPECT_EQ(codes(*page), (std::vector<float>{110, 220, 1430}));
  expectIndexConsistent(*page);
  page->remove(0);
  page->remove(4);
  EXPECT_EQ(page->itemCount(), 3);
}

TEST_F(PageStoreEdits, MoveItemBothWays) {
  page->moveItem(4, 1);
  EXPECT_EQ(codes(*page), (std::vector<float>{1430, 110, 1640, 220}));
  expectIndexConsistent(*page);
  page->moveItem(1, 3);
  EXPECT_EQ(codes(*page), (std::vector<float>{110, 1640, 1430, 220}));
  page->moveItem(2, 4);
  EXPECT_EQ(codes(*page), (std::vector<float>{110, 1430, 220, 1640}));
  EXPECT_EQ(page->text(4), "words");
  expectIndexConsistent(*page);
}

TEST_F(PageStoreEdits, PermuteMovesWholeRecords) {
  page->permute({3, 2, 4, 1});
  EXPECT_EQ(codes(*page), (std::vector<float>{220, 1640, 1430, 110}));
  EXPECT_EQ(page->text(2), "words");
  EXPECT_EQ(page->param(4, 4), 3.0f);
  expectIndexConsistent(*page);
}

TEST_F(PageStoreEdits, PermuteRefusesAnOrderThatIsNotAPermutation) {
  // Items 3 and 5 have the same size, so word counts alone cannot tell a
  // repeated item from a permutation.
  page->append(item({2, 1, 50}));
  const std::vector<float> before = codes(*page);
  page->permute({1, 2, 3, 4, 3});  // item 3 twice, item 5 missing
  page->permute({1, 2, 3});
  page->permute({1, 2, 3, 4, 9});
  EXPECT_EQ(codes(*page), before);
  expectIndexConsistent(*page);
}

TEST_F(PageStoreEdits, ReplaceGrowsAndShrinks) {
  std::vector<float> longNote(20, 0.0f);
  longNote[0] = 1;
  longNote[19] = 5;
  ASSERT_TRUE(page->replace(1, item(longNote)));
  EXPECT_EQ(page->wordCount(1), 20);
  EXPECT_EQ(page->text(2), "words");
  expectIndexConsistent(*page);
  ASSERT_TRUE(page->replace(2, item({4, 1, 2})));
  EXPECT_EQ(codes(*page), (std::vector<float>{100, 402, 220, 1430}));
  expectIndexConsistent(*page);
  EXPECT_FALSE(page->replace(5, item({1, 1, 1})));
}

TEST_F(PageStoreEdits, ReplaceRefusesWhatDoesNotFit) {
  std::vector<float> params(kMaxStoredParams, 1.0f);
  while (page->append(item(params)) != 0) {
  }
  while (page->append(item({1, 1, 1})) != 0) {
  }
  const int nextFree = page->nextFreeWord();
  EXPECT_FALSE(page->replace(1, item(params)));
  EXPECT_EQ(page->nextFreeWord(), nextFree);
  EXPECT_EQ(page->wordCount(1), 4);
  expectIndexConsistent(*page);
}

TEST_F(PageStoreEdits, StoreWorkingGrowsTheRecordForANewParameter) {
  WorkingRecord working;
  page->loadWorking(1, working);
  EXPECT_EQ(working[3], 3.0f);
  EXPECT_EQ(working[4], 0.0f);
  working[7] = 0.5f;  // P8
  ASSERT_TRUE(page->storeWorking(1, working));
  EXPECT_EQ(page->wordCount(1), 8);
  EXPECT_EQ(page->param(1, 8), 0.5f);
  EXPECT_EQ(page->text(2), "words");
  expectIndexConsistent(*page);
  // Clearing a parameter keeps the record's size.
  working[7] = 0.0f;
  ASSERT_TRUE(page->storeWorking(1, working));
  EXPECT_EQ(page->wordCount(1), 8);
}

TEST_F(PageStoreEdits, StoreWorkingOnTextKeepsItsCharacters) {
  WorkingRecord working;
  page->loadWorking(2, working);
  EXPECT_EQ(working[13], 0.0f);  // the characters are not P14
  working[4] = 2.0f;             // P5: character spacing
  ASSERT_TRUE(page->storeWorking(2, working));
  EXPECT_EQ(page->text(2), "words");
  EXPECT_EQ(page->param(2, 5), 2.0f);
  // Switching to the extended layout moves the characters behind P16.
  working[13] = -1.0f;
  ASSERT_TRUE(page->storeWorking(2, working));
  EXPECT_EQ(page->paramCount(2), kExtendedTextParams);
  EXPECT_EQ(page->text(2), "words");
  expectIndexConsistent(*page);
}

TEST_F(PageStoreEdits, RemoveItemsInOnePass) {
  page->append(item({2, 1, 50}));
  page->removeItems({2, 4, 9});  // numbers past the page are ignored
  EXPECT_EQ(codes(*page), (std::vector<float>{110, 220, 250}));
  expectIndexConsistent(*page);
  page->removeItems({});
  EXPECT_EQ(page->itemCount(), 3);
  page->removeItems({1, 2, 3});
  EXPECT_EQ(page->itemCount(), 0);
  EXPECT_EQ(page->nextFreeWord(), 1);
}

TEST(PageStoreIndex, RebuildStopsAtADamagedCountWord) {
  struct Case {
    float damaged;
    int items;
  } cases[] = {
      {0.0f, 1},
      {-3.0f, 1},
      {std::numeric_limits<float>::quiet_NaN(), 1},
      {50.0f, 1},  // runs past the next free word
      {3.0e9f, 1},
      {std::numeric_limits<float>::infinity(), 1},
      {2.0e38f, 1},
  };
  for (const Case& c : cases) {
    auto page = newPage();
    page->append(item({1, 1, 1}));
    page->append(item({1, 1, 2}));
    page->append(item({1, 1, 3}));
    page->setWord(5, c.damaged);  // the count word of item 2
    page->rebuildIndex();
    EXPECT_EQ(page->itemCount(), c.items) << c.damaged;
    EXPECT_EQ(page->nextFreeWord(), 5) << c.damaged;
    expectIndexConsistent(*page);
  }
}

TEST(PageStoreIndex, SetNextFreeWordRebuildsFromTheWords) {
  auto page = newPage();
  const float words[] = {3, 1, 1, 10, 4, 2, 1, 20, 0, 3, 16, 1, 30};
  for (int i = 0; i < 13; ++i) page->setWord(i + 1, words[i]);
  page->setNextFreeWord(14);
  EXPECT_EQ(page->itemCount(), 3);
  EXPECT_EQ(page->param(3, 1), 16.0f);
  page->setNextFreeWord(9);  // inside item 2: the page ends after item 1
  EXPECT_EQ(page->itemCount(), 1);
  EXPECT_EQ(page->nextFreeWord(), 5);
  page->setNextFreeWord(1 << 30);
  EXPECT_LE(page->nextFreeWord(), kStoreWords);
  expectIndexConsistent(*page);
}

TEST(PageStoreText, PackAndUnpack) {
  EXPECT_TRUE(packText("").empty());
  EXPECT_EQ(packText("abcd").size(), 1u);
  EXPECT_EQ(packText("abcde").size(), 2u);
  const std::vector<float> words = packText("abcde");
  EXPECT_EQ(unpackText(words, 5), "abcde");
  EXPECT_EQ(unpackText(words, 8), "abcde   ");  // the last word is blank-padded
  EXPECT_EQ(unpackText(words, 100), "abcde   ");
  EXPECT_EQ(unpackText(words, -1), "");
  EXPECT_EQ(textParamCount(-1.0f), 16);
  EXPECT_EQ(textParamCount(0.0f), 13);
  EXPECT_EQ(textParamCount(-1.5f), 13);
}

TEST(ItemCodes, TruncationAndMenuNames) {
  EXPECT_EQ(truncToInt(2.9), 2);
  EXPECT_EQ(truncToInt(-2.9), -2);
  EXPECT_EQ(truncToInt(std::nan("")), 0);
  EXPECT_EQ(truncToInt(1e20), std::numeric_limits<int>::max());
  EXPECT_EQ(truncToInt(-1e20), std::numeric_limits<int>::min());
  struct Case {
    int code;
    std::string name;
  } cases[] = {{1, "NOTE"},    {8, "STAFF"},   {9, "LIBRARY"}, {11, "CODE11"}, {13, "DUMMY"}, {16, "WORD"},
               {18, "METER"},  {19, "HARP"},   {22, "ACCORD."}, {23, "OTTAVA"}, {0, ""},      {24, ""},
               {999, ""},      {-1, ""}};
  for (const Case& c : cases) EXPECT_EQ(codeMenuName(c.code), c.name) << c.code;
}

TEST(ItemCodes, ParametersInTheirShortestForm) {
  struct Case {
    float value;
    const char* text;
  } cases[] = {{10.0f, "10"}, {0.8f, "0.8"}, {-9999.0f, "-9999"}, {30.004f, "30.004"}, {0.0f, "0"}, {1e30f, "1e+30"}};
  for (const Case& c : cases) EXPECT_EQ(formatParameter(c.value), c.text) << c.text;
}

}  // namespace
}  // namespace ts
