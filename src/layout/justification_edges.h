#pragma once
// What the justify commands do around every justification: before it, a
// clef standing at its staff's start makes room for the staff's opening,
// and notes, beam ends and slur ends crowding the right edge step back
// from it; after it, whole-bar rests are centred in their bars.

#include "layout/justification.h"

namespace ts {

class PageStore;

constexpr float kClefFromStaffStart = 1.5f;
constexpr float kFromRightEdge = 1.0f;

// A position within 1 of the right edge is put 1 left of it; any other
// stays.
float stepBackFromEdge(float position, float rightEdge);

// Returns true when a position of the page changed.
bool prepareForJustification(PageStore& page, const JustifyRange& range);
bool finishJustification(PageStore& page, const JustifyRange& range);

}  // namespace ts
