#pragma once
// MusicXML in and out, as hosts call it: a score file's bytes made into
// pages, and pages made into a score file's text. Nothing here touches the
// disk: the host reads the file and writes the results (every page only
// once the whole import has succeeded).

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/page_store.h"

namespace ts {
struct Preferences;
}

namespace ts::interchange {

struct ImportResult {
  bool ok = false;
  std::string error;                  // why nothing was made (a host prefixes the file name)
  std::vector<std::string> unmapped;  // "cannot map ... (first in measure N)", each kind once
  std::vector<std::string> notices;   // what the page layout said
  std::vector<PageStore> pages;
};

// `bytes` is a .musicxml text or a compressed .mxl (told apart by content).
ImportResult importScore(std::span<const uint8_t> bytes, const Preferences& preferences);

// The names of the page files an import writes from a path stem:
// "OUT" (or "OUT.MUS") gives "OUT1.MUS", "OUT2.MUS", ...
std::vector<std::string> importPageNames(const std::string& stem, size_t count);

struct ExportResult {
  bool ok = false;
  std::string error;
  std::string text;                  // the MusicXML document
  std::vector<std::string> notices;  // what the pages held that a score cannot say
};

// The pages, in order, as one MusicXML 4.0 partwise score.
ExportResult exportScore(std::span<const PageStore* const> pages);

}  // namespace ts::interchange
