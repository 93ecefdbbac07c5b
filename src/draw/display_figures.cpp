#include "draw/display_figures.h"

#include "draw/display_device.h"

namespace ts {
namespace {

constexpr uint32_t kColourMask = 0xFFFFFFu;
constexpr uint8_t kContourOpcode = 3;

uint32_t attribute(int32_t word) { return static_cast<uint32_t>(word); }

bool isLineWidthPen(int pen) { return pen == kPenLineWidth || pen == kPenRestoreWidth; }

}  // namespace

uint8_t wordOpcode(int32_t word) { return static_cast<uint8_t>(attribute(word) >> 24); }

uint32_t wordColour(int32_t word) { return attribute(word) & kColourMask; }

int wordPen(int32_t word) { return static_cast<int8_t>(wordOpcode(word)); }

int32_t scaleToView(int32_t value, int zoom) {
  const int64_t v = static_cast<int64_t>(value) * zoom;
  return static_cast<int32_t>((v >> 8) + ((v >> 7) & 1));
}

void markOnePointFigures(std::span<int32_t> words) {
  const size_t triples = words.size() / 3;
  for (size_t i = 0; i + 1 < triples; ++i) {
    int32_t& word = words[i * 3 + 2];
    if (attribute(word) >= 0x01000000u && attribute(words[i * 3 + 5]) > kColourMask) {
      word = static_cast<int32_t>((attribute(word) & kColourMask) | (uint32_t{kSkippedOpcode} << 24));
    }
  }
}

std::vector<Figure> buildFigures(std::span<const int32_t> words, int zoom) {
  std::vector<Figure> figures;
  const size_t triples = words.size() / 3;
  for (size_t i = 0; i < triples; ++i) {
    const int32_t word = words[i * 3 + 2];
    const uint8_t opcode = wordOpcode(word);
    // A line-width point is no point; one left last in the list (nothing
    // followed it to take its place) would otherwise become a figure.
    if (opcode == kSkippedOpcode || isLineWidthPen(static_cast<int8_t>(opcode))) continue;
    const ViewPoint point{scaleToView(words[i * 3], zoom), scaleToView(words[i * 3 + 1], zoom)};
    if (opcode == 0) {
      if (!figures.empty()) figures.back().contours.back().push_back(point);
      continue;
    }
    if (opcode == kContourOpcode && !figures.empty()) {
      figures.back().contours.push_back({point});
      continue;
    }
    figures.push_back(Figure{opcode, wordColour(word), {{point}}});
  }
  return figures;
}

}  // namespace ts
