#include "interchange/measure_placement.h"

#include <algorithm>
#include <cmath>
#include <set>

#include "interchange/pitch_mapping.h"
#include "layout/typed_rhythm.h"

namespace ts::interchange {
namespace {

constexpr float kAfterBar = 3.0f;        // P3 units from a bar line to the first column
constexpr float kGraceGap = 3.0f;        // a grace note's own column
constexpr float kBaseGap = 3.0f;         // every column's least room
constexpr float kGapPerRootQuarter = 5.5f;  // room grows with the square root of the time, as engravers space
constexpr float kAccidentalRoom = 2.2f;
constexpr float kDotRoom = 1.0f;
constexpr float kClefChangeRoom = 4.0f;
constexpr float kGraceDuration = 64.0f;  // P7 of a grace note
constexpr int kStemUp = 10, kStemDown = 20;
constexpr float kVoiceRestStep = 4.0f;   // rests of two voices on a staff stand apart by this
constexpr int kChordMemberParams = 15;
constexpr int kNoteParams = 9;

using ColumnKey = std::pair<Rational, int>;  // time, then grace rank (negative before the note)

struct ColumnLess {
  bool operator()(const ColumnKey& a, const ColumnKey& b) const {
    if (a.first < b.first) return true;
    if (b.first < a.first) return false;
    return a.second < b.second;
  }
};

enum class EventKind { Chord, Gap, ClefChange };

struct Event {
  EventKind kind = EventKind::Chord;
  int part = 0;
  ColumnKey at;
  std::vector<const Note*> members;
  const ClefChange* clef = nullptr;
  Rational gap;
  int staff = 1;
  int fileVoice = 1;
};

struct Column {
  float x = 0.0f;
  bool accidental = false;
  bool dotted = false;
  bool clef = false;
};

class EventGatherer {
 public:
  EventGatherer(const Measure& measure, int part) : m_measure(measure), m_part(part) {}

  std::vector<Event> gather() {
    for (const Note& note : m_measure.notes) add(note);
    for (auto& [voice, pending] : m_graces) rankGraces(pending, m_measure.length);
    for (const ClefChange& change : m_measure.clefs)
      if (Rational{} < change.offset) m_events.push_back(clefEvent(change));
    return std::move(m_events);
  }

 private:
  void add(const Note& note) {
    if (note.chord && !m_events.empty() && m_events.back().kind == EventKind::Chord && m_events.back().part == m_part) {
      m_events.back().members.push_back(&note);
      return;
    }
    Event event{EventKind::Chord, m_part, {note.offset, 0}, {&note}, nullptr, {}, note.staff, note.voice};
    if (note.grace) {
      m_events.push_back(event);
      m_graces[note.voice].push_back(m_events.size() - 1);
      return;
    }
    rankGraces(m_graces[note.voice], note.offset);
    Rational& cursor = m_cursors[note.voice];
    if (cursor < note.offset)
      m_events.push_back({EventKind::Gap, m_part, {cursor, 0}, {}, nullptr, note.offset - cursor, note.staff, note.voice});
    m_events.push_back(event);
    if (cursor < note.offset + note.duration) cursor = note.offset + note.duration;
  }

  void rankGraces(std::vector<size_t>& pending, const Rational& before) {
    int rank = -static_cast<int>(pending.size());
    for (const size_t i : pending) m_events[i].at = {before, rank++};
    pending.clear();
  }

  Event clefEvent(const ClefChange& change) const {
    Event event;
    event.kind = EventKind::ClefChange;
    event.part = m_part;
    event.at = {change.offset, -1000};
    event.clef = &change;
    event.staff = change.staff;
    return event;
  }

  const Measure& m_measure;
  int m_part;
  std::vector<Event> m_events;
  std::map<int, std::vector<size_t>> m_graces;
  std::map<int, Rational> m_cursors;
};

float gapFor(const ColumnKey& at, const ColumnKey* next, const Rational& length) {
  if (at.second < 0) return kGraceGap;
  Rational dt = next ? next->first - at.first : length - at.first;
  const double quarters = dt.valid && Rational{} < dt ? dt.value() : 1.0;
  return kBaseGap + kGapPerRootQuarter * static_cast<float>(std::sqrt(std::min(quarters, 16.0)));
}

float noteValueOf(const Note& note) {
  if (note.noteValue < 0) return 1.0f / static_cast<float>(-note.noteValue);  // breve 0.5, long 0.25
  if (note.noteValue > 0) return static_cast<float>(note.noteValue);
  return rhythmValue(static_cast<float>(note.duration.value()) + 1000.0f * static_cast<float>(note.dots)).noteValue;
}

RhythmValue rhythmOf(const Note& note) {
  RhythmValue value;
  value.noteValue = noteValueOf(note);
  value.dots = note.dots;
  value.flags = flagsOfValue(value.noteValue);
  value.grace = note.grace;
  value.duration = note.grace ? kGraceDuration : static_cast<float>(note.duration.value());
  return value;
}

ItemRecord itemOf(std::initializer_list<float> params, size_t length) {
  ItemRecord item;
  item.params.assign(params);
  if (item.params.size() < length) item.params.resize(length, 0.0f);
  return item;
}

float stemExtension(int p4, int stem) {
  if (stem == kStemUp && p4 < 0) return static_cast<float>(-p4);
  if (stem == kStemDown && p4 > 14) return static_cast<float>(p4 - 14);
  return 0.0f;
}

class MeasureWriter {
 public:
  MeasureWriter(PageStore& run, MeasurePlacement& placement, RunChunk& chunk)
      : m_run(run), m_placement(placement), m_chunk(chunk) {}

