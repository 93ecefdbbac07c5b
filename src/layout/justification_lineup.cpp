#include "layout/justification_lineup.h"

#include <algorithm>
#include <cmath>

namespace ts {
namespace {

constexpr double kWholeBeat = 0.005;  // a running sum this near a whole number is that number
constexpr float kSameColumn = 0.1f;   // a chord's notes stand within this of each other

bool counts(const TimedItem& item) {
  return std::isfinite(item.x) && std::isfinite(item.duration) && item.duration > 0.0f &&
         item.duration < kGraceDuration;
}

float interpolate(float x0, float x1, double b0, double b1, double beat) {
  if (!(b1 > b0)) return x0;
  return x0 + static_cast<float>((beat - b0) / (b1 - b0)) * (x1 - x0);
}

}  // namespace

double roundedBeat(double sum) {
  const double nearest = std::round(sum);
  return std::fabs(sum - nearest) < kWholeBeat ? nearest : sum;
}

StaffBeats countBeats(std::span<const TimedItem> items) {
  std::vector<TimedItem> timed;
  for (const TimedItem& item : items)
    if (counts(item)) timed.push_back(item);
  std::stable_sort(timed.begin(), timed.end(), [](const TimedItem& a, const TimedItem& b) { return a.x < b.x; });
  StaffBeats beats;
  double running = 0.0;
  for (size_t i = 0; i < timed.size();) {
    const float x = timed[i].x;
    float shortest = timed[i].duration;
    for (; i < timed.size() && timed[i].x - x < kSameColumn; ++i) shortest = std::min(shortest, timed[i].duration);
    beats.columns.push_back({x, running});
    running = roundedBeat(running + shortest);
  }
  beats.total = running;
  return beats;
}

float positionAtBeat(const StaffBeats& reference, double beat, float right) {
  const std::vector<BeatColumn>& columns = reference.columns;
  if (columns.empty()) return right;
  if (beat <= columns.front().beat) return columns.front().x;
  const auto after = std::upper_bound(columns.begin(), columns.end(), beat,
                                      [](double b, const BeatColumn& c) { return b < c.beat; });
  if (after == columns.end()) {
    const BeatColumn& last = columns.back();
    return beat >= reference.total ? right : interpolate(last.x, right, last.beat, reference.total, beat);
  }
  const BeatColumn& before = *(after - 1);
  return interpolate(before.x, after->x, before.beat, after->beat, beat);
}

float mapThroughKnots(float position, std::span<const Knot> knots) {
  if (knots.size() < 2 || !(position >= knots.front().from) || position > knots.back().from) return position;
  const auto after = std::upper_bound(knots.begin(), knots.end(), position,
                                      [](float p, const Knot& k) { return p < k.from; });
  if (after == knots.end()) return knots.back().to;
  const Knot& before = *(after - 1);
  const float width = after->from - before.from;
  if (!(width > 0.0f)) return before.to;
  return before.to + (position - before.from) / width * (after->to - before.to);
}

std::vector<Knot> lineUpKnots(const StaffBeats& staff, const StaffBeats& reference, float left, float right) {
  std::vector<Knot> knots{{left, left}};
  for (const BeatColumn& column : staff.columns) {
    const Knot knot{column.x, positionAtBeat(reference, column.beat, right)};
    if (knot.from > knots.back().from && knot.to >= knots.back().to && knot.from < right && knot.to < right)
      knots.push_back(knot);
  }
  if (right > knots.back().from) knots.push_back({right, right});
  return knots;
}

}  // namespace ts
