#pragma once
// The list of the last 40 pages read: 40 lines of 128 characters, most
// recent first, blank lines where fewer names are known.

#include <string>
#include <string_view>
#include <vector>

namespace ts {

constexpr int kHistoryLines = 40;
constexpr int kHistoryLineLength = 128;

std::vector<std::string> parseHistory(std::string_view text);
std::string formatHistory(const std::vector<std::string>& names);
// Puts a name first unless the list holds it already; the 41st name goes.
// Returns false when nothing changed.
bool addToHistory(std::vector<std::string>& names, std::string_view name);

}  // namespace ts
