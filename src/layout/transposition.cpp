// Transposing a range staff by staff. Every change of a staff is worked
// out from the page as it stood (the clef and key in force at each note)
// and written afterwards, so that no note reads a key already changed.

#include "layout/transposition.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <set>

#include "layout/notes_builder.h"
#include "layout/transposition_enharmonic.h"
#include "model/page_store.h"

namespace ts {
namespace {

namespace msg = transposition_messages;

constexpr float kTolerance = 0.001f;      // P3 units an item may stand outside the range
constexpr float kPacking = 100.0f;        // a step's hundreds carry other meanings
constexpr int kNaturalsKey = 100;         // |P5| of a key signature of naturals
constexpr int kLargestKey = 7;
constexpr int kMiddleLine = 7;
constexpr int kLowestLine = 3, kHighestLine = 11;
constexpr int kStemUp = 1, kStemDown = 2;
constexpr int kRhythmParam = 7;
constexpr int kBeamParams = 5;            // a beam with more holds both ends
constexpr int kChordParams = 6;           // a chord with more holds its root in P7
constexpr float kFingeringGrids[] = {-1.0f, -2.0f};
constexpr float kKeyBesideItem = 1.0f;    // P3 units right of a staff's leftmost item

struct Change {
  int item;
  int param;
  float value;
};

struct Plan {
  std::vector<Change> changes;
  bool fingeringsTold = false;
};

int staffOf(const PageStore& page, int k) { return truncToInt(page.param(k, 2)); }

bool inRange(float x, const TransposeRange& range) {
  return x >= range.left - kTolerance && x <= range.right + kTolerance;
}

bool inStaffRange(const PageStore& page, int k, int staff, const TransposeRange& range) {
  return staffOf(page, k) == staff && inRange(page.param(k, 3), range);
}

// Beams and slurs take part when their rounded ends overlap the range.
bool overlapsRange(const PageStore& page, int k, const TransposeRange& range) {
  return std::round(page.param(k, 3)) <= std::ceil(range.right) &&
         std::round(page.param(k, 6)) >= std::floor(range.left);
}

bool isCueNote(float p4) { return truncToInt(std::fabs(p4) / kPacking) == 1; }

int stepOf(float p4) { return truncToInt(std::fmod(p4, kPacking)); }

int digitOf(float value, int place) {
  const int whole = truncToInt(value);
  return whole < 0 ? -1 : (whole / place) % 10;
}

// Sets a parameter, growing the item when it stores fewer; a full store
// keeps the item as it was.
bool setGrowing(PageStore& page, int k, int i, float value) {
  if (page.param(k, i) == value) return false;
  if (page.paramCount(k) >= i) return page.setParam(k, i, value);
  ItemRecord record = page.record(k);
  if (page.code(k) == kCodeText) return false;
  record.params.resize(static_cast<size_t>(i), 0.0f);
  record.params[static_cast<size_t>(i - 1)] = value;
  return page.replace(k, record);
}

// The leftmost position of the codes on the staff; nothing when none stands there.
std::optional<float> leftmostOf(const PageStore& page, int staff, std::initializer_list<int> codes, float after) {
  std::optional<float> leftmost;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const float x = page.param(k, 3);
    if (staffOf(page, k) != staff || !(x > after)) continue;
    if (codes.size() > 0 && std::find(codes.begin(), codes.end(), page.code(k)) == codes.end()) continue;
    if (!leftmost || x < *leftmost) leftmost = x;
  }
  return leftmost;
}

constexpr float kAnywhere = -1.0e30f;

// Midway between the staff's first clef and the item after it, or beside
// the staff's leftmost item when it has no clef.
float keyPosition(const PageStore& page, int staff) {
  const std::optional<float> clef = leftmostOf(page, staff, {kCodeClef}, kAnywhere);
  if (!clef) return leftmostOf(page, staff, {}, kAnywhere).value_or(0.0f) + kKeyBesideItem;
  const std::optional<float> next = leftmostOf(page, staff, {}, *clef);
  return next ? (*clef + *next) / 2.0f : *clef;
}

bool keyBefore(const PageStore& page, int staff, float x) {
  const std::optional<float> key = leftmostOf(page, staff, {kCodeKeySignature}, kAnywhere);
  return key && *key <= x + kTolerance;
}

// A key signature for the new key goes on a staff with notes that had none
// before its first note or rest.
bool addsKeySignature(const PageStore& page, int staff, const TransposeOptions& options) {
  if (!options.addKeySignature || options.halfSteps % kHalfStepsPerOctave == 0) return false;
  const std::optional<float> firstNote = leftmostOf(page, staff, {kCodeNote, kCodeRest}, kAnywhere);
  return firstNote && !keyBefore(page, staff, *firstNote);
}

class StaffTransposer {
 public:
  StaffTransposer(const PageStore& page, int staff, const TransposeRange& range, const TransposeOptions& options,
                  int keyChange)
      : m_page(page), m_staff(staff), m_range(range), m_options(options), m_keyChange(keyChange),
        m_addsKey(addsKeySignature(page, staff, options)) {}

