#include "model/host_files.h"

#include <fstream>

namespace ts {

WriteResult HostFiles::writeWhole(std::string_view name, std::span<const uint8_t> bytes) const {
  const std::filesystem::path path = forWriting(name);
  if (path.empty()) return WriteResult::Failed;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return out ? WriteResult::Written : WriteResult::Failed;
}

}  // namespace ts
