#pragma once
// `tsm export PAGE OUT.wav [--tempo N] [--track ...]... [--soundfont FILE]`:
// the page's MIDI file, as "PLA" makes it, rendered offline through the
// built-in synthesizer into a WAV file (no audio device needed), written
// through the safe writer.

#include <functional>
#include <string>
#include <vector>

#include "midi_export.h"

namespace tsm {

bool isWavExport(const std::vector<std::string>& arguments);

// Status 0 written; 1 the page could not be read, has no notes (nothing
// is written: silence is not a rendering), no soundfont could be loaded,
// the piece is too long or the file could not be written; 2 usage error.
MidiExportResult wavExport(const std::vector<std::string>& arguments,
                           const std::function<const ts::PageStore*(const std::string&)>& openPage);

}  // namespace tsm
