#include "interchange/page_to_score.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <set>

#include "interchange/interchange_messages.h"
#include "interchange/page_systems.h"
#include "interchange/pitch_mapping.h"

namespace ts::interchange {
namespace {

constexpr float kSamePlace = 0.01f;     // P3 units within which two items stand together
constexpr float kNearNote = 2.0f;       // P3 units within which a text or mark belongs to a note
constexpr float kGraceDuration = 64.0f;
constexpr int64_t kLargestTupletDenominator = 96;
constexpr float kHeadingStep = 13.0f;   // texts this far up are the title and composer
constexpr int kComposerFont = 2;
constexpr int kBraceType = 8;
constexpr float kTieForm = 0.5f, kTieAfterDot = -3.0f;
constexpr float kTieReach = 3.0f;       // steps from a tie's end to the head it belongs to
constexpr int kFirstDynamicDrawing = 51;
// [library drawing - 51] -> the dynamic it draws ("" for none).
constexpr const char* kDynamics[] = {"ppp", "pp", "p", "mp", "mf", "f", "ff", "fff", "", "fp", "sf", "sfz"};

float stepOf(const PageStore& page, int k) { return std::fmod(page.param(k, 4), 100.0f); }
int staffOf(const PageStore& page, int k) { return truncToInt(page.param(k, 2)); }

bool stemUp(const PageStore& page, int k) {
  const int tens = std::abs(truncToInt(page.param(k, 5))) % 100 / 10;
  return tens == 1 || (tens == 0 && stepOf(page, k) <= 6.0f);
}

Rational durationOf(const PageStore& page, int k) {
  const float p7 = page.param(k, 7);
  if (p7 > 0.0f && p7 < kGraceDuration) return nearestRational(p7, kLargestTupletDenominator);
  // A page typed without rhythms: the value its head or rest type shows.
  const bool rest = page.code(k) == kCodeRest;
  const int type = truncToInt(page.param(k, rest ? 5 : 6));
  const int flags = rest ? std::max(type, 0) : truncToInt(page.param(k, 9)) % 10;
  const int64_t whole = rest ? (type <= -3 ? 8 : type == -2 ? 4 : type == -1 ? 2 : 1)
                             : (type == 3 ? 8 : type == 2 ? 4 : type == 1 ? 2 : 1);
  Rational value = Rational::of(whole, int64_t{1} << std::clamp(flags, 0, 6)), part = value;
  const int dots = std::clamp(rest ? truncToInt(page.param(k, 6)) : truncToInt(page.param(k, 9)) / 10 % 10, 0, 3);
  for (int d = 0; d < dots; ++d) part = Rational::of(part.num, part.den * 2), value = value + part;
  return value;
}

struct NoteRef {
  int part = 0;
  size_t measure = 0;
  size_t note = 0;
};

struct PartTrack {
  std::map<int, Clef> clefs;  // by staff of the part
  std::optional<int> fifths;
  std::optional<Meter> meter;
};

// An item of the page in the order it is read: by position, then page order.
struct Placed {
  int k = 0;
  float x = 0.0f;
};

class ScoreReader {
 public:
  explicit ScoreReader(ScoreFromPages& out) : m_out(out) {}

  void readPage(const PageStore& page);

 private:
  void startParts(const PageSystem& system);
  void readSystem(const PageStore& page, const PageSystem& system);
  bool readMeasure(const PageStore& page, const PageSystem& system, float from, float to, int closingBar);
  void readStaff(const PageStore& page, int part, Measure& measure, int staff, int inPart, float from, float to);
  void readSigns(const PageStore& page, int part, Measure& measure, const PagePart& staves, float from, float to);
  void joinNotes(const PageStore& page, const std::set<int>& staves);
  void placeDirections(const PageStore& page);
  Note* noteAt(const PageStore& page, int staff, float x, float step, bool leadOnly);
  Rational offsetAfter(const PageStore& page, const Measure& measure, int staff, float x) const;
  Note& note(const NoteRef& ref) { return m_out.score.parts[ref.part].measures[ref.measure].notes[ref.note]; }

