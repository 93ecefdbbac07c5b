#pragma once
// The drawing's messages, as the user sees them.

#include <string>

#include "model/page_title.h"

namespace ts {

// "Stf    ,  Code   .  P3 is out of bounds. > 280" with the staff and code.
std::string outOfBoundsRightMessage(int staff, int code);
std::string outOfBoundsLeftMessage(int staff, int code);
// "*** Warning: P4 of Staff     out of range." with the staff number.
std::string staffOutOfRangeMessage(int staff);
// The page-size command's message for a paper size; Custom shows its size.
std::string paperSizeMessage(PaperSize paper, float customWidth = 0.0f, float customHeight = 0.0f);

// Capacities of the host's lists: said once per drawing when reached.
inline constexpr const char* kDisplayListFullMessage =
    "*** Display list full - the page is drawn only up to here.";
inline constexpr const char* kTextListFullMessage = "*** Text list full - some texts are not shown.";
inline constexpr const char* kSymbolFileMissingMessage =
    "*** Symbol file TSMITH.DAT not found - symbols are not drawn.";

}  // namespace ts
