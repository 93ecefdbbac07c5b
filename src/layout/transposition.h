#pragma once
// Transposition of the staves of a range: notes move by the diatonic shift
// and are spelled in the new key, key signatures change by the circle of
// fifths, beams, slur ends and guitar chord roots follow, clefs may be
// changed; or, for the enharmonic amounts, sharps become flats or flats
// sharps without moving the pitch. The page is left as it was whenever the
// transposition is refused.

#include <string>
#include <vector>

#include "layout/transposition_tables.h"

namespace ts {

class PageStore;

namespace transposition_messages {
inline constexpr const char* kMissingRhythm = "*** missing rhythm (P7) - Item";
inline constexpr const char* kKeySignatureInRange = "*** No enharmonic change with key signature.";
inline constexpr const char* kMixedSharpsAndFlats = "*** Can't mix sharps and flats.";
inline constexpr const char* kNoEnharmonicChanges = "*** No enharmonic changes made.";
inline constexpr const char* kFingerings =
    "******** Fingerings for guitar chords will NOT transpose when P5 = -1 or -2.";
inline constexpr const char* kAmountOutOfRange =
    "*** Transpose by -30 to 30 half steps (99 and -99: enharmonic change).";
inline constexpr const char* kNoRoomForKey = "*** The page is full: no key signature was added on staff";
}  // namespace transposition_messages

// The clef every clef of the range becomes; the values are the clefs' P5.
enum class ClefChoice { None = -1, Treble = 0, Bass = 1, Alto = 2, Tenor = 3 };

struct TransposeOptions {
  int halfSteps = 0;  // kEnharmonicUp or kEnharmonicDown for an enharmonic change
  ClefChoice clef = ClefChoice::None;
  bool addKeySignature = true;
  bool normalizeStems = false;
  bool cueNotes = true;
};

struct TransposeRange {
  int firstStaff = 1;
  int lastStaff = 1;
  float left = 0.0f;
  float right = 200.0f;
};

struct TransposeOutcome {
  std::string refusal;                // not empty: the page is as it was
  std::vector<std::string> messages;  // told while the change was made
  std::vector<int> staves;            // the staves transposed, in order
  bool changed = false;
};

TransposeOutcome transposeRange(PageStore& page, const TransposeRange& range, const TransposeOptions& options);

// The staves justified together after a transposition: runs of
// neighbouring staves of which more than half the note and rest positions
// of the one with fewer stand at positions of the other, as the staves of
// one system do. Staves of different systems, which share at most a
// first beat, stay apart, so that no system takes another's columns.
std::vector<std::vector<int>> systemsOfStaves(const PageStore& page, const std::vector<int>& staves);

// A step with the hundreds of its packing (a cue note's 100, a beam's
// partial-beam flag) moved by `steps`: the hundreds stay, the sign is the
// new step's.
float movedPackedStep(float packed, int steps);

// The stem digit of a note's P5 for its step: up below the middle line,
// down from it on.
int normalStemDigit(int step);

}  // namespace ts
