#include "platform/soundfont_choice.h"

#include <cstdlib>
#include <filesystem>

namespace ts {

std::optional<std::string> chooseSoundfont(std::string_view chosen, const std::function<bool(const std::string&)>& exists) {
  if (!chosen.empty()) {
    const std::string path(chosen);
    return exists(path) ? std::optional(path) : std::nullopt;
  }
  for (const char* candidate : kPackagedSoundfonts) {
    if (exists(candidate)) return std::string(candidate);
  }
  return std::nullopt;
}

std::optional<std::string> findSoundfont(std::string_view chosen) {
  const char* fromEnvironment = std::getenv(kSoundfontVariable);
  if (chosen.empty() && fromEnvironment != nullptr) chosen = fromEnvironment;
  return chooseSoundfont(chosen, [](const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
  });
}

}  // namespace ts
