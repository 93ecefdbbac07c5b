#pragma once
// MusicXML 3.1/4.0 partwise text into the score model. The text is hostile:
// its size, element count, divisions, durations and the numbers of parts,
// staves, measures and notes are capped, and the parser never expands
// entities of a document type, so nothing in the file can make the reader
// hang or exhaust memory. A score that breaks a cap is refused whole.

#include <optional>
#include <string>
#include <string_view>

#include "interchange/score_model.h"
#include "interchange/unmapped_log.h"

namespace ts::interchange {

constexpr size_t kMaxFileBytes = 32u << 20;  // the largest score text or .mxl entry read

struct ReadOutcome {
  std::optional<Score> score;
  std::string error;  // why the file was refused, when it was
};

ReadOutcome readMusicXml(std::string_view text, UnmappedLog& unmapped);

}  // namespace ts::interchange
