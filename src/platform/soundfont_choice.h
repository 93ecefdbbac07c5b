#pragma once
// Which General MIDI soundfont the built-in synthesizer loads: the one the
// user names, else the larger FluidR3 set when it is installed, else the
// small TimGM6mb set that comes with the program's packages, else whatever
// the system calls its default.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ts {

inline constexpr const char* kSoundfontVariable = "TONESMITH_SOUNDFONT";

// The packaged soundfonts, best first.
inline constexpr const char* kPackagedSoundfonts[] = {
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",  // fluid-soundfont-gm
    "/usr/share/sounds/sf2/TimGM6mb.sf2",    // timgm6mb-soundfont
    "/usr/share/sounds/sf2/default-GM.sf2",  // the system's choice
};

inline constexpr const char* kNoSoundfont =
    "no General MIDI soundfont is installed (the package timgm6mb-soundfont has one)";

// `chosen` is the user's (empty when none): it must exist when given.
std::optional<std::string> chooseSoundfont(std::string_view chosen, const std::function<bool(const std::string&)>& exists);

// The same with the files of this machine and the soundfont named in
// TONESMITH_SOUNDFONT when `chosen` is empty.
std::optional<std::string> findSoundfont(std::string_view chosen);

}  // namespace ts
