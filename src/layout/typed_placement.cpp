// Placing typed notes. Without a spacing staff, key signatures and meters
// that close the stretch stand at its right end, every other item that is
// not a note or rest takes a fixed room, and the room left is shared out in
// proportion to the durations; then the stretch is justified. With a
// spacing staff, each note goes where its beat falls on that staff.

#include "layout/typed_placement.h"

#include <cmath>
#include <cstdio>

#include "layout/justification.h"
#include "layout/justification_columns.h"
#include "layout/justification_lineup.h"
#include "layout/justification_messages.h"
#include "layout/typed_rhythm.h"
#include "model/item_codes.h"
#include "model/page_store.h"

namespace ts {
namespace {

constexpr int kDurationParam = 7;
constexpr int kFlagsAndDotsParam = 9;
constexpr float kChordMember = -1.0f;      // P15 of a chord's further notes
constexpr float kSmallSize = 100.0f;       // P4 hundreds of a small note
constexpr float kGraceLead = 2.5f;         // space units a grace note stands before the note it leads to
constexpr double kSameQuarters = 0.007;    // totals closer than this hold the same quarters

// Room of items among the music, space units.
constexpr float kKeyAccidental = 2.8f, kKeyRoom = 2.0f, kKeyBeforeMeter = 0.3f;
constexpr float kBarRoom = 3.5f, kBarBeforeClef = 1.5f, kBarBeforeAccidental = 4.5f;
constexpr float kMeterRoom = 7.0f, kWideMeterRoom = 9.0f;
constexpr float kOtherRoom = 8.0f, kOpeningRoom = 9.0f;
constexpr int kFirstMarkCode = 19;
// Key signatures and meters closing the stretch.
constexpr float kClosingMeter = 4.0f, kClosingWideMeter = 7.0f, kClosingMeterGap = 1.5f;
constexpr float kClosingKeyAccidental = 2.8f, kClosingKeyExtra = 0.5f, kClosingKeyGap = 2.5f;

int codeOf(std::span<const float> params) { return truncToInt(paramOf(params, 1)); }

bool isNoteOrRest(std::span<const float> params) {
  const int code = codeOf(params);
  return code == kCodeNote || code == kCodeRest;
}

bool closes(std::span<const float> params) {
  const int code = codeOf(params);
  return code == kCodeKeySignature || code == kCodeMeter;
}

bool hasTwoDigits(std::span<const float> params) {
  for (int i : {5, 6, 8, 9}) {
    const float number = std::fabs(paramOf(params, i));
    if (number >= 10.0f && number < 98.0f) return true;
  }
  return false;
}

int keyAccidentals(std::span<const float> params) { return std::abs(truncToInt(paramOf(params, 5)) % 100); }

struct Entry {
  int item = 0;
  std::vector<float> params;
  bool chordMember = false;
};

std::vector<Entry> stretchEntries(const PageStore& page, const TypedStretch& stretch) {
  std::vector<Entry> entries;
  for (const int k : stretch.items) {
    if (k < 1 || k > page.itemCount()) continue;
    ItemRecord record = page.record(k);
    const bool member = record.code() == kCodeNote && record.p(15) == kChordMember;
    entries.push_back({k, std::move(record.params), member});
  }
  return entries;
}

// Sets P_i, storing further parameters when the item has fewer.
void setExtending(PageStore& page, int k, int i, float value) {
  if (page.paramCount(k) >= i) {
    page.setParam(k, i, value);
    return;
  }
  ItemRecord record = page.record(k);
  record.params.resize(static_cast<size_t>(i), 0.0f);
  record.params[static_cast<size_t>(i - 1)] = value;
  page.replace(k, record);
}

void giveNoteItsValue(PageStore& page, int k, const RhythmValue& value, bool member) {
  const int head = truncToInt(page.param(k, 6));
  const int type = headTypeOfValue(value.noteValue);
  if (head >= 0 && head <= 3) page.setParam(k, 6, static_cast<float>(type));
  if (head >= 10 && head <= 13) page.setParam(k, 6, static_cast<float>(10 + type));
  // A chord's flags hang on its first note; each note draws its own dots.
  setExtending(page, k, kFlagsAndDotsParam, member ? static_cast<float>(10 * value.dots) : flagsAndDots(value));
  const float p4 = page.param(k, 4);
  if (value.grace && std::fabs(p4) < kSmallSize) page.setParam(k, 4, p4 < 0.0f ? p4 - kSmallSize : p4 + kSmallSize);
}

void giveRestItsValue(PageStore& page, int k, const RhythmValue& value) {
  if (page.param(k, 5) == 0.0f) page.setParam(k, 5, static_cast<float>(restTypeOfValue(value.noteValue)));
  if (page.param(k, 6) >= 0.0f) page.setParam(k, 6, static_cast<float>(value.dots));
}

void giveValue(PageStore& page, const Entry& entry, const RhythmValue& value) {
  setExtending(page, entry.item, kDurationParam, value.duration);
  if (codeOf(entry.params) == kCodeNote) giveNoteItsValue(page, entry.item, value, entry.chordMember);
  else giveRestItsValue(page, entry.item, value);
}

// Gives every note and rest its value; the values of the rhythm takers in order.
std::vector<RhythmValue> giveValues(PageStore& page, const std::vector<Entry>& entries, std::span<const float> rhythms) {
  std::vector<RhythmValue> values;
  RhythmValue chord;
  for (const Entry& entry : entries) {
    if (!isNoteOrRest(entry.params)) continue;
    if (!entry.chordMember) {
      chord = rhythmValue(rhythms[values.size()]);
      values.push_back(chord);
    }
    giveValue(page, entry, chord);
  }
  return values;
}

std::string countMismatch(size_t rhythms, size_t needed) {
  char text[64];
  std::snprintf(text, sizeof text, "Mismatch --%3zu rhythms,%3zu needed.", rhythms, needed);
  return text;
}

size_t rhythmTakers(const std::vector<Entry>& entries) {
  size_t count = 0;
  for (const Entry& entry : entries) count += isNoteOrRest(entry.params) && !entry.chordMember ? 1 : 0;
  return count;
}

// ---- placing without a spacing staff --------------------------------------

// Places the closing key signatures and meters from the right end; returns
// where the music before them ends, and how many entries they are.
float placeClosingItems(PageStore& page, const std::vector<Entry>& body, float right, float scale, size_t& closing) {
  closing = 0;
  float at = right;
  for (size_t i = body.size(); i > 0 && closes(body[i - 1].params); --i) {
    const ClosingRoom room = closingRoomOf(body[i - 1].params);
    at -= room.width * scale;
    page.setParam(body[i - 1].item, 3, at);
    at -= room.gap * scale;
    ++closing;
  }
  return at;
}

std::span<const float> nextParams(const std::vector<Entry>& body, size_t i) {
  return i + 1 < body.size() ? std::span<const float>(body[i + 1].params) : std::span<const float>();
}

void placeByDurations(PageStore& page, const std::vector<Entry>& entries, const std::vector<RhythmValue>& values,
                      const TypedStretch& stretch, float scale) {
  std::vector<Entry> body;
  for (const Entry& entry : entries)
    if (!entry.chordMember) body.push_back(entry);
  size_t closing = 0;
  const float end = placeClosingItems(page, body, stretch.right, scale, closing);
  const size_t music = body.size() - closing;
  float fixedRoom = 0.0f, totalDuration = 0.0f;
  for (size_t i = 0; i < music; ++i) {
    if (!isNoteOrRest(body[i].params) && i + 1 < body.size())
      fixedRoom += roomOfTypedItem(body[i].params, nextParams(body, i), i < 2) * scale;
  }
  for (const RhythmValue& value : values) totalDuration += roomOfRhythm(value);
  const float roomLeft = std::max(0.0f, end - stretch.left - fixedRoom);
  float at = stretch.left;
  size_t next = 0;
  for (size_t i = 0; i < music; ++i) {
    page.setParam(body[i].item, 3, at);
    if (isNoteOrRest(body[i].params)) {
      if (totalDuration > 0.0f) at += roomOfRhythm(values[next]) / totalDuration * roomLeft;
      ++next;
    } else if (i + 1 < body.size()) {
      at += roomOfTypedItem(body[i].params, nextParams(body, i), i < 2) * scale;
    }
  }
}

// Chord members stand with the note before them.
void bringMembersToTheirChords(PageStore& page, const std::vector<Entry>& entries) {
  float chordAt = 0.0f;
  for (const Entry& entry : entries) {
    if (entry.chordMember) page.setParam(entry.item, 3, chordAt);
    else chordAt = page.param(entry.item, 3);
  }
}

// ---- placing against a spacing staff ---------------------------------------

std::vector<TimedItem> spacingStaffItems(const PageStore& page, int staff, const TypedStretch& stretch) {
  std::vector<TimedItem> items;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int code = page.code(k);
    if ((code != kCodeNote && code != kCodeRest) || truncToInt(page.param(k, 2)) != staff) continue;
    const float x = page.param(k, 3);
    if (x >= stretch.left - kRangeTolerance && x <= stretch.right + kRangeTolerance) items.push_back({x, page.param(k, 7)});
  }
  return items;
}

// Graces waiting right before the note at entry i (which is not itself one).
int gracesBefore(const std::vector<Entry>& body, const std::vector<RhythmValue>& values, size_t i, size_t next) {
  int graces = 0;
  for (; i < body.size() && next < values.size(); ++i) {
    if (!isNoteOrRest(body[i].params)) continue;
    if (!values[next++].grace) break;
    ++graces;
  }
  return graces;
}

void placeByBeats(PageStore& page, const std::vector<Entry>& entries, const std::vector<RhythmValue>& values,
                  const StaffBeats& spacing, const TypedStretch& stretch, float scale) {
  std::vector<Entry> body;
  for (const Entry& entry : entries)
    if (!entry.chordMember) body.push_back(entry);
  double beat = 0.0;
  size_t next = 0;
  float previous = stretch.left;
  for (size_t i = 0; i < body.size(); ++i) {
    const float atBeat = positionAtBeat(spacing, beat, stretch.right);
    if (!isNoteOrRest(body[i].params)) {
      page.setParam(body[i].item, 3, (previous + atBeat) / 2.0f);  // between the notes around it
      continue;
    }
    const RhythmValue& value = values[next];
    const int waiting = value.grace ? gracesBefore(body, values, i, next) : 0;
    previous = atBeat - static_cast<float>(waiting) * kGraceLead * scale;
    page.setParam(body[i].item, 3, previous);
    if (!value.grace) beat = roundedBeat(beat + value.duration);
    ++next;
  }
}

double typedQuarters(const std::vector<RhythmValue>& values) {
  double total = 0.0;
  for (const RhythmValue& value : values)
    if (!value.grace) total += value.duration;
  return total;
}

// True when the notes went by the spacing staff.
bool placeBySpacingStaff(PageStore& page, const std::vector<Entry>& entries, const std::vector<RhythmValue>& values,
                         const TypedStretch& stretch, int spacingStaff, PlacementResult& result) {
  const StaffBeats spacing = countBeats(spacingStaffItems(page, spacingStaff, stretch));
  if (spacing.columns.empty()) {
    result.messages.emplace_back(justification_messages::kNoRhythmsOnSpacingStaff);
    result.spacingStaffCleared = true;
    return false;
  }
  const double typed = typedQuarters(values);
  if (std::fabs(spacing.total - typed) > kSameQuarters) {
    result.messages.push_back(spacingMismatchMessage(spacing.total, typed));
    return false;
  }
  placeByBeats(page, entries, values, spacing, stretch, staffScale(page, stretch.staff));
  return true;
}

}  // namespace

