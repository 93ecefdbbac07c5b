#include "draw/font_metric_file.h"

#include <cstdio>
#include <fstream>

#include "model/byte_order.h"

namespace ts {
namespace {

constexpr size_t kSlotCountOffset = kMetricNameBytes;
constexpr size_t kWidthsOffset = kSlotCountOffset + 2;
constexpr size_t kChecksumOffset = kWidthsOffset + 2 * kMetricSlots;

// [code]: the slot of each code that has one, -1 for the others.
constexpr std::array<int16_t, 256> kSlotOfCode = [] {
  std::array<int16_t, 256> slots{};
  slots.fill(-1);
  for (int slot = 0; slot < kMetricSlots; ++slot) slots[kSlotCodes[slot]] = static_cast<int16_t>(slot);
  for (const auto& [code, measuredAs] : kSlotAliases) slots[code] = slots[measuredAs];
  return slots;
}();
constexpr int kBlankSlot = 0;

bool printable(uint8_t byte) { return byte >= 32 && byte <= 126; }

bool decodeName(std::span<const uint8_t> bytes, std::string& name) {
  for (size_t i = 0; i < kMetricNameBytes; ++i) {
    if (!printable(bytes[i])) return false;
  }
  name.assign(reinterpret_cast<const char*>(bytes.data()), kMetricNameBytes);
  name.erase(name.find_last_not_of(' ') + 1);
  return true;
}

}  // namespace

int metricSlot(unsigned char code) {
  const int slot = kSlotOfCode[code];
  return slot >= 0 ? slot : kBlankSlot;
}

std::string metricFileName(int fileNumber) {
  char name[16];
  std::snprintf(name, sizeof name, "fm%02d.fmt", ((fileNumber % kMetricFontFiles) + kMetricFontFiles) % kMetricFontFiles);
  return name;
}

MetricFileStatus decodeFontMetrics(std::span<const uint8_t> bytes, FontMetricFile& out) {
  if (bytes.size() != static_cast<size_t>(kMetricFileBytes)) return MetricFileStatus::WrongSize;
  FontMetricFile file;
  if (!decodeName(bytes, file.name)) return MetricFileStatus::BadName;
  if (readWord<int16_t>(bytes, kSlotCountOffset) != kMetricSlots) return MetricFileStatus::BadSlotCount;
  int64_t sum = 0;
  for (int slot = 0; slot < kMetricSlots; ++slot) {
    const int16_t width = readWord<int16_t>(bytes, kWidthsOffset + 2 * static_cast<size_t>(slot));
    if (width < 0 || width > kMetricWidestSlot) return MetricFileStatus::BadWidth;
    file.widths[static_cast<size_t>(slot)] = width;
    sum += width;
  }
  if (readWord<int32_t>(bytes, kChecksumOffset) != sum) return MetricFileStatus::BadChecksum;
  out = std::move(file);
  return MetricFileStatus::Ok;
}

std::vector<uint8_t> encodeFontMetrics(const FontMetricFile& file) {
  std::vector<uint8_t> bytes;
  bytes.reserve(kMetricFileBytes);
  std::string name = file.name.substr(0, kMetricNameBytes);
  name.resize(kMetricNameBytes, ' ');
  bytes.insert(bytes.end(), name.begin(), name.end());
  appendWord<int16_t>(bytes, kMetricSlots);
  int32_t sum = 0;
  for (const int16_t width : file.widths) {
    appendWord<int16_t>(bytes, width);
    sum += width;
  }
  appendWord<int32_t>(bytes, sum);
  return bytes;
}

MetricFileStatus readFontMetricFile(const std::filesystem::path& path, FontMetricFile& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return MetricFileStatus::Missing;
  std::vector<uint8_t> bytes(kMetricFileBytes + 1);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  return decodeFontMetrics(bytes, out);
}

}  // namespace ts
