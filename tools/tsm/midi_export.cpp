#include "midi_export.h"

#include <charconv>
#include <optional>

#include "output/midi_events.h"
#include "output/midi_file.h"
#include "output/midi_messages.h"
#include "output/midi_setup.h"
#include "platform/safe_file_writer.h"
#include "write_failure.h"

namespace tsm {
namespace {

constexpr int kWritten = 0;
constexpr int kNotWritten = 1;
constexpr int kUsageError = 2;

struct MidiRequest {
  std::vector<std::string> files;
  ts::MidiSetup setup;
  int tracks = 0;
};

bool readTempo(const std::string& text, int& tempo) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), tempo);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && tempo >= 0 && tempo <= ts::kHighestTempo;
}

// The request the flags make, or the usage error they contain.
std::optional<std::string> readRequest(const std::vector<std::string>& arguments, MidiRequest& request) {
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    const bool hasValue = i + 1 < arguments.size();
    if (arg == "--tempo") {
      if (!hasValue || !readTempo(arguments[++i], request.setup.tempo)) return "tsm: --tempo wants quarter notes a minute, 0 to 1000";
    } else if (arg == "--track") {
      const std::optional<ts::MidiTrack> track = hasValue ? ts::parseMidiTrack(arguments[++i]) : std::nullopt;
      if (!track) return "tsm: --track wants CH:INSTR:AMPL:TRANSP:STAFF,STAFF... (channel 0-15, program 0-127, amplitude 0-127, transposition -127..127, staves 1-9999)";
      if (request.tracks >= ts::kMidiTracks) return "tsm: at most 16 tracks";
      request.setup.tracks[static_cast<size_t>(request.tracks++)] = *track;
    } else if (arg.rfind("--", 0) == 0) {
      return "tsm: unknown flag for midi: " + arg;
    } else {
      request.files.push_back(arg);
    }
  }
  if (request.files.size() != 2) return "tsm: midi wants a page and a MIDI file";
  return std::nullopt;
}

}  // namespace

MidiExportResult midiExport(const std::vector<std::string>& arguments,
                            const std::function<const ts::PageStore*(const std::string&)>& openPage) {
  MidiRequest request;
  if (const std::optional<std::string> usage = readRequest(arguments, request)) return {kUsageError, {*usage}};
  const ts::PageStore* page = openPage(request.files[0]);
  if (page == nullptr) return {kNotWritten, {}};
  if (request.tracks == 0) {
    const int tempo = request.setup.tempo;
    request.setup = ts::autoSetup(*page);
    request.setup.tempo = tempo;
  }
  ts::MidiEvents events = ts::buildMidiEvents(*page, request.setup);
  MidiExportResult result{kWritten, std::move(events.messages)};
  if (events.notes == 0) {
    result.messages.emplace_back(ts::midi_messages::kNoNotesFound);
    result.status = kNotWritten;
  }
  const std::vector<uint8_t> image = ts::midiFileImage(events.words);
  const ts::WriteResult written = ts::writeFileSafely(request.files[1], image);
  if (written != ts::WriteResult::Written) {
    result.messages.push_back("tsm: " + writeFailure(request.files[1], written, request.files[1]));
    result.status = kNotWritten;
  }
  return result;
}

}  // namespace tsm