float rhythmDuration(float code) {
  const float dots = std::floor(std::fabs(code) / 1000.0f);
  return std::fabs(code) - dots * 1000.0f;
}

float roomOfTypedItem(std::span<const float> params, std::span<const float> next, bool amongFirstTwo) {
  const int code = codeOf(params);
  const int nextCode = next.empty() ? 0 : codeOf(next);
  switch (code) {
    case kCodeKeySignature:
      return static_cast<float>(keyAccidentals(params)) * kKeyAccidental + kKeyRoom -
             (nextCode == kCodeMeter ? kKeyBeforeMeter : 0.0f);
    case kCodeBars:
      if (nextCode == kCodeClef || nextCode > 16) return kBarBeforeClef;
      if (nextCode == kCodeNote && accidentalWidth(paramOf(next, 5)) > 0.0f) return kBarBeforeAccidental;
      return kBarRoom;
    case kCodeMeter: return hasTwoDigits(params) ? kWideMeterRoom : kMeterRoom;
    default: {
      const float room = amongFirstTwo ? kOpeningRoom : kOtherRoom;
      return nextCode > 16 ? room + static_cast<float>(nextCode - kFirstMarkCode) : room;
    }
  }
}

ClosingRoom closingRoomOf(std::span<const float> params) {
  if (codeOf(params) == kCodeMeter) return {hasTwoDigits(params) ? kClosingWideMeter : kClosingMeter, kClosingMeterGap};
  return {static_cast<float>(keyAccidentals(params)) * kClosingKeyAccidental + kClosingKeyExtra, kClosingKeyGap};
}

PlacementResult placeTypedRhythms(PageStore& page, const TypedStretch& stretch, std::span<const float> rhythms,
                                  const Preferences& preferences, int spacingStaff) {
  PlacementResult result;
  const std::vector<Entry> entries = stretchEntries(page, stretch);
  const size_t needed = rhythmTakers(entries);
  if (needed != rhythms.size()) {
    result.messages.push_back(countMismatch(rhythms.size(), needed));
    return result;
  }
  const std::vector<RhythmValue> values = giveValues(page, entries, rhythms);
  const bool followed = spacingStaff > 0 && placeBySpacingStaff(page, entries, values, stretch, spacingStaff, result);
  if (!followed) {
    placeByDurations(page, entries, values, stretch, staffScale(page, stretch.staff));
    bringMembersToTheirChords(page, entries);
    const JustifyOutcome justified =
        justifyStaves(page, {stretch.staff, stretch.staff, stretch.left, stretch.right}, preferences);
    result.messages.insert(result.messages.end(), justified.messages.begin(), justified.messages.end());
  } else {
    bringMembersToTheirChords(page, entries);
  }
  result.placed = true;
  return result;
}

}  // namespace ts
