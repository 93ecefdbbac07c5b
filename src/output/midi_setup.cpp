#include "output/midi_setup.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <set>
#include <vector>

#include "model/page_store.h"

namespace ts {
namespace {

constexpr int kHighestSpan = 999;  // a bar's P4 of 999 reaches the top staff

// Staff numbers that carry at least one note, lowest first.
std::set<int> stavesWithNotes(const PageStore& page) {
  std::set<int> staves;
  for (int k = 1; k <= page.itemCount(); ++k) {
    const int staff = truncToInt(page.param(k, 2));
    if (page.code(k) == kCodeNote && staff >= 1 && staff <= kHighestStaffNumber) staves.insert(staff);
  }
  return staves;
}

struct StaffRange {
  int low = 0, high = 0;
};

// The staves each bar line joins: from its staff up through the number it
// spans (negative for an invisible bar, which joins them just the same).
std::vector<StaffRange> joinedRanges(const PageStore& page, int topStaff) {
  std::vector<StaffRange> ranges;
  for (int k = 1; k <= page.itemCount(); ++k) {
    if (page.code(k) != kCodeBars) continue;
    const int staff = truncToInt(page.param(k, 2));
    const int p4 = truncToInt(page.param(k, 4));
    const int span = p4 == kHighestSpan ? topStaff - staff + 1 : std::min(std::abs(std::max(p4, -kHighestSpan)), kHighestSpan);
    if (staff >= 1 && staff <= kHighestStaffNumber && span >= 2) ranges.push_back({staff, staff + span - 1});
  }
  std::sort(ranges.begin(), ranges.end(), [](const StaffRange& a, const StaffRange& b) { return a.low < b.low; });
  std::vector<StaffRange> merged;
  for (const StaffRange& r : ranges) {
    if (!merged.empty() && r.low <= merged.back().high) merged.back().high = std::max(merged.back().high, r.high);
    else merged.push_back(r);
  }
  return merged;
}

// The systems of the page, top first (higher staff numbers stand higher),
// each its staves with notes, top first.
std::vector<std::vector<int>> systemsTopFirst(const std::set<int>& staves, const std::vector<StaffRange>& joined) {
  std::vector<std::vector<int>> systems;
  for (auto staff = staves.rbegin(); staff != staves.rend(); ++staff) {
    const auto range = std::find_if(joined.begin(), joined.end(), [&](const StaffRange& r) { return r.low <= *staff && *staff <= r.high; });
    const bool sameSystem = !systems.empty() && range != joined.end() && range->low <= systems.back().back() &&
                            systems.back().back() <= range->high;
    if (sameSystem) systems.back().push_back(*staff);
    else systems.push_back({*staff});
  }
  return systems;
}

// A staff number without notes: it keeps a track's place in a system that
// has no staff for it, so that every track reaches each system together.
int silentStaff(const std::set<int>& staves) {
  int staff = 1;
  while (staves.count(staff) != 0) ++staff;
  return staff;
}

bool readWhole(std::string_view text, int low, int high, int& value) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && value >= low && value <= high;
}

std::vector<std::string_view> splitAt(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t at = text.find(separator); at != std::string_view::npos; at = text.find(separator, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

}  // namespace

int MidiTrack::staffCount() const {
  const auto end = std::find(staves.begin(), staves.end(), 0);
  return static_cast<int>(end - staves.begin());
}

bool MidiSetup::hasStaves() const {
  return std::any_of(tracks.begin(), tracks.end(), [](const MidiTrack& t) { return t.staffCount() > 0; });
}

int playingTempo(int tempo) { return tempo <= 0 ? kDefaultTempo : std::min(tempo, kHighestTempo); }

int playingVelocity(int amplitude) { return amplitude <= 0 ? kDefaultAmplitude : std::min(amplitude, kHighestVelocity); }

MidiSetup autoSetup(const PageStore& page) {
  MidiSetup setup;
  const std::set<int> staves = stavesWithNotes(page);
  if (staves.empty()) return setup;
  const std::vector<std::vector<int>> systems = systemsTopFirst(staves, joinedRanges(page, *staves.rbegin()));
  size_t parts = 0;
  for (const std::vector<int>& system : systems) parts = std::max(parts, system.size());
  const int trackCount = std::min<int>(static_cast<int>(parts), kMidiChannels - 1);  // the drum channel is passed over
  const int systemCount = std::min<int>(static_cast<int>(systems.size()), kStavesPerTrack);
  for (int t = 0; t < trackCount; ++t) {
    MidiTrack& track = setup.tracks[static_cast<size_t>(t)];
    track.channel = t < kPercussionChannel ? t : t + 1;
    for (int s = 0; s < systemCount; ++s) {
      const std::vector<int>& system = systems[static_cast<size_t>(s)];
      track.staves[static_cast<size_t>(s)] = static_cast<size_t>(t) < system.size() ? system[static_cast<size_t>(t)] : silentStaff(staves);
    }
  }
  return setup;
}

std::optional<MidiTrack> parseMidiTrack(std::string_view text) {
  const std::vector<std::string_view> fields = splitAt(text, ':');
  if (fields.size() != 5) return std::nullopt;
  MidiTrack track;
  if (!readWhole(fields[0], 0, kMidiChannels - 1, track.channel) || !readWhole(fields[1], 0, kHighestProgram, track.instrument) ||
      !readWhole(fields[2], 0, kHighestVelocity, track.amplitude) ||
      !readWhole(fields[3], -kHighestTransposition, kHighestTransposition, track.transposition)) {
    return std::nullopt;
  }
  const std::vector<std::string_view> staves = splitAt(fields[4], ',');
  if (staves.size() > static_cast<size_t>(kStavesPerTrack)) return std::nullopt;
  for (size_t i = 0; i < staves.size(); ++i) {
    if (!readWhole(staves[i], 1, kHighestStaffNumber, track.staves[i])) return std::nullopt;
  }
  return track;
}

}  // namespace ts
