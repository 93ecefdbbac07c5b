#pragma once
// The layout mode, a component of the engine: "LAY..." lays out the page in
// memory, a continuous run of bars, as lines and pages; "PARTS" first takes
// one staff of the run as a run of its own. Both go through the "Page
// Layout" settings, the layout menu (a number of lines, pages of so many
// lines, a bar list, layout up and down, page turns), show the proposal,
// and write the accepted pages as page files. The page in memory is never
// changed.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "layout/page_layout.h"

namespace ts {

class EngineHost;
class HostFiles;
struct Preferences;

struct LayoutReply {
  std::string message;
  bool failed = false;
};

class LayoutMode {
 public:
  LayoutMode(EngineHost& host, const HostFiles& files, int& waitLevel)
      : m_host(host), m_files(files), m_waitLevel(waitLevel) {}

  // `pageModified`: the page holds changes the layout must not start from.
  LayoutReply run(const PageStore& page, const Preferences& preferences, float unitSetting, bool parts,
                  bool pageModified);

 private:
  enum class Step { Accept, FirstMenu, Up, Down, Turns, Leave, Settings, Done };

  struct Job {
    PageStore run;
    LayoutSettings settings;
    const Preferences* preferences = nullptr;
    float unit = 0.0f;
    bool parts = false;
    std::vector<int> widths;
    int perPage = 1;
    int lines = 1;
    std::optional<Distribution> current;
    LayoutReply reply;
  };

  static std::string menuTitle(const Job& job);
  Step firstMenu(Job& job);
  Step proposeAndAsk(Job& job, const Distribution& d);
  std::optional<Distribution> followStep(Job& job, Step step);
  std::optional<Distribution> proposeLines(Job& job);
  std::optional<Distribution> listedLines(Job& job);
  std::optional<Distribution> barListAnswer(Job& job, bool& toSettings);
  std::optional<Distribution> withPageTurns(Job& job);
  std::optional<Distribution> taken(const DistributionOutcome& outcome);

  bool settingsDialog(Job& job);
  void startLayout(Job& job);
  std::optional<PageStore> choosePart(const PageStore& page);
  bool writePages(Job& job, const std::vector<PageStore>& pages);
  std::optional<std::string> readWorkFile(std::string_view name);
  void writeWorkFile(std::string_view name, const std::string& text);
  LayoutSettings loadSettings();

  std::optional<std::string> prompt(std::string_view text);
  std::optional<int> choose(std::string_view title, const std::vector<std::string>& choices);
  bool askYesNo(std::string_view question);
  void show(std::string_view text);

  EngineHost& m_host;
  const HostFiles& m_files;
  int& m_waitLevel;
};

// One staff of a run as a run of its own, on staff 1: its staff item, its
// items, and the bar lines of the lowest staff when it has none of its own.
PageStore partOfRun(const PageStore& run, int staff);

}  // namespace ts
