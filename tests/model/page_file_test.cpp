#include "model/page_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace ts {
namespace {

using Bytes = std::vector<uint8_t>;

// Page files made byte by byte, little-endian.
struct FileBytes {
  Bytes bytes;
  FileBytes& int16(int16_t v) {
    const auto u = static_cast<uint16_t>(v);
    bytes.push_back(static_cast<uint8_t>(u & 0xFF));
    bytes.push_back(static_cast<uint8_t>(u >> 8));
    return *this;
  }
  FileBytes& int32(int32_t v) {
    const auto u = static_cast<uint32_t>(v);
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<uint8_t>((u >> shift) & 0xFF));
    return *this;
  }
  FileBytes& words(const std::vector<float>& values) {
    for (float v : values) {
      uint32_t u;
      std::memcpy(&u, &v, 4);
      int32(static_cast<int32_t>(u));
    }
    return *this;
  }
};

// A page file of the given item words with the standard trailer, in the
// 16-bit or the 32-bit count form.
Bytes pageFile(std::vector<float> itemWords, bool longCount = false, float unit = 0.0f, float version = 6.0f) {
  for (float w : {0.0f, 0.0f, version, unit, 5.0f, -9999.0f}) itemWords.push_back(w);
  FileBytes file;
  if (longCount) {
    file.int32(static_cast<int32_t>(itemWords.size()));
  } else {
    file.int16(static_cast<int16_t>(itemWords.size()));
  }
  return file.words(itemWords).bytes;
}

float wordAt(const Bytes& bytes, size_t offset) {
  float v;
  std::memcpy(&v, bytes.data() + offset, 4);
  return v;
}

std::unique_ptr<PageStore> newPage() { return std::make_unique<PageStore>(); }

// Items filling exactly `words` words (at least 4): items of three
// parameters, the last one longer to make up the rest.
std::unique_ptr<PageStore> pageOfWords(int words) {
  auto page = newPage();
  const int last = 4 + words % 4;
  for (int used = 0; used + last < words; used += 4) page->append({{1, 1, static_cast<float>(used)}, {}});
  page->append({std::vector<float>(static_cast<size_t>(last - 1), 2.0f), {}});
  return page;
}

ItemRecord textRecord(std::string characters, float p14 = 0.0f) {
  std::vector<float> params(p14 == -1.0f ? 16 : 13, 0.0f);
  params[0] = kCodeText;
  params[1] = 1;
  params[2] = 12.5f;
  params[11] = static_cast<float>(characters.size());
  if (p14 == -1.0f) params[13] = -1.0f;
  return {params, std::move(characters)};
}

TEST(PageFileWrite, ShortCountLayoutAndTrailer) {
  auto page = pageOfWords(2000);
  ASSERT_EQ(page->nextFreeWord(), 2001);
  const Bytes bytes = encodePageFile(*page, kUnitMetric);
  ASSERT_EQ(bytes.size(), 2u + 4u * 2006u);
  EXPECT_EQ(bytes[0] | bytes[1] << 8, 2006);
  const size_t trailer = 2 + 4 * 2000;  // word P, the filler
  EXPECT_EQ(wordAt(bytes, 2), 3.0f);   // item 1's count word
  const float expected[] = {0.0f, 0.0f, 6.0f, 1.0f, 5.0f, -9999.0f};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(wordAt(bytes, trailer + 4 * i), expected[i]) << "trailer word " << i;
}

TEST(PageFileWrite, LongCountFromTwentyThousandWords) {
  auto page = pageOfWords(20000);
  ASSERT_EQ(page->nextFreeWord(), 20001);
  const Bytes bytes = encodePageFile(*page, kUnitInches);
  ASSERT_EQ(bytes.size(), 4u + 4u * 20006u);
  EXPECT_EQ(bytes[0] | bytes[1] << 8 | bytes[2] << 16 | bytes[3] << 24, 20006);
  EXPECT_EQ(wordAt(bytes, 4 + 4 * 20005), -9999.0f);
  EXPECT_EQ(wordAt(bytes, 4 + 4 * 20003), 0.0f);  // unit: inches
}

TEST(PageFileWrite, CountFormChangesAfter14200Words) {
  struct Case {
    int itemWords;
    int countBytes;
  } cases[] = {{14194, 2}, {14195, 4}, {1, 2}};
  for (const Case& c : cases) {
    auto page = c.itemWords >= 4 ? pageOfWords(c.itemWords) : newPage();
    const Bytes bytes = encodePageFile(*page, 0.0f);
    EXPECT_EQ(bytes.size(), static_cast<size_t>(c.countBytes + 4 * (page->nextFreeWord() + 5))) << c.itemWords;
    const PageFileContents contents = decodePageFile(bytes, false);
    EXPECT_EQ(contents.status, PageReadStatus::Ok);
    EXPECT_EQ(contents.countBytes, c.countBytes) << c.itemWords;
  }
}

