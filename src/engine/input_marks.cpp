// Marks of the marks line. Each mark number becomes an item by one table:
// articulations are library drawings of the symbol shapes (staccato 26,
// tenuto 27, wedge 28, marcato 29, accent 25) set by the head on the side
// away from the stem; bows, fermata, harmonic and ornaments stand above the
// staff; dynamics (51-62) and "cresc."/"dim." below it, the tempo and
// playing words (65-68) above it, each the library drawing of its own
// number; trills are trill items (code 7, "W" with a wavy line to the next
// note); fingerings "F0"-"F9" are numbers (code 10); "S2"-"S4" give the
// note a tremolo stem; "AR" an arpeggio line. "N" n, and any number the
// table does not name, places library drawing n above the staff. A flagged
// mark ("+" or "-" before it) goes to the other side.

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "engine/engine_messages.h"
#include "engine/input_builders.h"

namespace ts {
namespace {

enum class MarkKind { Drawing, Trill, Fingering, Tremolo, Arpeggio };
enum class Side { ByHead, Above, Below };

struct MarkEntry {
  int mark;
  MarkKind kind;
  int drawing;        // library drawing (or trill accidental)
  int second;         // a second drawing set with it, 0 for none
  Side side;
};

constexpr MarkEntry kMarks[] = {
    {1, MarkKind::Drawing, 74, 0, Side::Above},     // segno
    {2, MarkKind::Drawing, 70, 0, Side::Below},     // "Ped."
    {3, MarkKind::Drawing, 71, 0, Side::Below},     // pedal release
    {4, MarkKind::Drawing, 28, 0, Side::ByHead},    // wedge
    {5, MarkKind::Drawing, 25, 0, Side::ByHead},    // accent
    {6, MarkKind::Drawing, 27, 0, Side::ByHead},    // tenuto
    {7, MarkKind::Drawing, 26, 0, Side::ByHead},    // staccato
    {8, MarkKind::Drawing, 29, 0, Side::ByHead},    // heavy wedge (marcato)
    {9, MarkKind::Drawing, 25, 26, Side::ByHead},   // accent and staccato
    {10, MarkKind::Drawing, 27, 26, Side::ByHead},  // tenuto and staccato
    {11, MarkKind::Drawing, 30, 0, Side::Above},    // down bow
    {12, MarkKind::Drawing, 32, 0, Side::Above},    // up bow
    {13, MarkKind::Drawing, 33, 0, Side::Above},    // harmonic
    {14, MarkKind::Drawing, 31, 0, Side::Above},    // fermata
    {15, MarkKind::Arpeggio, 0, 0, Side::ByHead},
    {16, MarkKind::Drawing, 34, 0, Side::Above},    // stopped (plus)
    {17, MarkKind::Drawing, 35, 0, Side::Above},    // mordent
    {18, MarkKind::Drawing, 36, 0, Side::Above},    // inverted mordent
    {19, MarkKind::Drawing, 276, 0, Side::Above},   // long fermata
    {20, MarkKind::Trill, 0, 0, Side::Above},
    {21, MarkKind::Trill, 1, 0, Side::Above},       // with a flat
    {22, MarkKind::Trill, 2, 0, Side::Above},       // with a sharp
    {23, MarkKind::Trill, 3, 0, Side::Above},       // with a natural
    {24, MarkKind::Drawing, 34, 0, Side::Above},    // plus
    {25, MarkKind::Drawing, 25, 27, Side::ByHead},  // accent and tenuto
    {26, MarkKind::Tremolo, 0, 0, Side::ByHead},
    {27, MarkKind::Tremolo, 0, 0, Side::ByHead},
    {28, MarkKind::Tremolo, 0, 0, Side::ByHead},
    {63, MarkKind::Drawing, 63, 0, Side::Below},    // cresc.
    {64, MarkKind::Drawing, 64, 0, Side::Below},    // dim.
    {91, MarkKind::Drawing, 37, 0, Side::Above},    // turns and shakes
    {92, MarkKind::Drawing, 75, 0, Side::Above},
    {93, MarkKind::Drawing, 93, 0, Side::Above},
    {94, MarkKind::Drawing, 94, 0, Side::Above},
    {95, MarkKind::Drawing, 109, 0, Side::Above},
    {96, MarkKind::Drawing, 33, 0, Side::Above},    // open (o)
    {97, MarkKind::Drawing, 118, 0, Side::Above},   // breath comma
    {98, MarkKind::Drawing, 76, 0, Side::Above},    // caesura
};

constexpr int kTrillWiggle = 100;
constexpr float kHeadCentre = 17.0f * 25.0f / 2.0f / 150.0f;  // P3 units from a head's left edge to its middle
constexpr float kWiggleRoom = 8.0f;  // P3 units of wavy line after the last note
constexpr int kLowestDynamic = 51, kHighestDynamic = 62;
constexpr int kFirstWordDrawing = 45;  // drawings from here on are words and letters, never turned over

MarkEntry entryFor(int mark) {
  const int base = mark >= kTrillWiggle + 20 && mark <= kTrillWiggle + 23 ? mark - kTrillWiggle : mark;
  for (const MarkEntry& e : kMarks)
    if (e.mark == base) return e;
  const bool dynamic = mark >= kLowestDynamic && mark <= kHighestDynamic;
  return {mark, MarkKind::Drawing, std::abs(mark), 0, dynamic ? Side::Below : Side::Above};
}

// The steps of the note at a number: its lowest and highest head.
struct NoteSteps {
  int item = 0;
  float low = 7.0f, high = 7.0f;
  bool stemUp = false;
  bool rest = false;
};

NoteSteps stepsAt(const PageStore& page, const StretchView& stretch, double number) {
  NoteSteps steps;
  if (stretch.notes.empty()) return steps;
  const long index = std::clamp<long>(static_cast<long>(number) - 1, 0, static_cast<long>(stretch.notes.size()) - 1);
  const NumberedNote& note = stretch.notes[static_cast<size_t>(index)];
  steps.item = note.item;
  steps.rest = page.code(note.item) == kCodeRest;
  steps.stemUp = truncToInt(page.param(note.item, 5)) % 100 / 10 == 1;
  if (steps.rest) return steps;
  steps.low = steps.high = std::fmod(page.param(note.item, 4), 100.0f);
  for (const int k : note.chord) {
    const float step = std::fmod(page.param(k, 4), 100.0f);
    steps.low = std::min(steps.low, step);
    steps.high = std::max(steps.high, step);
  }
  return steps;
}

struct MarkPlace {
  float x = 0.0f;
  float step = 0.0f;
  bool below = false;
};

MarkPlace placeFor(const MarkEntry& entry, const NoteSteps& steps, bool flagged, float x) {
  MarkPlace place{x, 0.0f, false};
  if (entry.side == Side::ByHead) {
    place.below = steps.stemUp && !steps.rest;
  } else {
    place.below = entry.side == Side::Below;
  }
  if (flagged) place.below = !place.below;
  const bool byHead = entry.side == Side::ByHead;
  if (place.below) {
    place.step = byHead ? steps.low - 2.0f : std::min(-3.0f, steps.low - 3.0f);
  } else {
    place.step = byHead ? steps.high + 2.0f : std::max(13.0f, steps.high + 3.0f);
  }
  return place;
}

ItemRecord drawingItem(int staff, const MarkPlace& place, int drawing, bool centred) {
  ItemRecord item;
  const float x = centred ? place.x + kHeadCentre : place.x;
  // Signs of the symbol set point away from the note: drawn upside down below it.
  const bool mirrored = place.below && drawing < kFirstWordDrawing;
  item.params = {9, static_cast<float>(staff), x, place.step, static_cast<float>(drawing), 1.0f,
                 mirrored ? -1.0f : 1.0f};
  return item;
}

bool addMark(PageStore& page, const StretchView& stretch, const MarkEntry& entry, const MarkRequest& request,
             double number) {
  const float x = markPosition(page, stretch, number);
  const NoteSteps steps = stepsAt(page, stretch, number);
  const MarkPlace place = placeFor(entry, steps, request.flagged, x);
  const float staff = static_cast<float>(stretch.staff);
  switch (entry.kind) {
    case MarkKind::Drawing: {
      const bool centred = entry.side == Side::ByHead || entry.drawing < kLowestDynamic;
      if (page.append(drawingItem(stretch.staff, place, entry.drawing, centred)) == 0) return false;
      if (entry.second == 0) return true;
      MarkPlace further = place;
      further.step += place.below ? -2.0f : 2.0f;
      return page.append(drawingItem(stretch.staff, further, entry.second, true)) != 0;
    }
    case MarkKind::Trill: {
      const bool wiggle = request.mark >= kTrillWiggle;
      const float end = wiggle ? markPosition(page, stretch, std::floor(number) + 1.0) : 0.0f;
      const float wiggleEnd = wiggle && end <= x ? x + kWiggleRoom : end;
      return page.append({{7, staff, x, place.step, 0, wiggleEnd, 0, static_cast<float>(entry.drawing)}, {}}) != 0;
    }
    case MarkKind::Fingering:
      return page.append({{10, staff, x + kHeadCentre, place.step, static_cast<float>(request.mark - 30)}, {}}) != 0;
    case MarkKind::Tremolo: {
      if (steps.item == 0 || steps.rest) return true;
      const float p8 = page.param(steps.item, 8);
      if (std::fabs(p8) < 100.0f) page.setParam(steps.item, 8, p8 >= 0.0f ? p8 + 100.0f : p8 - 100.0f);
      return true;
    }
    case MarkKind::Arpeggio:
      return page.append({{4, staff, x - 1.5f, steps.low - 1.0f, steps.high + 1.0f, x - 1.5f, -2}, {}}) != 0;
  }
  return true;
}

}  // namespace

float markPosition(const PageStore& page, const StretchView& stretch, double number) {
  const size_t count = stretch.notes.size();
  if (number < 1.0 || count == 0) return stretch.left;
  const double whole = std::floor(number);
  const double fraction = number - whole;
  if (whole > static_cast<double>(count)) return stretch.right;
  const size_t index = static_cast<size_t>(whole) - 1;
  const float at = page.param(stretch.notes[index].item, 3);
  const float next = index + 1 < count ? page.param(stretch.notes[index + 1].item, 3) : stretch.right;
  return at + static_cast<float>(fraction) * (next - at);
}

std::optional<std::string> buildMarks(PageStore& page, const StretchView& stretch,
                                      const std::vector<MarkRequest>& marks) {
  for (const MarkRequest& request : marks) {
    MarkEntry entry = entryFor(request.mark);
    if (request.mark >= 30 && request.mark <= 39) entry = {request.mark, MarkKind::Fingering, 0, 0, Side::Above};
    for (const double number : request.notes) {
      if (!addMark(page, stretch, entry, request, number)) return std::string(messages::kPageFull);
    }
  }
  return std::nullopt;
}

}  // namespace ts
