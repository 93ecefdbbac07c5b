#include "model/page_store.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace ts {

int ItemRecord::code() const { return truncToInt(p(1)); }

int textParamCount(float p14) { return p14 == -1.0f ? kExtendedTextParams : kTextParams; }

std::vector<float> packText(std::string_view text) {
  std::vector<float> words((text.size() + 3) / 4, 0.0f);
  for (size_t w = 0; w < words.size(); ++w) {
    char bytes[4] = {' ', ' ', ' ', ' '};
    for (size_t b = 0; b < 4 && w * 4 + b < text.size(); ++b) bytes[b] = text[w * 4 + b];
    std::memcpy(&words[w], bytes, 4);
  }
  return words;
}

std::string unpackText(std::span<const float> words, int characterCount) {
  std::string text;
  const size_t available = words.size() * 4;
  const size_t wanted = characterCount > 0 ? std::min<size_t>(characterCount, available) : 0;
  text.resize(wanted);
  for (size_t i = 0; i < wanted; ++i) {
    char bytes[4];
    std::memcpy(bytes, &words[i / 4], 4);
    text[i] = bytes[i % 4];
  }
  return text;
}

PageStore::PageStore() : m_words(kStoreWords + 1, 0.0f) { clear(); }

void PageStore::clear() {
  m_itemCount = 0;
  m_nextFree = 1;
  m_index.fill(0);
  m_index[1] = 1;
}

int PageStore::wordCount(int k) const { return truncToInt(m_words[m_index[k]]); }

int PageStore::paramCount(int k) const {
  const int n = wordCount(k);
  if (truncToInt(m_words[m_index[k] + 1]) != kCodeText) return n;
  return std::min(n, textParamCount(param(k, 14)));
}

float PageStore::param(int k, int i) const {
  if (k < 1 || k > m_itemCount || i < 1) return 0.0f;
  const int start = m_index[k];
  const int n = truncToInt(m_words[start]);
  if (i > n) return 0.0f;
  // The character words of a text item follow its last numeric parameter;
  // they are not parameters. Whether P14 is stored decides where they start.
  if (truncToInt(m_words[start + 1]) == kCodeText) {
    const int numeric = n >= kExtendedTextParams ? textParamCount(m_words[start + 14]) : kTextParams;
    if (i > numeric) return 0.0f;
  }
  return m_words[start + i];
}

bool PageStore::setParam(int k, int i, float value) {
  if (k < 1 || k > m_itemCount || i < 1 || i > paramCount(k)) return false;
  m_words[m_index[k] + i] = value;
  return true;
}

ItemRecord PageStore::record(int k) const {
  ItemRecord item;
  if (k < 1 || k > m_itemCount) return item;
  const int start = m_index[k];
  const int params = paramCount(k);
  item.params.assign(m_words.begin() + start + 1, m_words.begin() + start + 1 + params);
  if (item.code() == kCodeText) item.text = text(k);
  return item;
}

std::string PageStore::text(int k) const {
  if (k < 1 || k > m_itemCount || code(k) != kCodeText) return {};
  const int start = m_index[k];
  const int params = paramCount(k);
  const int charWords = wordCount(k) - params;
  if (charWords <= 0) return {};
  std::span<const float> words(m_words.data() + start + 1 + params, charWords);
  return unpackText(words, truncToInt(param(k, 12)));
}

bool PageStore::hasRoomFor(int words) const {
  return words >= 0 && m_nextFree + words + kTrailerWords - 1 <= kStoreWords;
}

std::vector<float> encodeRecord(const ItemRecord& item) {
  std::vector<float> params = item.params;
  std::vector<float> characters;
  if (item.code() == kCodeText) {
    params.resize(textParamCount(item.p(14)), 0.0f);
    const int characterCount = std::clamp(truncToInt(params[11]), 0, kStoreWords * 4);
    std::string text = item.text;
    text.resize(static_cast<size_t>(characterCount), ' ');
    characters = packText(text);
  } else if (params.size() > static_cast<size_t>(kMaxStoredParams)) {
    params.resize(kMaxStoredParams);
  }
  if (params.size() < static_cast<size_t>(kMinStoredParams)) params.resize(kMinStoredParams, 0.0f);
  std::vector<float> words;
  words.reserve(1 + params.size() + characters.size());
  words.push_back(static_cast<float>(params.size() + characters.size()));
  words.insert(words.end(), params.begin(), params.end());
  words.insert(words.end(), characters.begin(), characters.end());
  return words;
}

int PageStore::append(const ItemRecord& item) {
  if (m_itemCount >= kMaxItems) return 0;
  const std::vector<float> words = encodeRecord(item);
  if (!hasRoomFor(static_cast<int>(words.size()))) return 0;
  std::copy(words.begin(), words.end(), m_words.begin() + m_nextFree);
  m_nextFree += static_cast<int>(words.size());
  ++m_itemCount;
  m_index[m_itemCount + 1] = m_nextFree;
  return m_itemCount;
}

