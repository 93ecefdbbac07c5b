#pragma once
// One measure of every part placed on the run: the measure's notes, rests
// and clef changes gathered into columns by their times (grace notes just
// before the note they lead to), the columns spaced by the time to the
// next one, and an item made for each. Gaps a voice leaves are filled with
// invisible rests, so the times survive the page.

#include <map>
#include <vector>

#include "interchange/run_builder.h"

namespace ts::interchange {

struct PartPlacement {
  std::map<int, Clef>* clefs = nullptr;  // by staff of the part, changed as the measure goes
  int fifths = 0;
  const std::map<std::pair<int, int>, int>* voiceOrdinals = nullptr;
};

struct MeasurePlacement {
  const Score& score;
  const std::vector<StaffSlot>& slots;
  std::vector<PartPlacement> parts;
  int measure = 0;
};

// Places the measure from `x` (its left bar line) and returns where its
// closing bar line goes; false in `fits` when the page store ran out.
float placeMeasure(PageStore& run, MeasurePlacement& placement, float x, RunChunk& chunk, bool& fits);

int runStaffOf(const std::vector<StaffSlot>& slots, int part, int staff);

}  // namespace ts::interchange
