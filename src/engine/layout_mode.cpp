// The layout dialogue: settings, the first layout menu, the proposal and
// its menu, until pages are written or the user leaves.

#include "engine/layout_mode.h"

#include <algorithm>
#include <numeric>

#include "engine/engine_host.h"
#include "engine/layout_mode_messages.h"
#include "engine/layout_output.h"
#include "layout/page_layout_messages.h"

namespace ts {
namespace {

namespace text = layout_mode_text;
namespace msg = page_layout_messages;

constexpr int kMostRounds = 200;  // menu rounds of one layout; a script cannot loop for ever

std::vector<std::string> choicesOf(std::span<const char* const> entries) { return {entries.begin(), entries.end()}; }

}  // namespace

LayoutReply LayoutMode::run(const PageStore& page, const Preferences& preferences, float unitSetting, bool parts,
                            bool pageModified) {
  if (pageModified) return {msg::kRestartFirst, true};
  show(parts ? msg::kPartsTitle : msg::kLayoutTitle);
  Job job;
  job.preferences = &preferences;
  job.unit = unitSetting;
  job.parts = parts;
  if (parts) {
    std::optional<PageStore> part = choosePart(page);
    if (!part) return {text::kNoSuchStaff, true};
    job.run = std::move(*part);
  } else {
    job.run = page;
  }
  if (findRunBars(job.run).barLines.empty()) return {msg::kNoBars, true};
  job.settings = loadSettings();
  for (int round = 0; round < kMostRounds; ++round) {
    if (!settingsDialog(job)) return {text::kLayoutLeft, false};
    startLayout(job);
    if (firstMenu(job) != Step::Settings) return job.reply;
  }
  return {text::kLayoutLeft, false};
}

void LayoutMode::startLayout(Job& job) {
  job.widths = runBarWidths(job.run, job.settings);
  job.perPage = runLinesPerPage(job.run, job.settings);
  const long long total = std::accumulate(job.widths.begin(), job.widths.end(), 0LL);
  const int most = std::min(kMaxLayoutLines, static_cast<int>(job.widths.size()));
  job.lines = std::clamp(lineCountForPiece(total, lineWidthFor(static_cast<int>(kLayoutRightEdge), job.settings)), 1, most);
  job.current.reset();
  std::string bars;
  for (size_t i = 0; i < job.widths.size(); ++i) bars += std::to_string(i + 1) + " " + std::to_string(job.widths[i]) + "\r\n";
  writeWorkFile(text::kBarsFile, bars);
}

LayoutMode::Step LayoutMode::firstMenu(Job& job) {
  for (int round = 0; round < kMostRounds; ++round) {
    const std::optional<int> choice = choose(menuTitle(job), choicesOf(text::kFirstMenu));
    std::optional<Distribution> d;
    bool toSettings = false;
    switch (choice.value_or(0)) {
      case 1: d = listedLines(job); break;
      case 2: d = barListAnswer(job, toSettings); break;
      case 3: d = followStep(job, Step::Up); break;
      case 4: d = followStep(job, Step::Down); break;
      case 5: d = followStep(job, Step::Turns); break;
      default:
        if (askYesNo(text::kReturnToStartup)) return Step::Settings;
        job.reply = {text::kLayoutLeft, false};
        return Step::Leave;
    }
    if (toSettings) return Step::Settings;
    // A proposal's own menu may move it again before it is taken or left.
    for (int moves = 0; d && moves < kMostRounds; ++moves) {
      const Step step = proposeAndAsk(job, *d);
      if (step == Step::Done || step == Step::Leave) return step;
      d = step == Step::FirstMenu ? std::nullopt : followStep(job, step);
    }
  }
  return Step::Leave;
}

std::optional<Distribution> LayoutMode::followStep(Job& job, Step step) {
  const int most = std::min(kMaxLayoutLines, static_cast<int>(job.widths.size()));
  if (step == Step::Up) job.lines = std::max(1, job.lines - 1);
  if (step == Step::Down) job.lines = std::min(most, job.lines + 1);
  if (step == Step::Turns) return withPageTurns(job);
  return proposeLines(job);
}

std::optional<Distribution> LayoutMode::proposeLines(Job& job) {
  std::vector<int> turns = job.current ? job.current->turnBars : std::vector<int>{};
  std::optional<Distribution> d = taken(linesForm(job.widths, job.lines, job.perPage));
  if (d) d->turnBars = std::move(turns);
  return d;
}

std::optional<Distribution> LayoutMode::withPageTurns(Job& job) {
  const Distribution base = job.current ? *job.current : proposeLines(job).value_or(Distribution{});
  if (base.lines.empty()) return std::nullopt;
  const PageTurnOutcome out = findPageTurns(base, job.settings.firstPageNumber);
  for (int page : out.pagesWithoutTurn) show(text::kNoTurnOnPage + std::to_string(page) + ".");
  return out.distribution;
}

std::optional<Distribution> LayoutMode::taken(const DistributionOutcome& outcome) {
  if (!outcome.ok) {
    show(outcome.message);
    return std::nullopt;
  }
  return outcome.distribution;
}

LayoutMode::Step LayoutMode::proposeAndAsk(Job& job, const Distribution& d) {
  job.current = d;
  const LaidOutRun laid = pagesOfDistribution(job.run, d, job.settings, *job.preferences);
  int line = 0;
  for (size_t p = 0; p < d.pageLines.size(); ++p) {
    const LayoutLine& first = d.lines[line];
    line += d.pageLines[p];
    const LayoutLine& last = d.lines[line - 1];
    show("Page" + integerField(static_cast<long long>(p) + 1, 4) + ": bars" + integerField(first.firstBar + 1, 5) +
         " -" + integerField(last.firstBar + last.barCount, 5) + "," + integerField(d.pageLines[p], 4) + " lines");
  }
  for (const std::string& message : laid.messages) show(message);
  if (!laid.ok) return Step::FirstMenu;
  const std::vector<std::string> menu = job.parts ? choicesOf(text::kSecondMenu) : choicesOf(text::kProposalMenu);
  const int choice = choose(text::kSettingsTitle, menu).value_or(static_cast<int>(menu.size()));
  if (choice == 1) return writePages(job, laid.pages) ? Step::Done : Step::FirstMenu;
  if (!job.parts) return choice == 2 ? Step::FirstMenu : Step::Leave;
  constexpr Step kPartSteps[] = {Step::Accept, Step::Up, Step::Down, Step::Turns, Step::Leave};
  const Step step = kPartSteps[std::clamp(choice, 1, 5) - 1];
  if (step == Step::Leave) job.reply = {text::kLayoutLeft, false};
  return step;
}

std::string LayoutMode::menuTitle(const Job& job) {
  const int pages = job.current ? static_cast<int>(job.current->pageLines.size()) : pageCountFor(job.lines, job.perPage);
  return std::string(text::kNumberOfPages) + integerField(pages, 4) + "   " + text::kLinesPerPage +
         integerField(job.perPage, 4);
}

}  // namespace ts
