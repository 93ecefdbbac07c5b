#pragma once
// The enharmonic change of a range: with every accidental of its notes of
// one sign, sharps are spelled as flats (up) or flats as sharps (down)
// without moving the pitch.

#include "layout/transposition.h"

namespace ts {

class PageStore;

// `direction` 1 re-spells sharps a letter up, -1 flats a letter down. A
// refusal leaves the page as it was.
void enharmonicChange(PageStore& page, const TransposeRange& range, bool cueNotes, int direction,
                      TransposeOutcome& outcome);

// The sign of the accidentals a note writes: -1 flats, 1 sharps, 0 none
// (naturals and signs that are no accidental of pitch).
int accidentalSign(int digit);

}  // namespace ts
