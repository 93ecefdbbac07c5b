#include "output/midi_messages.h"

#include <string_view>

#include "model/item_codes.h"

namespace ts::midi_messages {
namespace {

// Writes `value` right-aligned into the run of blanks that follows `label`.
std::string fillField(std::string text, std::string_view label, const std::string& value) {
  size_t at = text.find(label);
  if (at == std::string::npos) return text;
  at += label.size();
  size_t width = 0;
  while (at + width < text.size() && text[at + width] == ' ') ++width;
  const std::string field = value.size() >= width ? value : std::string(width - value.size(), ' ') + value;
  return text.replace(at, width, field);
}

}  // namespace

std::string missingRhythmMessage(int item, int staff, float p3) {
  std::string text = fillField(kMissingRhythm, "Item=", std::to_string(item));
  text = fillField(text, "Staff=", std::to_string(staff));
  return fillField(text, "Pos.=", formatParameter(p3));
}

std::string countedMessage(const char* message, int count) { return std::string(message) + " " + std::to_string(count); }

}  // namespace ts::midi_messages
