#pragma once
// Replaces a file so that a crash, a full disk or a failed write never
// leaves it half written: the new content goes to a temporary file beside
// the target, reaches the disk, and only then takes the target's name.

#include <cstdint>
#include <filesystem>
#include <span>

#include "model/host_files.h"

namespace ts {

// Makes `bytes` the whole content of `target`. A target its owner may not
// write is refused (ReadOnly) and left alone; a replaced target keeps its
// permission bits, and a link keeps pointing where it did. On any failure
// before the rename the target is exactly as it was and no temporary file
// is left behind.
WriteResult writeFileSafely(const std::filesystem::path& target, std::span<const uint8_t> bytes);

}  // namespace ts
