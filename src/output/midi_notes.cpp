#include "output/midi_notes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <map>
#include <span>

#include "model/page_store.h"
#include "output/midi_pitch.h"

namespace ts {
namespace {

constexpr int kRhythmParam = 7;
constexpr double kDotUnit = 1000.0;   // a dotted value's P7 carries 1000 x its dots
constexpr int64_t kTieReach = 5;      // positions (2.5 P3) a tie's end may lie from its note's head
constexpr size_t kMostChordNotes = 16; // notes of one position a tie looks among
constexpr int kSpanToTop = 999;       // a bar's P4 of 999 reaches the top staff
constexpr int64_t kOutOfReach = 100000; // a note number this far out stays out of range under any transposition

int64_t distance(int64_t a, int64_t b) { return a > b ? a - b : b - a; }

int64_t localPosition(float p3) { return truncToInt(2.0 * static_cast<double>(p3)); }

double defaultQuarters(const PageStore& page, int item) {
  if (page.code(item) == kCodeNote) {
    const int head = truncToInt(page.param(item, 6));
    return head == 1 ? 2.0 : head == 3 ? 8.0 : 4.0;
  }
  const int restType = truncToInt(std::fmod(page.param(item, 5), 100.0f));
  return restType >= -3 && restType <= 6 ? std::ldexp(1.0, -restType) : 4.0;
}

// True when a bar line item stands on this staff or spans it from below.
bool barCoversStaff(const PageStore& page, int item, int staff) {
  const int64_t first = truncToInt(page.param(item, 2));
  const int p4 = truncToInt(page.param(item, 4));
  const int64_t span = p4 == kSpanToTop ? staff : std::max<int64_t>(1, distance(p4, 0));
  return first <= staff && staff <= first + span - 1;
}

bool takesPart(const PageStore& page, int item, int staff) {
  const int code = page.code(item);
  if (code == kCodeBars) return barCoversStaff(page, item, staff);
  if (truncToInt(page.param(item, 2)) != staff) return false;
  return code == kCodeNote || code == kCodeRest || code == kCodeClef || code == kCodeSlur || code == kCodeTrill ||
         code == kCodeKeySignature;
}

struct PlacedItem {
  int item = 0;
  int64_t position = 0;
};

// The items of one staff that playback reads, in position order.
std::vector<PlacedItem> staffItems(const PageStore& page, int staff) {
  std::vector<PlacedItem> items;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (takesPart(page, k, staff)) items.push_back({k, localPosition(page.param(k, 3))});
  }
  std::stable_sort(items.begin(), items.end(), [](const PlacedItem& a, const PlacedItem& b) { return a.position < b.position; });
  return items;
}

struct OctaveSign {
  int64_t from = 0, to = 0;
  int shift = 0;
};

struct Tie {
  int64_t from = 0, to = 0;
  int step = 0;
};

// What one walk along a staff knows: the clef, the key, the accidentals
// written so far in the bar, and the octave signs and ties met.
struct StaffWalk {
  int staff = 0;
  int64_t offset = 0;
  int clefBase = kTrebleClefBase;
  int key = 0;
  std::map<int, int> barAccidentals;  // pitch step -> semitones, until the next bar line
  std::vector<OctaveSign> octaveSigns;
  std::vector<Tie> ties;
};

// Semitones a note's step gets: its own accidental, which then holds for
// the step to the end of the bar, else one written earlier in the bar, else
// the key's.
int pitchOffset(StaffWalk& walk, int step, int accidental) {
  if (accidentalSetsPitch(accidental)) return walk.barAccidentals[step] = accidentalOffset(accidental);
  const auto written = walk.barAccidentals.find(step);
  return written != walk.barAccidentals.end() ? written->second : keyOffset(walk.key, step);
}

void addNoteOrRest(const PageStore& page, const PlacedItem& placed, StaffWalk& walk, TrackNotes& out) {
  bool missing = false;
  const std::optional<double> quarters = playedQuarters(page, placed.item, missing);
  if (!quarters) return;
  if (out.notes.size() >= static_cast<size_t>(kMostTrackNotes)) {
    out.overflow = true;
    return;
  }
  if (missing) out.missing.push_back({placed.item, walk.staff, page.param(placed.item, 3)});
  MidiNote note;
  note.code = page.code(placed.item);
  note.item = placed.item;
  note.position = placed.position + walk.offset;
  note.quarters = *quarters;
  if (note.code == kCodeNote) {
    note.staffStep = truncToInt(std::fmod(page.param(placed.item, 4), 100.0f));
    note.pitchStep = pitchStep(walk.clefBase, page.param(placed.item, 4));
    note.midiNote = midiNoteNumber(note.pitchStep, pitchOffset(walk, note.pitchStep, accidentalCode(page.param(placed.item, 5))));
  }
  out.notes.push_back(note);
}

void readStaffItem(const PageStore& page, const PlacedItem& placed, StaffWalk& walk, TrackNotes& out) {
  const int k = placed.item;
  switch (page.code(k)) {
    case kCodeClef: walk.clefBase = clefBaseStep(page.param(k, 5)); break;
    case kCodeKeySignature: walk.key = keySignatureCount(page.param(k, 5)); break;
    case kCodeBars: walk.barAccidentals.clear(); break;
    case kCodeSlur: walk.ties.push_back({placed.position, localPosition(page.param(k, 6)), truncToInt(std::fmod(page.param(k, 4), 100.0f))}); break;
    case kCodeTrill:
      if (const std::optional<int> shift = octaveSignShift(page.param(k, 7))) {
        walk.octaveSigns.push_back({placed.position, localPosition(page.param(k, 6)), *shift});
      }
      break;
    default: addNoteOrRest(page, placed, walk, out); break;
  }
}

// Sweeps the staff's notes (in position order) past the starts and ends of
// the octave signs, so that many signs over many notes stay cheap.
void applyOctaveSigns(const StaffWalk& walk, std::span<MidiNote> notes) {
  std::vector<std::pair<int64_t, int>> changes;  // local position, change of shift from there on
  for (const OctaveSign& sign : walk.octaveSigns) {
    if (sign.from > sign.to) continue;
    changes.emplace_back(sign.from, sign.shift);
    changes.emplace_back(sign.to + 1, -sign.shift);
  }
  std::sort(changes.begin(), changes.end());
  size_t next = 0;
  int64_t shift = 0;
  for (MidiNote& note : notes) {
    const int64_t local = note.position - walk.offset;
    while (next < changes.size() && changes[next].first <= local) shift += changes[next++].second;
    if (note.code == kCodeNote) note.midiNote = static_cast<int>(std::clamp<int64_t>(note.midiNote + shift, -kOutOfReach, kOutOfReach));
  }
}

// The sounding notes at the position nearest `target` within a tie's
// reach: their indices in `notes` (a staff's part of the list), nearest
// position only, at most a chord's worth.
std::vector<size_t> notesNear(std::span<const MidiNote> notes, int64_t target) {
  const auto byPosition = [](const MidiNote& n, int64_t p) { return n.position < p; };
  const auto first = std::lower_bound(notes.begin(), notes.end(), target - kTieReach, byPosition);
  int64_t best = kTieReach + 1;
  for (auto it = first; it != notes.end() && it->position <= target + kTieReach; ++it) {
    if (it->code == kCodeNote && !it->grace()) best = std::min(best, distance(it->position, target));
  }
  std::vector<size_t> found;
  for (auto it = first; it != notes.end() && it->position <= target + kTieReach && found.size() < kMostChordNotes; ++it) {
    if (it->code == kCodeNote && !it->grace() && distance(it->position, target) == best) found.push_back(static_cast<size_t>(it - notes.begin()));
  }
  return found;
}

// A slur whose two ends stand at two notes of the same step is a tie: the
// first note holds through the second, which takes its pitch and is not
// struck again. Among the notes of a chord the pair nearest the tie's step
// is taken.
void applyTie(const Tie& tie, int64_t offset, std::span<MidiNote> notes) {
  const std::vector<size_t> left = notesNear(notes, tie.from + offset);
  const std::vector<size_t> right = notesNear(notes, tie.to + offset);
  std::optional<std::pair<size_t, size_t>> best;
  int bestDistance = 0;
  for (const size_t l : left) {
    for (const size_t r : right) {
      const MidiNote &a = notes[l], &b = notes[r];
      if (b.position <= a.position || a.pitchStep != b.pitchStep || a.tieNext >= 0 || b.tiedOn) continue;
      const int stepDistance = std::abs(a.staffStep - tie.step);
      if (!best || stepDistance < bestDistance) {
        best = std::pair{l, r};
        bestDistance = stepDistance;
      }
    }
  }
  if (!best) return;
  notes[best->first].tieNext = static_cast<int>(best->second);
  notes[best->second].tiedOn = true;
}

void walkStaff(const PageStore& page, StaffWalk walk, TrackNotes& out) {
  const size_t start = out.notes.size();
  for (const PlacedItem& placed : staffItems(page, walk.staff)) readStaffItem(page, placed, walk, out);
  const std::span<MidiNote> notes(out.notes.data() + start, out.notes.size() - start);
  applyOctaveSigns(walk, notes);
  for (const Tie& tie : walk.ties) applyTie(tie, walk.offset, notes);
  // Tie links are kept as indices into the whole list; a tied note sounds at the pitch it is held from.
  for (MidiNote& note : notes) {
    if (note.tieNext < 0) continue;
    note.tieNext += static_cast<int>(start);
    out.notes[static_cast<size_t>(note.tieNext)].midiNote = note.midiNote;
  }
}

}  // namespace

std::optional<double> playedQuarters(const PageStore& page, int item, bool& missing) {
  missing = false;
  const float p7 = page.param(item, kRhythmParam);
  if (page.paramCount(item) >= kRhythmParam && std::isfinite(p7)) {
    if (p7 < 0.0f) return std::nullopt;
    const double value = p7 >= kDotUnit ? std::fmod(static_cast<double>(p7), kDotUnit) : p7;
    if (value > 0.0) return value;
  }
  missing = true;
  return defaultQuarters(page, item);
}

TrackNotes extractTrackNotes(const PageStore& page, const MidiTrack& track) {
  TrackNotes out;
  const int staves = track.staffCount();
  for (int i = 0; i < staves && !out.overflow; ++i) {
    StaffWalk walk;
    walk.staff = track.staves[static_cast<size_t>(i)];
    walk.offset = kStaffPositionSpan * i;
    walkStaff(page, std::move(walk), out);
  }
  return out;
}

}  // namespace ts
