#pragma once
// What tsm says when a picture or PDF could not be written.

#include <filesystem>
#include <string>

#include "model/host_files.h"

namespace tsm {

// "cannot write OUT: it is read-only", "cannot write OUT: there is no
// folder DIR", or "cannot write OUT"; `target` is where the name led.
std::string writeFailure(const std::string& typed, ts::WriteResult result, const std::filesystem::path& target);

}  // namespace tsm
