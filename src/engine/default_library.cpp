#include "engine/default_library.h"

#include <system_error>
#include <vector>

#include "model/host_files.h"
#include "model/preference_search.h"
#include "model/preferences.h"

namespace ts {
namespace {

constexpr uintmax_t kLargestLibraryFile = 8u << 20;
constexpr size_t kMostLibraryFiles = 500;
constexpr std::string_view kFontProgramExtension = ".t1";

bool copyFolder(const HostFiles& files, const std::filesystem::path& from, const std::string& to) {
  if (!files.makeFolders(to)) return false;
  std::error_code error;
  std::vector<std::filesystem::path> sources;
  for (const auto& entry : std::filesystem::directory_iterator(from, error)) {
    if (sources.size() >= kMostLibraryFiles) break;
    if (entry.is_regular_file(error) && entry.path().extension() != kFontProgramExtension) sources.push_back(entry.path());
  }
  if (error || sources.empty()) return false;
  for (const std::filesystem::path& source : sources) {
    const std::optional<std::vector<uint8_t>> bytes = readFileBytes(source, kLargestLibraryFile);
    if (!bytes || files.writeWhole(to + source.filename().string(), *bytes) != WriteResult::Written) return false;
  }
  return true;
}

}  // namespace

Preferences defaultPreferencesFor(const std::string& installDirectory) {
  Preferences preferences;
  preferences.symbolLibrary = installDirectory + "\\CANTLIB\\";
  preferences.fontLibrary = installDirectory + "\\FONTLIB\\";
  return preferences;
}

bool installDefaultLibrary(const HostFiles& files, const std::filesystem::path& bundledLibrary) {
  std::error_code error;
  if (bundledLibrary.empty() || !std::filesystem::is_directory(bundledLibrary, error)) return false;
  const std::string install = kDefaultInstallDirectory;
  if (!copyFolder(files, bundledLibrary, install + "\\cantlib\\")) return false;
  if (!copyFolder(files, bundledLibrary.parent_path() / "fontlib", install + "\\fontlib\\")) return false;
  const std::string text = writePreferences(defaultPreferencesFor(install));
  const std::span bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  return files.writeWhole(install + "\\cantlib\\" + kPreferenceFileName, bytes) == WriteResult::Written;
}

}  // namespace ts
