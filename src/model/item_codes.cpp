#include "model/item_codes.h"

#include <charconv>
#include <cmath>
#include <iterator>
#include <limits>

namespace ts {

int truncToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
  if (value <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}

std::string formatParameter(float value) {
  char text[32];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

const char* codeMenuName(int code) {
  static constexpr const char* kNames[] = {
      "NOTE",  "REST",    "CLEF",   "LINE", "SLUR",  "BEAM", "TRILL",   "STAFF",
      "LIBRARY", "NUMBER", "CODE11", "CIRCLE", "DUMMY", "BARS", "EPS",   "WORD",
      "KSIG",  "METER",   "HARP",   "PEDAL", "GUITAR", "ACCORD.", "OTTAVA"};
  if (code < 1 || code > static_cast<int>(std::size(kNames))) return "";
  return kNames[code - 1];
}

}  // namespace ts
