#pragma once
// Stage 1 of typed input: the token codes of a notes line become items on
// the input staff, standing at equal distances between the stretch's two
// positions until the rhythms place them.

#include <span>
#include <vector>

#include "model/page_store.h"

namespace ts {

// A note or rest as the later stages count them (a chord once).
struct NumberedNote {
  int item = 0;             // the note or rest item (a chord's first stored note)
  std::vector<int> chord;   // every item of the chord, the first included
};

struct NotesBuild {
  std::vector<int> items;            // every item made, in page order, chord members included
  std::vector<NumberedNote> notes;   // the notes and rests, numbered from 1
  bool pageFull = false;             // the page had no room for all of them
};

// The step a clef's middle C stands at, less 28 (so that P4 = step - base).
int clefBase(int clef);
// The clef (P5) and the key signature (P5) in force on a staff at a position.
int clefInForce(const PageStore& page, int staff, float position);
int keyInForce(const PageStore& page, int staff, float position);

NotesBuild buildNotes(PageStore& page, std::span<const int> codes, int staff, float left, float right);

}  // namespace ts
