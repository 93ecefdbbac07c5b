#include "layout/justification_messages.h"

#include <cmath>
#include <cstdio>

namespace ts {

std::string fixedField(double value, int width, int decimals) {
  if (!std::isfinite(value) || std::fabs(value) >= 1.0e15) return std::string(static_cast<size_t>(width), '*');
  char text[64];
  const int written = std::snprintf(text, sizeof text, "%*.*f", width, decimals, value);
  if (written < 0 || written > width) return std::string(static_cast<size_t>(width), '*');
  return text;
}

std::string notEnoughSpaceMessage(double needed, double available) {
  return "*** Not enough space to justify ideally. ||Needed=" + fixedField(needed, 9, 3) +
         ", Available=" + fixedField(available, 9, 3);
}

std::string staffBeatsLine(int staff, double beats) {
  const std::string number = staff >= 0 && staff <= 999 ? fixedField(staff, 3, 0) : "***";
  return "Staff " + number + " has " + fixedField(beats, 6, 3) + " beats";
}

std::string spacingMismatchMessage(double spacingQuarters, double typedQuarters) {
  return " *** Mismatch - Spacing Staff has " + fixedField(spacingQuarters, 6, 3) +
         " Quarter Notes.\nQuarter Notes on this staff =" + fixedField(typedQuarters, 6, 3);
}

}  // namespace ts
