#include "wav_export.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "platform/builtin_synth.h"
#include "platform/synth_render.h"
#include "platform/wav_file.h"

namespace tsm {
namespace {

constexpr int kNotWritten = 1;
constexpr int kStereo = 2;

bool endsWithWav(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return tail == ".wav";
}

}  // namespace

bool isWavExport(const std::vector<std::string>& arguments) {
  return std::any_of(arguments.begin(), arguments.end(),
                     [](const std::string& a) { return a.rfind("--", 0) != 0 && endsWithWav(a); });
}

MidiExportResult wavExport(const std::vector<std::string>& arguments,
                           const std::function<const ts::PageStore*(const std::string&)>& openPage) {
  MidiImage midi = pageMidiImage(arguments, true, openPage);
  MidiExportResult result{midi.status, std::move(midi.messages)};
  if (midi.output.empty() || midi.status != 0) return result;
  const ts::SynthRender render = ts::renderMidiFile(midi.bytes, midi.soundfont);
  if (!render.error.empty()) {
    result.messages.push_back("tsm: cannot render " + midi.output + ": " + render.error);
    result.status = kNotWritten;
    return result;
  }
  const std::optional<std::vector<uint8_t>> wav = ts::wavFileImage(render.samples, kStereo, ts::kSynthSampleRate);
  if (!wav) {
    result.messages.push_back("tsm: cannot render " + midi.output + ": too long for a WAV file");
    result.status = kNotWritten;
    return result;
  }
  return writeExport(midi.output, *wav, std::move(result));
}

}  // namespace tsm
