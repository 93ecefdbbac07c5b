// Any bytes read as a page file and, when the reader takes them, drawn with
// the symbol library into the host's two lists, or for paper into the
// PostScript writer (each included picture reading the same bytes as its
// file): no page may make drawing hang, grow without bound, or
// write outside the lists. Every page also goes through playback: its
// notes, their times, the events and the MIDI file image.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "draw/page_drawing.h"
#include "fuzz_support.h"
#include "model/page_file.h"
#include "output/midi_events.h"
#include "output/midi_file.h"
#include "output/postscript_writer.h"

namespace {

constexpr int kDisplayWords = 100000;  // the sizes the hosts give the engine
constexpr int kTextBytes = 20000;

// The automatic set-up, and one more track that plays one staff 16 times
// over, transposed, at a tempo the settings byte picks.
void buildMidi(const ts::PageStore& page, uint8_t settings) {
  ts::MidiSetup setup = ts::autoSetup(page);
  setup.tempo = settings;
  ts::MidiTrack& extra = setup.tracks[ts::kMidiTracks - 1];
  extra.channel = settings % ts::kMidiChannels;
  extra.transposition = settings % 64 - 32;
  extra.staves.fill(settings % 4 + 1);
  const ts::MidiEvents events = ts::buildMidiEvents(page, setup);
  const std::vector<uint8_t> image = ts::midiFileImage(events.words);
  // A header, the tempo track, 16 channel tracks of 12 bytes and at most 4 bytes for each event word.
  if (image.size() < 41 || image.size() > 41 + 16 * 12 + 4 * events.words.size()) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static ts::NoHostFiles files;
  static ts::PageDrawer drawer(files, fuzz::bundledLibrary());
  static ts::PageStore page;
  static std::vector<int32_t> words(kDisplayWords);
  static std::vector<char> text(kTextBytes);
  const ts::PageReadResult result = ts::readPageFile(std::span<const uint8_t>(data, size), false, page);
  if (result.status != ts::PageReadStatus::Ok) return 0;
  // The last byte picks the drawing's settings, so the fuzzer reaches each.
  const uint8_t settings = size > 0 ? data[size - 1] : 0;
  buildMidi(page, settings);
  ts::DrawRequest request;
  request.highlightedItem = page.itemCount() > 0 ? settings % (page.itemCount() + 1) : 0;
  request.showInvisible = (settings & 0x10) != 0;
  request.unit = (settings & 0x20) != 0 ? 1.0f : 0.0f;
  request.displayOffsetY = (settings & 0x40) != 0 ? -15000 : 0;
  int32_t used = 0, textUsed = 0;
  ts::DisplayTarget target{words.data(), kDisplayWords, &used, text.data(), kTextBytes, &textUsed};
  if ((settings & 0x80) != 0) {
    ts::PostScriptWriter writer;
    // Every picture the page places reads the fuzzer's bytes as its file.
    writer.setPictures([&](std::string_view) { return std::optional<std::string>(std::in_place, data, data + size); },
                       (settings & 0x01) != 0);
    request.print = true;
    request.sink = &writer;
    (void)drawer.draw(page, request, target);
    ts::PrintOptions options;
    options.mirror = (settings & 0x01) != 0;
    options.rotate = (settings & 0x02) != 0;
    (void)writer.document(options, ts::PrintedPage{});
    (void)ts::boundingBox(writer.extent(), options);
    return 0;
  }
  (void)drawer.draw(page, request, target);
  fuzz::readBackLists(words, used, text, textUsed);
  return 0;
}
