#pragma once
// `tsm midi PAGE OUT.mid [--tempo N] [--track CH:INSTR:AMPL:TRANSP:STAFF,...]...`:
// the page's MIDI file, as "PLA" makes it, written through the safe writer.

#include <functional>
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

}  // namespace tsm
