#include "draw/symbol_library.h"

#include <system_error>

#include "model/host_files.h"

namespace ts {

SymbolLibrary::SymbolLibrary(const HostFiles& files, std::filesystem::path bundled)
    : m_files(files), m_bundled(std::move(bundled)) {}

void SymbolLibrary::load() {
  if (m_loaded) return;
  m_loaded = true;
  if (const auto hostFile = m_files.findExisting(m_folder + kSymbolFileName)) {
    if (readSymbolFile(*hostFile, m_outlines) == SymbolFileStatus::Ok) {
      m_outlinesOk = true;
      return;
    }
  }
  if (!m_bundled.empty()) {
    m_outlinesOk = readSymbolFile(m_bundled / kSymbolFileName, m_outlines) == SymbolFileStatus::Ok;
  }
}

void SymbolLibrary::setFolder(std::string folder) {
  if (folder.empty()) folder = kLibraryFolder;
  if (folder.back() != '\\' && folder.back() != '/') folder += '\\';
  if (folder == m_folder) return;
  m_folder = std::move(folder);
  m_loaded = false;
  m_outlinesOk = false;
  m_drawings.clear();
}

bool SymbolLibrary::outlinesLoaded() {
  load();
  return m_outlinesOk;
}

std::span<const DrawingPoint> SymbolLibrary::symbol(int n) {
  load();
  return m_outlines.symbol(n);
}

std::optional<std::filesystem::path> SymbolLibrary::drawingSource(int n) const {
  const std::string name = drawingFileName(n);
  if (name.empty()) return std::nullopt;
  if (auto hostFile = m_files.findExisting(m_folder + name)) return hostFile;
  std::error_code error;
  if (!m_bundled.empty() && std::filesystem::is_regular_file(m_bundled / name, error)) return m_bundled / name;
  return std::nullopt;
}

LibraryDrawing SymbolLibrary::readDrawing(int n) const {
  LibraryDrawing found;
  if (drawingFileName(n).empty()) return found;
  const std::optional<std::filesystem::path> source = drawingSource(n);
  found.status = DrawingLookup::NoFile;
  if (!source) return found;
  DrawingFile file;
  found.status = DrawingLookup::DamagedFile;
  if (readDrawingFile(*source, file) != DrawingFileStatus::Ok) return found;
  found.name = file.slotName(drawingSlot(n));
  found.status = DrawingLookup::EmptySlot;
  if (file.slotEmpty(drawingSlot(n))) return found;
  found.status = DrawingLookup::Found;
  found.points = file.slotPoints(drawingSlot(n));
  return found;
}

const LibraryDrawing& SymbolLibrary::find(int n) {
  // Only real drawing numbers are kept, so hostile numbers cannot fill the store.
  static const LibraryDrawing kNoSuchNumber;
  if (drawingFileName(n).empty()) return kNoSuchNumber;
  auto found = m_drawings.find(n);
  if (found == m_drawings.end()) found = m_drawings.emplace(n, readDrawing(n)).first;
  return found->second;
}

LibraryWriteStatus SymbolLibrary::replaceDrawing(int n, std::span<const DrawingPoint> points, std::string_view name) {
  const std::string fileName = drawingFileName(n);
  if (fileName.empty()) return LibraryWriteStatus::BadNumber;
  const std::string target = m_folder + fileName;
  // The library folder may not exist yet on a new installation.
  std::error_code error;
  const std::filesystem::path folder = m_files.forWriting(target).parent_path();
  if (!folder.empty()) std::filesystem::create_directories(folder, error);
  const LibraryWriteStatus status = replaceDrawingInFile(m_files, drawingSource(n), target, n, points, name);
  m_drawings.clear();
  return status;
}

}  // namespace ts
