#pragma once
// Which items a justified staff spaces, and the room each needs on either
// side of its position. Widths are in space units: P3 units on a staff of
// the standard size, multiplied by the staff's scale s before they become
// gaps. `params[0]` is P1 everywhere here.

#include <span>

namespace ts {

enum class SpacingKind { None, Note, Rest, Clef, Line, Number, BarLine, KeySignature, Meter };

// Bits of the kinds standing in one column.
constexpr unsigned kindBit(SpacingKind kind) { return 1u << static_cast<unsigned>(kind); }

// P_i of a parameter list; 0 for one not stored.
float paramOf(std::span<const float> params, int i);

// The kind an item is spaced as, or None when it takes no part: a note
// with a negative P7, a rest with a negative P6 or P7, a clef with P5 above
// 5, a line that is not a short vertical mark (at least 7 parameters, P6 0,
// P7 at most -1), a number without P16, a bar line of a kind above 7 or
// invisible, a meter standing far from the staff (|P4 x P7| above 2), and
// key signatures and meters whose P14 turns their justification off.
SpacingKind spacingKind(std::span<const float> params);

// Whether an item of that kind stands on `staff` for a system whose first
// staff is `firstStaff`: its own staff, or for a bar line every staff from
// P2 up the P4 staves it spans (one when P4 is 0).
bool standsOnStaff(std::span<const float> params, SpacingKind kind, int staff, int firstStaff);

struct SideWidths {
  float left = 0.0f;
  float right = 0.0f;
};

// Width of a note's accidental (P5 units digit, nine more in the second
// set above 100) plus the shift its fraction gives it; 0 without one.
float accidentalWidth(float p5);

SideWidths noteWidths(std::span<const float> params, bool barFollows);
SideWidths restWidths(std::span<const float> params, bool barFollows);
SideWidths clefWidths(std::span<const float> params, bool notePrecedes);
// `before` holds the kind bits of the column before the line's.
SideWidths lineWidths(std::span<const float> params, unsigned before, float scale);
SideWidths numberWidths(std::span<const float> params, float scale);
SideWidths barLineWidths(std::span<const float> params);
SideWidths keySignatureWidths(std::span<const float> params, bool lastColumn, float scale);
SideWidths meterWidths(std::span<const float> params, bool lastColumn, float scale);

// A bar line's right width when a clef stands right after it.
float barRightBeforeClef(float right);

// How much the column after a bar line, key signature, meter or clef
// grows on its left for a setting ("AFTB" ...) whose built-in part is
// `builtIn`: (setting / s - builtIn) when positive, else 0.
float growthAfter(float setting, float builtIn, float scale);

}  // namespace ts
