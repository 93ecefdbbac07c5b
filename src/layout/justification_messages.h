#pragma once
// What justification, line-up and the placing of typed notes tell the user.
// Numbers are written into fixed fields as the system has always shown
// them: a value too wide for its field fills the field with asterisks.

#include <string>

namespace ts::justification_messages {

inline constexpr const char* kNotEnoughSpace =
    "*** Not enough space to justify ideally. ||Needed=         , Available=";
inline constexpr const char* kBeatsClosing = "\r\n\r\nType X to exit.";
inline constexpr const char* kNoRhythmsOnSpacingStaff = "*** No rhythms on spacing staff.";
inline constexpr const char* kClickOnText = "**** Click on text to be justified. ****";
inline constexpr const char* kNotAText = "*** That is not a text: nothing was justified.";

}  // namespace ts::justification_messages

namespace ts {

// A value in a Fortran-style field of `width` columns with `decimals`
// places ("%9.3f"), or `width` asterisks when it does not fit or is not a
// number.
std::string fixedField(double value, int width, int decimals);

// "*** Not enough space to justify ideally. ||Needed=  112.000, Available=  100.000"
std::string notEnoughSpaceMessage(double needed, double available);

// "Staff   1 has  4.000 beats", one line of the line-up report.
std::string staffBeatsLine(int staff, double beats);

// " *** Mismatch - Spacing Staff has  4.000 Quarter Notes.\nQuarter Notes on this staff = 3.500"
std::string spacingMismatchMessage(double spacingQuarters, double typedQuarters);

}  // namespace ts
