#include "layout_verb.h"

#include <iostream>
#include <optional>

#include "engine/engine.h"
#include "engine/engine_session.h"
#include "engine/layout_output.h"
#include "layout/page_layout_settings.h"
#include "model/host_files.h"
#include "tsm_host.h"

namespace tsm {
namespace {

constexpr int kDone = 0, kNotDone = 1, kUsageError = 2;
constexpr uintmax_t kLargestSettingsFile = 64u << 10;
constexpr const char* kLayoutUsage = "usage: tsm [--root DIR] layout PAGE --bars LIST [--out DIR]\n";

struct LayoutArguments {
  std::string page, bars, out;
};

std::optional<LayoutArguments> readArguments(const std::vector<std::string>& arguments) {
  LayoutArguments read;
  bool barsGiven = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& arg = arguments[i];
    if ((arg == "--bars" || arg == "--out") && i + 1 >= arguments.size()) return std::nullopt;
    if (arg == "--bars") {
      read.bars = arguments[++i];
      barsGiven = true;
    } else if (arg == "--out") {
      read.out = arguments[++i];
    } else if (arg.rfind("--", 0) == 0 || !read.page.empty()) {
      return std::nullopt;
    } else {
      read.page = arg;
    }
  }
  if (read.page.empty() || !barsGiven) return std::nullopt;
  return read;
}

ts::LayoutSettings settingsOf(const ts::HostFiles& files) {
  const std::optional<std::filesystem::path> path = files.findExisting(ts::kLayoutSettingsFile);
  const auto bytes = path ? ts::readFileBytes(*path, kLargestSettingsFile) : std::nullopt;
  if (!bytes) return {};
  return ts::readLayoutSettings(std::string(bytes->begin(), bytes->end())).settings;
}

// The page files' names: DIR (or the page's folder), the page's stem and
// the page number.
std::vector<std::string> outputNames(const LayoutArguments& a, size_t pages) {
  const std::filesystem::path page(a.page);
  const std::filesystem::path folder = a.out.empty() ? page.parent_path() : std::filesystem::path(a.out);
  return ts::numberedPageNames((folder / page.stem()).string() + ".PAG", pages);
}

}  // namespace

int layoutVerb(const std::vector<std::string>& arguments, const ts::HostFiles& files,
               const std::filesystem::path& library, std::ostream& out) {
  const std::optional<LayoutArguments> read = readArguments(arguments);
  if (!read) {
    std::cerr << kLayoutUsage;
    return kUsageError;
  }
  ScriptHost host([] { return std::optional<std::string>(); }, out);
  ts::Engine engine(host, files, library);
  engine.loadPreferences(true);
  ts::EngineSession session(engine);
  const ts::CallResult opened = session.openPage(read->page);
  if (!opened.message.empty()) host.print(opened.message);
  if (opened.failed) return kNotDone;
  const ts::LaidOutRun laid = ts::layOutRun(engine.page(), read->bars, settingsOf(files), engine.preferences());
  for (const std::string& message : laid.messages) host.print(message);
  if (!laid.ok) return kNotDone;
  const std::vector<std::string> names = outputNames(*read, laid.pages.size());
  const ts::PagesWritten written = ts::writeLayoutPages(files, names, laid.pages, engine.unitSetting());
  if (!written.ok) {
    host.print(written.message);
    return kNotDone;
  }
  for (const std::string& name : names) host.print("Written: " + name);
  return kDone;
}

}  // namespace tsm
