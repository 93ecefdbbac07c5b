#include "interchange/run_marks.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>

#include "engine/input_builders.h"
#include "layout/marks_line.h"

namespace ts::interchange {
namespace {

constexpr int kLowestDynamic = 51, kHighestDynamic = 62;
constexpr float kTieClearance = 1.0f;   // steps from the head to the tie's ends
constexpr float kTieArch = 1.0f;
constexpr float kTieForm = 0.5f;        // a slur item's P8 that draws it as a tie
constexpr float kHairpinStep = -5.0f;   // below the staff, where the dynamics stand
constexpr float kCrescendoKind = -10.0f, kDiminuendoKind = -11.0f;  // a line's P7 for the two hairpins
constexpr float kLyricStep = -6.0f, kWordsStep = 14.0f;
constexpr float kTextSize = 10.0f;
constexpr float kTupletNumberRise = 4.0f;

struct NamedMark {
  const char* name;
  int mark;
};

// [MusicXML articulation] -> mark of the marks line.
constexpr std::array<NamedMark, 8> kArticulations{{
    {"accent", 5}, {"tenuto", 6}, {"staccato", 7}, {"strong-accent", 8}, {"staccatissimo", 4},
    {"detached-legato", 10}, {"fermata", 14}, {"spiccato", 4},
}};

using ViewKey = std::pair<int, int>;  // run staff, voice ordinal

struct VoiceRun {
  StretchView view;
  std::vector<const PlacedChord*> chords;
  std::vector<MarkRequest> marks;
};

ItemRecord textItem(int staff, float x, float step, const std::string& text) {
  ItemRecord item;
  item.params = {16, static_cast<float>(staff), x, step, 0, 0, kTextSize, 1, 0, 0, 0,
                 static_cast<float>(text.size()), 0};
  item.text = text;
  return item;
}

class MarkAttacher {
 public:
  MarkAttacher(PageStore& run, const RunChunk& chunk, const Score& score, UnmappedLog& unmapped)
      : m_run(run), m_chunk(chunk), m_unmapped(unmapped), m_score(score) {}

  bool attach() {
    gatherViews();
    for (auto& [key, voice] : m_voices) {
      beams(voice);
      slursAndTies(voice);
      articulations(voice);
    }
    directions();
    for (auto& [key, voice] : m_voices)
      if (!voice.marks.empty() && buildMarks(m_run, voice.view, voice.marks)) m_fits = false;
    return m_fits;
  }

 private:
  void gatherViews() {
    for (const PlacedChord& chord : m_chunk.chords) {
      VoiceRun& voice = m_voices[{chord.runStaff, chord.voice}];
      voice.view.staff = chord.runStaff;
      voice.view.notes.push_back({chord.items.front(), chord.items});
      const Note& lead = *chord.members.front();
      const float duration = lead.grace ? 0.5f : static_cast<float>(lead.duration.value());
      voice.view.rhythms.push_back(duration + 1000.0f * static_cast<float>(std::min(lead.dots, 1)));
      voice.view.items.insert(voice.view.items.end(), chord.items.begin(), chord.items.end());
      voice.chords.push_back(&chord);
    }
  }

  void beams(VoiceRun& voice) {
    int start = 0;
    for (size_t i = 0; i < voice.chords.size(); ++i) {
      const Note& lead = *voice.chords[i]->members.front();
      const int number = static_cast<int>(i) + 1;
      if (lead.beam == BeamMark::Begin) start = number;
      if (lead.beam == BeamMark::End && start > 0) {
        addBeam(voice, start, number);
        start = 0;
      }
      if (lead.tupletStart && lead.beam == BeamMark::None) tupletNumber(*voice.chords[i], lead.tupletActual);
    }
  }

  void addBeam(VoiceRun& voice, int first, int last) {
    PairsLine line;
    line.pairs.push_back({first, last, false});
    const int before = m_run.itemCount();
    if (buildBeams(m_run, voice.view, line)) m_fits = false;
    const Note& lead = *voice.chords[static_cast<size_t>(first) - 1]->members.front();
    if (m_run.itemCount() > before && lead.tupletActual > 0 && lead.tupletStart) {
      ItemRecord beam = m_run.record(m_run.itemCount());
      if (beam.params.size() < 8) beam.params.resize(8, 0.0f);
      beam.params[7] = static_cast<float>(lead.tupletActual);  // P8: the number over the beam
      if (!m_run.replace(m_run.itemCount(), beam)) m_fits = false;
    }
  }

  void tupletNumber(const PlacedChord& chord, int actual) {
    float high = 0.0f;
    for (const int k : chord.items) high = std::max(high, std::fmod(m_run.param(k, 4), 100.0f));
    add({{10, static_cast<float>(chord.runStaff), chord.x + 0.5f, std::max(high, 11.0f) + kTupletNumberRise,
          static_cast<float>(actual)}, {}});
  }

