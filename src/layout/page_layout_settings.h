#pragma once
// The "Page Layout" settings as the settings file keeps them and the
// dialog shows them: one setting a line, "KEY value", in the order of the
// dialog. A damaged or unknown line keeps the setting as it was and is
// reported; a value beyond any sensible page is refused the same way.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/page_layout.h"

namespace ts {

inline constexpr const char* kLayoutSettingsFile = "\\cantlib\\wpage.prf";

struct LayoutSettingsRead {
  LayoutSettings settings;
  std::vector<std::string> problems;  // one line for each line that was not taken
};

LayoutSettingsRead readLayoutSettings(std::string_view text, const LayoutSettings& defaults = {});
std::string writeLayoutSettings(const LayoutSettings& settings);

// The dialog's fields: their labels and the values shown.
std::vector<std::string> layoutFieldLabels();
std::vector<std::string> layoutFieldValues(const LayoutSettings& settings);
// Takes the answer of field `index`; false (and the setting kept) when it
// cannot be read.
bool takeLayoutField(LayoutSettings& settings, size_t index, std::string_view answer);

}  // namespace ts
