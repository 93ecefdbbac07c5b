#include "output/font_setup.h"

#include <fstream>
#include <iterator>
#include <string_view>

#include "draw/font_metrics.h"
#include "model/host_files.h"

namespace ts {
namespace {

constexpr std::streamsize kLargestSetup = 1 << 20;  // bytes: the set-up is a few kilobytes

std::string readSetup(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::string text(static_cast<size_t>(kLargestSetup) + 1, '\0');
  in.read(text.data(), kLargestSetup + 1);
  const std::streamsize got = in.gcount();
  // A file that large is not the set-up: sending it would fill the printer.
  if (got <= 0 || got > kLargestSetup) return {};
  text.resize(static_cast<size_t>(got));
  return text;
}

}  // namespace

std::string findFontSetup(const HostFiles& files, const std::filesystem::path& bundledFontFolder) {
  for (const std::string_view folder : kFontFolders) {
    if (const auto path = files.findExisting(std::string(folder) + kFontSetupName)) {
      std::string text = readSetup(*path);
      if (!text.empty()) return text;
    }
  }
  return bundledFontFolder.empty() ? std::string() : readSetup(bundledFontFolder / kFontSetupName);
}

}  // namespace ts
