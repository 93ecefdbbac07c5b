#pragma once
// The stems under a beam: which notes a beam (code 6) stands over, the stem
// lengths (P8 of each note) that end their stems on the beam's line, and a
// beam turned to the other side of its notes. The plans are worked out on
// the page as it stands and applied whole, or refused with the message that
// says why.

#include <string>
#include <vector>

#include "model/page_store.h"

namespace ts {

struct ParameterChange {
  int item = 0;
  int parameter = 0;
  float value = 0;
};

struct BeamPlan {
  std::vector<ParameterChange> changes;
  std::string refusal;  // why the command cannot be done; empty when it can
};

// Stem direction of a note from the tens of P5: 1 up, 2 down, 0 no stem.
int stemTens(float p5);
// P5 with its stem turned the other way (tens 1 and 2 swapped), everything
// else of it kept; a note without a stem keeps its P5.
float flippedStemCode(float p5);

// The P8 that ends a stem on the beam: the note's head at `noteY`, the
// beam's line at `beamY` where the stem stands (page units of one staff),
// the note's scale in page units per symbol unit and its flag count.
float stemLengthToReach(float noteY, float beamY, bool up, float noteScale, int flags);

// Notes on the beam's staff whose position lies between the beam's P3 and
// P6 and that have a stem, in page order.
std::vector<int> stemmedNotesUnderBeam(const PageStore& page, int beam);

// "ADJ": the stems that point toward the beam made to end on its line.
// Refused when no such stem stands at one of the beam's ends, or when one
// of the notes has a tremolo stem or a rhythm of a quarter or longer.
BeamPlan planStemAdjustment(const PageStore& page, int beam);
// "FLI": the beam and the stems under it turned to the other side, the
// beam's ends moved to the outer notes of end chords, the stems adjusted.
// Refused when a stem under the beam points away from it.
BeamPlan planBeamFlip(const PageStore& page, int beam);

// Applies the changes; false, with nothing changed, when the page has no
// room for the parameters an item must grow by.
bool applyChanges(PageStore& page, const std::vector<ParameterChange>& changes);

}  // namespace ts
