#include "output/midi_timing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace ts {
namespace {

struct Entry {
  int64_t position = 0;
  int track = 0;
  double quarters = 0;  // 0 for a grace note: it takes no time
};

std::vector<Entry> entriesByPosition(std::span<const TrackNotes> tracks) {
  std::vector<Entry> entries;
  for (size_t t = 0; t < tracks.size(); ++t) {
    for (const MidiNote& note : tracks[t].notes) {
      entries.push_back({note.position, static_cast<int>(t), note.grace() ? 0.0 : note.quarters});
    }
  }
  std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) { return a.position < b.position; });
  return entries;
}

// The shortest length that takes time of each track's entries in a group
// (nothing for a track with none, or only grace notes), and of them all.
struct GroupLengths {
  std::vector<std::optional<double>> perTrack;
  std::optional<double> overall;
};

GroupLengths groupLengths(std::span<const Entry> group, size_t trackCount) {
  GroupLengths lengths{std::vector<std::optional<double>>(trackCount), std::nullopt};
  for (const Entry& e : group) {
    if (e.quarters <= 0.0) continue;
    std::optional<double>& shortest = lengths.perTrack[static_cast<size_t>(e.track)];
    shortest = std::min(shortest.value_or(e.quarters), e.quarters);
    lengths.overall = std::min(lengths.overall.value_or(e.quarters), e.quarters);
  }
  return lengths;
}

}  // namespace

PositionTimes::PositionTimes(std::span<const TrackNotes> tracks) {
  const std::vector<Entry> entries = entriesByPosition(tracks);
  std::vector<std::optional<double>> trackEnds(tracks.size());  // when each track's last notes end
  double previousTime = 0.0, previousAdvance = 0.0;
  for (size_t first = 0; first < entries.size();) {
    size_t last = first;
    while (last < entries.size() && entries[last].position == entries[first].position) ++last;
    const std::span<const Entry> group(entries.data() + first, last - first);
    std::optional<double> latestEnd;
    for (const Entry& e : group) {
      if (const std::optional<double> end = trackEnds[static_cast<size_t>(e.track)]) latestEnd = std::max(latestEnd.value_or(*end), *end);
    }
    const double time = m_times.empty() ? 0.0 : latestEnd ? std::max(previousTime, *latestEnd) : previousTime + previousAdvance;
    m_times.emplace_back(group.front().position, time);
    const GroupLengths lengths = groupLengths(group, tracks.size());
    for (size_t t = 0; t < tracks.size(); ++t) {
      if (lengths.perTrack[t]) trackEnds[t] = time + *lengths.perTrack[t];
    }
    previousTime = time;
    previousAdvance = lengths.overall.value_or(0.0);
    first = last;
  }
}

double PositionTimes::at(int64_t position) const {
  const auto it = std::lower_bound(m_times.begin(), m_times.end(), position,
                                   [](const std::pair<int64_t, double>& entry, int64_t p) { return entry.first < p; });
  return it != m_times.end() && it->first == position ? it->second : 0.0;
}

int64_t ticksAt(double quarters, int tempo) {
  const double ticks = std::round(quarters * kTicksPerMinute / tempo);
  if (!(ticks > 0.0)) return 0;
  return ticks >= static_cast<double>(kLargestTick) ? kLargestTick : static_cast<int64_t>(ticks);
}

}  // namespace ts
