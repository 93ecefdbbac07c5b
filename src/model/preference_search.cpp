#include "model/preference_search.h"

#include <array>

#include "model/host_files.h"

namespace ts {
namespace {

constexpr std::array<std::string_view, 3> kInstallFolders = {"\\tonesmith", "\\Program Files\\tonesmith",
                                                              "\\Program Files (x86)\\tonesmith"};
constexpr std::string_view kLibrarySubfolder = "\\cantlib\\";
constexpr char kFirstDrive = 'C', kLastDrive = 'Y';

bool hasKey(std::string_view line, std::string_view key) {
  if (line.size() < key.size()) return false;
  for (size_t i = 0; i < key.size(); ++i) {
    const char c = line[i] >= 'a' && line[i] <= 'z' ? static_cast<char>(line[i] - 'a' + 'A') : line[i];
    if (c != key[i]) return false;
  }
  return true;
}

}  // namespace

std::vector<std::string> preferenceSearchNames() {
  std::vector<std::string> names;
  for (const std::string_view folder : kInstallFolders) {
    for (char drive = kFirstDrive; drive <= kLastDrive; ++drive) {
      names.push_back(std::string(1, drive) + ":" + std::string(folder) + std::string(kLibrarySubfolder) +
                      kPreferenceFileName);
    }
  }
  return names;
}

std::optional<FoundPreferences> findPreferenceFile(const HostFiles& files) {
  const std::vector<std::string> names = preferenceSearchNames();
  for (size_t i = 0; i < names.size(); ++i) {
    if (!files.findExisting(names[i])) continue;
    const std::string& name = names[i];
    const size_t library = name.find(kLibrarySubfolder);
    return FoundPreferences{name, name.substr(0, library), i >= static_cast<size_t>(kLastDrive - kFirstDrive + 1)};
  }
  return std::nullopt;
}

std::string repairedLibraryPaths(std::string_view text, std::string_view installDirectory) {
  std::string out;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const bool lastLine = end == std::string_view::npos;
    if (lastLine) end = text.size();
    const std::string_view line = text.substr(start, end - start);
    const std::string_view ending = !line.empty() && line.back() == '\r' ? "\r" : "";
    if (hasKey(line, "SYMB")) {
      out += "SYMB  " + std::string(installDirectory) + "\\CANTLIB\\" + std::string(ending);
    } else if (hasKey(line, "FONT")) {
      out += "FONT  " + std::string(installDirectory) + "\\FONTLIB\\" + std::string(ending);
    } else {
      out += line;
    }
    if (!lastLine) out += '\n';
    start = end + 1;
  }
  return out;
}

}  // namespace ts
