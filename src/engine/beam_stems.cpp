#include "engine/beam_stems.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "draw/beams.h"
#include "draw/notes.h"
#include "draw/page_geometry.h"
#include "engine/engine_messages.h"

namespace ts {
namespace {

// Notes within this many P3 units of a beam's end stand at that end.
constexpr float kSamePosition = 0.05f;
// Beam and notes share one staff, so its step scale cancels out: the stems
// are worked out on a staff of size 1 whose step 0 lies at Y = 0.
constexpr float kStaffScale = kStepScalePerSize;
constexpr float kStepsUnits = 7.0f;
constexpr float kTremoloStem = 100.0f;  // |P8| from here on: a tremolo stem
constexpr float kQuarter = 1.0f;        // P7 of a quarter note: its stem stands alone
constexpr float kHundredths = 100.0f;   // stem lengths are kept to 0.01 step
constexpr int kCueStep = 100;

std::string withItem(const char* text, int item) {
  char number[16];
  std::snprintf(number, sizeof number, "%5d", item);
  return std::string(text) + number;
}

BeamParameters parametersOf(const PageStore& page, int beam) {
  return beamParameters([&](int i) { return page.param(beam, i); });
}

bool sameStaff(const PageStore& page, int a, int b) {
  return truncToInt(page.param(a, 2)) == truncToInt(page.param(b, 2));
}

// A note's stem, worked out as the note drawing places it.
struct Stem {
  float x = 0;       // where the stem stands
  float noteY = 0;   // the head's step, in page units
  float scale = 0;   // the note's scale
  int flags = 0;
};

Stem stemOf(const PageStore& page, int k, bool up) {
  const auto p = [&](int i) { return page.param(k, i); };
  Stem stem;
  stem.scale = kStaffScale * noteScaleFactor(p(4), p(15));
  const float headSize = p(20) == 0.0f ? 1.0f : p(20);
  const float width = headWidthUnits(headShape(truncToInt(p(6))).type) * stem.scale * headSize;
  const float x = p(3) * kUnitsPerP3 + headShift(p(10), width, kStaffScale);
  stem.x = up ? x + width : x;
  stem.noteY = itemStep(kCodeNote, p(4)) * kStepsUnits * kStaffScale;
  stem.flags = std::abs(truncToInt(p(9))) % 10;
  return stem;
}

bool standsAt(const PageStore& page, int k, float position) {
  return std::fabs(page.param(k, 3) - position) <= kSamePosition;
}

// The notes whose stems point toward the beam, or a refusal.
BeamPlan checkNotes(const PageStore& page, int beam, const std::vector<int>& notes) {
  BeamPlan plan;
  const BeamParameters p = parametersOf(page, beam);
  const auto hasNoteAt = [&](float position) {
    return std::any_of(notes.begin(), notes.end(), [&](int k) { return standsAt(page, k, position); });
  };
  if (!hasNoteAt(p.p3) || !hasNoteAt(p.p6)) {
    plan.refusal = withItem(messages::kBeamOutOfRange, beam);
    return plan;
  }
  for (const int k : notes) {
    if (std::fabs(page.param(k, 8)) >= kTremoloStem || page.param(k, 7) >= kQuarter) {
      plan.refusal = withItem(messages::kBeamOutOfRange, k);
      return plan;
    }
  }
  return plan;
}

float roundedLength(float p8) { return std::round(p8 * kHundredths) / kHundredths; }

// The step of the outermost note at a beam's end: the highest for stems
// up, the lowest for stems down; `current` when no note stands there.
float outerStep(const PageStore& page, int beam, float position, bool up, float current) {
  bool found = false;
  float outer = current;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeNote || !sameStaff(page, k, beam) || !standsAt(page, k, position)) continue;
    const float step = itemStep(kCodeNote, page.param(k, 4));
    if (!found || (up ? step > outer : step < outer)) outer = step;
    found = true;
  }
  return outer;
}

float withCueHundreds(float p4, float step) {
  if (std::fabs(p4) < static_cast<float>(kCueStep)) return step;
  return step + (step >= 0.0f ? kCueStep : -kCueStep);
}

float flippedDirection(float p7) {
  const int whole = std::abs(truncToInt(p7));
  const bool up = (whole / 10) % 10 == 1;
  const float tens = static_cast<float>((whole / 10) % 10 * 10);
  const float turned = std::fabs(p7) - tens + (up ? 20.0f : 10.0f);
  return p7 < 0.0f ? -turned : turned;
}

}  // namespace

