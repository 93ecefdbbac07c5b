#pragma once
// A host whose named folders ("C:\tonesmith\fontlib\") each stand for a
// test folder; a name in any other folder is found nowhere.

#include <filesystem>
#include <map>
#include <string>

#include "model/host_files.h"

namespace ts::testing {

class FolderMapFiles : public HostFiles {
 public:
  std::map<std::string, std::filesystem::path> folders;  // the folder's name, with its closing backslash
  std::optional<std::filesystem::path> findExisting(std::string_view name) const override {
    const size_t cut = name.rfind('\\') + 1;
    const auto found = folders.find(std::string(name.substr(0, cut)));
    if (found == folders.end()) return std::nullopt;
    const std::filesystem::path path = found->second / std::string(name.substr(cut));
    return std::filesystem::exists(path) ? std::optional<std::filesystem::path>(path) : std::nullopt;
  }
  std::filesystem::path forWriting(std::string_view) const override { return {}; }
};

}  // namespace ts::testing
