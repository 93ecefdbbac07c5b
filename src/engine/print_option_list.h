#pragma once
// The print command's option list: every option shown with its current
// value and chosen by its three-letter key, until the user picks "PRINT"
// (or cancels). Switches flip, the output kind and header go round their
// values, numbers and names are asked in a dialog and checked.

#include <optional>
#include <string>
#include <vector>

#include "output/print_options.h"

namespace ts {

class EngineHost;

// The list's lines for these options, "PRINT" first.
std::vector<std::string> printOptionLines(const PrintOptions& options);
// The options the user settled on; nothing when cancelled. `waitLevel` is
// the engine's, above 0 while a dialog is open.
std::optional<PrintOptions> askPrintOptions(EngineHost& host, PrintOptions options, int& waitLevel);

}  // namespace ts
