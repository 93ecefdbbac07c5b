#pragma once
// The note list of one track: the notes and rests of its staves, in the
// order they play, each with its pitch, its length in quarter notes and
// its position (twice P3, plus 400 for each staff before its own in the
// track's list, so that the staves of a track play one after another).

#include <cstdint>
#include <optional>
#include <vector>

#include "output/midi_setup.h"

namespace ts {

class PageStore;

constexpr int64_t kStaffPositionSpan = 400;  // positions between two staves of one track's list
constexpr double kGraceQuarters = 64.0;      // a length of 64 quarters and more marks a grace note
constexpr int kMostTrackNotes = 6000;        // entries of one track's list: a page's worth of items

struct MidiNote {
  int code = 0;         // kCodeNote or kCodeRest
  int item = 0;         // item number on the page
  int64_t position = 0;
  double quarters = 0;  // length; kGraceQuarters and more: a grace note
  int midiNote = 0;     // before the track's transposition (notes only)
  int staffStep = 0;    // P4 modulo 100, where a tie finds its note
  int pitchStep = 0;    // the step under the clef, what a tie compares
  int tieNext = -1;     // the note this one is tied on to, -1 for none
  bool tiedOn = false;  // sounds as part of the note tied on to it

  bool grace() const { return quarters >= kGraceQuarters; }
};

// An item without a usable rhythm, played as the documented default.
struct MissingRhythm {
  int item = 0;
  int staff = 0;
  float p3 = 0.0f;
};

struct TrackNotes {
  std::vector<MidiNote> notes;  // in position order, page order within a position
  std::vector<MissingRhythm> missing;
  bool overflow = false;        // more than kMostTrackNotes: the rest left out
};

// The length in quarters a note or rest plays, or nothing when it is left
// out (a negative P7). A P7 of 1000 and more is a dotted value carrying
// 1000 x its dots: the length is what lies below the thousands. `missing`
// is set when there is no usable rhythm (P7 0, not stored or not a number);
// the length is then 4, or for a note the length its head shows (half 2,
// whole 4, double whole 8), for a rest the length its glyph shows (P5: -3
// double whole ... 0 quarter ... 6 256th).
std::optional<double> playedQuarters(const PageStore& page, int item, bool& missing);

// The note list of one track: for each staff of its list, the items on it
// in position order (page order within a position): clefs set the clef
// base, key signatures the key, bar lines end the accidentals of the bar,
// notes and rests enter the list; then the octave signs move the notes
// under them and the ties join the notes they tie.
TrackNotes extractTrackNotes(const PageStore& page, const MidiTrack& track);

}  // namespace ts