  ScoreFromPages& m_out;
  std::vector<PartTrack> m_tracks;
  std::map<int, NoteRef> m_madeBy;            // page item -> the note it made, in the current system
  std::map<int, std::pair<int, int>> m_staffPart;  // page staff -> (part, staff of the part)
  std::vector<std::pair<float, size_t>> m_measureStarts;  // the current system's measures
  std::vector<bool> m_pendingForward;  // by part: the last bar line repeats forward
};

void ScoreReader::startParts(const PageSystem& system) {
  for (const PagePart& staves : system.parts) {
    Part part;
    part.id = "P" + std::to_string(m_out.score.parts.size() + 1);
    part.name = "Part " + std::to_string(m_out.score.parts.size() + 1);
    part.staves = static_cast<int>(staves.staves.size());
    m_out.score.parts.push_back(std::move(part));
    m_tracks.emplace_back();
  }
}

void ScoreReader::readPage(const PageStore& page) {
  for (const PageSystem& system : pageSystems(page)) {
    if (m_out.score.parts.empty()) startParts(system);
    if (system.parts.size() != m_out.score.parts.size()) {
      m_out.notices.push_back("a system whose staves differ from the first system's was left out");
      continue;
    }
    readSystem(page, system);
  }
}

void ScoreReader::readSystem(const PageStore& page, const PageSystem& system) {
  m_madeBy.clear();
  m_staffPart.clear();
  m_measureStarts.clear();
  std::set<int> staves;
  for (size_t p = 0; p < system.parts.size(); ++p)
    for (size_t s = 0; s < system.parts[p].staves.size(); ++s) {
      const int staff = system.parts[p].staves[s];
      m_staffPart[staff] = {static_cast<int>(p), static_cast<int>(s) + 1};
      staves.insert(staff);
    }
  std::map<float, int> bars;  // position -> bar item
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeBars || !staves.count(staffOf(page, k)) || !std::isfinite(page.param(k, 3))) continue;
    if (truncToInt(page.param(k, 5)) == kBraceType || page.param(k, 3) <= system.left + 1.0f) continue;
    bars[page.param(k, 3)] = k;
  }
  float from = -1e9f;
  for (const auto& [x, k] : bars) {
    readMeasure(page, system, from, x, k);
    from = x;
  }
  readMeasure(page, system, from, 1e9f, 0);
  joinNotes(page, staves);
  placeDirections(page);
}

Barline closingOf(const PageStore& page, int k) {
  Barline bar;
  if (k == 0) return bar;
  if (page.param(k, 4) < 0.0f) bar.style = BarStyle::None;
  switch (truncToInt(page.param(k, 5))) {
    case 1: bar.style = BarStyle::LightLight; break;
    case 2: bar.style = BarStyle::LightHeavy; break;
    case 3: case 5: bar.repeatBackward = true; break;
    case 7: bar.style = BarStyle::Dashed; break;
    default: break;
  }
  return bar;
}

int barAt(const PageStore& page, const std::vector<int>& staves, float x) {
  for (int k = 1; k <= page.itemCount(); ++k)
    if (page.code(k) == kCodeBars && page.param(k, 3) == x && truncToInt(page.param(k, 5)) != kBraceType &&
        std::find(staves.begin(), staves.end(), staffOf(page, k)) != staves.end())
      return k;
  return 0;
}

bool ScoreReader::readMeasure(const PageStore& page, const PageSystem& system, float from, float to, int closingBar) {
  std::vector<Measure> measures(system.parts.size());
  bool anything = false;
  for (size_t p = 0; p < system.parts.size(); ++p) {
    Measure& measure = measures[p];
    const auto& staves = system.parts[p].staves;
    for (size_t s = 0; s < staves.size(); ++s)
      readStaff(page, static_cast<int>(p), measure, staves[s], static_cast<int>(s) + 1, from, to);
    anything |= !measure.notes.empty();
  }
  // The room after a line's last bar line holds no measure.
  if (!anything && closingBar == 0) {
    for (auto it = m_madeBy.begin(); it != m_madeBy.end();)
      it = it->second.measure >= m_out.score.parts[it->second.part].measures.size() ? m_madeBy.erase(it) : std::next(it);
    return false;
  }
  m_measureStarts.emplace_back(from, m_out.score.parts.front().measures.size());
  m_pendingForward.resize(system.parts.size(), false);
  for (size_t p = 0; p < system.parts.size(); ++p) {
    Measure& measure = measures[p];
    readSigns(page, static_cast<int>(p), measure, system.parts[p], from, to);
    // Each part's own bar line closes its measure.
    const int bar = closingBar == 0 ? 0 : barAt(page, system.parts[p].staves, to);
    measure.right = closingOf(page, bar);
    measure.left.repeatForward = m_pendingForward[p];
    const int type = bar == 0 ? 0 : truncToInt(page.param(bar, 5));
    m_pendingForward[p] = type == 4 || type == 5;
    measure.number = std::to_string(m_out.score.parts[p].measures.size() + 1);
    m_out.score.parts[p].measures.push_back(std::move(measure));
  }
  return true;
}

