// A full example page (the piano piece) to PDF in process, as `tsm export`
// does it: the engine draws the page for print, and the exporter paints
// the lists through QPdfWriter and writes the file safely. The page is
// opened once; each benchmark is repeated and reported by its median, since
// the first round also pays for Qt's font loading.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <sstream>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "page_export.h"
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

void pianoPrintDrawing(benchmark::State& state) {
  ts::EngineSession& session = piano().session;
  for (auto _ : state) {
    const ts::DrawnLists lists = session.drawForPrint();
    benchmark::DoNotOptimize(lists.words.data());
  }
}

void pianoPageToPdf(benchmark::State& state) {
  OpenPiano& page = piano();
  tsm::ExportSettings settings;
  settings.paper = page.engine.paper();
  const std::string out = (page.work / "piano.pdf").string();
  for (auto _ : state) {
    const ts::DrawnLists lists = page.session.drawForPrint();
    const std::string error = tsm::exportPicture(lists.words, lists.text, out, settings);
    if (!error.empty()) state.SkipWithError(error.c_str());
  }
  state.counters["bytes"] = static_cast<double>(fs::file_size(out));
}

}  // namespace

BENCHMARK(pianoPrintDrawing)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);
BENCHMARK(pianoPageToPdf)->Unit(benchmark::kMillisecond)->Repetitions(kRepetitions)->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  int qtArgc = 1;
  QGuiApplication application(qtArgc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