  void slursAndTies(VoiceRun& voice) {
    std::vector<int> open;
    PairsLine slurs;
    for (size_t i = 0; i < voice.chords.size(); ++i) {
      const PlacedChord& chord = *voice.chords[i];
      const int number = static_cast<int>(i) + 1;
      for (const Note* note : chord.members) {
        for (int s = 0; s < note->slurStops; ++s) {
          if (open.empty()) unmapped("slurs between voices, staves or the parts of a long score", chord.measure);
          else if (open.back() < number) slurs.pairs.push_back({open.back(), number, false});
          if (!open.empty()) open.pop_back();
        }
        for (int s = 0; s < note->slurStarts; ++s) open.push_back(number);
      }
      ties(voice, i);
    }
    if (!open.empty()) unmapped("slurs between voices, staves or the parts of a long score", voice.chords.back()->measure);
    if (!slurs.pairs.empty() && buildSlurs(m_run, voice.view, slurs)) m_fits = false;
  }

  void ties(const VoiceRun& voice, size_t i) {
    const PlacedChord& chord = *voice.chords[i];
    for (size_t m = 0; m < chord.members.size(); ++m) {
      if (!chord.members[m]->tieStart || chord.rest) continue;
      const PlacedChord* next = i + 1 < voice.chords.size() ? voice.chords[i + 1] : nullptr;
      int target = 0;
      for (size_t n = 0; next && n < next->members.size(); ++n)
        if (next->members[n]->pitch == chord.members[m]->pitch && !next->rest) target = next->items[n];
      if (target == 0) {
        unmapped("ties to a note of another voice or past the split of a long score", chord.measure);
        continue;
      }
      const float sign = chord.stemUp ? -1.0f : 1.0f;
      const float from = std::fmod(m_run.param(chord.items[m], 4), 100.0f) + sign * kTieClearance;
      const float to = std::fmod(m_run.param(target, 4), 100.0f) + sign * kTieClearance;
      add({{5, static_cast<float>(chord.runStaff), chord.x, from, to, next->x, sign * kTieArch, kTieForm}, {}});
    }
  }

  void articulations(VoiceRun& voice) {
    for (size_t i = 0; i < voice.chords.size(); ++i) {
      const PlacedChord& chord = *voice.chords[i];
      const Note& lead = *chord.members.front();
      for (const std::string& name : lead.articulations) {
        const int mark = markOf(name);
        if (mark == 0) unmapped(name, chord.measure);
        else voice.marks.push_back({mark, false, {static_cast<double>(i + 1)}});
      }
      if (!lead.lyric.empty()) add(textItem(chord.runStaff, chord.x - 0.5f, kLyricStep, lead.lyric));
    }
  }

  int markOf(const std::string& name) const {
    for (const NamedMark& entry : kArticulations)
      if (name == entry.name) return entry.mark;
    return dynamicMark(name);
  }

  static int dynamicMark(const std::string& name) {
    std::string upper;
    for (const char c : name) upper += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const std::optional<int> mark = upper.empty() || upper.size() > 4 ? std::nullopt : markNumber(upper);
    return mark && *mark >= kLowestDynamic && *mark <= kHighestDynamic ? *mark : 0;
  }

  void directions() {
    std::map<int, std::pair<float, WedgeKind>> wedges;  // by run staff: where one opened
    for (const PlacedDirection& placed : m_chunk.directions) {
      const Direction& d = *placed.direction;
      if (!d.dynamics.empty()) dynamic(placed);
      if (!d.words.empty()) add(textItem(placed.runStaff, placed.x, kWordsStep, d.words));
      if (d.wedge == WedgeKind::Crescendo || d.wedge == WedgeKind::Diminuendo) wedges[placed.runStaff] = {placed.x, d.wedge};
      if (d.wedge == WedgeKind::Stop && wedges.count(placed.runStaff)) {
        const auto [from, kind] = wedges[placed.runStaff];
        const float p7 = kind == WedgeKind::Crescendo ? kCrescendoKind : kDiminuendoKind;
        add({{4, static_cast<float>(placed.runStaff), from, kHairpinStep, kHairpinStep, std::max(placed.x, from + 2.0f), p7}, {}});
        wedges.erase(placed.runStaff);
      }
    }
  }

  void dynamic(const PlacedDirection& placed) {
    const int mark = dynamicMark(placed.direction->dynamics);
    auto voice = m_voices.lower_bound({placed.runStaff, 0});
    if (mark == 0 || voice == m_voices.end() || voice->first.first != placed.runStaff) {
      unmapped("dynamics " + placed.direction->dynamics, placed.measure);
      return;
    }
    const auto& chords = voice->second.chords;
    size_t i = 0;
    while (i + 1 < chords.size() && chords[i]->x < placed.x - 0.01f) ++i;
    voice->second.marks.push_back({mark, false, {static_cast<double>(i + 1)}});
  }

  void add(const ItemRecord& item) {
    if (m_run.append(item) == 0) m_fits = false;
  }

  void unmapped(const std::string& kind, int measure) {
    for (const Part& part : m_score.parts)
      if (measure < static_cast<int>(part.measures.size()))
        return m_unmapped.note(kind, part.measures[static_cast<size_t>(measure)].number);
    m_unmapped.note(kind, std::to_string(measure + 1));
  }

  PageStore& m_run;
  const RunChunk& m_chunk;
  UnmappedLog& m_unmapped;
  std::map<ViewKey, VoiceRun> m_voices;
  const Score& m_score;
  bool m_fits = true;
};

}  // namespace

bool attachMarks(PageStore& run, const RunChunk& chunk, const Score& score, UnmappedLog& unmapped) {
  return MarkAttacher(run, chunk, score, unmapped).attach();
}

}  // namespace ts::interchange
