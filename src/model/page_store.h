#pragma once
// The page: every item of the page back to back in one flat store of float
// words, with an index of where each item starts. Words and items are
// numbered from 1, as they are everywhere in the command language.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/item_codes.h"

namespace ts {

constexpr int kStoreWords = 64000;  // words of the page store, items back to back
constexpr int kMaxItems = 6000;     // items of one page
constexpr int kIndexEntries = kMaxItems + 1;  // start of each item, then the next free word
constexpr int kTrailerWords = 6;    // filler and trailer that a page file adds after the items

// One item as a plain value: its parameters P1..Pn and, for a text item, its
// characters.
struct ItemRecord {
  std::vector<float> params;  // params[0] is P1
  std::string text;           // characters of a text item (code 16)

  float p(int i) const { return i >= 1 && i <= static_cast<int>(params.size()) ? params[i - 1] : 0.0f; }
  int code() const;
};

using WorkingRecord = std::array<float, kWorkingParams>;  // [0] is P1

class PageStore {
 public:
  PageStore();

  int itemCount() const { return m_itemCount; }
  int nextFreeWord() const { return m_nextFree; }
  bool empty() const { return m_itemCount == 0; }

  // Position of item k's count word (1 <= k <= itemCount + 1).
  int itemStart(int k) const { return m_index[k]; }
  // Stored words of item k after its count word (parameters and characters).
  int wordCount(int k) const;
  // Numeric parameters of item k (the character words of a text item excluded).
  int paramCount(int k) const;
  // P_i of item k; 0 for a parameter the item does not store.
  float param(int k, int i) const;
  int code(int k) const { return truncToInt(param(k, 1)); }
  // Sets P_i of item k; only stored numeric parameters can be set.
  bool setParam(int k, int i, float value);

  ItemRecord record(int k) const;
  std::string text(int k) const;

  // Adds an item at the end. Returns its item number, or 0 when the page is
  // full (6000 items, or no room left in the store).
  int append(const ItemRecord& item);
  // Inserts or removes nothing else: removes item k and closes the gap.
  void remove(int k);
  // Removes several items in one pass (item numbers in increasing order).
  void removeItems(const std::vector<int>& items);
  // Moves item `from` so that it becomes item `to`.
  void moveItem(int from, int to);
  // Puts the items in a new order: order[i] is the old number of the item
  // that becomes item i + 1. Records move whole, word for word.
  void permute(const std::vector<int>& order);
  // Replaces item k by another record, moving the later items when the size
  // changes. False (and nothing changed) when the store has no room.
  bool replace(int k, const ItemRecord& item);
  // Writes a working record back into item k: the stored parameters, plus
  // any further parameter the edit made non-zero (a text item keeps its
  // characters).
  bool storeWorking(int k, const WorkingRecord& working);
  void loadWorking(int k, WorkingRecord& working) const;

  void clear();
  void rebuildIndex();

  // Raw access for the page file: words 1..kStoreWords.
  float word(int position) const { return m_words[position]; }
  void setWord(int position, float value) { m_words[position] = value; }
  // Sets the next free word (the words below it must already hold items) and
  // rebuilds the index.
  void setNextFreeWord(int position);
  // Room left for a record of `words` words plus the trailer a save adds.
  bool hasRoomFor(int words) const;

 private:
  std::vector<float> m_words;  // [0] unused, words 1..kStoreWords
  std::array<int, kIndexEntries + 1> m_index{};  // [0] unused, entries 1..6001
  int m_itemCount = 0;
  int m_nextFree = 1;
};

// The words of an item record: its count word, parameters and characters,
// padded to three parameters and cut to 45 (text: 13 or 16 and characters).
std::vector<float> encodeRecord(const ItemRecord& item);
// Packs characters four to a word, the first character in the lowest byte.
std::vector<float> packText(std::string_view text);
std::string unpackText(std::span<const float> words, int characterCount);
// Number of numeric parameters a text item stores (13, or 16 with P14 = -1).
int textParamCount(float p14);

}  // namespace ts
