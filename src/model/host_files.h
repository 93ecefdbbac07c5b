#pragma once
// How the engine reaches files. The engine names files the way its users
// type them ("C:\!TMP\!undo!.tmp", "page.mus", "/home/ann/p1.mus"); the host
// decides where such a name lives on this machine and finds names without
// regard to case, since the engine upper-cases names before reading.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

class HostFiles {
 public:
  virtual ~HostFiles() = default;
  // The existing file or folder that the name stands for, matched without
  // regard to case; nothing when there is none.
  virtual std::optional<std::filesystem::path> findExisting(std::string_view name) const = 0;
  // Where a file of this name is to be written: existing folders and an
  // existing file are matched without regard to case, the rest is kept as
  // typed. Empty when the name cannot stand for a place on this machine.
  virtual std::filesystem::path forWriting(std::string_view name) const = 0;
};

}  // namespace ts
