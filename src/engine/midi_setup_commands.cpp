#include "engine/midi_setup_commands.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

#include "engine/command_line.h"
#include "engine/engine_host.h"
#include "engine/midi_command.h"
#include "model/host_files.h"
#include "model/item_codes.h"
#include "output/midi_list.h"

namespace ts {
namespace {

namespace msg = midi_setup_messages;

constexpr const char* kListFileName = "MIDILIST";
constexpr const char* kSoundTitle = "Sound";
constexpr const char* kTrackRowLabel = "Channel Instr. Ampl. Transp. Staff numbers";
constexpr const char* kOutputFileLabel = "Midi Output File =";
constexpr size_t kLongestOutputFile = 200;
constexpr const char* kTrackRowForm = "\"Channel Instr. Ampl. Transp. Staff numbers\"";
constexpr int kMostDialogRounds = 20;  // "&Load", "&Save", "C&lear" show the dialog again; a script cannot loop for ever
constexpr int kLowestTempo = 1;
constexpr int kMenuRaiseStep = -12;  // the tempo menu's "MM-12" reads "MM +12"

enum class SoundButton { Play = 1, Cancel, Load, Save, Clear, Auto };
const std::vector<std::string> kSoundButtons = {"&Play", "&Cancel", "&Load", "&Save", "C&lear", "&Auto setup"};

// One column of the Sound dialog in a dialog of its own.
struct SetupColumn {
  const char* word;
  const char* title;
  const char* label;
  int low, high;
  int MidiTrack::*member;
};

constexpr SetupColumn kColumns[] = {
    {"MDAMPLS", "MIDI track amplitudes", "Ampl.", 0, kHighestVelocity, &MidiTrack::amplitude},
    {"MDTRNSP", "MIDI track transpositions", "Transp.", -kHighestTransposition, kHighestTransposition, &MidiTrack::transposition},
    {"MDINST", "MIDI instrument numbers", "Instr.", 0, kHighestProgram, &MidiTrack::instrument},
};

std::string trackLabel(size_t track, std::string_view what) { return "Track " + std::to_string(track + 1) + ": " + std::string(what); }

std::string badRowMessage(size_t track, const std::string& typed, const std::string& wanted) {
  char text[160];
  std::snprintf(text, sizeof text, msg::kBadRow, static_cast<int>(track + 1), typed.substr(0, 40).c_str(), wanted.c_str());
  return text;
}

// The channel a track gets when it is first given staves: the tracks in
// turn, passing over the drum channel as "&Auto setup" does.
int firstChannel(size_t track) {
  const int channel = static_cast<int>(track) < kPercussionChannel ? static_cast<int>(track) : static_cast<int>(track) + 1;
  return std::min(channel, kMidiChannels - 1);
}

std::optional<MidiSetup> loadList(const MidiSetupPlace& place) {
  const std::optional<std::filesystem::path> path = place.files.findExisting(place.listFile);
  const std::optional<std::vector<uint8_t>> bytes = path ? readFileBytes(*path, kLargestMidiList) : std::nullopt;
  if (!bytes) return std::nullopt;
  const MidiListReading reading = readMidiList(std::string_view(reinterpret_cast<const char*>(bytes->data()), bytes->size()));
  if (reading.damagedLines > 0) {
    std::string text = msg::kDamagedLines;
    for (const std::string& line : reading.damaged) text += "|" + line;
    const int unlisted = reading.damagedLines - static_cast<int>(reading.damaged.size());
    if (unlisted > 0) text += "|and " + std::to_string(unlisted) + " more";
    place.host.messageBox(text);
  }
  return reading.setup;
}

// Empty when written, else why not.
std::string saveList(const MidiSetup& setup, const MidiSetupPlace& place) {
  const std::string text = midiListText(setup);
  const std::span bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  const WriteResult result = place.files.writeWhole(place.listFile, bytes);
  if (result == WriteResult::Written) return {};
  return (result == WriteResult::ReadOnly ? msg::kReadOnly : msg::kCannotWrite) + place.listFile;
}

std::string setupSummary(const MidiSetup& setup) {
  const auto used = std::count_if(setup.tracks.begin(), setup.tracks.end(), [](const MidiTrack& t) { return t.staffCount() > 0; });
  return "MIDI tracks: " + std::to_string(used) + ", tempo " + std::to_string(playingTempo(setup.tempo));
}

// The Sound dialog's fields: the tempo, then one row a track.
std::vector<DialogField> soundFields(const MidiSetup& setup) {
  std::vector<DialogField> fields{{"Tempo", std::to_string(setup.tempo)}};
  for (size_t t = 0; t < setup.tracks.size(); ++t) fields.push_back({trackLabel(t, kTrackRowLabel), trackRowText(setup.tracks[t])});
  fields.push_back({kOutputFileLabel, setup.outputFile.empty() ? std::string(kMidiFileName) : setup.outputFile});
  return fields;
}

// A file name typed into the dialog: blank is the work file; a name with
// control characters, or longer than any path the drive map takes, is not.
std::optional<std::string> readOutputFile(std::string_view typed) {
  const std::string name = trimmed(typed);
  if (name.size() > kLongestOutputFile) return std::nullopt;
  if (std::any_of(name.begin(), name.end(), [](char c) { return static_cast<unsigned char>(c) < 0x20; })) return std::nullopt;
  return name == kMidiFileName ? std::string() : name;
}

// What the user typed; a damaged row or tempo keeps its value and says so.
void takeSoundFields(const std::vector<std::string>& values, MidiSetup& setup, EngineHost& host) {
  std::vector<std::string> refused;
  if (!values.empty() && !readSetupNumber(values[0], 0, kHighestTempo, setup.tempo)) {
    refused.push_back("*** \"" + values[0].substr(0, 40) + "\" is not a tempo from 0 to 1000");
  }
  for (size_t t = 0; t < setup.tracks.size() && t + 1 < values.size(); ++t) {
    const std::optional<MidiTrack> row = parseTrackRow(values[t + 1]);
    if (row) setup.tracks[t] = *row;
    else refused.push_back(badRowMessage(t, values[t + 1], kTrackRowForm));
  }
  const size_t fileField = setup.tracks.size() + 1;
  if (values.size() > fileField) {
    if (const std::optional<std::string> name = readOutputFile(values[fileField])) setup.outputFile = *name;
    else refused.push_back("*** \"" + values[fileField].substr(0, 40) + "\" is not a file name");
  }
  if (!refused.empty()) {
    std::string text;
    for (const std::string& line : refused) text += (text.empty() ? "" : "|") + line;
    host.messageBox(text);
  }
}

// One round of the Sound dialog; true when it is to be shown again.
bool soundRound(MidiSetup& shown, MidiSetup& setup, MidiSetupReply& reply, const MidiSetupPlace& place) {
  const std::optional<std::vector<std::string>> values = place.host.askFields(kSoundTitle, soundFields(shown));
  if (!values) return false;
  takeSoundFields(*values, shown, place.host);
  const std::optional<int> button = place.host.askChoice(kSoundTitle, kSoundButtons);
  switch (static_cast<SoundButton>(button.value_or(static_cast<int>(SoundButton::Cancel)))) {
    case SoundButton::Play:
      setup = shown;
      reply.play = true;
      return false;
    case SoundButton::Load:
      if (const std::optional<MidiSetup> loaded = loadList(place)) shown = *loaded;
      else place.host.messageBox(msg::kCannotRead + place.listFile);
      return true;
    case SoundButton::Save:
      if (const std::string why = saveList(shown, place); why.empty()) setup = shown;
      else place.host.messageBox(why);
      return true;
    case SoundButton::Clear:  // the tracks and the tempo; the file stays
      shown = MidiSetup{.outputFile = shown.outputFile};
      return true;
    case SoundButton::Auto:
      shown.tracks = autoSetup(place.page).tracks;
      return true;
    default:
      return false;
  }
}

// "MDALL". The set-up takes the dialog's values at "&Play" and at "&Save"
// (what is saved is what is used); "&Cancel" drops what was typed since.
MidiSetupReply soundDialog(MidiSetup& setup, const MidiSetupPlace& place) {
  MidiSetup shown = setup;
  MidiSetupReply reply;
  for (int round = 0; round < kMostDialogRounds && soundRound(shown, setup, reply, place); ++round) {
  }
  if (!reply.play) reply.message = setupSummary(setup);
  return reply;
}

MidiSetupReply columnDialog(const SetupColumn& column, MidiSetup& setup, EngineHost& host) {
  std::vector<DialogField> fields;
  for (size_t t = 0; t < setup.tracks.size(); ++t) fields.push_back({trackLabel(t, column.label), std::to_string(setup.tracks[t].*column.member)});
  const std::optional<std::vector<std::string>> values = host.askFields(column.title, fields);
  if (!values) return {};
  const std::string wanted = "a number from " + std::to_string(column.low) + " to " + std::to_string(column.high);
  for (size_t t = 0; t < setup.tracks.size() && t < values->size(); ++t) {
    if (!readSetupNumber((*values)[t], column.low, column.high, setup.tracks[t].*column.member)) {
      host.messageBox(badRowMessage(t, (*values)[t], wanted));
    }
  }
  return {setupSummary(setup)};
}

// "MDTRKS": the staff numbers of each track.
MidiSetupReply tracksDialog(MidiSetup& setup, EngineHost& host) {
  std::vector<DialogField> fields;
  for (size_t t = 0; t < setup.tracks.size(); ++t) fields.push_back({trackLabel(t, "Staff numbers"), staffListText(setup.tracks[t])});
  const std::optional<std::vector<std::string>> values = host.askFields("MIDI tracks", fields);
  if (!values) return {};
  for (size_t t = 0; t < setup.tracks.size() && t < values->size(); ++t) {
    MidiTrack& track = setup.tracks[t];
    const bool wasClear = trackIsClear(track);
    if (!parseStaffList((*values)[t], track)) host.messageBox(badRowMessage(t, (*values)[t], "up to 16 staff numbers from 1 to 9999"));
    else if (wasClear && track.staffCount() > 0) track.channel = firstChannel(t);
  }
  return {setupSummary(setup)};
}

MidiSetupReply tempoDialog(MidiSetup& setup, EngineHost& host) {
  const std::optional<std::vector<std::string>> values = host.askFields("MIDI tempo", {{"Tempo", std::to_string(setup.tempo)}});
  if (!values || values->empty()) return {};
  if (!readSetupNumber((*values)[0], 0, kHighestTempo, setup.tempo)) {
    return {"*** \"" + (*values)[0].substr(0, 40) + "\" is not a tempo from 0 to 1000", true};
  }
  return {setupSummary(setup)};
}

MidiSetupReply autoCommand(MidiSetup& setup, const PageStore& page) {
  const MidiSetup made = autoSetup(page);
  if (!made.hasStaves()) return {msg::kNoStaves, true};
  setup.tracks = made.tracks;
  return {setupSummary(setup)};
}

MidiSetupReply listCommand(MidiSetup& setup, const MidiSetupPlace& place) {
  const std::optional<MidiSetup> loaded = loadList(place);
  if (!loaded) return {msg::kCannotRead + place.listFile, true};
  setup = *loaded;
  return {setupSummary(setup)};
}

}  // namespace

int tempoAfterWord(int tempo, std::string_view word, double number) {
  const int value = truncToInt(number);
  if (value == 0) return 0;  // "MM0": back to the tempo a set-up plays without one
  const bool raised = word.find('+') != std::string_view::npos || value == kMenuRaiseStep;
  const int played = playingTempo(tempo);
  const int step = std::abs(std::max(value, -kHighestTempo));
  const int wanted = raised ? played + step : value < 0 ? played - step : value;
  return std::clamp(wanted, kLowestTempo, kHighestTempo);
}

std::string midiListName(std::string_view pageName) {
  const size_t slash = pageName.find_last_of("\\/:");
  return (slash == std::string_view::npos ? std::string() : std::string(pageName.substr(0, slash + 1))) + kListFileName;
}

std::optional<MidiSetupReply> midiSetupCommand(const CommandLine& line, MidiSetup& setup, const MidiSetupPlace& place) {
  const std::string& m = line.mnemonic;
  if (m == "MDSTOP" || m == "MDEXIT") return MidiSetupReply{};
  if (m == "MDALL") return soundDialog(setup, place);
  if (m == "MDTRKS") return tracksDialog(setup, place.host);
  if (m == "MDTEMPO" || (m == "MM" && line.numbers.empty())) return tempoDialog(setup, place.host);
  if (m == "MDAUTO") return autoCommand(setup, place.page);
  if (m == "MDLIST") return listCommand(setup, place);
  if (m == "MM") {
    setup.tempo = tempoAfterWord(setup.tempo, line.word, line.numbers[0]);
    return MidiSetupReply{setupSummary(setup)};
  }
  for (const SetupColumn& column : kColumns) {
    if (m == column.word) return columnDialog(column, setup, place.host);
  }
  return std::nullopt;
}

}  // namespace ts
