#pragma once
// What the fuzz targets share: the symbol library the build made beside
// them, and the host's reading of the two lists a drawing leaves, so that
// every drawn word is read back as a screen would read it.

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>

#include "draw/display_figures.h"
#include "draw/text_list.h"

namespace fuzz {

// build-fuzz/bin/<target> finds build-fuzz/cantlib; empty when it was not built.
inline std::filesystem::path bundledLibrary() {
  std::error_code error;
  const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return program.parent_path().parent_path() / "cantlib";
}


// Reads the lists back the way the desktop program paints them; aborts when
// a count lies outside its list.
inline void readBackLists(std::span<const int32_t> words, int32_t used, std::span<const char> text, int32_t textUsed) {
  if (used < 0 || used > static_cast<int32_t>(words.size()) || used % 3 != 0) std::abort();
  if (textUsed < 0 || textUsed > static_cast<int32_t>(text.size())) std::abort();
  std::vector<int32_t> drawn(words.begin(), words.begin() + used);
  ts::markOnePointFigures(drawn);
  for (const int zoom : {1, ts::kDefaultZoom, 4096}) (void)ts::buildFigures(drawn, zoom);
  (void)ts::readTextList(text.first(static_cast<size_t>(textUsed)));
}

}  // namespace fuzz
