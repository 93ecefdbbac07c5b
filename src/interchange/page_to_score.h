#pragma once
// Pages read back as a score: each page's systems in order, the parts of
// the first system setting the parts of the score; within a system the bar
// lines divide the measures, and each staff's notes and rests are read in
// order of position with their pitches from the clef, key and accidentals
// in force, their durations from P7, and their voices from the stems of
// two voices that share a staff.

#include <span>
#include <string>
#include <vector>

#include "interchange/score_model.h"
#include "model/page_store.h"

namespace ts::interchange {

struct ScoreFromPages {
  Score score;
  std::string error;
  std::vector<std::string> notices;
};

ScoreFromPages pagesToScore(std::span<const PageStore* const> pages);

}  // namespace ts::interchange
