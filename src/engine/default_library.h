#pragma once
// The library that came with the program, installed where the preference
// search looks first ("C:\tonesmith\"): the symbol outlines and drawings in
// "cantlib", the font metrics and the printer's font set-up in "fontlib",
// and a "PREF.DAT" of the defaults naming both folders. Done at start-up on
// a machine where no preference file exists anywhere, so that the user has
// a library of their own to edit and a preference file to save.

#include <filesystem>
#include <string>

namespace ts {

class HostFiles;
struct Preferences;

inline constexpr const char* kDefaultInstallDirectory = "C:\\tonesmith";

// The defaults with the library folders of an install directory.
Preferences defaultPreferencesFor(const std::string& installDirectory);

// Copies the bundled library (the folder `bundledLibrary` and "fontlib"
// beside it; the font programs stay where they are, as only the PDF writer
// reads them) and writes the default "PREF.DAT". False when the bundled
// library is not there or a file could not be written.
bool installDefaultLibrary(const HostFiles& files, const std::filesystem::path& bundledLibrary);

}  // namespace ts
