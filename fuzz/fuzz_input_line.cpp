// Any bytes as typed input: read as an input file, every line prepared and
// read by each stage's reader, and fed stage after stage to an input
// session on a page with a staff, so that the builders and the placement
// run on whatever the readers let through. No input may crash, overrun a
// buffer or leave the page store inconsistent.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/input_session.h"
#include "layout/input_file.h"
#include "layout/marks_line.h"
#include "layout/notes_line.h"
#include "layout/pairs_line.h"
#include "layout/rhythms_line.h"

namespace {

void readEveryStage(const std::string& line, ts::InputState& state) {
  for (int stage = 1; stage <= 5; ++stage) {
    const auto s = static_cast<ts::InputStage>(stage);
    const ts::PreparedLine prepared = ts::prepareLine(line, s, state.motives);
    if (prepared.error) {
      (void)ts::syntaxErrorText(*prepared.error);
      continue;
    }
    if (prepared.text.size() > ts::kExpandedLineLimit + 1) std::abort();
    if (s == ts::InputStage::Notes) {
      const ts::NotesLine notes = ts::readNotesLine(prepared.text, state);
      if (notes.codes.size() > ts::kTokenLimit) std::abort();
    }
    if (s == ts::InputStage::Rhythms && ts::readRhythmsLine(prepared.text).codes.size() > ts::kTokenLimit) std::abort();
    if (s == ts::InputStage::Marks) (void)ts::readMarksLine(prepared.text);
    if (s >= ts::InputStage::Beams) (void)ts::readPairsLine(prepared.text, s, state);
  }
}

void checkStore(const ts::PageStore& page) {
  if (page.itemCount() < 0 || page.itemCount() > ts::kMaxItems) std::abort();
  for (int k = 1; k <= page.itemCount(); ++k)
    if (page.itemStart(k + 1) <= page.itemStart(k)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> lines = ts::readInputFileLines(text);
  ts::InputState state;
  for (const std::string& line : lines) {
    if (const auto motive = ts::motiveDefinition(line)) state.motives[motive->first] = motive->second;
    readEveryStage(line, state);
  }
  ts::PageStore page;
  page.append({{8, 1, 0, 0}, {}});
  const ts::Preferences preferences;
  ts::InputSession session(page, preferences);
  session.startStretch(1, 2.0f, 200.0f);
  int stage = 1;
  for (const std::string& line : lines) {
    const ts::StageReply reply = session.feed(static_cast<ts::InputStage>(stage), line);
    if (reply.result == ts::StageResult::Again) continue;
    stage = reply.result == ts::StageResult::NoRhythms ? 3 : stage + 1;
    if (stage > 5) {
      stage = 1;
      session.startStretch(1, 2.0f, 200.0f);
    }
    checkStore(page);
  }
  checkStore(page);
  return 0;
}
