#pragma once
// The rhythms line (input stage 2): one duration in quarters for each note
// or rest of the notes line. A token of one dotted value carries its dots
// in the thousands ("Q." is 1001.5); a token of added values ("HQ") none.

#include <optional>
#include <string>
#include <vector>

#include "layout/input_line.h"

namespace ts {

inline constexpr float kGraceRhythm = 64.0f;  // "G": a grace note, no time of the bar

struct RhythmsLine {
  std::vector<float> codes;
  std::optional<LineError> error;
};

RhythmsLine readRhythmsLine(const std::string& prepared);

}  // namespace ts
