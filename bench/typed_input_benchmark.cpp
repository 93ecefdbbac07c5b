// Entering and justifying a 32-bar line of typed music: the five stage
// lines of one stretch fed to the input session on a page of one staff
// (notes, rhythms, marks, beams, slurs), which builds the items, places
// them by their rhythms and justifies the stretch.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/input_session.h"
#include "model/item_codes.h"

namespace {

constexpr int kBars = 32;

// A bar of the scale up and down in quarters, with a chord in every
// fourth bar; 32 bars stay under the 200 codes of a notes line.
std::string notesLine() {
  std::string line = "TR/K2S/4 4";
  const char* bars[] = {"/C4/D/E/F", "/G/A/B/C5", "/B4/A/G/F", "/E:G/D/C/E"};
  for (int bar = 0; bar < kBars; ++bar) line += std::string(bars[bar % 4]) + "/M";
  return line + ";";
}

std::string rhythmsLine() {
  std::string line;
  for (int note = 0; note < kBars * 4; ++note) line += note == 0 ? "Q" : "/Q";
  return line + ";";
}

std::string pairsLine(int step) {
  std::string line;
  for (int first = 1; first + step - 1 <= kBars * 4; first += 8) {
    line += (line.empty() ? "" : "/") + std::to_string(first) + " " + std::to_string(first + step - 1);
  }
  return line + ";";
}

ts::PageStore pageOfOneStaff() {
  ts::PageStore page;
  ts::ItemRecord staff;
  staff.params = {static_cast<float>(ts::kCodeStaff), 1, 0, 0};
  page.append(staff);
  return page;
}

void BM_EnterAndJustifyA32BarLine(benchmark::State& state) {
  const ts::Preferences preferences;
  const std::string notes = notesLine(), rhythms = rhythmsLine(), marks = "S 1 5 9 13 17 21;";
  const std::string beams = pairsLine(2), slurs = pairsLine(4);
  const ts::PageStore empty = pageOfOneStaff();
  for (auto _ : state) {
    state.PauseTiming();
    ts::PageStore page = empty;
    ts::InputSession session(page, preferences);
    state.ResumeTiming();
    session.startStretch(1, 2.0f, 200.0f);
    for (const auto& [stage, line] : {std::pair{ts::InputStage::Notes, &notes}, {ts::InputStage::Rhythms, &rhythms},
                                      {ts::InputStage::Marks, &marks}, {ts::InputStage::Beams, &beams},
                                      {ts::InputStage::Slurs, &slurs}}) {
      const ts::StageReply reply = session.feed(stage, *line);
      if (reply.result != ts::StageResult::Done) state.SkipWithError(("stage refused: " + *line).c_str());
    }
    benchmark::DoNotOptimize(page.itemCount());
  }
}
BENCHMARK(BM_EnterAndJustifyA32BarLine)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
