#pragma once
// The score model as a MusicXML 4.0 partwise document, written with
// pugixml: each part's divisions the least that gives every time a whole
// number, each measure's voices one after another with a backup between
// them, elements in the order the schema asks for.

#include <string>

#include "interchange/score_model.h"

namespace ts::interchange {

std::string writeMusicXml(const Score& score);

// The <type> name of a note value (4 a quarter; 0.5 a breve), empty for
// one MusicXML has no name for.
const char* typeName(double noteValue);

struct WrittenValue {
  double noteValue = 0.0;  // 0: no type to write
  int actual = 0;          // tuplet ratio, 0 for none
  int normal = 0;
};

// The written value of a duration with its dots: a plain value, or the
// next longer plain value under a tuplet ratio (a third of a quarter is an
// eighth of a triplet, 3 in the time of 2).
WrittenValue writtenValue(const Rational& duration, int dots);

}  // namespace ts::interchange
