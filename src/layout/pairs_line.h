#pragma once
// The beams line (input stage 4) and the slurs line (stage 5): pairs of
// note numbers "a b", first and last note (notes and rests counted from 1,
// a chord once). A "+" before either number marks the pair: the beam or
// slur goes to the other side of the notes. In stage 4 a line "g B [s]"
// asks for beams in groups of g eighths, from note s on (1 when not given);
// a line starting with "B" or "A" takes g from the last meter.

#include <optional>
#include <string>
#include <vector>

#include "layout/input_line.h"

namespace ts {

struct NotePair {
  int first = 0;
  int last = 0;
  bool marked = false;
};

struct BeamGroups {
  int eighths = 0;    // group length in eighths
  int fromNote = 1;   // the first note the groups start at
};

struct PairsLine {
  std::vector<NotePair> pairs;
  std::optional<BeamGroups> groups;  // stage 4's beams by group or by meter
  std::optional<LineError> error;
};

// Eighths of one beam group under a meter (numerator, denominator; 99/1 is
// common time, 98/1 cut time, denominator 0 no meter yet); 0: no
// automatic beams for this meter.
int beamGroupForMeter(int numerator, int denominator);

PairsLine readPairsLine(const std::string& prepared, InputStage stage, const InputState& state);

}  // namespace ts
