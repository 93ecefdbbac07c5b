#pragma once
// The advance widths of an AFM file (Adobe Font Metrics): each glyph's WX,
// found by its name and, when the font encodes it, by its code.

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace ts::fontmetrics {

struct AfmMetrics {
  bool fontSpecific = false;            // EncodingScheme FontSpecific: codes, not names, count
  std::map<std::string, int> byName;    // WX in 1/1000 of the font size
  std::map<int, int> byCode;
};

// Reads the "C code ; WX width ; N name ;" lines; nothing when the file
// cannot be read or holds a width that is not a sound number.
std::optional<AfmMetrics> readAfm(const std::filesystem::path& path);
// One metrics line into the tables; false when it is not one.
bool readMetricsLine(std::string_view line, AfmMetrics& metrics);

}  // namespace ts::fontmetrics