TEST(PageFileRead, ShortCountOf14200IsReadInOnePass) {
  auto page = pageOfWords(14194);
  const Bytes bytes = encodePageFile(*page, 0.0f);
  ASSERT_EQ(bytes[0] | bytes[1] << 8, 14200);
  EXPECT_EQ(decodePageFile(bytes, false).countBytes, 2);
  // A 16-bit count above 14200 is still read when its end marker is there.
  const Bytes larger = pageFile(std::vector<float>(4 * 4000, 3.0f));
  EXPECT_EQ(decodePageFile(larger, false).countBytes, 2);
}

TEST(PageFileRead, RoundTripKeepsRecordsVersionAndUnit) {
  auto page = newPage();
  std::vector<float> full(kMaxStoredParams);
  for (int i = 0; i < kMaxStoredParams; ++i) full[i] = static_cast<float>(i) + 0.25f;
  full[0] = kCodeBeam;
  const std::vector<ItemRecord> items = {
      {{8, 1, 0, 0, 1.5f}, {}},
      {{1, 1, 10.37f, -3, 20, 0, 1}, {}},
      textRecord("Allegro ma non troppo"),
      textRecord("\x01\xff\x80 bytes", -1.0f),
      {full, {}},
      {{17, 2, 5, 0, -3}, {}},
  };
  for (const ItemRecord& i : items) page->append(i);
  const Bytes bytes = encodePageFile(*page, kUnitMetric);
  auto back = newPage();
  const PageReadResult result = readPageFile(bytes, false, *back);
  ASSERT_EQ(result.status, PageReadStatus::Ok);
  EXPECT_FALSE(result.inputDataError);
  EXPECT_TRUE(result.hasVersion);
  EXPECT_EQ(result.version, 6.0f);
  EXPECT_TRUE(result.hasUnit);
  EXPECT_EQ(result.unit, 1.0f);
  ASSERT_EQ(back->itemCount(), page->itemCount());
  EXPECT_EQ(back->nextFreeWord(), page->nextFreeWord());
  for (int k = 1; k <= page->itemCount(); ++k) {
    EXPECT_EQ(back->record(k).params, page->record(k).params) << "item " << k;
    EXPECT_EQ(back->text(k), page->text(k)) << "item " << k;
  }
  EXPECT_EQ(encodePageFile(*back, kUnitMetric), bytes);
}

TEST(PageFileRead, AnEmptyPageRoundTrips) {
  auto page = newPage();
  const Bytes bytes = encodePageFile(*page, kUnitInches);
  EXPECT_EQ(bytes.size(), 2u + 4u * 6u);
  auto back = newPage();
  back->append({{1, 1, 1}, {}});
  EXPECT_EQ(readPageFile(bytes, false, *back).status, PageReadStatus::Ok);
  EXPECT_EQ(back->itemCount(), 0);
  EXPECT_EQ(back->nextFreeWord(), 1);
}

TEST(PageFileRead, BadEndMarkerIsRefusedInBothCountForms) {
  for (bool longCount : {false, true}) {
    for (float last : {0.0f, -9998.0f, 9999.0f}) {
      Bytes bytes = pageFile({3, 1, 1, 10, 3, 2, 1, 20}, longCount);
      std::memcpy(bytes.data() + bytes.size() - 4, &last, 4);
      auto page = newPage();
      page->append({{14, 1, 5}, {}});
      const PageReadResult result = readPageFile(bytes, false, *page);
      EXPECT_EQ(result.status, PageReadStatus::NotCanto) << longCount << " " << last;
      EXPECT_EQ(page->itemCount(), 1);  // the page in memory stays as it was
      EXPECT_EQ(page->param(1, 1), 14.0f);
    }
  }
}

TEST(PageFileRead, LongCountOutsideTheStoreIsAnOpeningError) {
  struct Case {
    int32_t count;
    PageReadStatus status;
  } cases[] = {
      {70000, PageReadStatus::ErrorOpening}, {2, PageReadStatus::ErrorOpening},
      {-7, PageReadStatus::ErrorOpening},    {64001, PageReadStatus::ErrorOpening},
      {64000, PageReadStatus::NotCanto},     {3, PageReadStatus::NotCanto},
  };
  for (const Case& c : cases) {
    const Bytes bytes = FileBytes().int32(c.count).words({3, 1, 1, 10, 0, 0, 6, 0, 5, 123}).bytes;
    EXPECT_EQ(decodePageFile(bytes, false).status, c.status) << c.count;
  }
}

