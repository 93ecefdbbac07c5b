#pragma once
// The drawing's messages, as the user sees them.

#include <string>

#include "draw/drawable_values.h"
#include "draw/symbol_library.h"
#include "model/page_title.h"

namespace ts {

// "Stf    ,  Code   .  P3 is out of bounds. > 280" with the staff and code.
std::string outOfBoundsRightMessage(int staff, int code);
std::string outOfBoundsLeftMessage(int staff, int code);
// "*** Warning: P4 of Staff     out of range." with the staff number.
std::string staffOutOfRangeMessage(int staff);
// An item left out of the drawing, and why (see drawable_values.h).
std::string undrawableParameterMessage(int item, int parameter, UndrawableValue why);
std::string outsideWindowMessage(int item);
std::string tooManyMarksMessage(int item);
// Why library drawing n draws nothing (its file or slot is missing, its
// file is damaged, or there is no such number); empty when it was found.
std::string libraryDrawingMessage(int drawingNumber, DrawingLookup lookup);
// A text's font has no readable metric file ("fm40.fmt"): "Item      -
// Font not found:" with the item and the file, then "\n\rsubstituting
// Times-Roman".
std::string fontNotFoundMessage(int item, const std::string& fileName);
// An underbar in a text without a font number after it, with the item.
std::string fontNumberMissingMessage(int item);
inline constexpr const char* kCourierSubstitutedMessage =
    "*** ERROR - font number missing after underbar *** Font set to COURIER (_29)";
// The page-size command's message for a paper size; Custom shows its size.
std::string paperSizeMessage(PaperSize paper, float customWidth = 0.0f, float customHeight = 0.0f);

// Capacities of the host's lists: said once per drawing when reached.
inline constexpr const char* kDisplayListFullMessage =
    "*** Display list full - the page is drawn only up to here.";
inline constexpr const char* kTextListFullMessage = "*** Text list full - some texts are not shown.";
// Two-ended items without their second end.
inline constexpr const char* kLineNeedsEndMessage = "*** Code 4 needs value in P5 or P6 ***";
inline constexpr const char* kTrillNeedsEndMessage = "*** Code 7 needs value in P6 ***";
inline constexpr const char* kSymbolFileMissingMessage =
    "*** Symbol file TSMITH.DAT not found - symbols are not drawn.";

}  // namespace ts
