#include "write_failure.h"

namespace tsm {

std::string writeFailure(const std::string& typed, ts::WriteResult result, const std::filesystem::path& target) {
  if (result == ts::WriteResult::ReadOnly) return "cannot write " + typed + ": it is read-only";
  const std::filesystem::path folder = target.parent_path();
  std::error_code error;
  if (!folder.empty() && !std::filesystem::is_directory(folder, error)) {
    return "cannot write " + typed + ": there is no folder " + std::filesystem::path(typed).parent_path().string();
  }
  return "cannot write " + typed;
}

}  // namespace tsm
