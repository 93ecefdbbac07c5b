#include "engine/parameter_edit.h"

#include <cmath>
#include <cstdio>

namespace ts {
namespace {

bool isParameterNumber(double n) { return n >= 1 && n <= kWorkingParams && n == std::floor(n); }

std::string badPair(double a) {
  char text[80];
  std::snprintf(text, sizeof text, "*** No such parameter: %g", a);
  return text;
}

}  // namespace

std::vector<ParameterEdit> readParameterEdits(const std::vector<double>& numbers, std::string& error) {
  std::vector<ParameterEdit> edits;
  error.clear();
  if (numbers.size() % 2 != 0) {
    error = "*** Parameter edits come in pairs: P#, value.";
    return {};
  }
  for (size_t i = 0; i < numbers.size(); i += 2) {
    const double a = numbers[i];
    const double b = numbers[i + 1];
    ParameterEdit edit;
    if (a < 100) {
      edit = {EditKind::Set, static_cast<int>(a), b};
      if (!isParameterNumber(a)) error = badPair(a);
    } else if (a < 10000 && std::fmod(a, 100.0) == 0.0) {
      edit = {EditKind::Add, static_cast<int>(a / 100), b};
      if (!isParameterNumber(a / 100)) error = badPair(a);
    } else if (std::fmod(a, 10000.0) == 0.0) {
      edit = {EditKind::Copy, static_cast<int>(a / 10000), b};
      if (!isParameterNumber(a / 10000) || !isParameterNumber(b)) error = badPair(isParameterNumber(b) ? a : b);
    } else {
      error = badPair(a);
    }
    if (!error.empty()) return {};
    edits.push_back(edit);
  }
  return edits;
}

void applyParameterEdits(const std::vector<ParameterEdit>& edits, WorkingRecord& record) {
  for (const ParameterEdit& edit : edits) {
    float& target = record[edit.target - 1];
    switch (edit.kind) {
      case EditKind::Set: target = static_cast<float>(edit.value); break;
      case EditKind::Add: target = static_cast<float>(static_cast<double>(target) + edit.value); break;
      case EditKind::Copy: target = record[static_cast<int>(edit.value) - 1]; break;
    }
  }
}

}  // namespace ts
