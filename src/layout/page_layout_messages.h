#pragma once
// What page layout and part extraction tell the user, in one place so that
// code and tests cite the same strings. Counts are written into fixed
// fields; a count too wide for its field fills it with asterisks.

#include <string>

namespace ts::page_layout_messages {

inline constexpr const char* kLayoutTitle = "***** PAGE LAYOUT *****";
inline constexpr const char* kPartsTitle = "***** PART EXTRACTION *****";
inline constexpr const char* kOverflow = "****** nbar OVERFLOW >200 ******";
inline constexpr const char* kOtherPage = "Some items already on other page.";
inline constexpr const char* kRestartFirst = "Must do restart (RS) before using \"PAGE LAYOUT or PARTS.\"";
inline constexpr const char* kExtensionAdded = "Extension \".PAG\" added to output name.";
inline constexpr const char* kTypeOutputName = "Type output file name.";
// Refusals the bar-list help does not name.
inline constexpr const char* kFewerBarsThanLines = "*** Fewer bars than lines.";
inline constexpr const char* kBadBarList = "*** Bar list not understood.";
inline constexpr const char* kNoBars = "*** No bar lines in the piece.";

}  // namespace ts::page_layout_messages

namespace ts {

// An integer right-aligned in `width` columns, or asterisks when it does
// not fit.
std::string integerField(long long value, int width);

}  // namespace ts