TEST(PageFileRead, HostileBytesAreRefusedWithoutHarm) {
  const Bytes tiny[] = {{}, {0x05}, {0x05, 0x00}, {0x05, 0x00, 0x00}, {0xFF, 0x7F, 0, 0, 0, 0}};
  for (const Bytes& bytes : tiny) {
    auto page = newPage();
    page->append({{1, 1, 1}, {}});
    EXPECT_NE(readPageFile(bytes, true, *page).status, PageReadStatus::Ok) << bytes.size();
    EXPECT_EQ(page->itemCount(), 1);
  }
  // Every cut of a good file loses its end marker.
  const Bytes good = pageFile({3, 1, 1, 10, 4, 2, 1, 20, 5, 3, 16, 2, 30}, false);
  for (size_t length = 0; length < good.size(); ++length) {
    auto page = newPage();
    const Bytes cut(good.begin(), good.begin() + static_cast<long>(length));
    EXPECT_NE(readPageFile(cut, false, *page).status, PageReadStatus::Ok) << length;
  }
  // Random bytes, some ending in the end marker, with counts of every size.
  std::mt19937 random(20240611);
  for (int round = 0; round < 3000; ++round) {
    Bytes bytes(random() % 200);
    for (uint8_t& b : bytes) b = static_cast<uint8_t>(random());
    const float marker = -9999.0f;
    if (bytes.size() >= 8 && round % 2 == 0) std::memcpy(bytes.data() + bytes.size() - 4, &marker, 4);
    if (bytes.size() >= 8 && round % 3 == 0) {
      const auto count = static_cast<uint16_t>((bytes.size() - 2) / 4);
      bytes[0] = static_cast<uint8_t>(count & 0xFF);
      bytes[1] = static_cast<uint8_t>(count >> 8);
    }
    auto page = newPage();
    const PageReadResult result = readPageFile(bytes, round % 5 == 0, *page);
    if (result.status != PageReadStatus::Ok) {
      EXPECT_EQ(page->itemCount(), 0);
      continue;
    }
    // Whatever was read is a page the store can hold and save.
    EXPECT_LE(page->itemCount(), kMaxItems);
    EXPECT_LE(page->nextFreeWord() + 5, kStoreWords);
    for (int k = 1; k <= page->itemCount(); ++k) {
      const int code = page->code(k);
      EXPECT_TRUE(code >= 1 && code <= kHighestCode && code != kCodeDummy) << code;
      EXPECT_GE(page->wordCount(k), kMinStoredParams);
    }
  }
}

TEST(PageFileNormalise, DropsDummyAndUnknownCodesSilently) {
  const std::vector<float> words = {3, 1, 1, 10,  3, 13, 1, 20,  3, 19, 1, 30,  3, 0.5f, 1, 40,
                                    3, -2, 1, 50, 3, 999, 1, 60, 3, 18.9f, 1, 70, 3, 2, 1, 80};
  const NormalisedItems items = normaliseItems(words);
  EXPECT_FALSE(items.inputDataError);
  EXPECT_EQ(items.words, (std::vector<float>{3, 1, 1, 10, 3, 18.9f, 1, 70, 3, 2, 1, 80}));
}

TEST(PageFileNormalise, ACodeWordThatIsNoNumberIsAnInputDataError) {
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  for (float bad : {nan, -nan, inf, -inf}) {
    const NormalisedItems items = normaliseItems(std::vector<float>{3, 1, 1, 10, 3, bad, 1, 20, 3, 2, 1, 30});
    EXPECT_TRUE(items.inputDataError) << bad;
    EXPECT_EQ(items.words, (std::vector<float>{3, 1, 1, 10, 3, 2, 1, 30})) << bad;  // the rest of the page stays
  }
  // A page of that one item was read as an empty page without a word.
  auto page = newPage();
  const PageReadResult result = readPageFile(pageFile({3, nan, 1, 10}), false, *page);
  ASSERT_EQ(result.status, PageReadStatus::Ok);
  EXPECT_TRUE(result.inputDataError);
  EXPECT_EQ(page->itemCount(), 0);
}

TEST(PageFileNormalise, PadsTwoParameterItems) {
  EXPECT_EQ(normaliseItems(std::vector<float>{2, 1, 4, 3, 2, 1, 5}).words,
            (std::vector<float>{3, 1, 4, 0, 3, 2, 1, 5}));
}