Clef clefAt(const PageStore& page, int staff, float x) {
  int found = 0;
  for (int k = 1; k <= page.itemCount(); ++k)
    if (page.code(k) == kCodeClef && staffOf(page, k) == staff && page.param(k, 3) <= x &&
        (found == 0 || page.param(k, 3) >= page.param(found, 3)))
      found = k;
  return found == 0 ? Clef{} : clefOfParameter(page.param(found, 5));
}

int fifthsAt(const PageStore& page, int staff, float x) {
  int found = 0;
  for (int k = 1; k <= page.itemCount(); ++k)
    if (page.code(k) == kCodeKeySignature && staffOf(page, k) == staff && page.param(k, 3) <= x &&
        (found == 0 || page.param(k, 3) >= page.param(found, 3)))
      found = k;
  // A key of naturals (|P5| of 100 or more) cancels: no key.
  if (found == 0 || std::fabs(page.param(found, 5)) >= 100.0f) return 0;
  return std::clamp(truncToInt(page.param(found, 5)), -7, 7);
}

// The pitch of a note item, and the accidental it shows (0 none).
Pitch pitchOf(const PageStore& page, int k, int staff, BarAccidentals& bar, int& shownAccidental) {
  const int step = truncToInt(stepOf(page, k)) + clefStepBase(clefAt(page, staff, page.param(k, 3)));
  const std::optional<int> shown = alterOfUnits(std::abs(truncToInt(page.param(k, 5))) % 10);
  if (shown) bar.set(step, *shown);
  shownAccidental = !shown ? 0 : *shown == 0 ? 3 : *shown;
  return pitchOfStep(step, shown ? *shown : bar.expected(step));
}

// Where the signs in force for a measure are read: just before its first
// note or rest (after a line's repeated clef and key), or at its end.
float firstNoteAt(const PageStore& page, const std::vector<int>& staves, float from, float to) {
  float first = to;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int code = page.code(k);
    const float x = page.param(k, 3);
    if ((code == kCodeNote || code == kCodeRest) && x >= from && x < first &&
        std::find(staves.begin(), staves.end(), staffOf(page, k)) != staves.end())
      first = x;
  }
  return first - kSamePlace;
}

std::vector<Placed> notesAndRests(const PageStore& page, int staff, float from, float to) {
  std::vector<Placed> items;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int code = page.code(k);
    const float x = page.param(k, 3);
    if ((code == kCodeNote || code == kCodeRest) && staffOf(page, k) == staff && x >= from && x < to)
      items.push_back({k, x});
  }
  std::stable_sort(items.begin(), items.end(), [](const Placed& a, const Placed& b) { return a.x < b.x - kSamePlace; });
  return items;
}

bool holdsTwoVoices(const PageStore& page, const std::vector<Placed>& items) {
  std::map<float, int> leadsAt;
  for (const Placed& item : items)
    if (page.param(item.k, 15) != -1.0f || page.code(item.k) == kCodeRest)
      if (++leadsAt[item.x] > 1) return true;
  return false;
}

// The staff's notes and rests in the stretch: chord members (P15 = -1, or
// on a staff of one voice any note at the place of the note before) join
// the note before them; two notes or rests starting at one place are two
// voices, told apart by their stems (rests: raised or lowered).
void ScoreReader::readStaff(const PageStore& page, int part, Measure& measure, int staff, int inPart, float from,
                            float to) {
  const std::vector<Placed> items = notesAndRests(page, staff, from, to);
  const bool twoVoices = holdsTwoVoices(page, items);
  BarAccidentals bar(fifthsAt(page, staff, firstNoteAt(page, {staff}, from, to)));
  std::map<int, Rational> cursors;
  std::optional<size_t> lead;
  float leadX = 0.0f;
  const size_t measureIndex = m_out.score.parts[part].measures.size();
  for (const Placed& item : items) {
    const int k = item.k;
    const bool rest = page.code(k) == kCodeRest;
    const bool member = !rest && lead && std::fabs(item.x - leadX) <= kSamePlace && !measure.notes[*lead].rest &&
                        (page.param(k, 15) == -1.0f || !twoVoices);
    Note note;
    if (member) {
      note = measure.notes[*lead];
      note.chord = true;
      note.articulations.clear();
      note.lyric.clear();
      note.pitch = pitchOf(page, k, staff, bar, note.shownAccidental);
    } else {
      const int voice = !twoVoices ? 1 : rest ? (stepOf(page, k) >= 0.0f ? 1 : 2) : (stemUp(page, k) ? 1 : 2);
      Rational& cursor = cursors[voice];
      note.rest = rest;
      note.grace = !rest && page.param(k, 7) >= kGraceDuration;
      note.duration = note.grace ? Rational{} : durationOf(page, k);
      note.offset = cursor;
      cursor = cursor + note.duration;
      if (measure.length < cursor) measure.length = cursor;
      if (rest && page.param(k, 6) == -1.0f) continue;  // an invisible rest only holds the time
      note.staff = inPart;
      note.voice = (inPart - 1) * 4 + voice;
      note.dots = std::clamp(rest ? truncToInt(page.param(k, 6)) : truncToInt(page.param(k, 9)) / 10 % 10, 0, 3);
      note.wholeMeasure = rest && page.param(k, 9) == -1.0f;
      if (!rest) note.pitch = pitchOf(page, k, staff, bar, note.shownAccidental);
      lead = measure.notes.size();
      leadX = item.x;
    }
    m_madeBy[k] = {part, measureIndex, measure.notes.size()};
    measure.notes.push_back(std::move(note));
  }
}