  void plan(Plan& plan) const {
    for (int k = 1; k <= m_page.itemCount(); ++k) {
      if (staffOf(m_page, k) != m_staff) continue;
      switch (m_page.code(k)) {
        case kCodeNote: planNote(k, plan); break;
        case kCodeKeySignature: planKeySignature(k, plan); break;
        case kCodeBeam: planBeam(k, plan); break;
        case kCodeSlur: planSlur(k, plan); break;
        case kCodeCircle: planChord(k, plan); break;
        case kCodeClef: planClef(k, plan); break;
        default: break;
      }
    }
  }

 private:
  int clefAt(float x) const { return clefInForce(m_page, m_staff, x); }
  int newClefAt(float x) const { return m_options.clef == ClefChoice::None ? clefAt(x) : static_cast<int>(m_options.clef); }
  // The key signature in force at x: the rightmost at or before it.
  int keyItemAt(float x) const {
    int found = 0;
    for (int k = 1; k <= m_page.itemCount(); ++k) {
      if (m_page.code(k) != kCodeKeySignature || staffOf(m_page, k) != m_staff) continue;
      const float at = m_page.param(k, 3);
      if (at <= x + kTolerance && (found == 0 || at >= m_page.param(found, 3))) found = k;
    }
    return found;
  }
  int keyOf(int k) const {
    const int key = truncToInt(m_page.param(k, 5));
    return std::abs(key) >= kNaturalsKey ? 0 : std::clamp(key, -kLargestKey, kLargestKey);
  }
  bool rewritesKey(int k) const {
    return inRangeHere(k) && m_page.param(k, 8) == 0.0f && std::fabs(m_page.param(k, 5)) < kNaturalsKey;
  }
  int keyAt(float x) const {
    const int k = keyItemAt(x);
    return k == 0 ? 0 : keyOf(k);
  }
  // The key the page shows at x once transposed: a key signature of the
  // range rewritten, one left of the range as it was, the one added.
  int shownKeyAfter(float x) const {
    const int k = keyItemAt(x);
    if (k == 0) return m_addsKey ? m_keyChange : 0;
    return rewritesKey(k) ? wrappedKey(keyOf(k) + m_keyChange) : keyOf(k);
  }
  int keyWrapAt(float x) const {
    const int sum = keyAt(x) + m_keyChange;
    return wrappedKey(sum) - sum;
  }
  // Steps every mark at x moves with its notes: the shift, the enharmonic
  // key's letter, and the new clef's offset.
  int stepsAt(float x) const {
    return diatonicShift(m_options.halfSteps) + enharmonicLetterStep(keyWrapAt(x)) + clefBase(clefAt(x)) -
           clefBase(newClefAt(x));
  }
  bool inRangeHere(int k) const { return inStaffRange(m_page, k, m_staff, m_range); }

  void planNote(int k, Plan& plan) const {
    const float p4 = m_page.param(k, 4);
    if (!inRangeHere(k)) return;
    const float x = m_page.param(k, 3);
    if (isCueNote(p4) && !m_options.cueNotes) {
      // Cue notes left at their pitch still follow a new clef.
      plan.changes.push_back({k, 4, movedPackedStep(p4, clefBase(clefAt(x)) - clefBase(newClefAt(x)))});
      return;
    }
    const int key = keyAt(x);
    const int step = stepOf(p4);
    const int absolute = step + clefBase(clefAt(x));
    const float p5 = m_page.param(k, 5);
    const int digit = digitOf(p5, 1);
    const std::optional<int> written = alterationOfDigit(digit);
    const Spelling before{absolute, written.value_or(keyAlteration(key, letterOfStep(absolute)))};
    const Spelling after = transposedSpelling(before, m_options.halfSteps, keyWrapAt(x));
    const int newStep = after.step - clefBase(newClefAt(x));
    plan.changes.push_back({k, 4, movedPackedStep(p4, newStep - step)});
    int newDigit = digit;
    const bool keyDisagrees = keyAlteration(shownKeyAfter(x), letterOfStep(after.step)) != after.alteration;
    if (written || (digit == 0 && keyDisagrees)) newDigit = accidentalDigit(after.alteration);
    plan.changes.push_back({k, 5, withStem(p5, newDigit, newStep)});
  }

