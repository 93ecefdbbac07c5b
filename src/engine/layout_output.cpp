// Page layout's results: the distribution, the pages, and the page files.

#include "engine/layout_output.h"

#include <optional>

#include "engine/long_work.h"
#include "layout/page_layout_messages.h"
#include "model/host_files.h"
#include "model/page_file.h"

namespace ts {
namespace {

constexpr uintmax_t kLargestPageFile = 4u << 20;  // far above the 64000 words of a page

size_t extensionStart(std::string_view name) {
  const size_t folderEnd = name.find_last_of("\\/:");
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos || (folderEnd != std::string_view::npos && dot < folderEnd)) return name.size();
  return dot;
}

struct Previous {
  std::string name;
  std::optional<std::vector<uint8_t>> bytes;  // nothing when there was no file
};

void restore(const HostFiles& files, const std::vector<Previous>& written) {
  for (const Previous& p : written) {
    if (p.bytes) files.writeWhole(p.name, *p.bytes);
  }
}

}  // namespace

std::vector<int> runBarWidths(const PageStore& run, const LayoutSettings& settings) {
  return layoutBarWidths(findRunBars(run).widths, settings);
}

int runLinesPerPage(const PageStore& run, const LayoutSettings& settings) {
  return linesPerPage(settings, systemHeightInches(run));
}

LaidOutRun pagesOfDistribution(const PageStore& run, const Distribution& distribution, const LayoutSettings& settings,
                               const Preferences& preferences) {
  LaidOutRun out;
  out.distribution = distribution;
  out.messages.push_back(lineLengthsReport(distribution));
  PagesOutcome pages = layOutPages(run, distribution, settings, preferences);
  out.messages.insert(out.messages.end(), pages.messages.begin(), pages.messages.end());
  out.ok = !pages.pages.empty();
  out.pages = std::move(pages.pages);
  return out;
}

LaidOutRun layOutRun(const PageStore& run, std::string_view barList, const LayoutSettings& settings,
                     const Preferences& preferences) {
  const std::vector<int> widths = runBarWidths(run, settings);
  if (widths.empty()) return {false, {page_layout_messages::kNoBars}, {}, {}};
  const DistributionOutcome d = distributeBars(widths, parseBarList(barList), runLinesPerPage(run, settings));
  if (!d.ok) return {false, {d.message}, {}, {}};
  return pagesOfDistribution(run, d.distribution, settings, preferences);
}

std::string withPageExtension(std::string_view name, bool& added) {
  added = extensionStart(name) == name.size();
  return added ? std::string(name) + ".PAG" : std::string(name);
}

std::vector<std::string> numberedPageNames(std::string_view name, size_t pages) {
  const size_t dot = extensionStart(name);
  std::vector<std::string> names;
  for (size_t p = 1; p <= pages; ++p)
    names.push_back(std::string(name.substr(0, dot)) + std::to_string(p) + std::string(name.substr(dot)));
  return names;
}

PagesWritten writeLayoutPages(const HostFiles& files, const std::vector<std::string>& names,
                              const std::vector<PageStore>& pages, float unitSetting, EngineHost* host) {
  if (names.size() != pages.size() || pages.empty()) return {false, writeErrorMessage("", WriteResult::Failed)};
  std::vector<std::vector<uint8_t>> images;
  for (const PageStore& page : pages) images.push_back(encodePageFile(page, unitSetting));
  std::vector<Previous> written;
  for (size_t i = 0; i < names.size(); ++i) {
    if (!goOnWithWork(host, i, names.size(), names[i])) {
      restore(files, written);
      return {false, long_work_messages::kLayoutCancelled};
    }
    Previous previous{names[i], std::nullopt};
    if (const std::optional<std::filesystem::path> found = files.findExisting(names[i]))
      previous.bytes = readFileBytes(*found, kLargestPageFile);
    const WriteResult result = files.writeWhole(names[i], images[i]);
    if (result != WriteResult::Written) {
      restore(files, written);
      return {false, writeErrorMessage(names[i], result)};
    }
    written.push_back(std::move(previous));
  }
  return {true, {}};
}

}  // namespace ts