// Clefs, keys and meters that change where the measure starts (or, for a
// clef, inside it); a line's repeated clef and key are no change.
void ScoreReader::readSigns(const PageStore& page, int part, Measure& measure, const PagePart& staves, float from,
                            float to) {
  PartTrack& track = m_tracks[static_cast<size_t>(part)];
  const float probe = firstNoteAt(page, staves.staves, from, to);
  for (size_t s = 0; s < staves.staves.size(); ++s) {
    const int staff = staves.staves[s];
    const Clef clef = clefAt(page, staff, probe);
    const int inPart = static_cast<int>(s) + 1;
    if (!track.clefs.count(inPart) || !(track.clefs[inPart] == clef)) measure.clefs.push_back({{}, inPart, clef});
    track.clefs[inPart] = clef;
    for (int k = 1; k <= page.itemCount(); ++k) {
      if (page.code(k) != kCodeClef || staffOf(page, k) != staff || page.param(k, 3) <= probe || page.param(k, 3) >= to) continue;
      const Clef change = clefOfParameter(page.param(k, 5));
      if (change == track.clefs[inPart]) continue;
      measure.clefs.push_back({offsetAfter(page, measure, staff, page.param(k, 3)), inPart, change});
      track.clefs[inPart] = change;
    }
  }
  const int first = staves.staves.front();
  const int fifths = fifthsAt(page, first, probe);
  if (!track.fifths || *track.fifths != fifths) measure.fifths = fifths;
  track.fifths = fifths;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeMeter || staffOf(page, k) != first || page.param(k, 3) < from || page.param(k, 3) >= to) continue;
    Meter meter;
    const int top = truncToInt(page.param(k, 5)), bottom = truncToInt(page.param(k, 6));
    meter.symbolCommon = top == 99;
    meter.symbolCut = top == 98;
    meter.beats = meter.symbolCommon ? 4 : meter.symbolCut ? 2 : std::clamp(top == 0 ? bottom : top, 1, 99);
    meter.beatType = meter.symbolCommon ? 4 : meter.symbolCut ? 2 : std::clamp(top == 0 ? 4 : bottom, 1, 99);
    if (!track.meter || !(*track.meter == meter)) measure.meter = meter;
    track.meter = meter;
  }
}

// The time of the first note or rest at or after x on the staff, in the
// measure being read; its length when there is none.
Rational ScoreReader::offsetAfter(const PageStore& page, const Measure& measure, int staff, float x) const {
  Rational at = measure.length;
  float nearest = 1e9f;
  for (const auto& [k, ref] : m_madeBy) {
    const float position = page.param(k, 3);
    if (staffOf(page, k) != staff || ref.note >= measure.notes.size() || position < x || position >= nearest) continue;
    if (ref.measure != m_out.score.parts[ref.part].measures.size()) continue;
    at = measure.notes[ref.note].offset;
    nearest = position;
  }
  return at;
}

Note* ScoreReader::noteAt(const PageStore& page, int staff, float x, float step, bool leadOnly) {
  Note* best = nullptr;
  // A tie starts beside its own head; a slur may stand well above or below its notes.
  float distance = leadOnly ? 1e9f : kTieReach;
  for (const auto& [k, ref] : m_madeBy) {
    if (staffOf(page, k) != staff || std::fabs(page.param(k, 3) - x) > kSamePlace) continue;
    Note& candidate = note(ref);
    if (leadOnly && candidate.chord) continue;
    const float d = std::fabs(stepOf(page, k) - step);
    if (candidate.rest || d >= distance) continue;
    best = &candidate;
    distance = d;
  }
  return best;
}

