#pragma once
// What page layout makes and writes, shared by the layout dialogue and the
// batch driver: the distribution a bar list asks for, its pages, and the
// page files, written all or none.

#include <string>
#include <string_view>
#include <vector>

#include "layout/page_layout.h"

namespace ts {

class EngineHost;
class HostFiles;
struct Preferences;

struct LaidOutRun {
  bool ok = false;
  std::vector<std::string> messages;  // the report, notices, or why nothing was made
  Distribution distribution;
  std::vector<PageStore> pages;
};

// The bar widths of a run as the settings scale them.
std::vector<int> runBarWidths(const PageStore& run, const LayoutSettings& settings);
// Lines per page for the run under the settings.
int runLinesPerPage(const PageStore& run, const LayoutSettings& settings);
// The pages of a distribution, with the line-length report first.
LaidOutRun pagesOfDistribution(const PageStore& run, const Distribution& distribution, const LayoutSettings& settings,
                               const Preferences& preferences);
// The distribution a typed bar list asks for, and its pages.
LaidOutRun layOutRun(const PageStore& run, std::string_view barList, const LayoutSettings& settings,
                     const Preferences& preferences);

// The name with ".PAG" added when it has no extension; `added` says so.
std::string withPageExtension(std::string_view name, bool& added);
// The names of the pages: the stem, the page number, the extension
// ("C:\OUT\SONG.PAG" -> "C:\OUT\SONG1.PAG", "C:\OUT\SONG2.PAG", ...).
std::vector<std::string> numberedPageNames(std::string_view name, size_t pages);

struct PagesWritten {
  bool ok = false;
  std::string message;  // the writing error, when not ok
};

// Writes every page or none: all are encoded first, and when a write fails
// the files written before it get their old contents back.
PagesWritten writeLayoutPages(const HostFiles& files, const std::vector<std::string>& names,
                              const std::vector<PageStore>& pages, float unitSetting, EngineHost* host = nullptr);

}  // namespace ts
