#pragma once
// The marks line (input stage 3): each token is a mark mnemonic, with an
// optional leading "+" or "-" (the flag), followed by the numbers of the
// notes it applies to (notes and rests counted from 1, a chord once). A
// number may carry a fraction: the mark then stands that far on towards
// the next note.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/input_line.h"

namespace ts {

struct MarkRequest {
  int mark = 0;           // the mark number; -n for "N" n, library drawing n
  bool flagged = false;   // a "+" or "-" stood before the mnemonic
  std::vector<double> notes;
};

struct MarksLine {
  std::vector<MarkRequest> marks;
  std::optional<LineError> error;
};

// The mark number of a mnemonic (without its sign); nothing for one the
// table does not know.
std::optional<int> markNumber(std::string_view mnemonic);

MarksLine readMarksLine(const std::string& prepared);

}  // namespace ts