TEST(PageFileNormalise, CountWordBelowTwoCutsThePage) {
  for (float bad : {1.0f, 0.0f, -4.0f, 1.9f}) {
    const NormalisedItems items = normaliseItems(std::vector<float>{3, 1, 1, 10, bad, 2, 1, 20, 3, 2, 1, 30});
    EXPECT_TRUE(items.inputDataError) << bad;
    EXPECT_EQ(items.words, (std::vector<float>{3, 1, 1, 10})) << bad;
  }
  // A record running past the items is cut the same way.
  const NormalisedItems past = normaliseItems(std::vector<float>{3, 1, 1, 10, 9, 2, 1});
  EXPECT_TRUE(past.inputDataError);
  EXPECT_EQ(past.words.size(), 4u);
}

TEST(PageFileNormalise, LongNonTextItemsKeepAtMostFortyFiveParameters) {
  std::vector<float> params(50, 1.0f);
  params[40] = params[41] = params[42] = params[43] = params[44] = 0.0f;  // P41..P45
  std::vector<float> words = {50};
  words.insert(words.end(), params.begin(), params.end());
  words.push_back(50);  // the same item with P45 set
  params[44] = 7.0f;
  words.insert(words.end(), params.begin(), params.end());
  const NormalisedItems items = normaliseItems(words);
  ASSERT_EQ(items.words[0], 40.0f);  // up to the last non-zero one, P40
  ASSERT_EQ(items.words.size(), 41u + 46u);
  EXPECT_EQ(items.words[41], 45.0f);
  EXPECT_EQ(items.words[41 + 45], 7.0f);
}

TEST(PageFileNormalise, TextItemOfSixtyWordsIsKept) {
  std::vector<float> words(61, 0.0f);
  words[0] = 60;
  words[1] = kCodeText;
  words[12] = 188;  // P12: 47 words of characters
  for (int i = 14; i <= 60; ++i) words[i] = 1.0f;
  const NormalisedItems items = normaliseItems(words);
  EXPECT_EQ(items.words, words);
}

TEST(PageFileNormalise, AtMostSixThousandItems) {
  std::vector<float> words;
  for (int k = 0; k <= kMaxItems; ++k) words.insert(words.end(), {3, 1, 1, static_cast<float>(k)});
  const NormalisedItems items = normaliseItems(words);
  EXPECT_EQ(items.words.size(), 4u * kMaxItems);
  EXPECT_TRUE(items.inputDataError);
}

TEST(PageFileRead, ReadsThroughTheNormaliser) {
  auto page = newPage();
  const Bytes bytes = pageFile({3, 1, 1, 10, 3, 13, 1, 20, 2, 2, 1, 1, 2, 1, 30}, false, 1.0f);
  const PageReadResult result = readPageFile(bytes, false, *page);
  ASSERT_EQ(result.status, PageReadStatus::Ok);
  EXPECT_TRUE(result.inputDataError);  // the count word 1 ends the page
  ASSERT_EQ(page->itemCount(), 2);
  EXPECT_EQ(page->param(2, 1), 2.0f);
  EXPECT_EQ(page->wordCount(2), 3);
  EXPECT_EQ(result.unit, 1.0f);
}

TEST(PageFileWorkCopy, StructureOnlyKeepsEverySoundRecordAsItIs) {
  // Undo and redo copies come back as they were made: codes 0 and 25, a
  // long item and a two-parameter record are not cleaned.
  std::vector<float> long46(47, 1.0f);
  long46[0] = 46;
  std::vector<float> words = {3, 0, 1, 10, 3, 25, 1, 20, 2, 2, 1};
  words.insert(words.end(), long46.begin(), long46.end());
  const NormalisedItems kept = checkItemStructure(words);
  EXPECT_FALSE(kept.inputDataError);
  EXPECT_EQ(kept.words, words);
  // The structure is still checked: a count word below 2 ends the page.
  std::vector<float> cut = {3, 1, 1, 10, 0, 3, 2, 1, 20};
  const NormalisedItems ended = checkItemStructure(cut);
  EXPECT_TRUE(ended.inputDataError);
  EXPECT_EQ(ended.words, (std::vector<float>{3, 1, 1, 10}));

  auto page = newPage();
  ASSERT_EQ(readPageFile(pageFile(words), false, *page, ItemCheck::StructureOnly).status, PageReadStatus::Ok);
  EXPECT_EQ(page->itemCount(), 4);
  EXPECT_EQ(page->code(2), 25);
  EXPECT_EQ(encodePageFile(*page, 0.0f), pageFile(words));
}

