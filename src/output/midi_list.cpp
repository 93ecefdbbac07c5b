#include "output/midi_list.h"

#include <algorithm>
#include <charconv>
#include <cstdio>

namespace ts {
namespace {

namespace msg = midi_list_messages;

constexpr const char* kFileHeading = "# Tonesmith MIDI set-up: TMP quarters a minute; TRK n ch instr ampl transp staves...\n";
constexpr const char* kTrackFieldNames[] = {"CH", "INSTR", "AMPL", "TRANSP", "STAVES"};
constexpr size_t kTrackFields = 4;  // the numbered fields before "staves"

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::vector<std::string_view> wordsOf(std::string_view line) {
  std::vector<std::string_view> words;
  size_t at = 0;
  while (at < line.size()) {
    while (at < line.size() && isBlank(line[at])) ++at;
    const size_t start = at;
    while (at < line.size() && !isBlank(line[at])) ++at;
    if (at > start) words.push_back(line.substr(start, at - start));
  }
  return words;
}

bool sameWord(std::string_view word, std::string_view upper) {
  return word.size() == upper.size() && std::equal(word.begin(), word.end(), upper.begin(), [](char a, char b) {
           return (a >= 'a' && a <= 'z' ? static_cast<char>(a - 'a' + 'A') : a) == b;
         });
}

int* trackField(MidiTrack& track, size_t field) {
  int* fields[] = {&track.channel, &track.instrument, &track.amplitude, &track.transposition};
  return fields[field];
}

int trackValue(const MidiTrack& track, size_t field) {
  const int values[] = {track.channel, track.instrument, track.amplitude, track.transposition};
  return values[field];
}

// The range of each numbered field, in the order of kTrackFieldNames.
bool fieldInRange(std::string_view text, size_t field, MidiTrack& track) {
  constexpr int kLow[] = {0, 0, 0, -kHighestTransposition};
  constexpr int kHigh[] = {kMidiChannels - 1, kHighestProgram, kHighestVelocity, kHighestTransposition};
  return readSetupNumber(text, kLow[field], kHigh[field], *trackField(track, field));
}

bool readStaves(const std::vector<std::string_view>& words, size_t first, MidiTrack& track) {
  if (words.size() - first > static_cast<size_t>(kStavesPerTrack)) return false;
  for (size_t i = first; i < words.size(); ++i) {
    if (!readSetupNumber(words[i], 1, kHighestStaffNumber, track.staves[i - first])) return false;
  }
  return true;
}

// "TRK n ch C instr I ampl A transp T staves S...": the reason it is
// damaged, or nothing.
const char* readTrackLine(const std::vector<std::string_view>& words, MidiListReading& reading, std::vector<bool>& named) {
  int number = 0;
  if (words.size() < 2 || !readSetupNumber(words[1], 1, kMidiTracks, number)) return msg::kBadTrackNumber;
  if (named[static_cast<size_t>(number - 1)]) return msg::kTrackTwice;
  const size_t stavesAt = 2 + 2 * kTrackFields;
  if (words.size() <= stavesAt || !sameWord(words[stavesAt], kTrackFieldNames[kTrackFields])) return msg::kBadFields;
  MidiTrack track;
  for (size_t field = 0; field < kTrackFields; ++field) {
    if (!sameWord(words[2 + 2 * field], kTrackFieldNames[field])) return msg::kBadFields;
    if (!fieldInRange(words[3 + 2 * field], field, track)) return msg::kBadValue;
  }
  if (!readStaves(words, stavesAt + 1, track)) return msg::kBadValue;
  named[static_cast<size_t>(number - 1)] = true;
  reading.setup.tracks[static_cast<size_t>(number - 1)] = track;
  ++reading.tracks;
  return nullptr;
}

const char* readLine(std::string_view line, MidiListReading& reading, std::vector<bool>& named) {
  const std::vector<std::string_view> words = wordsOf(line);
  if (words.empty() || words[0].front() == '#') return nullptr;
  if (sameWord(words[0], "TMP")) {
    return words.size() == 2 && readSetupNumber(words[1], 0, kHighestTempo, reading.setup.tempo) ? nullptr : msg::kBadTempo;
  }
  if (sameWord(words[0], "TRK")) return readTrackLine(words, reading, named);
  return msg::kUnknownKeyword;
}

void noteDamage(int lineNumber, const char* why, MidiListReading& reading) {
  if (++reading.damagedLines > kReportedDamagedLines) return;
  reading.damaged.push_back("line " + std::to_string(lineNumber) + ": " + why);
}

}  // namespace

bool readSetupNumber(std::string_view text, int low, int high, int& value) {
  int read = 0;
  const char* end = text.data() + text.size();
  // A sign typed for a raised transposition ("+12") is taken; "+-" is not.
  const bool plus = text.size() > 1 && text[0] == '+' && text[1] >= '0' && text[1] <= '9';
  const char* start = plus ? text.data() + 1 : text.data();
  const auto result = std::from_chars(start, end, read);
  if (result.ec != std::errc() || result.ptr != end || read < low || read > high) return false;
  value = read;
  return true;
}

MidiListReading readMidiList(std::string_view text) {
  MidiListReading reading;
  std::vector<bool> named(kMidiTracks, false);
  int lineNumber = 0;
  for (size_t start = 0; start < text.size();) {
    const size_t end = std::min(text.find('\n', start), text.size());
    ++lineNumber;
    if (const char* why = readLine(text.substr(start, end - start), reading, named)) noteDamage(lineNumber, why, reading);
    start = end + 1;
  }
  return reading;
}

bool trackIsClear(const MidiTrack& track) {
  return track.channel == 0 && track.instrument == 0 && track.amplitude == 0 && track.transposition == 0 &&
         track.staffCount() == 0;
}

std::string staffListText(const MidiTrack& track) {
  std::string text;
  for (int i = 0; i < track.staffCount(); ++i) {
    text += (i == 0 ? "" : " ") + std::to_string(track.staves[static_cast<size_t>(i)]);
  }
  return text;
}

bool parseStaffList(std::string_view text, MidiTrack& track) {
  MidiTrack read;
  if (!readStaves(wordsOf(text), 0, read)) return false;
  track.staves = read.staves;
  return true;
}

std::string midiListText(const MidiSetup& setup) {
  std::string text = std::string(kFileHeading) + "TMP " + std::to_string(setup.tempo) + "\n";
  for (size_t t = 0; t < setup.tracks.size(); ++t) {
    const MidiTrack& track = setup.tracks[t];
    if (trackIsClear(track)) continue;
    char head[96];
    std::snprintf(head, sizeof head, "TRK %2d ch %d instr %d ampl %d transp %d staves", static_cast<int>(t + 1), track.channel,
                  track.instrument, track.amplitude, track.transposition);
    const std::string staves = staffListText(track);
    text += std::string(head) + (staves.empty() ? "" : " ") + staves + "\n";
  }
  return text;
}

std::string trackRowText(const MidiTrack& track) {
  if (trackIsClear(track)) return {};
  std::string text;
  for (size_t field = 0; field < kTrackFields; ++field) {
    text += (field == 0 ? "" : " ") + std::to_string(trackValue(track, field));
  }
  const std::string staves = staffListText(track);
  return staves.empty() ? text : text + " " + staves;
}

std::optional<MidiTrack> parseTrackRow(std::string_view text) {
  const std::vector<std::string_view> words = wordsOf(text);
  MidiTrack track;
  if (words.empty()) return track;
  if (words.size() < kTrackFields) return std::nullopt;
  for (size_t field = 0; field < kTrackFields; ++field) {
    if (!fieldInRange(words[field], field, track)) return std::nullopt;
  }
  if (!readStaves(words, kTrackFields, track)) return std::nullopt;
  return track;
}

}  // namespace ts
