#include "shell/item_bar_format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace ts::shell {
namespace {

// A float printed through its shortest decimal form, so that -99989.9
// shows as -99989.900 and not with the float's binary tail (-99989.898).
std::string printed(const char* format, float value) {
  char shortest[32];
  const auto end = std::to_chars(shortest, shortest + sizeof shortest - 1, value).ptr;
  *end = '\0';
  char text[64];
  std::snprintf(text, sizeof text, format, std::strtod(shortest, nullptr));
  return text;
}

}  // namespace

std::string formatItemBarParameter(int parameter, float value) {
  if (value <= kAbsentParameter) return {};
  const char* format = parameter == 1 ? "%2.0f" : parameter == 2 ? "%5.1f" : "%8.3f";
  return printed(format, value);
}

ItemBarTexts itemBarTexts(const ItemBarRecord& record) {
  ItemBarTexts texts;
  const bool noItem = record.params[0] == 0.0f;
  texts.item = std::to_string(noItem ? 0 : record.item) + "/" + std::to_string(record.itemCount);
  if (noItem) return texts;
  for (int p = 0; p < kItemBarParameters; ++p) texts.params[p] = formatItemBarParameter(p + 1, record.params[p]);
  return texts;
}

std::string formatDialogValue(float value) { return printed("%8.3f", value); }

float readNewValue(std::string_view field, float old) {
  const std::string text(field.substr(0, kNewValueChars));
  float value = 0;
  // Infinities and NaN read as numbers but no parameter can hold them.
  return std::sscanf(text.c_str(), "%f", &value) == 1 && std::isfinite(value) ? value : old;
}

}  // namespace ts::shell
