#pragma once
// `tsm midi PAGE OUT.mid [--tempo N] [--track CH:INSTR:AMPL:TRANSP:STAFF,...]...`:
// the page's MIDI file, as "PLA" makes it, written through the safe writer.

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace ts {
class PageStore;
}  // namespace ts

namespace tsm {

struct MidiExportResult {
  int status = 0;  // 0 written, 1 not written or nothing sounds, 2 usage error
  std::vector<std::string> messages;
};

// Reads the flags, then the page (`openPage` answers it, or null when it
// could not be read), builds the file for the tracks given (the automatic
// set-up when none is) and writes it. A page without notes still gets its
// file, a header and the tempo track, but the status is 1, so that a
// script learns that nothing will sound.
MidiExportResult midiExport(const std::vector<std::string>& arguments,
                            const std::function<const ts::PageStore*(const std::string&)>& openPage);

// The page's MIDI file for the midi verb's flags (and, for sound,
// `--soundfont FILE`), built but not written. `output` is empty when the
// flags or the page stopped it; the status is then 2 or 1.
struct MidiImage {
  int status = 0;
  std::vector<std::string> messages;
  std::vector<uint8_t> bytes;
  std::string output;
  std::string soundfont;
};
MidiImage pageMidiImage(const std::vector<std::string>& arguments, bool forSound,
                        const std::function<const ts::PageStore*(const std::string&)>& openPage);

// Writes a file through the safe writer; a failure is added to the result.
MidiExportResult writeExport(const std::string& output, std::span<const uint8_t> bytes, MidiExportResult result);

}  // namespace tsm
