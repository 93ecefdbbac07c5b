#include "output/midi_events.h"

#include <algorithm>
#include <array>
#include <map>
#include <span>

#include "model/page_store.h"
#include "output/midi_messages.h"
#include "output/midi_notes.h"
#include "output/midi_pitch.h"
#include "output/midi_timing.h"

namespace ts {
namespace {

namespace msg = midi_messages;

constexpr int kMostRhythmMessages = 10;  // shown one by one; the rest are counted
constexpr int kSevenBits = 0x7F;
constexpr uint32_t kProgramFill = 0x2101;

// What happens at one time on one channel; `order` sorts the events of one
// time: program changes, then note-offs, then note-ons.
struct TimedEvent {
  double time = 0;
  int order = 0;
  int32_t word = 0;
};

int32_t eventWord(uint32_t top, uint32_t middle, uint32_t low) {
  return static_cast<int32_t>(top << 24 | middle << 8 | low);
}

uint32_t sevenBits(int value) { return static_cast<uint32_t>(std::clamp(value, 0, kSevenBits)); }

// Start and end of the grace notes of each position of a track: the last
// grace position of a run ends at its time, each earlier one where the
// next begins.
std::map<int64_t, std::pair<double, double>> graceSlots(const std::vector<MidiNote>& notes, const PositionTimes& times) {
  std::map<int64_t, bool> graceOnly;  // position -> every entry there a grace note
  for (const MidiNote& n : notes) {
    const auto [it, added] = graceOnly.try_emplace(n.position, n.grace());
    if (!added) it->second = it->second && n.grace();
  }
  std::map<int64_t, bool> hasGrace;
  for (const MidiNote& n : notes) hasGrace[n.position] = hasGrace[n.position] || n.grace();
  std::map<int64_t, std::pair<double, double>> slots;
  bool inRun = false;             // the position after this one holds only grace notes
  double runTime = 0, runStart = 0;  // ... its time, and where its grace notes begin
  for (auto it = graceOnly.rbegin(); it != graceOnly.rend(); ++it) {
    const double time = times.at(it->first);
    if (hasGrace[it->first]) {
      const double end = inRun && runTime == time ? runStart : time;
      slots[it->first] = {end - kGraceLead, end};
      runTime = time;
      runStart = end - kGraceLead;
    }
    inRun = it->second;
  }
  return slots;
}

// The note a tie chain from `index` ends on.
const MidiNote& lastTied(const std::vector<MidiNote>& notes, size_t index) {
  size_t last = index;
  for (size_t hops = 0; notes[last].tieNext >= 0 && hops < notes.size(); ++hops) last = static_cast<size_t>(notes[last].tieNext);
  return notes[last];
}

struct TrackEvents {
  std::vector<TimedEvent> events;
  int struck = 0, outOfRange = 0;
};

TrackEvents trackEvents(const TrackNotes& list, const MidiTrack& track, const PositionTimes& times) {
  TrackEvents out;
  const auto slots = graceSlots(list.notes, times);
  const int velocity = playingVelocity(track.amplitude);
  for (size_t i = 0; i < list.notes.size(); ++i) {
    const MidiNote& note = list.notes[i];
    if (note.code != kCodeNote || note.tiedOn) continue;
    const int number = note.midiNote + std::clamp(track.transposition, -kHighestTransposition, kHighestTransposition);
    if (number < kLowestMidiNote || number > kHighestMidiNote) {
      ++out.outOfRange;
      continue;
    }
    double start = times.at(note.position), end = start + note.quarters;
    if (note.grace()) {
      std::tie(start, end) = slots.at(note.position);
    } else if (note.tieNext >= 0) {
      const MidiNote& last = lastTied(list.notes, i);
      end = times.at(last.position) + last.quarters;
    }
    out.events.push_back({start, 2, noteOnWord(number, velocity)});
    out.events.push_back({end, 1, noteOffWord(number, velocity)});
    ++out.struck;
  }
  if (out.struck == 0) return out;
  // The program goes first, even before grace notes that lead in from before 0.
  double first = 0.0;
  for (const TimedEvent& e : out.events) first = std::min(first, e.time);
  out.events.push_back({first, 0, programWord(track.instrument)});
  return out;
}

void reportMissingRhythms(const std::vector<TrackNotes>& lists, std::vector<std::string>& messages) {
  int count = 0;
  for (const TrackNotes& list : lists) {
    for (const MissingRhythm& m : list.missing) {
      if (count++ < kMostRhythmMessages) messages.push_back(msg::missingRhythmMessage(m.item, m.staff, m.p3));
    }
  }
  if (count > kMostRhythmMessages) messages.push_back(msg::countedMessage(msg::kMoreMissingRhythms, count - kMostRhythmMessages));
  const bool overflow = std::any_of(lists.begin(), lists.end(), [](const TrackNotes& l) { return l.overflow; });
  if (overflow) messages.push_back(msg::kTooManyNotes);
}

// The events of one channel in time order, as event words and delta ticks.
void appendChannel(std::vector<TimedEvent>& events, double shift, int tempo, std::vector<int32_t>& words) {
  std::stable_sort(events.begin(), events.end(),
                   [](const TimedEvent& a, const TimedEvent& b) { return a.time != b.time ? a.time < b.time : a.order < b.order; });
  int64_t previous = 0;
  for (const TimedEvent& e : events) {
    const int64_t ticks = ticksAt(e.time + shift, tempo);
    words.push_back(e.word);
    words.push_back(static_cast<int32_t>(ticks - previous));
    previous = ticks;
  }
}

std::vector<int32_t> eventArray(std::array<std::vector<TimedEvent>, kMidiChannels>& channels, int tempo) {
  double earliest = 0.0;
  for (const auto& channel : channels) {
    for (const TimedEvent& e : channel) earliest = std::min(earliest, e.time);
  }
  std::vector<int32_t> words(kChannelCountWords, 0);
  for (size_t c = 0; c < channels.size(); ++c) {
    words[c] = static_cast<int32_t>(channels[c].size());
    appendChannel(channels[c], -earliest, tempo, words);
  }
  return words;
}

}  // namespace

int32_t noteOnWord(int note, int velocity) { return eventWord(kNoteOnByte, sevenBits(note), sevenBits(velocity)); }

int32_t noteOffWord(int note, int velocity) { return eventWord(kNoteOffByte, sevenBits(note), sevenBits(velocity)); }

int32_t programWord(int program) { return eventWord(kProgramByte, kProgramFill, sevenBits(program)); }

MidiEvents buildMidiEvents(const PageStore& page, const MidiSetup& setup) {
  MidiEvents result;
  std::vector<TrackNotes> lists;
  for (const MidiTrack& track : setup.tracks) lists.push_back(extractTrackNotes(page, track));
  reportMissingRhythms(lists, result.messages);
  const PositionTimes times(lists);
  std::array<std::vector<TimedEvent>, kMidiChannels> channels;
  int outOfRange = 0;
  for (size_t t = 0; t < lists.size(); ++t) {
    const MidiTrack& track = setup.tracks[t];
    TrackEvents events = trackEvents(lists[t], track, times);
    std::vector<TimedEvent>& channel = channels[static_cast<size_t>(std::clamp(track.channel, 0, kMidiChannels - 1))];
    channel.insert(channel.end(), events.events.begin(), events.events.end());
    result.notes += events.struck;
    outOfRange += events.outOfRange;
  }
  if (outOfRange > 0) result.messages.push_back(msg::countedMessage(msg::kOutOfRange, outOfRange));
  result.words = eventArray(channels, playingTempo(setup.tempo));
  return result;
}

}  // namespace ts
