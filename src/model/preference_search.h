#pragma once
// Where "PREF.DAT" is found: "X:\tonesmith\cantlib\", then
// "X:\Program Files\tonesmith\cantlib\", then
// "X:\Program Files (x86)\tonesmith\cantlib\", each on the drives C: to Y:
// in turn; the first that exists wins. The install directory is the path
// before "\cantlib\". A file found under a Program Files folder has its
// library lines pointed at that install directory, since an installer may
// have copied it there from elsewhere.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ts {

class HostFiles;

inline constexpr const char* kPreferenceFileName = "PREF.DAT";

struct FoundPreferences {
  std::string name;              // "C:\tonesmith\cantlib\PREF.DAT"
  std::string installDirectory;  // "C:\tonesmith"
  bool underProgramFiles = false;
};

// Every place searched, in order.
std::vector<std::string> preferenceSearchNames();

std::optional<FoundPreferences> findPreferenceFile(const HostFiles& files);

// The file's text with its "SYMB" and "FONT" lines naming the install
// directory's "CANTLIB" and "FONTLIB"; every other line kept as it was.
std::string repairedLibraryPaths(std::string_view text, std::string_view installDirectory);

}  // namespace ts
