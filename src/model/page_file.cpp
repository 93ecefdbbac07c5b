#include "model/page_file.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <optional>

namespace ts {
namespace {

void putInt16(std::vector<uint8_t>& out, int16_t v) {
  const auto u = static_cast<uint16_t>(v);
  out.push_back(static_cast<uint8_t>(u & 0xFF));
  out.push_back(static_cast<uint8_t>(u >> 8));
}

void putInt32(std::vector<uint8_t>& out, int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<uint8_t>((u >> shift) & 0xFF));
}

void putFloat(std::vector<uint8_t>& out, float v) {
  uint32_t u;
  std::memcpy(&u, &v, 4);
  putInt32(out, static_cast<int32_t>(u));
}

int32_t getInt32(std::span<const uint8_t> bytes, size_t at) {
  uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | bytes[at + i];
  return static_cast<int32_t>(u);
}

int16_t getInt16(std::span<const uint8_t> bytes, size_t at) {
  return static_cast<int16_t>(static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8)));
}

float getFloat(std::span<const uint8_t> bytes, size_t at) {
  const auto u = static_cast<uint32_t>(getInt32(bytes, at));
  float v;
  std::memcpy(&v, &u, 4);
  return v;
}

// Words 1..count after a count of `offset` bytes, when the file holds them
// all and the last is the end marker.
bool readWords(std::span<const uint8_t> bytes, size_t offset, int count, std::vector<float>& words) {
  if (count < 1) return false;
  const size_t end = offset + static_cast<size_t>(count) * 4;
  if (end > bytes.size()) return false;
  if (getFloat(bytes, end - 4) != kEndMarker) return false;
  words.resize(static_cast<size_t>(count));
  for (int i = 0; i < count; ++i) words[i] = getFloat(bytes, offset + static_cast<size_t>(i) * 4);
  return true;
}

std::string trimRight(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\0')) text.pop_back();
  return text;
}

}  // namespace

std::string writeErrorMessage(std::string_view name, WriteResult result) {
  std::string text = std::string(page_file_messages::kErrorWriting) + " " + std::string(name);
  if (result == WriteResult::ReadOnly) text += std::string(" ") + page_file_messages::kReadOnly;
  return text;
}

std::vector<uint8_t> encodePageFile(const PageStore& page, float unitSetting, const std::string* backupName) {
  const int p = page.nextFreeWord();
  const int w = p + 5;
  std::vector<uint8_t> out;
  out.reserve(4 + static_cast<size_t>(w) * 4 + kPageNameLength);
  if (w <= kShortCountLimit) {
    putInt16(out, static_cast<int16_t>(w));
  } else {
    putInt32(out, w);
  }
  for (int i = 1; i < p; ++i) putFloat(out, page.word(i));
  putFloat(out, 0.0f);  // filler word
  putFloat(out, 0.0f);  // reserved word
  putFloat(out, kFormatVersion);
  putFloat(out, unitSetting);
  putFloat(out, kTrailerLength);
  putFloat(out, kEndMarker);
  if (backupName) {
    std::string name = backupName->substr(0, kPageNameLength);
    name.resize(kPageNameLength, ' ');
    out.insert(out.end(), name.begin(), name.end());
  }
  return out;
}

PageFileContents decodePageFile(std::span<const uint8_t> bytes, bool withPageName) {
  PageFileContents result;
  size_t wordsEnd = 0;
  if (bytes.size() >= 2 && readWords(bytes, 2, getInt16(bytes, 0), result.words)) {
    result.countBytes = 2;
    wordsEnd = 2 + result.words.size() * 4;
  } else {
    if (bytes.size() < 4) return result;  // NotCanto: not even a count
    const int32_t w = getInt32(bytes, 0);
    if (w < kLongCountMin || w > kLongCountMax) {
      result.status = PageReadStatus::ErrorOpening;
      return result;
    }
    if (!readWords(bytes, 4, w, result.words)) return result;
    result.countBytes = 4;
    wordsEnd = 4 + result.words.size() * 4;
  }
  result.status = PageReadStatus::Ok;
  if (withPageName && bytes.size() >= wordsEnd + kPageNameLength) {
    result.pageName = trimRight(std::string(bytes.begin() + wordsEnd, bytes.begin() + wordsEnd + kPageNameLength));
    result.hasPageName = true;
  }
  return result;
}

Trailer parseTrailer(std::span<const float> words) {
  Trailer trailer;
  const int w = static_cast<int>(words.size());
  if (w < 2 || words[w - 1] != kEndMarker) return trailer;
  const float length = words[w - 2];
  if (!(length >= 2.0f) || length > static_cast<float>(w)) return trailer;
  const int n = static_cast<int>(length);
  trailer.valid = true;
  // Word P (the filler) sits right before the trailer, so the items fill
  // words 1..P-1 with P = W - n.
  trailer.itemWords = std::max(0, w - n - 1);
  if (n >= 4) {
    trailer.hasVersion = true;
    trailer.version = words[w - 4];
  }
  if (n >= 3) {
    trailer.hasUnit = true;
    trailer.unit = words[w - 3];
  }
  return trailer;
}

