#pragma once
// Stages 3 to 5 of typed input: marks, beams and slurs attached to the
// notes of the stretch by their numbers (notes and rests counted from 1, a
// chord once).

#include <optional>
#include <string>
#include <vector>

#include "layout/marks_line.h"
#include "layout/notes_builder.h"
#include "layout/pairs_line.h"
#include "model/page_store.h"

namespace ts {

// The stretch the later stages attach to.
struct StretchView {
  int staff = 0;
  float left = 2.0f;
  float right = 200.0f;
  std::vector<NumberedNote> notes;
  std::vector<float> rhythms;  // one rhythm code per numbered note; empty before stage 2
  std::vector<int> items;      // every item of the notes line, in page order
};

// Where mark number x stands: at note x, a fraction of the way on to the
// next; below 1 at Pos. 1, past the last note at Pos. 2.
float markPosition(const PageStore& page, const StretchView& stretch, double number);

// Stage 3. A number below 1 or past the last note still places the mark.
// Returns what the user is told (nothing when all went in).
std::optional<std::string> buildMarks(PageStore& page, const StretchView& stretch,
                                      const std::vector<MarkRequest>& marks);

// Stage 4: a beam (code 6) over each pair's notes, stems turned to it and
// lengthened to meet it, the notes' flags taken off; or beams by groups.
std::optional<std::string> buildBeams(PageStore& page, const StretchView& stretch, const PairsLine& line);

// Stage 5: a slur (code 5) from each pair's first note to its last.
std::optional<std::string> buildSlurs(PageStore& page, const StretchView& stretch, const PairsLine& line);

// The pairs of notes beams by groups join: runs of two or more notes
// shorter than a quarter inside one group of `eighths` eighths, the groups
// counted from note `fromNote` and from every bar line.
std::vector<NotePair> beamGroupPairs(const PageStore& page, const StretchView& stretch, const BeamGroups& groups);

}  // namespace ts
