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
    // The parameter number is checked before it is turned into an int.
    EditKind kind = EditKind::Set;
    double target = a;
    if (a >= 100 && a < 10000 && std::fmod(a, 100.0) == 0.0) {
      kind = EditKind::Add;
      target = a / 100;
    } else if (a >= 10000 && std::fmod(a, 10000.0) == 0.0) {
      kind = EditKind::Copy;
      target = a / 10000;
    } else if (a >= 100) {
      error = badPair(a);
      return {};
    }
    if (!isParameterNumber(target)) {
      error = badPair(a);
      return {};
    }
    if (kind == EditKind::Copy && !isParameterNumber(b)) {
      error = badPair(b);
      return {};
    }
    edits.push_back({kind, static_cast<int>(target), b});
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
