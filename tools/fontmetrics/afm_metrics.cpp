#include "afm_metrics.h"

#include <fstream>
#include <sstream>

namespace ts::fontmetrics {
namespace {

constexpr int kWidestAfmAdvance = 10000;  // ten font sizes

struct MetricsLine {
  int code = -1;
  int width = -1;
  std::string name;
};

// One "KEY value" field of a metrics line.
void readField(std::string_view field, MetricsLine& out) {
  std::istringstream in{std::string(field)};
  std::string key;
  in >> key;
  if (key == "C") in >> out.code;
  if (key == "WX") in >> out.width;
  if (key == "N") in >> out.name;
}

}  // namespace

bool readMetricsLine(std::string_view line, AfmMetrics& metrics) {
  if (line.substr(0, 2) != "C ") return false;
  MetricsLine parsed;
  for (size_t start = 0; start < line.size();) {
    const size_t end = std::min(line.find(';', start), line.size());
    readField(line.substr(start, end - start), parsed);
    start = end + 1;
  }
  if (parsed.width < 0 || parsed.width > kWidestAfmAdvance || parsed.name.empty()) return false;
  metrics.byName[parsed.name] = parsed.width;
  if (parsed.code >= 0) metrics.byCode[parsed.code] = parsed.width;
  return true;
}

void readHeaderLine(std::string_view line, AfmHeader& header) {
  std::istringstream in{std::string(line)};
  std::string key;
  in >> key;
  if (key == "FontName") in >> header.fontName;
  if (key == "FamilyName") std::getline(in >> std::ws, header.familyName);
  if (key == "Weight") in >> header.weight;
  if (key == "ItalicAngle") in >> header.italicAngle;
  if (key == "IsFixedPitch") {
    std::string value;
    in >> value;
    header.fixedPitch = value == "true";
  }
  if (key == "FontBBox") in >> header.boundingBox[0] >> header.boundingBox[1] >> header.boundingBox[2] >> header.boundingBox[3];
  if (key == "CapHeight") in >> header.capHeight;
  if (key == "Ascender") in >> header.ascender;
  if (key == "Descender") in >> header.descender;
}

std::optional<AfmMetrics> readAfm(const std::filesystem::path& path) {
  std::ifstream in(path);
  if (!in) return std::nullopt;
  AfmMetrics metrics;
  std::string line;
  while (std::getline(in, line)) {
    if (line.rfind("EncodingScheme FontSpecific", 0) == 0) metrics.fontSpecific = true;
    if (line.rfind("C ", 0) == 0 && !readMetricsLine(line, metrics)) return std::nullopt;
    if (line.rfind("C ", 0) != 0) readHeaderLine(line, metrics.header);
  }
  if (metrics.byName.empty() || metrics.header.fontName.empty()) return std::nullopt;
  return metrics;
}

}  // namespace ts::fontmetrics
