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
  std::string soundfont;
};

bool readTempo(const std::string& text, int& tempo) {
  const auto result = std::from_chars(text.data(), text.data() + text.size(), tempo);
  return result.ec == std::errc() && result.ptr == text.data() + text.size() && tempo >= 0 && tempo <= ts::kHighestTempo;
}

// The request the flags make, or the usage error they contain.
std::optional<std::string> readRequest(const std::vector<std::string>& arguments, bool sound, MidiRequest& request) {
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
    } else if (arg == "--soundfont" && sound) {
      if (!hasValue) return "tsm: --soundfont wants a soundfont file (.sf2)";
      request.soundfont = arguments[++i];
    } else if (arg.rfind("--", 0) == 0) {
      return std::string(sound ? "tsm: unknown flag for a WAV export: " : "tsm: unknown flag for midi: ") + arg;
    } else {
      request.files.push_back(arg);
    }
  }
  if (request.files.size() != 2) return sound ? "tsm: export wants a page and a WAV file" : "tsm: midi wants a page and a MIDI file";
  return std::nullopt;
}

}  // namespace

MidiImage pageMidiImage(const std::vector<std::string>& arguments, bool forSound,
                        const std::function<const ts::PageStore*(const std::string&)>& openPage) {
  MidiRequest request;
  MidiImage result;
  if (const std::optional<std::string> usage = readRequest(arguments, forSound, request)) {
    result.status = kUsageError;
    result.messages.push_back(*usage);
    return result;
  }
  const ts::PageStore* page = openPage(request.files[0]);
  if (page == nullptr) {
    result.status = kNotWritten;
    return result;
  }
  if (request.tracks == 0) {
    const int tempo = request.setup.tempo;
    request.setup = ts::autoSetup(*page);
    request.setup.tempo = tempo;
  }
  ts::MidiEvents events = ts::buildMidiEvents(*page, request.setup);
  result.messages = std::move(events.messages);
  if (events.notes == 0) {
    result.messages.emplace_back(ts::midi_messages::kNoNotesFound);
    result.status = kNotWritten;
  }
  result.bytes = ts::midiFileImage(events.words);
  result.output = request.files[1];
  result.soundfont = request.soundfont;
  return result;
}

MidiExportResult writeExport(const std::string& output, std::span<const uint8_t> bytes, MidiExportResult result) {
  const ts::WriteResult written = ts::writeFileSafely(output, bytes);
  if (written != ts::WriteResult::Written) {
    result.messages.push_back("tsm: " + writeFailure(output, written, output));
    result.status = kNotWritten;
  }
  return result;
}

MidiExportResult midiExport(const std::vector<std::string>& arguments,
                            const std::function<const ts::PageStore*(const std::string&)>& openPage) {
  MidiImage image = pageMidiImage(arguments, false, openPage);
  if (image.output.empty()) return {image.status, std::move(image.messages)};
  return writeExport(image.output, image.bytes, {image.status, std::move(image.messages)});
}

}  // namespace tsm
