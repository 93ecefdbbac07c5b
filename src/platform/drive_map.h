#pragma once
// Maps the engine's Windows-style names onto host folders: a drive letter
// stands for a host folder (drive C: is the Tonesmith root, and a name that
// starts with a backslash is on drive C:), backslashes separate folders, and
// names are found without regard to case.

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "model/host_files.h"

namespace ts {

class DriveMap : public HostFiles {
 public:
  explicit DriveMap(std::filesystem::path driveC);

  // The folder that stands for drive C: `--root DIR` when given, else
  // $TONESMITH_ROOT, else a per-user data folder ($XDG_DATA_HOME/tonesmith
  // or ~/.local/share/tonesmith).
  static std::filesystem::path defaultRoot(const std::string& rootOption);

  // Lets another drive letter stand for a host folder (drives other than C:
  // stand for nothing unless mapped; TONESMITH_DRIVE_D=DIR maps D: and so on).
  void mapDrive(char letter, std::filesystem::path folder);
  void mapDrivesFromEnvironment();

  const std::filesystem::path& root() const { return m_drives[2]; }

  // The host path a name stands for, without looking at the disk. Empty
  // when its drive is not mapped.
  std::filesystem::path toHost(std::string_view name) const;

  std::optional<std::filesystem::path> findExisting(std::string_view name) const override;
  std::filesystem::path forWriting(std::string_view name) const override;
  // Through writeFileSafely, so every file the program writes survives a
  // failed write or a crash whole, and protected files stay as they are.
  WriteResult writeWhole(std::string_view name, std::span<const uint8_t> bytes) const override;
  bool makeFolders(std::string_view name) const override;

 private:
  std::array<std::filesystem::path, 26> m_drives;
};

// One path component matched without regard to case inside `folder`: the
// exact name first, else the first entry in name order that differs only in
// case.
std::optional<std::filesystem::path> findInFolder(const std::filesystem::path& folder, const std::string& name);

}  // namespace ts
