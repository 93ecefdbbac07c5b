#pragma once
// Parameter-edit lines: pairs "a b" applied left to right to the record of
// the item being edited. a below 100 sets Pa to b; a multiple of 100 adds b
// to P(a/100); a multiple of 10000 copies Pb into P(a/10000).

#include <string>
#include <vector>

#include "model/page_store.h"

namespace ts {

enum class EditKind { Set, Add, Copy };

struct ParameterEdit {
  EditKind kind = EditKind::Set;
  int target = 0;      // parameter number changed
  double value = 0.0;  // the value set or added, or the source parameter number
};

// Reads the pairs of a line; an empty message when they are all valid.
// A line with an unpaired number, or a parameter number outside P1..P50,
// is refused whole.
std::vector<ParameterEdit> readParameterEdits(const std::vector<double>& numbers, std::string& error);

void applyParameterEdits(const std::vector<ParameterEdit>& edits, WorkingRecord& record);

}  // namespace ts
