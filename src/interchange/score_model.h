#pragma once
// A score as notation programs exchange it: parts, their staves and
// measures, and the notes, rests and directions of each measure with exact
// rational times. Both directions of the exchange meet here, so the page
// side and the file side never need each other.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace ts::interchange {

// An exact time or duration in quarter notes. The denominator stays
// positive and the fraction reduced; `valid` falls to false instead of
// overflowing, so hostile durations cannot wrap round.
struct Rational {
  int64_t num = 0;
  int64_t den = 1;
  bool valid = true;

  static Rational of(int64_t num, int64_t den);
  double value() const { return static_cast<double>(num) / static_cast<double>(den); }
  friend bool operator==(const Rational&, const Rational&) = default;
};

Rational operator+(const Rational& a, const Rational& b);
Rational operator-(const Rational& a, const Rational& b);
bool operator<(const Rational& a, const Rational& b);
// The nearest fraction with a denominator up to `maxDen` (durations read
// back from the page's real numbers).
Rational nearestRational(double value, int64_t maxDen);

struct Pitch {
  int step = 0;    // 0 C, 1 D, ... 6 B
  int alter = 0;   // semitones, -2 to 2
  int octave = 4;  // scientific: middle C is C4

  // Diatonic steps from C0, the count typed input numbers notes by (less one).
  int diatonic() const { return octave * 7 + step; }
  friend bool operator==(const Pitch&, const Pitch&) = default;
};

enum class BeamMark { None, Begin, Continue, End };

struct Note {
  Rational offset;     // from the start of the measure
  Rational duration;   // quarters; 0 for a grace note
  bool rest = false;
  bool chord = false;  // sounds with the note before it
  bool grace = false;
  bool wholeMeasure = false;  // a rest that fills its measure
  Pitch pitch;
  int staff = 1;              // 1-based within the part
  int voice = 1;              // as the file numbers it
  int noteValue = 0;          // 1 whole, 2 half, 4 quarter ...; 0 from the duration
  int dots = 0;
  int shownAccidental = 0;    // 0 none, else the alter it shows (3 for a natural)
  bool tieStart = false;
  bool tieStop = false;
  BeamMark beam = BeamMark::None;
  int slurStarts = 0;         // slurs starting and ending at this note
  int slurStops = 0;
  int tupletActual = 0;       // 3 for a triplet (3 in the time of 2), 0 none
  int tupletNormal = 0;
  bool tupletStart = false;
  std::vector<std::string> articulations;  // MusicXML names: "staccato", "accent", "fermata" ...
  std::string lyric;
};

enum class WedgeKind { None, Crescendo, Diminuendo, Stop };

struct Direction {
  Rational offset;
  int staff = 1;
  std::string dynamics;  // "p", "mf", "sfz" ...
  WedgeKind wedge = WedgeKind::None;
  std::string words;
};

struct Clef {
  char sign = 'G';  // G, F, C, P(ercussion)
  int line = 2;
  int octaveChange = 0;
  friend bool operator==(const Clef&, const Clef&) = default;
};

struct ClefChange {
  Rational offset;
  int staff = 1;
  Clef clef;
};

struct Meter {
  int beats = 4;
  int beatType = 4;
  bool symbolCommon = false;
  bool symbolCut = false;
  friend bool operator==(const Meter&, const Meter&) = default;
};

enum class BarStyle { Regular, LightLight, LightHeavy, HeavyLight, HeavyHeavy, Dashed, None };

struct Barline {
  BarStyle style = BarStyle::Regular;
  bool repeatForward = false;   // dots to the right (at the left of a measure)
  bool repeatBackward = false;  // dots to the left (at the right of a measure)
};

struct Measure {
  std::string number;
  std::optional<int> fifths;          // a key signature set at the start
  std::optional<Meter> meter;
  std::vector<ClefChange> clefs;
  std::vector<Note> notes;            // in file order; chords after their first note
  std::vector<Direction> directions;
  Barline left;
  Barline right;
  Rational length;                    // the furthest point any voice reached
};

struct Part {
  std::string id;
  std::string name;
  int staves = 1;
  std::vector<Measure> measures;
};

struct Score {
  std::string title;
  std::string composer;
  std::vector<Part> parts;
};

// A voice's place among the voices used on its staff (1 the lowest
// numbered), which is what a page can keep: files number voices freely.
// Keyed by (staff, voice).
std::map<std::pair<int, int>, int> voiceOrdinals(const Part& part);

}  // namespace ts::interchange
