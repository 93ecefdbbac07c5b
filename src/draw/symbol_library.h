#pragma once
// Where the shapes come from: the symbol outline file for symbols 0..44 and
// the library drawing files for every drawing number. The library folder
// ("C:\tonesmith\cantlib\", or the one the preferences name) is used for the
// outlines when it holds the outline
// file, else the library that came with the program. A drawing file is read
// from the library folder when it is there and from the bundled library
// otherwise: the drawing editor saves into the library folder, starting
// from the file as it was read, so the user's drawings and the bundled
// ones of the same file stay together. Drawings are read once and kept
// until the editor changes one.

#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "draw/drawing_file.h"
#include "draw/drawing_file_writer.h"
#include "draw/symbol_outlines.h"

namespace ts {

class HostFiles;

inline constexpr const char* kLibraryFolder = "C:\\tonesmith\\cantlib\\";

// What looking a drawing up found.
enum class DrawingLookup { Found, BadNumber, NoFile, DamagedFile, EmptySlot };

struct LibraryDrawing {
  DrawingLookup status = DrawingLookup::BadNumber;
  std::vector<DrawingPoint> points;  // empty unless Found
  std::string name;                  // the slot's name
};

class SymbolLibrary {
 public:
  SymbolLibrary(const HostFiles& files, std::filesystem::path bundled);

  // The library folder, as the preferences name it ("C:\...\CANTLIB\");
  // empty for the fixed one.
  void setFolder(std::string folder);
  const std::string& folder() const { return m_folder; }

  // False when neither place holds a readable outline file.
  bool outlinesLoaded();
  std::span<const DrawingPoint> symbol(int n);
  // The points of drawing n; empty when its file or slot is missing.
  std::span<const DrawingPoint> drawing(int n) { return find(n).points; }
  const LibraryDrawing& find(int n);

  // Replaces drawing n (no points and a blank name delete it) in the
  // library folder, and forgets the drawings kept so far.
  LibraryWriteStatus replaceDrawing(int n, std::span<const DrawingPoint> points, std::string_view name);

 private:
  void load();
  // The file drawing n is read from: the library folder's, else the bundled one.
  std::optional<std::filesystem::path> drawingSource(int n) const;
  LibraryDrawing readDrawing(int n) const;

  const HostFiles& m_files;
  std::filesystem::path m_bundled;
  std::string m_folder = kLibraryFolder;
  bool m_loaded = false;
  bool m_outlinesOk = false;
  SymbolOutlines m_outlines;
  std::map<int, LibraryDrawing> m_drawings;
};

}  // namespace ts