int stemTens(float p5) { return (std::abs(truncToInt(p5)) / 10) % 10; }

float flippedStemCode(float p5) {
  const int tens = stemTens(p5);
  if (tens != 1 && tens != 2) return p5;
  const float change = tens == 1 ? 10.0f : -10.0f;
  return p5 < 0.0f ? p5 - change : p5 + change;
}

float stemLengthToReach(float noteY, float beamY, bool up, float noteScale, int flags) {
  const float reach = (up ? beamY - noteY : noteY - beamY) / (kStepsUnits * noteScale);
  return reach - stemSteps(flags, 0.0f);
}

std::vector<int> stemmedNotesUnderBeam(const PageStore& page, int beam) {
  const float a = page.param(beam, 3), b = page.param(beam, 6);
  const float left = std::min(a, b) - kSamePosition, right = std::max(a, b) + kSamePosition;
  std::vector<int> notes;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeNote || !sameStaff(page, k, beam) || stemTens(page.param(k, 5)) == 0) continue;
    const float x = page.param(k, 3);
    if (x >= left && x <= right) notes.push_back(k);
  }
  return notes;
}

BeamPlan planStemAdjustment(const PageStore& page, int beam) {
  const BeamParameters p = parametersOf(page, beam);
  const BeamGeometry g = beamGeometry(p, kStaffScale, 0.0f);
  std::vector<int> notes = stemmedNotesUnderBeam(page, beam);
  const int toward = g.up ? 1 : 2;
  std::erase_if(notes, [&](int k) { return stemTens(page.param(k, 5)) != toward; });
  BeamPlan plan = checkNotes(page, beam, notes);
  if (!plan.refusal.empty()) return plan;
  for (const int k : notes) {
    const Stem stem = stemOf(page, k, g.up);
    const float p8 = roundedLength(stemLengthToReach(stem.noteY, beamLineY(g, stem.x), g.up, stem.scale, stem.flags));
    // A beam 100 steps or more away (or a note scaled almost to nothing)
    // would need a length that reads as a tremolo: refused, not stored.
    if (!(std::fabs(p8) < kTremoloStem)) return {{}, withItem(messages::kBeamOutOfRange, k)};
    if (p8 != page.param(k, 8)) plan.changes.push_back({k, 8, p8});
  }
  return plan;
}

BeamPlan planBeamFlip(const PageStore& page, int beam) {
  const BeamParameters p = parametersOf(page, beam);
  const bool up = beamGeometry(p, kStaffScale, 0.0f).up;
  BeamPlan flip;
  for (const int k : stemmedNotesUnderBeam(page, beam)) {
    if (stemTens(page.param(k, 5)) != (up ? 1 : 2)) return {{}, withItem(messages::kBeamMismatch, beam)};
    flip.changes.push_back({k, 5, flippedStemCode(page.param(k, 5))});
  }
  const float left = outerStep(page, beam, p.p3, !up, itemStep(kCodeBeam, p.p4));
  flip.changes.push_back({beam, 7, flippedDirection(p.p7)});
  flip.changes.push_back({beam, 4, withCueHundreds(p.p4, left)});
  flip.changes.push_back({beam, 5, outerStep(page, beam, p.p6, !up, p.p5)});
  PageStore flipped = page;
  if (!applyChanges(flipped, flip.changes)) return {{}, messages::kPageFull};
  BeamPlan stems = planStemAdjustment(flipped, beam);
  if (!stems.refusal.empty()) return stems;
  flip.changes.insert(flip.changes.end(), stems.changes.begin(), stems.changes.end());
  return flip;
}

bool applyChanges(PageStore& page, const std::vector<ParameterChange>& changes) {
  std::map<int, ItemRecord> records;
  int growth = 0;
  for (const ParameterChange& c : changes) {
    if (c.item < 1 || c.item > page.itemCount() || c.parameter < 1 || c.parameter > kMaxStoredParams) return false;
    auto [place, added] = records.try_emplace(c.item, page.record(c.item));
    std::vector<float>& params = place->second.params;
    if (static_cast<int>(params.size()) < c.parameter) {
      growth += c.parameter - static_cast<int>(params.size());
      params.resize(static_cast<size_t>(c.parameter), 0.0f);
    }
    params[static_cast<size_t>(c.parameter - 1)] = c.value;
  }
  if (!page.hasRoomFor(growth)) return false;
  for (const auto& [item, record] : records) {
    if (!page.replace(item, record)) return false;
  }
  return true;
}

}  // namespace ts
