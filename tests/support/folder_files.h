#pragma once
// A host whose every name, whatever its folder, stands for a file in one
// test folder, found without regard to case; writes go through the plain
// whole-file write of HostFiles.

#include <cctype>
#include <filesystem>
#include <string>

#include "model/host_files.h"

namespace ts::testing {

class FolderFiles : public HostFiles {
 public:
  explicit FolderFiles(std::filesystem::path dir) : m_dir(std::move(dir)) {}
  std::optional<std::filesystem::path> findExisting(std::string_view name) const override {
    const std::string wanted = lower(baseName(name));
    for (const auto& entry : std::filesystem::directory_iterator(m_dir)) {
      if (lower(entry.path().filename().string()) == wanted) return entry.path();
    }
    return std::nullopt;
  }
  std::filesystem::path forWriting(std::string_view name) const override {
    if (const auto existing = findExisting(name)) return *existing;
    return m_dir / baseName(name);
  }

 private:
  static std::string baseName(std::string_view name) { return std::string(name.substr(name.find_last_of("\\/") + 1)); }
  static std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
  }
  std::filesystem::path m_dir;
};

}  // namespace ts::testing
