#include "engine/parameter_words.h"

#include <algorithm>
#include <array>

namespace ts {
namespace {

enum class Change {
  Set,        // Pn = value
  Add,        // Pn + value, never below 0 (sizes and spaces)
  Move,       // Pn + value, either side of 0 (offsets)
  Toggle,     // Pn = value when it is 0, else 0
  ToggleEnd,  // Pn = P3 + value when it is 0, else 0 (an end given or taken away)
};

struct ParameterWord {
  std::string_view word;
  int code;
  int param;
  Change change;
  float value;
};

// [word]: the code it acts on, the parameter, and how it changes it.
constexpr std::array kWords = {
    // Lines (code 4): dashes, patterns, arrowheads.
    ParameterWord{"DSH+", kCodeLine, 8, Change::Add, 0.2f},
    ParameterWord{"DSH0", kCodeLine, 8, Change::Set, 0.0f},
    ParameterWord{"DSHL+", kCodeLine, 8, Change::Add, 0.2f},
    ParameterWord{"DSHL-", kCodeLine, 8, Change::Add, -0.2f},
    ParameterWord{"DSHL0", kCodeLine, 8, Change::Set, 0.0f},
    ParameterWord{"DSP+", kCodeLine, 9, Change::Add, 0.2f},
    ParameterWord{"DSP0", kCodeLine, 9, Change::Set, 0.0f},
    ParameterWord{"DSHS+", kCodeLine, 9, Change::Add, 0.2f},
    ParameterWord{"DSHS-", kCodeLine, 9, Change::Add, -0.2f},
    ParameterWord{"DSHS0", kCodeLine, 9, Change::Set, 0.0f},
    ParameterWord{"VIB", kCodeLine, 7, Change::Set, -2.0f},
    ParameterWord{"SAW", kCodeLine, 7, Change::Set, -3.0f},
    ParameterWord{"LAR", kCodeLine, 11, Change::Toggle, 1.0f},
    ParameterWord{"RAR", kCodeLine, 12, Change::Toggle, 1.0f},
    // Slurs (code 5).
    ParameterWord{"SLDSH", kCodeSlur, 11, Change::Set, 1.0f},
    ParameterWord{"SLDTS", kCodeSlur, 11, Change::Set, -1.0f},
    ParameterWord{"SLHL", kCodeSlur, 12, Change::Set, 1.0f},
    ParameterWord{"SLHR", kCodeSlur, 12, Change::Set, 2.0f},
    ParameterWord{"SUPDN", kCodeSlur, 12, Change::Set, -1.0f},
    ParameterWord{"SLTRIP", kCodeSlur, 16, Change::Set, 3.0f},
    // Trills (code 7): the accidental, the wiggle and its place and size.
    ParameterWord{"TRZ", kCodeTrill, 8, Change::Set, 0.0f},
    ParameterWord{"TRFW", kCodeTrill, 8, Change::Set, 1.0f},
    ParameterWord{"TRS", kCodeTrill, 8, Change::Set, 2.0f},
    ParameterWord{"TRSW", kCodeTrill, 8, Change::Set, 2.0f},
    ParameterWord{"TRN", kCodeTrill, 8, Change::Set, 3.0f},
    ParameterWord{"TRNW", kCodeTrill, 8, Change::Set, 3.0f},
    ParameterWord{"WYN", kCodeTrill, 6, Change::ToggleEnd, 20.0f},
    ParameterWord{"WUP", kCodeTrill, 11, Change::Move, 1.0f},
    ParameterWord{"WDN", kCodeTrill, 11, Change::Move, -1.0f},
    ParameterWord{"WZR", kCodeTrill, 11, Change::Set, 0.0f},
    ParameterWord{"WSP", kCodeTrill, 9, Change::Add, 0.2f},
    ParameterWord{"WSM", kCodeTrill, 9, Change::Add, -0.2f},
    ParameterWord{"WS0", kCodeTrill, 9, Change::Set, 0.0f},
};

float changed(const ParameterWord& w, float old, float position) {
  switch (w.change) {
    case Change::Set: return w.value;
    case Change::Add: return std::max(0.0f, old + w.value);
    case Change::Move: return old + w.value;
    case Change::Toggle: return old == 0.0f ? w.value : 0.0f;
    case Change::ToggleEnd: return old == 0.0f ? position + w.value : 0.0f;
  }
  return old;
}

}  // namespace

bool applyParameterWord(std::string_view word, WorkingRecord& record) {
  const int code = truncToInt(record[0]);
  const auto found = std::find_if(kWords.begin(), kWords.end(),
                                  [&](const ParameterWord& w) { return w.word == word && w.code == code; });
  if (found == kWords.end()) return false;
  float& target = record[static_cast<size_t>(found->param - 1)];
  target = changed(*found, target, record[2]);
  return true;
}

}  // namespace ts
