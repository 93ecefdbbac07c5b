// The redraw of a page of 6000 items, the most a page holds: twelve staves
// of notes with accidentals, flags and dots, rests, bar lines, clefs, keys
// and meters, drawn with the symbol library the build makes.

#include <benchmark/benchmark.h>

#include <vector>

#include "draw/page_drawing.h"
#include "model/host_files.h"

namespace {


void add(ts::PageStore& page, std::vector<float> params) {
  ts::ItemRecord item;
  item.params = std::move(params);
  page.append(item);
}

ts::PageStore fullPage() {
  ts::PageStore page;
  constexpr int kStaves = 12;
  for (int staff = 1; staff <= kStaves; ++staff) {
    const float s = static_cast<float>(staff);
    add(page, {8, s, 0, static_cast<float>(-100 + staff * 3)});
    add(page, {3, s, 2, 0, static_cast<float>(staff % 2)});
    add(page, {17, s, 9, 0, -3, static_cast<float>(staff % 2)});
    add(page, {18, s, 18, 0, 3, 4});
  }
  for (int i = 0; page.itemCount() < ts::kMaxItems; ++i) {
    const float staff = static_cast<float>(1 + i % kStaves);
    const float x = 28.0f + static_cast<float>((i / kStaves) % 170);
    switch (i % 5) {
      case 0: add(page, {1, staff, x, static_cast<float>(i % 17 - 2), 12, 0, 1, 0, 21}); break;
      case 1: add(page, {1, staff, x, static_cast<float>(i % 13), 23, 1, 2}); break;
      case 2: add(page, {2, staff, x, 0, static_cast<float>(i % 4 - 1), 1}); break;
      case 3: add(page, {14, staff, x, 1, static_cast<float>(i % 3)}); break;
      default: add(page, {1, staff, x, 7, 20, 0, 1, 0, 2}); break;
    }
  }
  return page;
}

void redrawFullPage(benchmark::State& state) {
  ts::NoHostFiles files;
  ts::PageDrawer drawer(files, TONESMITH_CANTLIB);
  const ts::PageStore page = fullPage();
  std::vector<int32_t> words(100000);
  std::vector<char> text(20000);
  int32_t used = 0, textUsed = 0;
  ts::DisplayTarget target{words.data(), 100000, &used, text.data(), 20000, &textUsed};
  const ts::DrawRequest request;
  for (auto _ : state) {
    drawer.draw(page, request, target);
    benchmark::DoNotOptimize(used);
  }
  state.counters["items"] = page.itemCount();
  state.counters["words"] = used;
}
BENCHMARK(redrawFullPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace
