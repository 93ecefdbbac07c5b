#include "interchange/run_builder.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "draw/page_geometry.h"
#include "interchange/interchange_messages.h"
#include "interchange/measure_placement.h"
#include "interchange/pitch_mapping.h"

namespace ts::interchange {
namespace {

// A run stays well inside the page store (6000 items, 64000 words) so that
// the beams, slurs and marks added after its notes still fit.
constexpr int kRunItemBudget = 3200;
constexpr int kRunWordBudget = 36000;

constexpr float kTopStaffBottomY = -19500.0f;  // where the run's highest staff lies; page layout keeps only distances
constexpr float kStaffDistance = 3500.0f;      // bottom line to bottom line within a part
constexpr float kPartDistance = 4300.0f;       // ... between parts
constexpr float kClefAt = 2.0f;
constexpr float kKeyAt = 8.0f;
constexpr float kKeyRoomPerSign = 2.8f;        // 16.8 step-scale units a sign, in P3 units
constexpr float kMeterRoom = 6.0f;
constexpr float kClefChangeRoom = 4.0f;        // a small clef after a bar line
constexpr int kHiddenNumber = 1;               // P12 of a staff: no staff number drawn

ItemRecord itemOf(std::initializer_list<float> params) {
  ItemRecord item;
  item.params.assign(params);
  return item;
}

int keyPattern(const Clef& clef) {
  const int kind = static_cast<int>(clefParameter(clef).value_or(0.0f));
  return kind >= 0 && kind <= 3 ? kind : 0;
}

float keyRoom(int fifths) { return fifths == 0 ? 0.0f : kKeyRoomPerSign * static_cast<float>(std::abs(fifths)) + 2.0f; }

// The bar line's P5 between a measure and the next.
int barType(const Barline& closing, const Barline* opening) {
  const bool forward = opening && opening->repeatForward;
  if (closing.repeatBackward) return forward ? 5 : 3;
  if (forward) return 4;
  switch (closing.style) {
    case BarStyle::LightLight: return 1;
    case BarStyle::LightHeavy:
    case BarStyle::HeavyLight:
    case BarStyle::HeavyHeavy: return 2;
    case BarStyle::Dashed: return 7;
    default: return 0;
  }
}

}  // namespace

std::vector<StaffSlot> staffSlots(const Score& score) {
  std::vector<StaffSlot> slots;
  int total = 0;
  for (const Part& part : score.parts) total += part.staves;
  int next = total;
  for (size_t p = 0; p < score.parts.size(); ++p)
    for (int staff = 1; staff <= score.parts[p].staves; ++staff) slots.push_back({static_cast<int>(p), staff, next--});
  return slots;
}

RunBuilder::RunBuilder(const Score& score, UnmappedLog& unmapped)
    : m_score(score), m_unmapped(unmapped), m_slots(staffSlots(score)), m_parts(score.parts.size()) {
  for (const Part& part : score.parts) {
    m_measureCount = std::max(m_measureCount, static_cast<int>(part.measures.size()));
    m_voiceOrdinals.push_back(voiceOrdinals(part));
  }
  for (size_t p = 0; p < score.parts.size(); ++p)
    for (int staff = 1; staff <= score.parts[p].staves; ++staff) m_parts[p].clefs[staff] = Clef{};
}

// The staves, then each staff's clef, key and meter as they stand where the run starts.
float RunBuilder::addStartOfRun(PageStore& run) {
  float y = kTopStaffBottomY;
  for (size_t i = 0; i < m_slots.size(); ++i) {
    const StaffSlot& slot = m_slots[i];
    if (i > 0) y -= slot.part == m_slots[i - 1].part ? kStaffDistance : kPartDistance;
    const float p4 = (y - static_cast<float>(staffBaseHeight(slot.runStaff))) / (kStepUnits * kStepScalePerSize);
    run.append(itemOf({8, static_cast<float>(slot.runStaff), 0, p4, 0, 0, 0, 0, 0, 0, 0, kHiddenNumber}));
  }
  float end = kKeyAt;
  for (const StaffSlot& slot : m_slots) {
    const PartState& part = m_parts[static_cast<size_t>(slot.part)];
    const Clef& clef = part.clefs.at(slot.staff);
    const float staff = static_cast<float>(slot.runStaff);
    run.append(itemOf({3, staff, kClefAt, 0, clefParameter(clef).value_or(0.0f)}));
    if (part.fifths != 0)
      run.append(itemOf({17, staff, kKeyAt, 0, static_cast<float>(part.fifths), static_cast<float>(keyPattern(clef))}));
    end = std::max(end, kKeyAt + keyRoom(part.fifths));
  }
  return end;
}

// Clefs, keys and meters a measure sets at its start, after its bar line.
float RunBuilder::addChanges(PageStore& run, int measure, float x) {
  float room = 0.0f;
  for (const StaffSlot& slot : m_slots) {
    const Part& part = m_score.parts[static_cast<size_t>(slot.part)];
    if (measure >= static_cast<int>(part.measures.size())) continue;
    const Measure& m = part.measures[static_cast<size_t>(measure)];
    PartState& state = m_parts[static_cast<size_t>(slot.part)];
    const float staff = static_cast<float>(slot.runStaff);
    for (const ClefChange& change : m.clefs) {
      if (change.offset.num != 0 || change.staff != slot.staff) continue;
      if (!clefParameter(change.clef)) m_unmapped.note("clefs other than treble, bass, alto, tenor and their octave forms", m.number);
      const bool changed = !(state.clefs[slot.staff] == change.clef);
      state.clefs[slot.staff] = change.clef;
      if (changed && measure > 0) {
        run.append(itemOf({3, staff, x + 1.0f, 100, clefParameter(change.clef).value_or(0.0f)}));
        room = std::max(room, kClefChangeRoom);
      }
    }
  }
  return room;
}

bool RunBuilder::addMeasure(PageStore& run, RunChunk& chunk, int measure, float& x) {
  MeasurePlacement placement{m_score, m_slots, {}, measure};
  for (size_t p = 0; p < m_parts.size(); ++p)
    placement.parts.push_back({&m_parts[p].clefs, m_parts[p].fifths, &m_voiceOrdinals[p]});
  bool fits = true;
  const float bar = placeMeasure(run, placement, x, chunk, fits);
  if (!fits) return false;
  for (const StaffSlot& slot : m_slots) {
    const Part& part = m_score.parts[static_cast<size_t>(slot.part)];
    if (slot.staff != part.staves || measure >= static_cast<int>(part.measures.size())) continue;
    const auto& measures = part.measures;
    const Barline* opening = measure + 1 < static_cast<int>(measures.size()) ? &measures[measure + 1].left : nullptr;
    const Barline& closing = measures[static_cast<size_t>(measure)].right;
    const float span = static_cast<float>(part.staves);
    if (run.append(itemOf({14, static_cast<float>(slot.runStaff), bar, closing.style == BarStyle::None ? -span : span,
                           static_cast<float>(barType(closing, opening))})) == 0)
      return false;
  }
  x = bar;
  return true;
}

// Keys and meters a measure sets. At the start of a run the keys stand
// already; a meter is drawn where the file sets one.
float RunBuilder::addMeterAndKeys(PageStore& run, float x, bool atRunStart) {
  float keyRoomUsed = 0.0f, meterRoom = 0.0f;
  for (const StaffSlot& slot : m_slots) {
    const Part& part = m_score.parts[static_cast<size_t>(slot.part)];
    if (m_next >= static_cast<int>(part.measures.size())) continue;
    const Measure& m = part.measures[static_cast<size_t>(m_next)];
    PartState& state = m_parts[static_cast<size_t>(slot.part)];
    const float staff = static_cast<float>(slot.runStaff);
    const int pattern = keyPattern(state.clefs[slot.staff]);
    if (!atRunStart && m.fifths && *m.fifths != state.fifths) {
      const int old = state.fifths;
      // Going to no key cancels the old one with naturals.
      const float p5 = *m.fifths != 0 ? static_cast<float>(*m.fifths) : static_cast<float>(old > 0 ? 100 + old : old - 100);
      run.append(itemOf({17, staff, x + 1.0f, 0, p5, static_cast<float>(pattern)}));
      keyRoomUsed = std::max(keyRoomUsed, keyRoom(std::max(std::abs(old), std::abs(*m.fifths))) + 1.0f);
    }
    if (m.meter && (atRunStart || !state.meterSeen || !(*m.meter == state.meter))) {
      const Meter& meter = *m.meter;
      const float top = meter.symbolCommon ? 99.0f : meter.symbolCut ? 98.0f : static_cast<float>(meter.beats);
      const float bottom = meter.symbolCommon ? 4.0f : meter.symbolCut ? 2.0f : static_cast<float>(meter.beatType);
      run.append(itemOf({18, staff, x + 1.0f + keyRoomUsed, 0, top, bottom}));
      meterRoom = kMeterRoom;
    }
  }
  for (StaffSlot const& slot : m_slots) {
    const Part& part = m_score.parts[static_cast<size_t>(slot.part)];
    if (m_next >= static_cast<int>(part.measures.size()) || slot.staff != 1) continue;
    const Measure& m = part.measures[static_cast<size_t>(m_next)];
    PartState& state = m_parts[static_cast<size_t>(slot.part)];
    if (m.fifths) state.fifths = *m.fifths;
    if (m.meter) state.meter = *m.meter, state.meterSeen = true;
  }
  return keyRoomUsed + meterRoom;
}

std::string RunBuilder::measureNumber(int measure) const {
  for (const Part& part : m_score.parts)
    if (measure < static_cast<int>(part.measures.size())) return part.measures[static_cast<size_t>(measure)].number;
  return std::to_string(measure + 1);
}

bool RunBuilder::fill(PageStore& run, RunChunk& chunk, std::string& error) {
  run.clear();
  chunk = {};
  chunk.firstMeasure = m_next;
  // Keys and meters in force where this run starts, including the ones its first measure sets.
  for (size_t p = 0; p < m_parts.size(); ++p) {
    const Part& part = m_score.parts[p];
    if (m_next >= static_cast<int>(part.measures.size())) continue;
    const Measure& first = part.measures[static_cast<size_t>(m_next)];
    if (first.fifths) m_parts[p].fifths = *first.fifths;
  }
  addChanges(run, m_next, 0.0f);
  float x = addStartOfRun(run);
  x += addMeterAndKeys(run, x, true);
  while (m_next < m_measureCount) {
    const int itemsBefore = run.itemCount();
    const size_t chordsBefore = chunk.chords.size();
    const size_t directionsBefore = chunk.directions.size();
    const std::vector<PartState> before = m_parts;  // a measure that does not fit is placed again in the next run
    if (m_next > chunk.firstMeasure) {
      const float clefRoom = addChanges(run, m_next, x);
      x += clefRoom + addMeterAndKeys(run, x + clefRoom, false);
    }
    if (!addMeasure(run, chunk, m_next, x)) {
      if (m_next == chunk.firstMeasure) {
        error = std::string(messages::kMeasureTooFull) + measureNumber(m_next);
        return false;
      }
      std::vector<int> added;
      for (int k = itemsBefore + 1; k <= run.itemCount(); ++k) added.push_back(k);
      run.removeItems(added);
      chunk.chords.resize(chordsBefore);
      chunk.directions.resize(directionsBefore);
      m_parts = before;
      break;
    }
    ++m_next;
    if (run.itemCount() > kRunItemBudget || run.nextFreeWord() > kRunWordBudget) break;
  }
  chunk.endMeasure = m_next;
  return true;
}

}  // namespace ts::interchange
