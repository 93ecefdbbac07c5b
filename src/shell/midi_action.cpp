#include "shell/midi_action.h"

namespace ts::shell {
namespace {

// Characters past the end of the string read as its terminating zero.
char at(std::string_view text, size_t index) { return index < text.size() ? text[index] : '\0'; }

int code(char c) { return static_cast<unsigned char>(c); }

std::optional<int> byDigits(char c1, char c3, char c4) {
  if (c3 == '4') return -code(c1);
  if (c3 == '8') return -10 - code(c1);
  if (c4 == '8') return -97;
  if (c4 == '1') return -96;
  if (c4 == '6') return c1 == '6' ? -94 : c1 == '9' ? -95 : -93;
  return std::nullopt;
}

}  // namespace

MidiAction midiActionFor(std::string_view command, int current) {
  const char c1 = at(command, 0), c2 = at(command, 1), c3 = at(command, 2), c4 = at(command, 3);
  MidiAction action;
  if (c2 == 'K') return {kMidiActionBackspace};
  if (c1 == ';') return {kMidiActionSemicolon};
  if (c1 == '^') {
    if (current == kMidiActionPendingEscape) return {kMidiActionEscape};
    action.askToExit = true;
    return action;
  }
  if (c1 == 'T') return {c2 == 'E' ? -4 : -1};
  if (c1 == 'A') return {-3};
  if (c1 == 'B') return {-2};
  if (c1 == 'P') return {-5};
  if (const std::optional<int> digits = byDigits(c1, c3, c4)) return {*digits};
  if (c2 == 'O') return {-99};
  if (c2 == 'U') return {-98};
  if (c1 == 'K') return {code(c2) + (c3 == 'S' ? 10 : 0)};
  action.notAvailable = true;
  return action;
}

}  // namespace ts::shell
