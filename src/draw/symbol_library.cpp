#include "draw/symbol_library.h"

#include "model/host_files.h"

namespace ts {

SymbolLibrary::SymbolLibrary(const HostFiles& files, std::filesystem::path bundled)
    : m_files(files), m_bundled(std::move(bundled)) {}

void SymbolLibrary::load() {
  if (m_loaded) return;
  m_loaded = true;
  if (const auto hostFile = m_files.findExisting(std::string(kLibraryFolder) + kSymbolFileName)) {
    if (readSymbolFile(*hostFile, m_outlines) == SymbolFileStatus::Ok) {
      m_useHostFolder = true;
      m_outlinesOk = true;
      return;
    }
  }
  if (!m_bundled.empty()) m_outlinesOk = readSymbolFile(m_bundled / kSymbolFileName, m_outlines) == SymbolFileStatus::Ok;
}

bool SymbolLibrary::outlinesLoaded() {
  load();
  return m_outlinesOk;
}

std::span<const DrawingPoint> SymbolLibrary::symbol(int n) {
  load();
  return m_outlines.symbol(n);
}

std::optional<std::vector<DrawingPoint>> SymbolLibrary::readDrawing(int n) const {
  if (m_useHostFolder) return loadLibraryDrawing(m_files, kLibraryFolder, n);
  const std::string name = drawingFileName(n);
  if (name.empty() || m_bundled.empty()) return std::nullopt;
  DrawingFile file;
  if (readDrawingFile(m_bundled / name, file) != DrawingFileStatus::Ok) return std::nullopt;
  if (file.slotEmpty(drawingSlot(n))) return std::nullopt;
  return file.slotPoints(drawingSlot(n));
}

std::span<const DrawingPoint> SymbolLibrary::drawing(int n) {
  load();
  auto found = m_drawings.find(n);
  if (found == m_drawings.end()) {
    found = m_drawings.emplace(n, readDrawing(n).value_or(std::vector<DrawingPoint>{})).first;
  }
  return found->second;
}

}  // namespace ts
