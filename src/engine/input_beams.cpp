// Beams and slurs of typed input. A beam's stems all point one way: up
// when the heads lie on average below the middle line (step 7); a marked
// pair takes the other side. The beam follows its end notes, its slope
// kept within two steps, and is moved away from the heads until every stem
// under it is at least five steps long; the stems are then lengthened to
// meet it and the flags of its notes taken off. It carries as many beams
// as the fewest flags of its notes (at least one). A slur runs two steps
// beyond the heads on the side away from the first note's stem (a marked
// pair: the other side), arching two steps.

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/engine_messages.h"
#include "engine/input_builders.h"
#include "layout/rhythms_line.h"
#include "layout/typed_placement.h"

namespace ts {
namespace {

constexpr float kBeamReach = 7.0f;      // steps from a stem's end note to its beam
constexpr float kShortestStem = 5.0f;   // steps a stem under a beam keeps at least
constexpr float kSteepestBeam = 2.0f;   // steps a beam may rise or fall end to end
constexpr float kSlurClearance = 2.0f;  // steps from the heads to a slur's ends
constexpr float kSlurArch = 2.0f;
constexpr int kStemUp = 10, kStemDown = 20;
constexpr const char* kNoSuchNotes = "*** No such notes in this stretch:";

float headStep(const PageStore& page, int k) { return std::fmod(page.param(k, 4), 100.0f); }

struct Heads {
  float low = 0.0f, high = 0.0f;
};

Heads headsOf(const PageStore& page, const NumberedNote& note) {
  Heads heads{headStep(page, note.item), headStep(page, note.item)};
  for (const int k : note.chord) {
    heads.low = std::min(heads.low, headStep(page, k));
    heads.high = std::max(heads.high, headStep(page, k));
  }
  return heads;
}

int flagsOf(float rhythm) {
  const int dots = truncToInt(std::fabs(rhythm) / 1000.0f);
  float undotted = rhythmDuration(rhythm);
  for (int i = 0; i < dots && i < 4; ++i) undotted = undotted * 2.0f / 3.0f;
  int flags = 0;
  for (float value = 0.5f; undotted <= value + 0.001f && flags < 4; value /= 2.0f) ++flags;
  return flags;
}

bool pairFits(const StretchView& stretch, const NotePair& pair) {
  return pair.first >= 1 && pair.last <= static_cast<int>(stretch.notes.size());
}

std::string noSuchNotes(const NotePair& pair) {
  char text[96];
  std::snprintf(text, sizeof text, "%s %4d %4d", kNoSuchNotes, pair.first, pair.last);
  return text;
}

// The beam's outer line: its steps at the two ends.
struct BeamLine {
  float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
  float at(float x) const { return x2 == x1 ? y1 : y1 + (y2 - y1) * (x - x1) / (x2 - x1); }
};

BeamLine lineFor(const PageStore& page, const std::vector<const NumberedNote*>& notes, bool up) {
  const float sign = up ? 1.0f : -1.0f;
  const auto end = [&](const NumberedNote* n) {
    const Heads h = headsOf(page, *n);
    return (up ? h.high : h.low) + sign * kBeamReach;
  };
  BeamLine line{page.param(notes.front()->item, 3), page.param(notes.back()->item, 3), end(notes.front()),
                end(notes.back())};
  line.y2 = std::clamp(line.y2, line.y1 - kSteepestBeam, line.y1 + kSteepestBeam);
  float lack = 0.0f;
  for (const NumberedNote* n : notes) {
    const Heads h = headsOf(page, *n);
    const float needed = (up ? h.high : h.low) + sign * kShortestStem;
    lack = std::max(lack, sign * (needed - line.at(page.param(n->item, 3))));
  }
  line.y1 += sign * lack;
  line.y2 += sign * lack;
  return line;
}

void setStem(PageStore& page, int k, int stem) {
  const float p5 = page.param(k, 5);
  const int tens = truncToInt(p5) % 100 / 10;
  page.setParam(k, 5, p5 + static_cast<float>(stem - tens * 10));
}

// Stems turned to the beam and lengthened to meet it; flags off.
void fitStems(PageStore& page, const std::vector<const NumberedNote*>& notes, const BeamLine& line, bool up) {
  const int stem = up ? kStemUp : kStemDown;
  for (const NumberedNote* n : notes) {
    for (const int k : n->chord) setStem(page, k, stem);
    const Heads h = headsOf(page, *n);
    const float start = up ? h.low : h.high;
    const float length = std::fabs(line.at(page.param(n->item, 3)) - start);
    page.setParam(n->item, 8, std::round((length - kBeamReach) * 100.0f) / 100.0f);
    const float p9 = page.param(n->item, 9);
    page.setParam(n->item, 9, p9 - static_cast<float>(truncToInt(p9) % 10));
  }
}

std::optional<std::string> addBeam(PageStore& page, const StretchView& stretch, const NotePair& pair) {
  std::vector<const NumberedNote*> notes;
  float heads = 0.0f;
  int count = 0, beams = 9;
  for (int i = pair.first; i <= pair.last; ++i) {
    const NumberedNote& n = stretch.notes[static_cast<size_t>(i) - 1];
    if (page.code(n.item) != kCodeNote) continue;
    notes.push_back(&n);
    const Heads h = headsOf(page, n);
    heads += h.low + h.high;
    count += 2;
    if (static_cast<size_t>(i) <= stretch.rhythms.size()) beams = std::min(beams, flagsOf(stretch.rhythms[i - 1]));
  }
  if (notes.size() < 2) return std::nullopt;
  const bool up = (heads / static_cast<float>(count) < 7.0f) != pair.marked;
  const BeamLine line = lineFor(page, notes, up);
  fitStems(page, notes, line, up);
  const bool cue = std::fabs(page.param(notes.front()->item, 4)) >= 100.0f;
  const float sign = up ? -1.0f : 1.0f;
  const float p4 = line.y1 + sign * kBeamReach + (cue ? 100.0f : 0.0f);
  const float p7 = static_cast<float>((up ? 10 : 20) + std::clamp(beams, 1, 4));
  ItemRecord beam{{6, static_cast<float>(stretch.staff), line.x1, p4, line.y2 + sign * kBeamReach, line.x2, p7}, {}};
  if (page.append(beam) == 0) return std::string(messages::kPageFull);
  return std::nullopt;
}

std::optional<std::string> addSlur(PageStore& page, const StretchView& stretch, const NotePair& pair) {
  const NumberedNote& first = stretch.notes[static_cast<size_t>(pair.first) - 1];
  const NumberedNote& last = stretch.notes[static_cast<size_t>(pair.last) - 1];
  const bool stemUp = truncToInt(page.param(first.item, 5)) % 100 / 10 == 1;
  const bool below = stemUp != pair.marked;
  const Heads a = headsOf(page, first), b = headsOf(page, last);
  const float sign = below ? -1.0f : 1.0f;
  const float start = (below ? a.low : a.high) + sign * kSlurClearance;
  const float end = (below ? b.low : b.high) + sign * kSlurClearance;
  ItemRecord slur{{5, static_cast<float>(stretch.staff), page.param(first.item, 3), start, end,
                   page.param(last.item, 3), sign * kSlurArch},
                  {}};
  if (page.append(slur) == 0) return std::string(messages::kPageFull);
  return std::nullopt;
}

}  // namespace

std::vector<NotePair> beamGroupPairs(const PageStore& page, const StretchView& stretch, const BeamGroups& groups) {
  std::vector<NotePair> pairs;
  if (groups.eighths <= 0) return pairs;
  const float length = 0.5f * static_cast<float>(groups.eighths);
  float clock = 0.0f;
  int runStart = 0, runGroup = -1;
  size_t itemAt = 0;
  const auto close = [&](int lastNote) {
    if (runStart > 0 && lastNote > runStart) pairs.push_back({runStart, lastNote, false});
    runStart = 0;
  };
  // A typed "from" note of 0 or less counts from the first note.
  for (int i = std::max(groups.fromNote, 1); i <= static_cast<int>(stretch.notes.size()); ++i) {
    const NumberedNote& n = stretch.notes[static_cast<size_t>(i) - 1];
    const auto found = std::find(stretch.items.begin() + static_cast<long>(itemAt), stretch.items.end(), n.item);
    const bool barBefore = std::any_of(stretch.items.begin() + static_cast<long>(itemAt), found,
                                       [&](int k) { return page.code(k) == kCodeBars; });
    itemAt = static_cast<size_t>(found - stretch.items.begin());
    if (barBefore) clock = 0.0f, close(i - 1);
    const float duration = static_cast<size_t>(i) <= stretch.rhythms.size() ? rhythmDuration(stretch.rhythms[i - 1]) : 1.0f;
    const int group = truncToInt(std::floor(clock / length + 0.0001f));
    const bool beamable = page.code(n.item) == kCodeNote && duration < 1.0f;
    if (!beamable || group != runGroup) close(i - 1);
    if (beamable && runStart == 0) runStart = i, runGroup = group;
    if (duration < kGraceRhythm) clock += duration;
  }
  close(static_cast<int>(stretch.notes.size()));
  return pairs;
}

std::optional<std::string> buildBeams(PageStore& page, const StretchView& stretch, const PairsLine& line) {
  const std::vector<NotePair> pairs = line.groups ? beamGroupPairs(page, stretch, *line.groups) : line.pairs;
  for (const NotePair& pair : pairs)
    if (!pairFits(stretch, pair)) return noSuchNotes(pair);
  for (const NotePair& pair : pairs)
    if (std::optional<std::string> message = addBeam(page, stretch, pair)) return message;
  return std::nullopt;
}

std::optional<std::string> buildSlurs(PageStore& page, const StretchView& stretch, const PairsLine& line) {
  for (const NotePair& pair : line.pairs)
    if (!pairFits(stretch, pair)) return noSuchNotes(pair);
  for (const NotePair& pair : line.pairs)
    if (std::optional<std::string> message = addSlur(page, stretch, pair)) return message;
  return std::nullopt;
}

}  // namespace ts
