#pragma once
// How the engine reaches files. The engine names files the way its users
// type them ("C:\!TMP\!undo!.tmp", "page.mus", "/home/ann/p1.mus"); the host
// decides where such a name lives on this machine and finds names without
// regard to case, since the engine upper-cases names before reading.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

// How writing a whole file ended. A file the user protected is refused
// rather than replaced behind their back.
enum class WriteResult { Written, ReadOnly, Failed };

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
  // Makes `bytes` the whole content of the file the name stands for. The
  // engine counts on the file being either wholly replaced or left exactly
  // as it was, even across a crash; the host that keeps real files must
  // see to that. This plain version writes in place, which is enough for
  // hosts that stand in for a disk (tests, fuzzing, benchmarks).
  virtual WriteResult writeWhole(std::string_view name, std::span<const uint8_t> bytes) const;
  // Makes the folder the name stands for ("C:\tonesmith\cantlib"), with the
  // folders above it; true when it exists afterwards. Hosts that stand in
  // for a disk have none to make.
  virtual bool makeFolders(std::string_view name) const {
    (void)name;
    return false;
  }
};

// The whole of a file no larger than `largest` bytes; nothing when it is a
// folder, larger, or cannot be read whole.
std::optional<std::vector<uint8_t>> readFileBytes(const std::filesystem::path& path, uintmax_t largest);

// Files of nowhere: nothing is found and nothing can be written. For
// drawing with only the bundled library (tests, fuzzing, benchmarks).
class NoHostFiles : public HostFiles {
 public:
  std::optional<std::filesystem::path> findExisting(std::string_view) const override { return std::nullopt; }
  std::filesystem::path forWriting(std::string_view) const override { return {}; }
};

}  // namespace ts
