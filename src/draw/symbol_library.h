#pragma once
// Where the shapes come from: the symbol outline file for symbols 0..44 and
// the library drawing files for every drawing number. The library folder
// "C:\tonesmith\cantlib\" is used when it holds the outline file, else the
// library that came with the program. Drawings are read once and kept.

#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "draw/drawing_file.h"
#include "draw/symbol_outlines.h"

namespace ts {

class HostFiles;

inline constexpr const char* kLibraryFolder = "C:\\tonesmith\\cantlib\\";

class SymbolLibrary {
 public:
  SymbolLibrary(const HostFiles& files, std::filesystem::path bundled);

  // False when neither place holds a readable outline file.
  bool outlinesLoaded();
  std::span<const DrawingPoint> symbol(int n);
  // The points of drawing n; empty when its file or slot is missing.
  std::span<const DrawingPoint> drawing(int n);

 private:
  void load();
  std::optional<std::vector<DrawingPoint>> readDrawing(int n) const;

  const HostFiles& m_files;
  std::filesystem::path m_bundled;
  bool m_loaded = false;
  bool m_useHostFolder = false;
  bool m_outlinesOk = false;
  SymbolOutlines m_outlines;
  std::map<int, std::vector<DrawingPoint>> m_drawings;
};

}  // namespace ts
