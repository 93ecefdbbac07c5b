#pragma once
// The printer's font set-up "fmfontinit.psc" (the text fonts re-encoded to
// the texts' ISO Latin-1 codes), found where the font metric files are: the
// fixed font folders through the host's files first, then the font library
// that came with the program.

#include <filesystem>
#include <string>

namespace ts {

class HostFiles;

inline constexpr const char* kFontSetupName = "fmfontinit.psc";

// The set-up's text; empty when no folder holds it.
std::string findFontSetup(const HostFiles& files, const std::filesystem::path& bundledFontFolder);

}  // namespace ts
