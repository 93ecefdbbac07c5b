#include "draw/symbol_outlines.h"

#include <cstring>
#include <fstream>
#include <iterator>

#include "model/byte_order.h"

namespace ts {
namespace {

constexpr size_t kMagicBytes = sizeof kSymbolFileMagic;
constexpr size_t kCountsBytes = 2 * 4;
constexpr size_t kRunBytes = 2 * 4;
constexpr size_t kChecksumBytes = 4;

uint32_t fnv1a(std::span<const uint8_t> bytes) {
  uint32_t hash = 2166136261u;
  for (uint8_t b : bytes) hash = (hash ^ b) * 16777619u;
  return hash;
}

size_t expectedSize(size_t symbols, size_t points) {
  return kMagicBytes + kCountsBytes + symbols * kRunBytes + points * kDrawingPointBytes +
         kChecksumBytes;
}

bool runIsSound(const SymbolRun& run, int pointCount) {
  return run.first >= 1 && run.last >= run.first - 1 && run.last <= pointCount;
}

}  // namespace

std::span<const DrawingPoint> SymbolOutlines::symbol(int n) const {
  if (n < 0 || n >= kSymbolCount) return {};
  const SymbolRun& run = runs[n];
  if (run.last < run.first) return {};
  return std::span<const DrawingPoint>(points).subspan(run.first - 1, run.last - run.first + 1);
}

void SymbolOutlines::setSymbol(int n, std::span<const DrawingPoint> run) {
  if (n < 0 || n >= kSymbolCount) return;
  const int first = static_cast<int>(points.size()) + 1;
  points.insert(points.end(), run.begin(), run.end());
  runs[n] = SymbolRun{first, static_cast<int>(points.size())};
}

SymbolFileStatus decodeSymbolOutlines(std::span<const uint8_t> bytes, SymbolOutlines& out) {
  if (bytes.size() < kMagicBytes + kCountsBytes) return SymbolFileStatus::Truncated;
  if (std::memcmp(bytes.data(), kSymbolFileMagic, kMagicBytes) != 0) {
    return SymbolFileStatus::BadMagic;
  }
  const int32_t symbols = readWord<int32_t>(bytes, kMagicBytes);
  const int32_t pointCount = readWord<int32_t>(bytes, kMagicBytes + 4);
  if (symbols != kSymbolCount || pointCount < 0 || pointCount > kSymbolMaxPoints) {
    return SymbolFileStatus::BadCounts;
  }
  const size_t size = expectedSize(static_cast<size_t>(symbols), static_cast<size_t>(pointCount));
  if (bytes.size() < size) return SymbolFileStatus::Truncated;
  const size_t checked = size - kChecksumBytes;
  if (readWord<uint32_t>(bytes, checked) != fnv1a(bytes.first(checked))) {
    return SymbolFileStatus::BadChecksum;
  }
  SymbolOutlines table;
  size_t offset = kMagicBytes + kCountsBytes;
  for (SymbolRun& run : table.runs) {
    run.first = readWord<int32_t>(bytes, offset);
    run.last = readWord<int32_t>(bytes, offset + 4);
    if (!runIsSound(run, pointCount)) return SymbolFileStatus::BadRun;
    offset += kRunBytes;
  }
  const size_t n = static_cast<size_t>(pointCount);
  table.points.resize(n);
  for (size_t i = 0; i < n; ++i) {
    table.points[i].x = readWord<float>(bytes, offset + i * 4);
    table.points[i].y = readWord<float>(bytes, offset + (n + i) * 4);
    table.points[i].pen = readWord<int16_t>(bytes, offset + n * 8 + i * 2);
    if (!coordinateIsSound(table.points[i].x) || !coordinateIsSound(table.points[i].y)) {
      return SymbolFileStatus::BadPoint;
    }
  }
  out = std::move(table);
  return SymbolFileStatus::Ok;
}

std::vector<uint8_t> encodeSymbolOutlines(const SymbolOutlines& outlines) {
  std::vector<uint8_t> out(kSymbolFileMagic, kSymbolFileMagic + kMagicBytes);
  appendWord<int32_t>(out, kSymbolCount);
  appendWord<int32_t>(out, static_cast<int32_t>(outlines.points.size()));
  for (const SymbolRun& run : outlines.runs) {
    appendWord<int32_t>(out, run.first);
    appendWord<int32_t>(out, run.last);
  }
  for (const auto& p : outlines.points) appendWord(out, p.x);
  for (const auto& p : outlines.points) appendWord(out, p.y);
  for (const auto& p : outlines.points) appendWord(out, p.pen);
  appendWord<uint32_t>(out, fnv1a(out));
  return out;
}

SymbolFileStatus readSymbolFile(const std::filesystem::path& path, SymbolOutlines& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return SymbolFileStatus::Missing;
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in),
                                   std::istreambuf_iterator<char>()};
  return decodeSymbolOutlines(bytes, out);
}

bool writeSymbolFile(const std::filesystem::path& path, const SymbolOutlines& outlines) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const std::vector<uint8_t> bytes = encodeSymbolOutlines(outlines);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace ts
