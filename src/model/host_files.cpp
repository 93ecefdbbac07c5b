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

std::optional<std::vector<uint8_t>> readFileBytes(const std::filesystem::path& path, uintmax_t largest) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return std::nullopt;
  const uintmax_t size = std::filesystem::file_size(path, error);
  if (error || size > largest) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
  if (in.gcount() != static_cast<std::streamsize>(size) || in.bad()) return std::nullopt;
  return bytes;
}

}  // namespace ts
