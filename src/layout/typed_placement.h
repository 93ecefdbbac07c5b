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
  bool spacingStaffCleared = false;   // the spacing staff had no rhythms: the caller turns it off
};

// `rhythms` holds one code for each note or rest (a chord once), as the
// rhythms line reads them: the duration in quarters, plus 1000 times the
// dots of a single dotted value ("Q." is 1001.5). `spacingStaff` is the
// staff whose beats the notes follow ("SP"), 0 for none. Every note and
// rest gets its duration in P7 and the head, flags and dots (a rest its
// type and dots) of its value; a grace note ("G") gets P7 64 and the small
// size. Without a spacing staff the stretch is then justified. Nothing is
// placed when the counts differ.
PlacementResult placeTypedRhythms(PageStore& page, const TypedStretch& stretch, std::span<const float> rhythms,
                                  const Preferences& preferences, int spacingStaff);

// The duration in quarters of a rhythm code: the code less its thousands.
float rhythmDuration(float code);

// The rules of the room items other than notes and rests take, in space
// units (times the staff's scale), `params[0]` being P1; `next` is the item
// after it in the stretch (empty for none).
// An item among the music: a key signature, bar line, meter, clef or other.
float roomOfTypedItem(std::span<const float> params, std::span<const float> next, bool amongFirstTwo);
// A key signature or meter closing the stretch: its own width, and the gap
// before it.
struct ClosingRoom {
  float width = 0.0f;
  float gap = 0.0f;
};
ClosingRoom closingRoomOf(std::span<const float> params);

}  // namespace ts
