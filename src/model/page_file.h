#pragma once
// The page file: a count of float words, the page store word for word, a
// short trailer, and (backup copies only) the name of the page they stand
// for. Little-endian throughout.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/host_files.h"
#include "model/page_store.h"

namespace ts {

constexpr int kShortCountLimit = 14200;  // larger counts are written as 32-bit
constexpr int kLongCountMin = 3;         // a 32-bit count outside 3..64000 is refused
constexpr int kLongCountMax = kStoreWords;
constexpr float kEndMarker = -9999.0f;
constexpr float kFormatVersion = 6.0f;
constexpr float kTrailerLength = 5.0f;
constexpr int kPageNameLength = 128;      // blank-padded page name after a backup's words
constexpr int kMaxFileNameLength = 128;
constexpr float kUnitInches = 0.0f;
constexpr float kUnitMetric = 1.0f;

namespace page_file_messages {
inline constexpr const char* kNotFound = "File not found -->";
inline constexpr const char* kErrorOpening = "Error opening file->";
inline constexpr const char* kNotCanto = "*** This is NOT a CANTO file. ***";
inline constexpr const char* kInputDataError = "*** Input data error.    ***";
inline constexpr const char* kErrorWriting = "***Error writing file:";
inline constexpr const char* kReadOnly = "is read-only.";
inline constexpr const char* kGettingBackup = "Getting Backup of";
}  // namespace page_file_messages

// What the user is told when a file could not be written: the writing
// error and the name, and why when the file is protected.
std::string writeErrorMessage(std::string_view name, WriteResult result);

// The bytes of a page file for the page as it stands.
std::vector<uint8_t> encodePageFile(const PageStore& page, float unitSetting,
                                    const std::string* backupName = nullptr);

enum class PageReadStatus { Ok, ErrorOpening, NotCanto };

struct PageFileContents {
  PageReadStatus status = PageReadStatus::NotCanto;
  std::vector<float> words;  // words 1..W of the file ([0] is word 1)
  int countBytes = 0;        // 2 or 4: the count form the file was read in
  std::string pageName;      // the name after the words, when present (trimmed)
  bool hasPageName = false;
};

// Finds the count form whose last word is the end marker (16-bit first,
// then 32-bit). `withPageName` asks for the 128-character name after the
// words, as backup copies carry it.
PageFileContents decodePageFile(std::span<const uint8_t> bytes, bool withPageName);

struct Trailer {
  bool valid = false;
  int itemWords = 0;  // P - 1: the words that hold items
  bool hasVersion = false;
  float version = 0.0f;
  bool hasUnit = false;
  float unit = 0.0f;
};

Trailer parseTrailer(std::span<const float> words);

struct NormalisedItems {
  std::vector<float> words;  // item records back to back
  bool inputDataError = false;
};

// Cleans the item records of a file: a count word below 2 cuts the page
// there, long non-text records lose trailing zero parameters beyond P45,
// two-parameter records get P3 = 0, and codes 13, below 1 and above 18 go.
// A code word that is not a finite number goes too, as an input data error.
NormalisedItems normaliseItems(std::span<const float> itemWords);
// Only the structure: the page still ends at a count word below 2 or a
// record that runs past the items, but every sound record is kept as it
// is. Work copies of the page (undo, redo) are read this way, so that they
// give back exactly the page they were made from.
NormalisedItems checkItemStructure(std::span<const float> itemWords);

struct PageReadResult {
  PageReadStatus status = PageReadStatus::NotCanto;
  bool inputDataError = false;
  bool hasVersion = false;
  float version = 0.0f;
  bool hasUnit = false;
  float unit = 0.0f;
  std::string pageName;  // a backup's page name
  bool hasPageName = false;
};

// Reads page-file bytes into `page`. The page is only replaced when the
// file is a page file; on failure it is left as it was.
enum class ItemCheck { Normalise, StructureOnly };
PageReadResult readPageFile(std::span<const uint8_t> bytes, bool withPageName, PageStore& page,
                            ItemCheck check = ItemCheck::Normalise);

// True for the names of backup copies: "...!SAVE" and a four-character
// extension, in any case.
bool isBackupFileName(std::string_view name);

// For pages older than version 3: each text item with a non-zero P12 takes
// the P3 of the previous such text item.
void convertOldTextPositions(PageStore& page);

}  // namespace ts
