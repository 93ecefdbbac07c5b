#include "engine/creation_keywords.h"

#include <array>
#include <string>

#include "engine/command_line.h"

namespace ts {
namespace {

// How a template's position parameters are filled in.
enum class Placement {
  Single,     // P3 = the place
  Advance,    // P3 = the place + kAdvance: notes, rests, bars, clefs ...
  TwoEnded,   // P3 the place, the end 20 units right (P6 for lines, slurs, beams)
  Staff,      // a new staff: P2 = highest staff + 1, P3 = 0
  Vertical,   // a vertical line at the place (arpeggio): P6 = P3
};

constexpr float kAdvance = 10.0f;  // P3 units between items created one after another

struct Template {
  const char* prefix;
  Placement placement;
  std::array<float, 12> params;  // P1, then P4 onward (P2 and P3 come from the place)
  const char* text = nullptr;    // characters of a text item
};

// Library drawing numbers of the marks the keywords create: dynamics,
// words and signs as the item menus number them; articulations in 100-121.
constexpr float kWedge = 100, kAccent = 101, kTenuto = 102, kStaccato = 103, kHeavyWedge = 104;
constexpr float kFermata = 105, kUpBow = 106, kDownBow = 107, kHarmonic = 108, kMordent = 110;
constexpr float kInvertedMordent = 115, kPlus = 116, kAccentTenuto = 119, kAccentStaccato = 121;

// Line kinds (P7 of code 4) for hairpins, endings and octave lines.
constexpr float kCrescendoHairpin = -10, kDecrescendoHairpin = -11, kEnding = -20;
constexpr float kOctaveUp = -30, kOctaveDown = -31, kFifteenthUp = -32, kVibrato = -2;

using P = Placement;
// params: P1, P4, P5, P6, P7, P8, P9, P10, ...
const std::array<Template, kCreationKeywordCount> kTemplates = {{
    {"NOT", P::Advance, {1, 7, 20, 0, 1}},                    // note, stem down on the middle line
    {"RES", P::Advance, {2, 0, 0}},                           // quarter rest
    {"CLE", P::Advance, {3, 0, 0}},                           // treble clef
    {"LIN", P::TwoEnded, {4, 0, 0}},                          // straight line
    {"SLU", P::TwoEnded, {5, 12, 12, 0, 2}},                  // slur over the staff
    {"BEA", P::TwoEnded, {6, 7, 7, 0, 21}},                   // one beam, stems down
    {"BAR", P::Advance, {14, 1, 0}},                          // single bar line
    {"STA", P::Staff, {8, 0, 0}},                             // staff of size 1
    {"LIB", P::Single, {9, -4, 0}},                           // library drawing 0
    {"NUM", P::Single, {10, 14, 1}},                          // number 1
    {"CRH", P::TwoEnded, {4, -4, -4, 0, kCrescendoHairpin}},  // hairpins below the staff
    {"DCH", P::TwoEnded, {4, -4, -4, 0, kDecrescendoHairpin}},
    {"KSI", P::Advance, {17, 0, 1, 0}},                       // key of one sharp, treble pattern
    {"MET", P::Advance, {18, 0, 4, 4}},                       // 4/4
    {"END", P::TwoEnded, {4, 17, 17, 0, kEnding, 1}},         // first ending (P8 = number)
    {"END", P::TwoEnded, {4, 17, 17, 0, kEnding, 2}},         // second ending
    {"8VA", P::TwoEnded, {4, 16, 16, 0, kOctaveUp}},
    {"8BA", P::TwoEnded, {4, -4, -4, 0, kOctaveDown}},
    {"15M", P::TwoEnded, {4, 17, 17, 0, kFifteenthUp}},
    {"TRI", P::TwoEnded, {7, 14}},                            // trill with its wiggle to P6
    {"ARP", P::Vertical, {4, 3, 11, 0, kVibrato}},            // arpeggio: vertical wavy line
    {"BOX", P::Single, {12, 14, 0}},
    {"CIR", P::Single, {12, 14, 2}},
    {"GUI", P::Single, {12, 16, -4}},                         // guitar grid with all
    {"TIE", P::TwoEnded, {5, 5, 5, 0, 1, 0.5f}},              // tie (P8 = 0.5)
    {"BRA", P::Single, {14, 2, 9}},                           // bracket over two staves
    {"PPP", P::Single, {9, -4, 51}},
    {"PP", P::Single, {9, -4, 52}},
    {"P", P::Single, {9, -4, 53}},
    {"MP", P::Single, {9, -4, 54}},
    {"MF", P::Single, {9, -4, 55}},
    {"F", P::Single, {9, -4, 56}},
    {"FF", P::Single, {9, -4, 57}},
    {"FFF", P::Single, {9, -4, 58}},
    {"DCR", P::Single, {9, -4, 111}},                         // decresc.
    {"FP", P::Single, {9, -4, 60}},
    {"SF", P::Single, {9, -4, 61}},
    {"SFZ", P::Single, {9, -4, 62}},
    {"CRS", P::Single, {9, -4, 63}},                          // cresc.
    {"DIM", P::Single, {9, -4, 64}},
    {"RIT", P::Single, {9, 14, 65}},
    {"PIZ", P::Single, {9, 14, 66}},
    {"ARC", P::Single, {9, 14, 67}},
    {"ACL", P::Single, {9, 14, 68}},                          // accel.
    {"WED", P::Single, {9, 13, kWedge}},
    {"ACN", P::Single, {9, 13, kAccent}},
    {"TEN", P::Single, {9, 13, kTenuto}},
    {"STA", P::Single, {9, 13, kStaccato}},
    {"WED", P::Single, {9, -2, kWedge}},                      // the same marks below the staff
    {"ACN", P::Single, {9, -2, kAccent}},
    {"TEN", P::Single, {9, -2, kTenuto}},
    {"DNB", P::Single, {9, 14, kDownBow}},
    {"UPB", P::Single, {9, 14, kUpBow}},
    {"HAR", P::Single, {9, 14, kHarmonic}},
    {"FER", P::Single, {9, 14, kFermata}},
    {"MEN", P::Single, {9, 14, 80}},
    {"PIU", P::Single, {9, 14, 81}},
    {"MOR", P::Single, {9, 14, kMordent}},
    {"INV", P::Single, {9, 14, kInvertedMordent}},
    {"HVW", P::Single, {9, 13, kHeavyWedge}},
    {"PLU", P::Single, {9, 14, kPlus}},
    {"ACT", P::Single, {9, 13, kAccentTenuto}},
    {"ATM", P::Single, {9, 14, 78}},                          // a tempo
    {"MOL", P::Single, {9, 14, 73}},
    {"ESP", P::Single, {9, -4, 79}},
    {"GLI", P::TwoEnded, {4, 5, 9, 0, kVibrato}},             // glissando
    {"SUB", P::Single, {9, -4, 85}},
    {"RAL", P::Single, {9, 14, 113}},
    {"LOG", P::Single, {16, 14, 0}, "loco"},
    {"TUR", P::Single, {9, 14, 75}},
    {"PED", P::Single, {9, -6, 70}},
    {"POC", P::Single, {9, 14, 86}},
    {"TRE", P::Advance, {3, 0, 0}},                           // clefs: treble, bass, alto, percussion
    {"BAS", P::Advance, {3, 0, 1}},
    {"ALT", P::Advance, {3, 0, 2}},
    {"PER", P::Advance, {3, 0, 4}},
    {"CUT", P::Advance, {18, 0, 98, 2}},
    {"COM", P::Advance, {18, 0, 99, 4}},
    {"DAS", P::TwoEnded, {4, 0, 0, 0, 0, 1}},                 // dashed line
    {"USE", P::Single, {9, 14, 5000}},                        // first drawing of the user library
    {"POS", P::Single, {15, 0}},                              // imported EPS picture
    {"AST", P::Single, {9, 13, kAccentStaccato}},
    {"WNO", P::Advance, {1, 7, 0, 2, 4}},                     // whole note: whole head, no stem
    {"HNO", P::Advance, {1, 7, 20, 1, 2}},
    {"ENO", P::Advance, {1, 7, 20, 0, 0.5f, 0, 1}},           // one flag
    {"SNO", P::Advance, {1, 7, 20, 0, 0.25f, 0, 2}},
    {"WRE", P::Advance, {2, 0, -2}},
    {"HRE", P::Advance, {2, 0, -1}},
    {"ERE", P::Advance, {2, 0, 1}},
    {"SRE", P::Advance, {2, 0, 2}},
    {"OVA", P::TwoEnded, {4, 16, 16, 0, kOctaveUp}},
    {"OBA", P::TwoEnded, {4, -4, -4, 0, kOctaveDown}},
    {"OMA", P::TwoEnded, {4, 17, 17, 0, kFifteenthUp}},
    {"ACC", P::Single, {12, 14, 10}},                         // accordion symbol
    {"CR-", P::Single, {9, -4, 63}},
    {"DC-", P::Single, {9, -4, 111}},
}};

// Number of parameters a template sets, from P1 up to its last non-zero one.
size_t templateLength(const Template& t) {
  size_t last = t.params.size();
  while (last > 1 && t.params[last - 1] == 0.0f) --last;
  return last;
}

}  // namespace

std::string_view creationPrefix(int position) {
  if (position < 1 || position > kCreationKeywordCount) return {};
  return kTemplates[position - 1].prefix;
}

std::optional<int> findCreationKeyword(std::string_view word) {
  if (word.empty()) return std::nullopt;
  const std::string upper = toUpper(word);
  const std::string first3 = padded(upper, 3);
  for (int i = 0; i < kCreationKeywordCount; ++i) {
    const std::string_view prefix = kTemplates[i].prefix;
    if (first3 != padded(prefix, 3)) continue;
    if (prefix == "RES" && upper != "REST") continue;
    if ((prefix == "P" || prefix == "F") && upper != prefix) continue;
    return i + 1;
  }
  return std::nullopt;
}

ItemRecord makeCreatedItem(int position, const CreationPlace& place, std::optional<double> argument) {
  const Template& t = kTemplates[position - 1];
  ItemRecord item;
  const size_t length = templateLength(t);
  item.params.assign(std::max<size_t>(length + 2, 4), 0.0f);
  item.params[0] = t.params[0];
  for (size_t i = 1; i < length; ++i) item.params[i + 2] = t.params[i];  // P4 onward
  item.params[1] = place.staff;
  float x = place.position;
  switch (t.placement) {
    case Placement::Advance: x += kAdvance; break;
    case Placement::Staff:
      item.params[1] = static_cast<float>(place.highestStaff + 1);
      x = 0.0f;
      break;
    case Placement::TwoEnded:
      item.params.resize(std::max<size_t>(item.params.size(), 6), 0.0f);
      item.params[5] = x + 20.0f;                               // P6: right end
      if (item.code() != kCodeBeam) item.params[4] = item.params[3];  // P5: level
      break;
    case Placement::Vertical:
      item.params.resize(std::max<size_t>(item.params.size(), 6), 0.0f);
      item.params[5] = x;
      break;
    case Placement::Single: break;
  }
  item.params[2] = x;
  if (t.text) {
    item.text = t.text;
    item.params.resize(kTextParams, 0.0f);
    item.params[11] = static_cast<float>(item.text.size());  // P12: character count
  }
  // A number after the keyword: the ending's number, the number's value,
  // the drawing's number.
  if (argument) {
    const int code = item.code();
    const size_t target = code == kCodeLine && t.params[4] == kEnding ? 7 : 4;  // P8 or P5
    if (target == 7 || code == kCodeNumber || code == kCodeLibrary) {
      item.params.resize(std::max(item.params.size(), target + 1), 0.0f);
      item.params[target] = static_cast<float>(*argument);
    }
  }
  return item;
}

}  // namespace ts
