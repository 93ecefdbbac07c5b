#pragma once
// Stage 2 of typed input: the notes and rests a notes line made get their
// rhythms, are placed by them between the stretch's two positions, and the
// stretch is justified.

#include <span>
#include <string>
#include <vector>

namespace ts {

class PageStore;
struct Preferences;

// The stretch a notes line was typed into.
struct TypedStretch {
  int staff = 0;
  float left = 2.0f;    // Pos. 1, in P3 units
  float right = 200.0f;  // Pos. 2
  std::vector<int> items;  // the page items the notes line made, in page order, chord members included
};

struct PlacementResult {
  bool placed = false;
  std::vector<std::string> messages;  // what the user is told ("Mismatch --", the spacing staff's messages, ...)
};

// `rhythms` holds one code for each note or rest (a chord once), as the
// rhythms line reads them: the duration in quarters, plus 1000 times the
// dots of a single dotted value ("Q." is 1001.5). `spacingStaff` is the
// staff whose beats the notes follow ("SP"), 0 for none. Every rhythm goes
// into its note's or rest's P7; nothing is placed when the counts differ.
PlacementResult placeTypedRhythms(PageStore& page, const TypedStretch& stretch, std::span<const float> rhythms,
                                  const Preferences& preferences, int spacingStaff);

// The duration in quarters of a rhythm code: the code less its thousands.
float rhythmDuration(float code);

}  // namespace ts
