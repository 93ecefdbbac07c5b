#pragma once
// The advance widths of an AFM file (Adobe Font Metrics): each glyph's WX,
// found by its name and, when the font encodes it, by its code.

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace ts::fontmetrics {

// The header values a PDF's font descriptor repeats.
struct AfmHeader {
  std::string fontName;
  std::string familyName;
  std::string weight;
  double italicAngle = 0.0;
  bool fixedPitch = false;
  std::array<int, 4> boundingBox{};
  int capHeight = 0;
  int ascender = 0;   // 0: the file leaves it out
  int descender = 0;
};

struct AfmMetrics {
  bool fontSpecific = false;            // EncodingScheme FontSpecific: codes, not names, count
  AfmHeader header;
  std::map<std::string, int> byName;    // WX in 1/1000 of the font size
  std::map<int, int> byCode;
};

// Reads the "C code ; WX width ; N name ;" lines; nothing when the file
// cannot be read or holds a width that is not a sound number.
std::optional<AfmMetrics> readAfm(const std::filesystem::path& path);
// One metrics line into the tables; false when it is not one.
bool readMetricsLine(std::string_view line, AfmMetrics& metrics);
// One header line ("FontBBox -168 -281 1000 1053") into the header; other lines change nothing.
void readHeaderLine(std::string_view line, AfmHeader& header);

}  // namespace ts::fontmetrics