  // P5 with a new accidental digit, and the stem turned by its step when
  // stems are normalised; its fraction and hundreds stay.
  float withStem(float p5, int newDigit, int newStep) const {
    const int digit = digitOf(p5, 1);
    if (digit < 0) return p5;
    float value = p5 + static_cast<float>(newDigit - digit);
    const int stem = digitOf(p5, 10);
    if (m_options.normalizeStems && (stem == kStemUp || stem == kStemDown))
      value += static_cast<float>(10 * (normalStemDigit(newStep) - stem));
    return value;
  }

  void planKeySignature(int k, Plan& plan) const {
    if (!inRangeHere(k)) return;
    if (rewritesKey(k)) plan.changes.push_back({k, 5, static_cast<float>(wrappedKey(keyOf(k) + m_keyChange))});
    if (m_options.clef != ClefChoice::None) {
      const bool small = m_page.param(k, 6) >= kPacking;
      plan.changes.push_back({k, 6, (small ? kPacking : 0.0f) + static_cast<float>(m_options.clef)});
    }
  }

  void planBeam(int k, Plan& plan) const {
    if (m_page.paramCount(k) <= kBeamParams || !overlapsRange(m_page, k, m_range)) return;
    const int steps = stepsAt(m_page.param(k, 3));
    plan.changes.push_back({k, 4, movedPackedStep(m_page.param(k, 4), steps)});
    plan.changes.push_back({k, 5, m_page.param(k, 5) + static_cast<float>(steps)});
  }

  void planSlur(int k, Plan& plan) const {
    if (m_page.paramCount(k) < kBeamParams || !overlapsRange(m_page, k, m_range)) return;
    const int steps = stepsAt(m_page.param(k, 3));
    const float left = m_page.param(k, 4), right = m_page.param(k, 5);
    const float curve = m_page.param(k, 7);
    const float movedLeft = movedSlurEnd(left, steps, curve);
    // A tie's two ends stay level: the right end takes the left end's step.
    const float movedRight = left == right ? movedLeft : movedSlurEnd(right, steps, curve);
    plan.changes.push_back({k, 4, movedLeft});
    plan.changes.push_back({k, 5, movedRight});
  }

  static bool onStaffLine(float step) {
    const int whole = truncToInt(step);
    return static_cast<float>(whole) == step && whole % 2 != 0 && whole >= kLowestLine && whole <= kHighestLine;
  }

  // An end the move brings onto a staff line goes one step off it, to the
  // side its curve opens to (above the middle line when it has none); an
  // end that stood on a line stays on one, as its maker put it there.
  static float movedSlurEnd(float step, int steps, float curve) {
    const float moved = step + static_cast<float>(steps);
    if (steps == 0 || onStaffLine(step) || !onStaffLine(moved)) return moved;
    const bool up = curve > 0.0f || (curve == 0.0f && moved >= static_cast<float>(kMiddleLine));
    return moved + (up ? 1.0f : -1.0f);
  }

  void planChord(int k, Plan& plan) const {
    const float p5 = m_page.param(k, 5), p7 = m_page.param(k, 7);
    if (m_page.paramCount(k) <= kChordParams || p5 >= 0.0f || p7 == 0.0f || !inRangeHere(k)) return;
    if (const std::optional<int> root = transposedChordRoot(truncToInt(p7), m_options.halfSteps))
      plan.changes.push_back({k, 7, static_cast<float>(*root)});
    if (std::find(std::begin(kFingeringGrids), std::end(kFingeringGrids), p5) != std::end(kFingeringGrids))
      plan.fingeringsTold = true;
  }

  void planClef(int k, Plan& plan) const {
    if (m_options.clef == ClefChoice::None || !inRangeHere(k)) return;
    plan.changes.push_back({k, 5, static_cast<float>(m_options.clef)});
  }

  const PageStore& m_page;
  int m_staff;
  const TransposeRange& m_range;
  const TransposeOptions& m_options;
  int m_keyChange;
  bool m_addsKey;
};

std::optional<std::string> missingRhythm(const PageStore& page, const TransposeRange& range) {
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int code = page.code(k), staff = staffOf(page, k);
    if (code != kCodeNote && code != kCodeRest) continue;
    if (staff < range.firstStaff || staff > range.lastStaff || !inRange(page.param(k, 3), range)) continue;
    if (page.paramCount(k) >= kRhythmParam && page.param(k, kRhythmParam) > 0.0f) continue;
    char text[64];
    std::snprintf(text, sizeof text, "%s%4d", msg::kMissingRhythm, k);
    return text;
  }
  return std::nullopt;
}