TEST(PageFileTrailer, ShorterTrailersCarryLess) {
  struct Case {
    std::vector<float> words;
    bool valid;
    int itemWords;
    bool hasVersion, hasUnit;
  } cases[] = {
      {{3, 1, 1, 1, 0, 0, 6, 1, 5, -9999}, true, 4, true, true},
      {{3, 1, 1, 1, 0, 2, 1, 4, -9999}, true, 4, true, true},
      {{3, 1, 1, 1, 0, 1, 3, -9999}, true, 4, false, true},
      {{3, 1, 1, 1, 0, 2, -9999}, true, 4, false, false},
      {{3, 1, 1, 1, 0, 1, -9999}, false, 0, false, false},      // length below 2
      {{3, 1, 1, 1, 0, 80, -9999}, false, 0, false, false},     // longer than the file
      {{3, 1, 1, 1, 0, 0, 6, 1, 5, -9998}, false, 0, false, false},
  };
  for (const Case& c : cases) {
    const Trailer trailer = parseTrailer(c.words);
    EXPECT_EQ(trailer.valid, c.valid) << c.words.size();
    if (!c.valid) continue;
    EXPECT_EQ(trailer.itemWords, c.itemWords) << c.words.size();
    EXPECT_EQ(trailer.hasVersion, c.hasVersion) << c.words.size();
    EXPECT_EQ(trailer.hasUnit, c.hasUnit) << c.words.size();
  }
  EXPECT_EQ(parseTrailer(std::vector<float>{3, 1, 1, 1, 0, 0, 6, 1, 5, -9999}).unit, 1.0f);
  EXPECT_EQ(parseTrailer(std::vector<float>{3, 1, 1, 1, 0, 0, 2, 1, 5, -9999}).version, 2.0f);
}

TEST(PageFileBackup, NameFollowsTheWords) {
  auto page = pageOfWords(8);
  const std::string name = "C:\\PAGES\\SONG.MUS";
  const Bytes bytes = encodePageFile(*page, 0.0f, &name);
  ASSERT_EQ(bytes.size(), 2u + 4u * 14u + 128u);
  const std::string tail(bytes.end() - 128, bytes.end());
  EXPECT_EQ(tail, name + std::string(128 - name.size(), ' '));
  const PageFileContents contents = decodePageFile(bytes, true);
  ASSERT_EQ(contents.status, PageReadStatus::Ok);
  EXPECT_TRUE(contents.hasPageName);
  EXPECT_EQ(contents.pageName, name);
  EXPECT_FALSE(decodePageFile(bytes, false).hasPageName);
  // A name longer than the field is cut to 128 characters.
  const std::string longName(200, 'x');
  EXPECT_EQ(encodePageFile(*page, 0.0f, &longName).size(), bytes.size());
  // The name also follows a 32-bit count.
  auto large = pageOfWords(20000);
  const PageFileContents largeContents = decodePageFile(encodePageFile(*large, 0.0f, &name), true);
  EXPECT_EQ(largeContents.countBytes, 4);
  EXPECT_EQ(largeContents.pageName, name);
}

TEST(PageFileBackup, BackupFileNames) {
  struct Case {
    const char* name;
    bool backup;
  } cases[] = {
      {"C:\\!TMP\\!save.tmp", true}, {"!SAVE.TMP", true}, {"song!Save.abc", true}, {"!SAVE.TM", false},
      {"SAVE.TMP", false},           {"!SAVE", false},    {"song.mus", false},      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(isBackupFileName(c.name), c.backup) << c.name;
}

TEST(PageFileConversion, OldTextItemsTakeThePositionOfThePreviousText) {
  auto page = newPage();
  page->append({{1, 1, 5, 0}, {}});
  ItemRecord first = textRecord("one");
  first.params[2] = 30;
  page->append(first);
  ItemRecord empty = textRecord("");
  empty.params[2] = 70;
  page->append(empty);  // P12 = 0: neither changed nor a source
  ItemRecord second = textRecord("two");
  second.params[2] = 90;
  page->append(second);
  convertOldTextPositions(*page);
  EXPECT_EQ(page->param(1, 3), 5.0f);
  EXPECT_EQ(page->param(2, 3), 30.0f);
  EXPECT_EQ(page->param(3, 3), 70.0f);
  EXPECT_EQ(page->param(4, 3), 30.0f);
  EXPECT_EQ(page->text(4), "two");
}

}  // namespace
}  // namespace ts
