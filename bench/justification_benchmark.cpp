// Justifying one line of a full system: four staves of four bars of
// eighth notes (accidentals, chords, beams, bar lines, clef, key and meter),
// typed in cramped, on a page of three such systems; the line-up by beats
// before it is measured as well.

#include <benchmark/benchmark.h>

#include <vector>

#include "layout/justification.h"
#include "layout/justification_edges.h"
#include "model/page_store.h"
#include "model/preferences.h"

namespace {

void add(ts::PageStore& page, std::vector<float> params) {
  ts::ItemRecord item;
  item.params = std::move(params);
  page.append(item);
}

void addStaff(ts::PageStore& page, float staff) {
  add(page, {8, staff, 0, static_cast<float>(staff * 2)});
  add(page, {3, staff, 0, 0, 0});
  add(page, {17, staff, 4, 0, 2, 0});
  add(page, {18, staff, 8, 0, 4, 4});
  float x = 12.0f;
  for (int bar = 0; bar < 4; ++bar) {
    for (int note = 0; note < 8; ++note, x += 3.0f) {
      const float step = static_cast<float>((bar * 8 + note) % 9 + 2);
      add(page, {1, staff, x, step, note % 3 == 0 ? 22.0f : 20.0f, 0, 0.5f, 0, 0});
      if (note % 4 == 1) add(page, {1, staff, x, step + 2, 20, 0, 0.5f, 0, 0, 0, 0, 0, 0, 0, -1});
      if (note % 2 == 1) add(page, {6, staff, x - 3.0f, 7, 7, x, 21});
    }
    add(page, {14, staff, x, 1, 0});
    x += 2.0f;
  }
}

ts::PageStore fullPage() {
  ts::PageStore page;
  for (int staff = 1; staff <= 12; ++staff) addStaff(page, static_cast<float>(staff));
  return page;
}

void justifyOneLine(benchmark::State& state) {
  const ts::PageStore cramped = fullPage();
  const ts::Preferences preferences;
  const ts::JustifyRange range{5, 8, 0, 200};
  ts::PageStore page;
  for (auto _ : state) {
    state.PauseTiming();
    page = cramped;
    state.ResumeTiming();
    ts::prepareForJustification(page, range);
    ts::lineUpStaves(page, range);
    const ts::JustifyOutcome outcome = ts::justifyStaves(page, range, preferences);
    ts::finishJustification(page, range);
    benchmark::DoNotOptimize(outcome.changed);
  }
  state.counters["items"] = cramped.itemCount();
}

}  // namespace

BENCHMARK(justifyOneLine)->Unit(benchmark::kMicrosecond);
