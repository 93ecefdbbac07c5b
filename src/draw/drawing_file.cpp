#include "draw/drawing_file.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "model/byte_order.h"

namespace ts {
namespace {

// The index must start at point 1, never run backwards and stay inside
// the int16 range; anything else means the file is not a drawing file.
bool indexIsSound(const std::array<int16_t, kDrawingIndexEntries>& index) {
  if (index[0] != 1) return false;
  for (int i = 1; i < kDrawingIndexEntries; ++i) {
    if (index[i] < index[i - 1]) return false;
  }
  return index[kDrawingSlots] - 1 <= kDrawingFileMaxPoints;
}

bool slotInRange(int slot) { return slot >= 0 && slot < kDrawingSlots; }

constexpr int16_t kDrawPen = 0;     // the lowest pen a drawing holds
constexpr int16_t kContourPen = 3;  // the highest

}  // namespace

DrawingFile::DrawingFile() {
  m_index.fill(1);
  for (auto& name : m_names) name.fill(' ');
}

DrawingFileStatus DrawingFile::decode(std::span<const uint8_t> bytes, DrawingFile& out) {
  if (bytes.size() < static_cast<size_t>(kDrawingHeaderBytes)) return DrawingFileStatus::Truncated;
  DrawingFile file;
  for (int i = 0; i < kDrawingIndexEntries; ++i) {
    file.m_index[i] = readWord<int16_t>(bytes, static_cast<size_t>(i) * 2);
  }
  if (!indexIsSound(file.m_index)) return DrawingFileStatus::BadIndex;
  size_t offset = kDrawingIndexEntries * 2;
  for (auto& name : file.m_names) {
    std::memcpy(name.data(), bytes.data() + offset, kDrawingNameLength);
    offset += kDrawingNameLength;
  }
  const size_t count = static_cast<size_t>(file.pointCount());
  if (bytes.size() < offset + count * kDrawingPointBytes) return DrawingFileStatus::Truncated;
  file.m_points.resize(count);
  for (size_t i = 0; i < count; ++i) {
    file.m_points[i].x = readWord<float>(bytes, offset + i * 4);
    file.m_points[i].y = readWord<float>(bytes, offset + (count + i) * 4);
    file.m_points[i].pen = readWord<int16_t>(bytes, offset + count * 8 + i * 2);
    const DrawingPoint& p = file.m_points[i];
    if (!coordinateIsSound(p.x) || !coordinateIsSound(p.y) || !penIsSound(p.pen)) return DrawingFileStatus::BadPoint;
  }
  out = std::move(file);
  return DrawingFileStatus::Ok;
}

std::vector<uint8_t> DrawingFile::encode() const {
  std::vector<uint8_t> out;
  out.reserve(kDrawingHeaderBytes + m_points.size() * kDrawingPointBytes);
  for (int16_t entry : m_index) appendWord(out, entry);
  for (const auto& name : m_names) out.insert(out.end(), name.begin(), name.end());
  for (const auto& p : m_points) appendWord(out, p.x);
  for (const auto& p : m_points) appendWord(out, p.y);
  for (const auto& p : m_points) appendWord(out, p.pen);
  return out;
}

bool DrawingFile::slotEmpty(int slot) const {
  return !slotInRange(slot) || m_index[slot] == m_index[slot + 1];
}

std::vector<DrawingPoint> DrawingFile::slotPoints(int slot) const {
  if (slotEmpty(slot)) return {};
  const auto first = m_points.begin() + (m_index[slot] - 1);
  const auto last = m_points.begin() + (m_index[slot + 1] - 1);
  return {first, last};
}

std::string DrawingFile::slotName(int slot) const {
  if (!slotInRange(slot)) return {};
  std::string name(m_names[slot].begin(), m_names[slot].end());
  name.erase(name.find_last_not_of(' ') + 1);
  return name;
}

DrawingFileStatus DrawingFile::replaceSlot(int slot, std::span<const DrawingPoint> points,
                                           std::string_view name) {
  if (!slotInRange(slot)) return DrawingFileStatus::BadNumber;
  for (const DrawingPoint& p : points) {
    if (!coordinateIsSound(p.x) || !coordinateIsSound(p.y) || !penIsSound(p.pen)) return DrawingFileStatus::BadPoint;
  }
  const int oldCount = m_index[slot + 1] - m_index[slot];
  const int change = static_cast<int>(points.size()) - oldCount;
  if (pointCount() + change > kDrawingFileMaxPoints) return DrawingFileStatus::TooManyPoints;
  const auto first = m_points.begin() + (m_index[slot] - 1);
  const auto tail = m_points.erase(first, first + oldCount);
  m_points.insert(tail, points.begin(), points.end());
  for (int i = slot + 1; i < kDrawingIndexEntries; ++i) {
    m_index[i] = static_cast<int16_t>(m_index[i] + change);
  }
  m_names[slot].fill(' ');
  std::copy_n(name.begin(), std::min<size_t>(name.size(), kDrawingNameLength),
              m_names[slot].begin());
  return DrawingFileStatus::Ok;
}

bool coordinateIsSound(float value) {
  return std::isfinite(value) && std::abs(value) <= kDrawingMaxCoordinate;
}

bool penIsSound(int16_t pen) { return pen >= kDrawPen && pen <= kContourPen; }

std::string drawingFileName(int drawingNumber) {
  if (drawingNumber < 0 || drawingNumber > kDrawingMaxNumber) return {};
  char name[16];
  std::snprintf(name, sizeof name, "LB%04d.DRW", drawingNumber - drawingNumber % kDrawingSlots);
  return name;
}

int drawingSlot(int drawingNumber) { return drawingNumber % kDrawingSlots; }

DrawingFileStatus readDrawingFile(const std::filesystem::path& path, DrawingFile& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return DrawingFileStatus::Missing;
  std::vector<uint8_t> bytes(kDrawingFileMaxBytes + 1);
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<size_t>(in.gcount()));
  if (bytes.size() > kDrawingFileMaxBytes) return DrawingFileStatus::TooLarge;
  return DrawingFile::decode(bytes, out);
}

bool writeDrawingFile(const std::filesystem::path& path, const DrawingFile& file) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const std::vector<uint8_t> bytes = file.encode();
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

}  // namespace ts