bool addKeySignature(PageStore& page, int staff, int key, std::vector<std::string>& messages) {
  const float x = keyPosition(page, staff);
  const int clef = clefInForce(page, staff, x);
  const float pattern = clef <= static_cast<int>(ClefChoice::Tenor) ? static_cast<float>(clef) : 0.0f;
  ItemRecord record;
  record.params = {static_cast<float>(kCodeKeySignature), static_cast<float>(staff), x, 0.0f,
                   static_cast<float>(key), pattern};
  if (page.append(record) != 0) return true;
  messages.push_back(std::string(msg::kNoRoomForKey) + " " + std::to_string(staff) + ".");
  return false;
}

std::vector<int> stavesOf(const PageStore& page, const TransposeRange& range) {
  std::set<int> staves;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int staff = staffOf(page, k);
    if (page.code(k) != kCodeStaff && staff >= range.firstStaff && staff <= range.lastStaff) staves.insert(staff);
  }
  return {staves.begin(), staves.end()};
}

bool apply(PageStore& page, const std::vector<Change>& changes) {
  bool changed = false;
  for (const Change& change : changes) changed = setGrowing(page, change.item, change.param, change.value) || changed;
  return changed;
}

std::vector<float> timedPositions(const PageStore& page, int staff) {
  std::vector<float> positions;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int code = page.code(k);
    if ((code == kCodeNote || code == kCodeRest) && staffOf(page, k) == staff) positions.push_back(page.param(k, 3));
  }
  std::sort(positions.begin(), positions.end(), [](float a, float b) { return a < b; });
  positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
  return positions;
}

constexpr float kSameColumn = 0.01f;  // P3 units: positions one justification gave alike

bool shareColumns(const std::vector<float>& a, const std::vector<float>& b) {
  const std::vector<float>& fewer = a.size() <= b.size() ? a : b;
  const std::vector<float>& more = a.size() <= b.size() ? b : a;
  if (fewer.empty()) return false;
  size_t shared = 0;
  for (const float x : fewer) {
    const auto at = std::lower_bound(more.begin(), more.end(), x - kSameColumn);
    if (at != more.end() && *at <= x + kSameColumn) ++shared;
  }
  return 2 * shared > fewer.size();
}

}  // namespace

std::vector<std::vector<int>> systemsOfStaves(const PageStore& page, const std::vector<int>& staves) {
  std::vector<std::vector<int>> systems;
  std::vector<float> previous;
  for (const int staff : staves) {
    std::vector<float> positions = timedPositions(page, staff);
    const bool joins = !systems.empty() && systems.back().back() + 1 == staff && shareColumns(previous, positions);
    if (joins) systems.back().push_back(staff);
    else systems.push_back({staff});
    previous = std::move(positions);
  }
  return systems;
}

float movedPackedStep(float packed, int steps) {
  const float step = std::fmod(packed, kPacking);
  const float hundreds = std::fabs(packed - step);
  const float moved = step + static_cast<float>(steps);
  if (hundreds == 0.0f) return moved;
  return moved < 0.0f ? -(hundreds + std::fabs(moved)) : hundreds + moved;
}

int normalStemDigit(int step) { return step >= kMiddleLine ? kStemDown : kStemUp; }

TransposeOutcome transposeRange(PageStore& page, const TransposeRange& range, const TransposeOptions& options) {
  TransposeOutcome outcome;
  if (page.itemCount() < 2) return outcome;
  const bool enharmonic = options.halfSteps == kEnharmonicUp || options.halfSteps == kEnharmonicDown;
  const std::optional<int> keyChange = enharmonic ? std::optional<int>(0) : keySignatureChange(options.halfSteps);
  if (!keyChange) {
    outcome.refusal = msg::kAmountOutOfRange;
    return outcome;
  }
  if (const std::optional<std::string> missing = missingRhythm(page, range)) {
    outcome.refusal = *missing;
    return outcome;
  }
  if (enharmonic) {
    enharmonicChange(page, range, options.cueNotes, options.halfSteps > 0 ? 1 : -1, outcome);
    return outcome;
  }
  Plan plan;
  std::vector<int> keysAdded;
  for (const int staff : stavesOf(page, range)) {
    StaffTransposer(page, staff, range, options, *keyChange).plan(plan);
    if (addsKeySignature(page, staff, options)) keysAdded.push_back(staff);
    outcome.staves.push_back(staff);
  }
  outcome.changed = apply(page, plan.changes);
  if (plan.fingeringsTold) outcome.messages.push_back(msg::kFingerings);
  for (const int staff : keysAdded)
    outcome.changed = addKeySignature(page, staff, *keyChange, outcome.messages) || outcome.changed;
  return outcome;
}

}  // namespace ts
