#include "interchange/score_model.h"

#include <cmath>
#include <numeric>
#include <set>

namespace ts::interchange {
namespace {

// Well inside int64: sums of durations over many measures with
// denominators up to this stay exact.
constexpr int64_t kLargestDenominator = 1'000'000'000'000;
constexpr int64_t kLargestNumerator = 1'000'000'000'000'000;

Rational reduced(__int128 num, __int128 den) {
  if (den == 0) return {0, 1, false};
  if (den < 0) num = -num, den = -den;
  __int128 a = num < 0 ? -num : num, b = den;
  while (b != 0) {
    const __int128 t = a % b;
    a = b;
    b = t;
  }
  if (a > 1) num /= a, den /= a;
  if (den > kLargestDenominator || num > kLargestNumerator || num < -kLargestNumerator) return {0, 1, false};
  return {static_cast<int64_t>(num), static_cast<int64_t>(den), true};
}

}  // namespace

Rational Rational::of(int64_t num, int64_t den) { return reduced(num, den); }

Rational operator+(const Rational& a, const Rational& b) {
  if (!a.valid || !b.valid) return {0, 1, false};
  return reduced(static_cast<__int128>(a.num) * b.den + static_cast<__int128>(b.num) * a.den,
                 static_cast<__int128>(a.den) * b.den);
}

Rational operator-(const Rational& a, const Rational& b) { return a + Rational{-b.num, b.den, b.valid}; }

bool operator<(const Rational& a, const Rational& b) {
  return static_cast<__int128>(a.num) * b.den < static_cast<__int128>(b.num) * a.den;
}

Rational nearestRational(double value, int64_t maxDen) {
  if (!std::isfinite(value) || std::fabs(value) > 1e9 || maxDen < 1) return {0, 1, false};
  Rational best = Rational::of(std::llround(value), 1);
  double bestError = std::fabs(value - best.value());
  for (int64_t den = 2; den <= maxDen && bestError > 1e-9; ++den) {
    const Rational candidate = Rational::of(std::llround(value * static_cast<double>(den)), den);
    const double error = std::fabs(value - candidate.value());
    if (error + 1e-9 < bestError) best = candidate, bestError = error;
  }
  return best;
}

std::map<std::pair<int, int>, int> voiceOrdinals(const Part& part) {
  std::map<int, std::set<int>> used;
  for (const Measure& measure : part.measures)
    for (const Note& note : measure.notes) used[note.staff].insert(note.voice);
  std::map<std::pair<int, int>, int> ordinals;
  for (const auto& [staff, voices] : used) {
    int n = 0;
    for (const int voice : voices) ordinals[{staff, voice}] = ++n;
  }
  return ordinals;
}

}  // namespace ts::interchange
