// A full example page (the piano piece) to PDF in process, as `tsm export`
// does it: the engine draws the page for print into the PDF writer, the
// fonts are read from the font library and embedded, and the file is
// written safely. The page is opened once; each benchmark is repeated and
// reported by its median.

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "platform/drive_map.h"
#include "tsm_host.h"

namespace {

namespace fs = std::filesystem;

constexpr int kRepetitions = 15;

struct OpenPiano {
  fs::path work = fs::temp_directory_path() / ("tonesmith_pdf_bench_" + std::to_string(::getpid()));
  std::ostringstream said;
  tsm::ScriptHost host{[] { return std::optional<std::string>(); }, said};
  ts::DriveMap drives{work / "root"};
  ts::Engine engine{host, drives, TONESMITH_CANTLIB};
  ts::EngineSession session{engine};

  OpenPiano() {
    fs::create_directories(work / "root");
    if (session.openPage(TONESMITH_PIANO_PAGE).failed) {
      std::cerr << "cannot open " << TONESMITH_PIANO_PAGE << '\n';
      std::exit(1);
    }
  }
  ~OpenPiano() { fs::remove_all(work); }
};

OpenPiano& piano() {
  static OpenPiano page;
  return page;
}

ts::PrintOptions pianoOptions() {
  ts::PrintOptions options;
  options.paper = piano().engine.paper();
  return options;
}

void pianoPrintDrawing(benchmark::State& state) {
  ts::EngineSession& session = piano().session;
  for (auto _ : state) {
    const ts::DrawnLists lists = session.drawForPrint();
    benchmark::DoNotOptimize(lists.words.data());
  }
}

// The drawing into the writer and the file in memory, fonts included.
void pianoPdfDocument(benchmark::State& state) {
  const ts::PrintOptions options = pianoOptions();
  size_t bytes = 0;
  for (auto _ : state) {
    const ts::PdfDocument document = piano().engine.printPdf(options);
    bytes = document.bytes.size();
    if (!document.warnings.empty()) state.SkipWithError(document.warnings.front().c_str());
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

// All of it, with the safe write.
void pianoPageToPdf(benchmark::State& state) {
  OpenPiano& page = piano();
  const ts::PrintOptions options = pianoOptions();
  const std::string out = (page.work / "piano.pdf").string();
  for (auto _ : state) {
    const ts::PdfDocument document = page.engine.printPdf(options);
    const std::span bytes(reinterpret_cast<const uint8_t*>(document.bytes.data()), document.bytes.size());
    if (page.drives.writeWhole(out, bytes) != ts::WriteResult::Written) state.SkipWithError("cannot write the PDF");
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(out));
}

}  // namespace

BENCHMARK(pianoPrintDrawing)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(pianoPdfDocument)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(pianoPageToPdf)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
