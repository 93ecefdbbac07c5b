#pragma once
// The score as one continuous run of bars, the form page layout breaks
// into lines and pages: every staff of every part on staves 1..k (the first
// part's first staff highest), the bars left to right past the right edge,
// each measure's notes, rests and changes spaced by their times. A long
// score is cut into several runs, each small enough for one page store.

#include <map>
#include <string>
#include <vector>

#include "interchange/score_model.h"
#include "interchange/unmapped_log.h"
#include "model/page_store.h"

namespace ts::interchange {

constexpr int kMaxSystemStaves = 10;  // staves one system of a letter page holds

// Where each part's staves lie in the run: run staff numbers from the top.
struct StaffSlot {
  int part = 0;
  int staff = 1;     // within the part
  int runStaff = 0;
};

std::vector<StaffSlot> staffSlots(const Score& score);

// A note or chord as it stands in the run, for the marks that join notes.
struct PlacedChord {
  int part = 0;
  int measure = 0;
  int runStaff = 0;
  int voice = 1;                      // ordinal on its staff
  int fileVoice = 1;
  float x = 0.0f;
  bool stemUp = true;
  bool rest = false;
  std::vector<const Note*> members;   // the first is the one the file gave first
  std::vector<int> items;             // the items made, members in the same order
};

struct PlacedDirection {
  const Direction* direction = nullptr;
  int part = 0;
  int measure = 0;
  int runStaff = 0;
  float x = 0.0f;
};

struct RunChunk {
  std::vector<PlacedChord> chords;  // in time order within each measure
  std::vector<PlacedDirection> directions;
  int firstMeasure = 0;
  int endMeasure = 0;
};

class RunBuilder {
 public:
  RunBuilder(const Score& score, UnmappedLog& unmapped);

  bool done() const { return m_next >= m_measureCount; }
  // Fills the next run from the measure after the last one placed, until
  // the run is near a page store's size. False with `error` set when a
  // single measure holds more than one page can.
  bool fill(PageStore& run, RunChunk& chunk, std::string& error);

 private:
  struct PartState {
    std::map<int, Clef> clefs;  // by staff of the part
    int fifths = 0;
    Meter meter;
    bool meterSeen = false;
  };

  float addStartOfRun(PageStore& run);
  bool addMeasure(PageStore& run, RunChunk& chunk, int measure, float& x);
  float addChanges(PageStore& run, int measure, float x);
  float addMeterAndKeys(PageStore& run, float x, bool atRunStart);
  std::string measureNumber(int measure) const;

  const Score& m_score;
  UnmappedLog& m_unmapped;
  std::vector<StaffSlot> m_slots;
  std::vector<PartState> m_parts;
  std::vector<std::map<std::pair<int, int>, int>> m_voiceOrdinals;  // by part
  int m_measureCount = 0;
  int m_next = 0;
};

}  // namespace ts::interchange