  float write(float x, bool& fits);

 private:
  void gather();
  float placeColumns(float x);
  void writeEvent(const Event& event);
  void writeChord(const Event& event, float x);
  void writeRest(const Event& event, int runStaff, float x, bool multiVoice, int ordinal);
  void writeGap(const Event& event, float x);
  void writeClef(const Event& event, float x);
  void placeDirections(float bar);
  bool add(const ItemRecord& item, int* made = nullptr);
  int ordinalOf(int part, int staff, int voice) const;

  PageStore& m_run;
  MeasurePlacement& m_placement;
  RunChunk& m_chunk;
  std::vector<Event> m_events;
  std::map<ColumnKey, Column, ColumnLess> m_columns;
  std::set<std::pair<int, int>> m_multiVoice;          // (part, staff)
  std::map<std::pair<int, int>, BarAccidentals> m_bars;  // (part, staff)
  Rational m_length;
  bool m_fits = true;
};

void MeasureWriter::gather() {
  std::map<std::pair<int, int>, std::set<int>> voices;
  for (size_t p = 0; p < m_placement.score.parts.size(); ++p) {
    const Part& part = m_placement.score.parts[p];
    if (m_placement.measure >= static_cast<int>(part.measures.size())) continue;
    const Measure& measure = part.measures[static_cast<size_t>(m_placement.measure)];
    if (m_length < measure.length) m_length = measure.length;
    std::vector<Event> events = EventGatherer(measure, static_cast<int>(p)).gather();
    for (Event& event : events) {
      Column& column = m_columns[event.at];
      for (const Note* note : event.members) {
        column.accidental |= note->shownAccidental != 0 || note->pitch.alter != 0;
        column.dotted |= note->dots > 0;
      }
      column.clef |= event.kind == EventKind::ClefChange;
      if (event.kind == EventKind::Chord) voices[{event.part, event.staff}].insert(event.fileVoice);
      m_events.push_back(std::move(event));
    }
  }
  for (const auto& [staff, used] : voices)
    if (used.size() > 1) m_multiVoice.insert(staff);
  std::stable_sort(m_events.begin(), m_events.end(),
                   [](const Event& a, const Event& b) { return ColumnLess{}(a.at, b.at); });
}

float MeasureWriter::placeColumns(float x) {
  x += kAfterBar;
  for (auto it = m_columns.begin(); it != m_columns.end(); ++it) {
    Column& column = it->second;
    if (column.accidental) x += kAccidentalRoom;
    if (column.clef) x += kClefChangeRoom;
    column.x = x;
    const auto next = std::next(it);
    x += gapFor(it->first, next == m_columns.end() ? nullptr : &next->first, m_length);
    if (column.dotted) x += kDotRoom;
  }
  return m_columns.empty() ? x + 3.0f * kAfterBar : x;
}

float MeasureWriter::write(float x, bool& fits) {
  gather();
  const float bar = placeColumns(x);
  for (size_t p = 0; p < m_placement.parts.size(); ++p) {
    const Part& part = m_placement.score.parts[p];
    for (int staff = 1; staff <= part.staves; ++staff)
      m_bars.emplace(std::make_pair(static_cast<int>(p), staff), BarAccidentals(m_placement.parts[p].fifths));
  }
  for (const Event& event : m_events) writeEvent(event);
  placeDirections(bar);
  fits = m_fits;
  return bar;
}

// A direction stands at the first column at or after its time.
void MeasureWriter::placeDirections(float bar) {
  for (size_t p = 0; p < m_placement.score.parts.size(); ++p) {
    const Part& part = m_placement.score.parts[p];
    if (m_placement.measure >= static_cast<int>(part.measures.size())) continue;
    for (const Direction& direction : part.measures[static_cast<size_t>(m_placement.measure)].directions) {
      const auto at = m_columns.lower_bound({direction.offset, 0});
      const float x = at == m_columns.end() ? bar - kAfterBar : at->second.x;
      const int runStaff = runStaffOf(m_placement.slots, static_cast<int>(p), direction.staff);
      m_chunk.directions.push_back({&direction, static_cast<int>(p), m_placement.measure, runStaff, x});
    }
  }
}

void MeasureWriter::writeEvent(const Event& event) {
  const float x = m_columns[event.at].x;
  if (event.kind == EventKind::ClefChange) writeClef(event, x);
  else if (event.kind == EventKind::Gap) writeGap(event, x);
  else writeChord(event, x);
}

int MeasureWriter::ordinalOf(int part, int staff, int voice) const {
  const auto& ordinals = *m_placement.parts[static_cast<size_t>(part)].voiceOrdinals;
  const auto found = ordinals.find({staff, voice});
  return found == ordinals.end() ? 1 : found->second;
}

void MeasureWriter::writeChord(const Event& event, float x) {
  const int runStaff = runStaffOf(m_placement.slots, event.part, event.staff);
  const bool multiVoice = m_multiVoice.count({event.part, event.staff}) > 0;
  const int ordinal = ordinalOf(event.part, event.staff, event.fileVoice);
  if (event.members.front()->rest) return writeRest(event, runStaff, x, multiVoice, ordinal);
  const Clef clef = (*m_placement.parts[static_cast<size_t>(event.part)].clefs)[event.staff];
  std::vector<std::pair<int, const Note*>> heads;
  for (const Note* note : event.members)
    if (!note->rest) heads.emplace_back(stepOfPitch(note->pitch) - clefStepBase(clef), note);
  std::stable_sort(heads.begin(), heads.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  const Note& lead = *event.members.front();
  const bool up = lead.grace || (multiVoice ? ordinal % 2 == 1 : 14 - (heads.front().first + heads.back().first) > 0);
  const int stem = up ? kStemUp : kStemDown;
  if (!up) std::reverse(heads.begin(), heads.end());
  PlacedChord placed{event.part, m_placement.measure, runStaff, ordinal, event.fileVoice, x, up, false, {}, {}};
  BarAccidentals& bar = m_bars.at({event.part, event.staff});
  const RhythmValue rhythm = rhythmOf(lead);
  for (size_t k = 0; k < heads.size(); ++k) {
    const auto& [p4, note] = heads[k];
    const int shown = shownAccidental(bar, note->pitch, note->shownAccidental != 0);
    ItemRecord item = itemOf({1, static_cast<float>(runStaff), x, static_cast<float>(lead.grace ? p4 + (p4 >= 0 ? 100 : -100) : p4),
                              static_cast<float>(accidentalUnits(shown) + stem), static_cast<float>(headTypeOfValue(rhythm.noteValue)),
                              rhythm.duration, 0.0f, flagsAndDots(rhythm)},
                             k == 0 ? kNoteParams : kChordMemberParams);
    if (k == 0) item.params[7] = stemExtension(p4, stem);
    else item.params[14] = -1.0f;
    int made = 0;
    if (!add(item, &made)) return;
    placed.members.push_back(note);
    placed.items.push_back(made);
  }
  if (!placed.items.empty()) m_chunk.chords.push_back(std::move(placed));
}

void MeasureWriter::writeRest(const Event& event, int runStaff, float x, bool multiVoice, int ordinal) {
  const Note& rest = *event.members.front();
  const RhythmValue rhythm = rhythmOf(rest);
  const bool whole = rest.wholeMeasure;
  const float step = multiVoice ? (ordinal % 2 == 1 ? kVoiceRestStep : -kVoiceRestStep) : 0.0f;
  ItemRecord item = itemOf({2, static_cast<float>(runStaff), x, step,
                            static_cast<float>(whole ? restTypeOfValue(1.0f) : restTypeOfValue(rhythm.noteValue)),
                            static_cast<float>(whole ? 0 : rest.dots), rhythm.duration, 0.0f, whole ? -1.0f : 0.0f},
                           kNoteParams);
  int made = 0;
  if (!add(item, &made)) return;
  m_chunk.chords.push_back({event.part, m_placement.measure, runStaff, ordinal, event.fileVoice, x, true, true,
                            {&rest}, {made}});
}

void MeasureWriter::writeGap(const Event& event, float x) {
  const int runStaff = runStaffOf(m_placement.slots, event.part, event.staff);
  const float quarters = static_cast<float>(event.gap.value());
  const RhythmValue rhythm = rhythmValue(quarters);
  add(itemOf({2, static_cast<float>(runStaff), x, 0.0f, static_cast<float>(restTypeOfValue(rhythm.noteValue)), -1.0f,
              quarters},
             7));
}

void MeasureWriter::writeClef(const Event& event, float x) {
  const int runStaff = runStaffOf(m_placement.slots, event.part, event.staff);
  const std::optional<float> p5 = clefParameter(event.clef->clef);
  (*m_placement.parts[static_cast<size_t>(event.part)].clefs)[event.staff] = event.clef->clef;
  add(itemOf({3, static_cast<float>(runStaff), x - kClefChangeRoom + 0.5f, 100.0f, p5.value_or(0.0f)}, 5));
}

bool MeasureWriter::add(const ItemRecord& item, int* made) {
  const int k = m_run.append(item);
  if (k == 0) m_fits = false;
  if (made) *made = k;
  return k != 0;
}

}  // namespace

int runStaffOf(const std::vector<StaffSlot>& slots, int part, int staff) {
  for (const StaffSlot& slot : slots)
    if (slot.part == part && slot.staff == staff) return slot.runStaff;
  return slots.empty() ? 1 : slots.back().runStaff;
}

float placeMeasure(PageStore& run, MeasurePlacement& placement, float x, RunChunk& chunk, bool& fits) {
  return MeasureWriter(run, placement, chunk).write(x, fits);
}

}  // namespace ts::interchange