namespace {

// The words after the count word at `position`, or nothing when the page
// ends there: a count word below 2, a record running past the items, or
// more items than a page holds.
std::optional<int> soundRecordLength(std::span<const float> itemWords, size_t position, int items) {
  const float countWord = itemWords[position];
  const int n = countWord >= 2.0f && countWord < 1.0e6f ? static_cast<int>(countWord) : 0;
  if (n < 2 || position + static_cast<size_t>(n) >= itemWords.size() || items >= kMaxItems) return std::nullopt;
  return n;
}

enum class CodeWord { Kept, DroppedSilently, Damaged };

// Dummy items and codes this version does not draw go without a word; a
// code word that is no number at all is damage, not a code of another
// version, and the user is told.
CodeWord classifyCodeWord(float codeWord) {
  if (!std::isfinite(codeWord)) return CodeWord::Damaged;
  const int code = truncToInt(codeWord);
  if (code >= 19 || code == kCodeDummy || code < 1) return CodeWord::DroppedSilently;
  return CodeWord::Kept;
}

}  // namespace

NormalisedItems normaliseItems(std::span<const float> itemWords) {
  NormalisedItems result;
  result.words.reserve(itemWords.size() + 16);
  size_t position = 0;
  int items = 0;
  while (position < itemWords.size()) {
    const std::optional<int> length = soundRecordLength(itemWords, position, items);
    if (!length) {
      result.inputDataError = true;
      break;
    }
    const int n = *length;
    std::vector<float> params(itemWords.begin() + position + 1, itemWords.begin() + position + 1 + n);
    position += static_cast<size_t>(n) + 1;
    const CodeWord kind = classifyCodeWord(params[0]);
    if (kind == CodeWord::Damaged) result.inputDataError = true;
    if (kind != CodeWord::Kept) continue;
    const int code = truncToInt(params[0]);
    if (n > kMaxStoredParams && code != kCodeText) {
      int last = kMaxStoredParams;
      while (last > kMinStoredParams && params[last - 1] == 0.0f) --last;
      params.resize(last);
    }
    if (params.size() < static_cast<size_t>(kMinStoredParams)) params.resize(kMinStoredParams, 0.0f);
    // The page must still fit the store with the trailer a save adds.
    if (result.words.size() + params.size() + 1 + kTrailerWords > static_cast<size_t>(kStoreWords)) {
      result.inputDataError = true;
      break;
    }
    result.words.push_back(static_cast<float>(params.size()));
    result.words.insert(result.words.end(), params.begin(), params.end());
    ++items;
  }
  return result;
}

NormalisedItems checkItemStructure(std::span<const float> itemWords) {
  NormalisedItems result;
  size_t position = 0;
  int items = 0;
  while (position < itemWords.size()) {
    const std::optional<int> length = soundRecordLength(itemWords, position, items);
    if (!length) {
      result.inputDataError = true;
      break;
    }
    position += static_cast<size_t>(*length) + 1;
    ++items;
  }
  result.words.assign(itemWords.begin(), itemWords.begin() + static_cast<std::ptrdiff_t>(position));
  return result;
}

PageReadResult readPageFile(std::span<const uint8_t> bytes, bool withPageName, PageStore& page, ItemCheck check) {
  PageReadResult result;
  const PageFileContents contents = decodePageFile(bytes, withPageName);
  result.status = contents.status;
  if (contents.status != PageReadStatus::Ok) return result;
  const Trailer trailer = parseTrailer(contents.words);
  if (!trailer.valid) {
    result.status = PageReadStatus::NotCanto;
    return result;
  }
  const std::span<const float> itemWords(contents.words.data(), static_cast<size_t>(trailer.itemWords));
  const NormalisedItems items =
      check == ItemCheck::Normalise ? normaliseItems(itemWords) : checkItemStructure(itemWords);
  page.clear();
  for (size_t i = 0; i < items.words.size(); ++i) page.setWord(static_cast<int>(i) + 1, items.words[i]);
  page.setNextFreeWord(static_cast<int>(items.words.size()) + 1);
  result.inputDataError = items.inputDataError;
  result.hasVersion = trailer.hasVersion;
  result.version = trailer.version;
  result.hasUnit = trailer.hasUnit;
  result.unit = trailer.unit;
  result.pageName = contents.pageName;
  result.hasPageName = contents.hasPageName;
  return result;
}

bool isBackupFileName(std::string_view name) {
  // "...!SAVE.TMP": "!SAVE" followed by a four-character extension.
  if (name.size() < 9) return false;
  std::string tail(name.substr(name.size() - 9, 5));
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail == "!SAVE";
}

void convertOldTextPositions(PageStore& page) {
  bool seen = false;
  float previousP3 = 0.0f;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeText || page.param(k, 12) == 0.0f) continue;
    // Replaced in page order, so a run of such texts all take the P3 of
    // the first one.
    if (seen) page.setParam(k, 3, previousP3);
    previousP3 = page.param(k, 3);
    seen = true;
  }
}

}  // namespace ts