// Ties and slurs (code 5) and beams (code 6) join the notes at their ends.
void ScoreReader::joinNotes(const PageStore& page, const std::set<int>& staves) {
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int code = page.code(k);
    const int staff = staffOf(page, k);
    if ((code != kCodeSlur && code != kCodeBeam) || !staves.count(staff)) continue;
    if (code == kCodeSlur) {
      const bool tie = page.param(k, 8) == kTieForm || page.param(k, 8) == kTieAfterDot;
      Note* start = noteAt(page, staff, page.param(k, 3), stepOf(page, k), !tie);
      Note* end = noteAt(page, staff, page.param(k, 6), page.param(k, 5), !tie);
      if (!start || !end || start == end) continue;
      if (tie) start->tieStart = end->tieStop = true;
      else ++start->slurStarts, ++end->slurStops;
      continue;
    }
    std::vector<Note*> under;
    for (const auto& [item, ref] : m_madeBy) {
      const float x = page.param(item, 3);
      Note& n = note(ref);
      if (staffOf(page, item) == staff && !n.chord && !n.rest && x >= page.param(k, 3) - kSamePlace &&
          x <= page.param(k, 6) + kSamePlace && stemUp(page, item) == (truncToInt(page.param(k, 7)) / 10 == 1))
        under.push_back(&n);
    }
    for (size_t i = 0; i < under.size() && under.size() > 1; ++i)
      under[i]->beam = i == 0 ? BeamMark::Begin : i + 1 == under.size() ? BeamMark::End : BeamMark::Continue;
  }
}

// Lyrics under a note, dynamics (library drawings 51 to 62) by a note.
void ScoreReader::placeDirections(const PageStore& page) {
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int code = page.code(k);
    const auto owner = m_staffPart.find(staffOf(page, k));
    if ((code != kCodeText && code != kCodeLibrary) || owner == m_staffPart.end()) continue;
    const float x = page.param(k, 3);
    if (code == kCodeText && page.param(k, 4) < 0.0f) {
      for (const auto& [item, ref] : m_madeBy)
        if (staffOf(page, item) == owner->first && !note(ref).chord && std::fabs(page.param(item, 3) - x) < kNearNote)
          note(ref).lyric = page.text(k);
      continue;
    }
    const int drawing = truncToInt(page.param(k, 5)) - kFirstDynamicDrawing;
    if (code != kCodeLibrary || drawing < 0 || drawing >= static_cast<int>(std::size(kDynamics)) || !*kDynamics[drawing]) continue;
    auto at = std::upper_bound(m_measureStarts.begin(), m_measureStarts.end(), std::make_pair(x, size_t{0}),
                               [](const auto& a, const auto& b) { return a.first < b.first; });
    if (at == m_measureStarts.begin()) continue;
    Measure& measure = m_out.score.parts[owner->second.first].measures[std::prev(at)->second];
    Direction direction;
    direction.staff = owner->second.second;
    direction.dynamics = kDynamics[drawing];
    for (const auto& [item, ref] : m_madeBy)
      if (ref.measure == std::prev(at)->second && std::fabs(page.param(item, 3) - x) < kNearNote) direction.offset = note(ref).offset;
    measure.directions.push_back(direction);
  }
}

// The title and composer: the texts over the first page's top staff.
void readHeadings(const PageStore& page, Score& score) {
  const std::vector<PageSystem> systems = pageSystems(page);
  if (systems.empty()) return;
  const int top = systems.front().parts.front().staves.front();
  float largest = 0.0f;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeText || staffOf(page, k) != top || page.param(k, 4) < kHeadingStep) continue;
    if (truncToInt(page.param(k, 6)) == kComposerFont) score.composer = page.text(k);
    else if (page.param(k, 7) > largest) score.title = page.text(k), largest = page.param(k, 7);
  }
}

}  // namespace

ScoreFromPages pagesToScore(std::span<const PageStore* const> pages) {
  ScoreFromPages out;
  ScoreReader reader(out);
  for (const PageStore* page : pages) reader.readPage(*page);
  if (out.score.parts.empty()) out.error = messages::kNoStaves;
  else readHeadings(*pages.front(), out.score);
  return out;
}

}  // namespace ts::interchange
