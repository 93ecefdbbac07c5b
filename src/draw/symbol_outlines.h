#pragma once
// The symbol outline file "TSMITH.DAT": the point runs of symbols 0..44
// that the symbol routine draws on the screen, in symbol units (one staff
// step is 7 units; the routine multiplies by the staff step scale). The
// file is little-endian:
//
//   8 B          magic "TSMSYM01"
//   int32        number of symbols S (45)
//   int32        number of points N (at most kSymbolMaxPoints)
//   S x 2 int32  first and last point (from 1) of each symbol's run;
//                last = first - 1 marks a symbol without points
//   N x float32  X of every point
//   N x float32  Y of every point
//   N x int16    pen of every point (codes of the display device)
//   uint32       FNV-1a checksum of every byte before it
//
// A file that fails any of these checks is refused as a whole, so a
// damaged file never yields a half-read table.

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "draw/drawing_file.h"

namespace ts {

constexpr int kSymbolCount = 45;            // symbols 0..44; 45 up are library drawings
constexpr int kSymbolMaxPoints = 200000;    // far above the ~10000 the outlines need
constexpr char kSymbolFileMagic[8] = {'T', 'S', 'M', 'S', 'Y', 'M', '0', '1'};
inline constexpr const char* kSymbolFileName = "TSMITH.DAT";

enum class SymbolFileStatus { Ok, Missing, BadMagic, Truncated, BadCounts, BadRun, BadPoint, BadChecksum };

struct SymbolRun {
  int first = 1;  // from 1, as the routine addresses the shared table
  int last = 0;   // last < first: no points
};

struct SymbolOutlines {
  std::vector<DrawingPoint> points;
  std::array<SymbolRun, kSymbolCount> runs{};

  // The run of symbol n; empty for an unknown number or an empty run.
  std::span<const DrawingPoint> symbol(int n) const;
  // Appends a run for symbol n (runs are added in any order).
  void setSymbol(int n, std::span<const DrawingPoint> run);
};

SymbolFileStatus decodeSymbolOutlines(std::span<const uint8_t> bytes, SymbolOutlines& out);
std::vector<uint8_t> encodeSymbolOutlines(const SymbolOutlines& outlines);

SymbolFileStatus readSymbolFile(const std::filesystem::path& path, SymbolOutlines& out);
bool writeSymbolFile(const std::filesystem::path& path, const SymbolOutlines& outlines);

}  // namespace ts