bool PageStore::replace(int k, const ItemRecord& item) {
  if (k < 1 || k > m_itemCount) return false;
  const std::vector<float> words = encodeRecord(item);
  const int start = m_index[k];
  const int oldSize = m_index[k + 1] - start;
  const int growth = static_cast<int>(words.size()) - oldSize;
  if (growth > 0 && !hasRoomFor(growth)) return false;
  if (growth != 0) {
    const int tail = m_index[k + 1];
    if (growth > 0) {
      std::copy_backward(m_words.begin() + tail, m_words.begin() + m_nextFree, m_words.begin() + m_nextFree + growth);
    } else {
      std::copy(m_words.begin() + tail, m_words.begin() + m_nextFree, m_words.begin() + tail + growth);
    }
    m_nextFree += growth;
  }
  std::copy(words.begin(), words.end(), m_words.begin() + start);
  if (growth != 0) rebuildIndex();
  return true;
}

void PageStore::remove(int k) {
  if (k < 1 || k > m_itemCount) return;
  const int start = m_index[k];
  const int end = m_index[k + 1];
  std::copy(m_words.begin() + end, m_words.begin() + m_nextFree, m_words.begin() + start);
  m_nextFree -= end - start;
  rebuildIndex();
}

void PageStore::removeItems(const std::vector<int>& items) {
  int write = 1;
  size_t next = 0;
  for (int k = 1; k <= m_itemCount; ++k) {
    while (next < items.size() && items[next] < k) ++next;
    const int start = m_index[k];
    const int end = m_index[k + 1];
    if (next < items.size() && items[next] == k) continue;
    if (write != start) std::copy(m_words.begin() + start, m_words.begin() + end, m_words.begin() + write);
    write += end - start;
  }
  m_nextFree = write;
  rebuildIndex();
}

void PageStore::moveItem(int from, int to) {
  if (from < 1 || from > m_itemCount || to < 1 || to > m_itemCount || from == to) return;
  const int start = m_index[std::min(from, to)];
  const int end = m_index[std::max(from, to) + 1];
  const int moved = m_index[from + 1] - m_index[from];
  if (from > to) {
    // [to .. from-1][from] -> [from][to .. from-1]
    std::rotate(m_words.begin() + start, m_words.begin() + m_index[from], m_words.begin() + end);
  } else {
    std::rotate(m_words.begin() + start, m_words.begin() + start + moved, m_words.begin() + end);
  }
  rebuildIndex();
}

void PageStore::permute(const std::vector<int>& order) {
  if (order.size() != static_cast<size_t>(m_itemCount)) return;
  // Every item exactly once: a repeated item would silently replace another.
  std::vector<bool> taken(static_cast<size_t>(m_itemCount) + 1, false);
  for (int k : order) {
    if (k < 1 || k > m_itemCount || taken[k]) return;
    taken[k] = true;
  }
  std::vector<float> words;
  words.reserve(m_nextFree - 1);
  for (int k : order) words.insert(words.end(), m_words.begin() + m_index[k], m_words.begin() + m_index[k + 1]);
  if (words.size() != static_cast<size_t>(m_nextFree - 1)) return;
  std::copy(words.begin(), words.end(), m_words.begin() + 1);
  rebuildIndex();
}

void PageStore::loadWorking(int k, WorkingRecord& working) const {
  working.fill(0.0f);
  if (k < 1 || k > m_itemCount) return;
  const int params = std::min(paramCount(k), kWorkingParams);
  for (int i = 1; i <= params; ++i) working[i - 1] = param(k, i);
}

bool PageStore::storeWorking(int k, const WorkingRecord& working) {
  if (k < 1 || k > m_itemCount) return false;
  ItemRecord item = record(k);
  // Keep every stored parameter and any further one that the edit made
  // non-zero; parameters beyond the stored ones read as 0 anyway.
  int last = static_cast<int>(item.params.size());
  for (int i = kWorkingParams; i > last; --i) {
    if (working[i - 1] != 0.0f) {
      last = i;
      break;
    }
  }
  item.params.assign(working.begin(), working.begin() + std::min(last, kWorkingParams));
  return replace(k, item);
}

void PageStore::setNextFreeWord(int position) {
  m_nextFree = std::clamp(position, 1, kStoreWords);
  rebuildIndex();
}

void PageStore::rebuildIndex() {
  // Walk the count words from word 1. A count word that would run past the
  // next free word ends the page there, so a damaged store never makes the
  // index point outside it.
  m_itemCount = 0;
  int position = 1;
  while (position < m_nextFree && m_itemCount < kMaxItems) {
    const int n = truncToInt(m_words[position]);
    // Compared as room left, so a huge count word cannot overflow the sum.
    if (n < 1 || n > m_nextFree - position - 1) break;
    m_index[++m_itemCount] = position;
    position += n + 1;
  }
  m_nextFree = position;
  m_index[m_itemCount + 1] = m_nextFree;
}

}  // namespace ts
