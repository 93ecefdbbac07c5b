// The layout dialogue's single steps: the settings dialog and its file,
// the lists typed or read back from the work files, the part of a run,
// and the output names.

#include <algorithm>
#include <numeric>

#include "engine/engine_host.h"
#include "engine/layout_mode.h"
#include "engine/layout_mode_messages.h"
#include "engine/layout_output.h"
#include "layout/page_layout_messages.h"
#include "layout/page_layout_settings.h"
#include "model/host_files.h"

namespace ts {
namespace {

namespace text = layout_mode_text;
namespace msg = page_layout_messages;

constexpr uintmax_t kLargestWorkFile = 64u << 10;  // a bar list of 1000 entries is far smaller
constexpr int kMostTries = 100;                    // times one question is asked again

std::vector<uint8_t> bytesOf(const std::string& text) { return {text.begin(), text.end()}; }

bool blank(std::string_view text) { return text.find_first_not_of(" \t\r\n") == std::string_view::npos; }

}  // namespace

std::optional<std::string> LayoutMode::prompt(std::string_view line) {
  ++m_waitLevel;
  std::optional<std::string> answer = m_host.promptLine(line);
  --m_waitLevel;
  return answer;
}

std::optional<int> LayoutMode::choose(std::string_view title, const std::vector<std::string>& choices) {
  ++m_waitLevel;
  const std::optional<int> choice = m_host.askChoice(title, choices);
  --m_waitLevel;
  return choice;
}

bool LayoutMode::askYesNo(std::string_view question) {
  ++m_waitLevel;
  const bool yes = m_host.askYesNo(question);
  --m_waitLevel;
  return yes;
}

void LayoutMode::show(std::string_view line) { m_host.showMessage(line); }

std::optional<std::string> LayoutMode::readWorkFile(std::string_view name) {
  const std::optional<std::filesystem::path> path = m_files.findExisting(name);
  const std::optional<std::vector<uint8_t>> bytes = path ? readFileBytes(*path, kLargestWorkFile) : std::nullopt;
  if (!bytes) return std::nullopt;
  return std::string(bytes->begin(), bytes->end());
}

void LayoutMode::writeWorkFile(std::string_view name, const std::string& contents) {
  m_files.writeWhole(name, bytesOf(contents));
}

LayoutSettings LayoutMode::loadSettings() {
  const std::optional<std::string> contents = readWorkFile(kLayoutSettingsFile);
  if (!contents) return {};
  const LayoutSettingsRead read = readLayoutSettings(*contents);
  for (const std::string& problem : read.problems) show("*** " + problem);
  return read.settings;
}

bool LayoutMode::settingsDialog(Job& job) {
  std::vector<DialogField> fields{{text::kTotalBarLines, std::to_string(findRunBars(job.run).barLines.size())}};
  const std::vector<std::string> labels = layoutFieldLabels();
  const std::vector<std::string> values = layoutFieldValues(job.settings);
  for (size_t i = 0; i < labels.size(); ++i) fields.push_back({labels[i], values[i]});
  ++m_waitLevel;
  const std::optional<std::vector<std::string>> answers = m_host.askFields(text::kSettingsTitle, fields);
  --m_waitLevel;
  if (!answers) return false;
  for (size_t i = 1; i < answers->size() && i < fields.size(); ++i) {
    if ((*answers)[i] != fields[i].value && !takeLayoutField(job.settings, i - 1, (*answers)[i]))
      show("*** " + labels[i - 1] + ": " + fields[i].value);
  }
  if (askYesNo(text::kSaveSettings)) writeWorkFile(kLayoutSettingsFile, writeLayoutSettings(job.settings));
  return true;
}

std::optional<Distribution> LayoutMode::listedLines(Job& job) {
  std::optional<std::string> answer = prompt(std::string(text::kListSystems) + " " + text::kListSystemsHint);
  if (!answer) return std::nullopt;
  if (blank(*answer)) answer = readWorkFile(text::kSystemsFile);
  if (!answer) {
    show(std::string(text::kNoWorkFile) + text::kSystemsFile);
    return std::nullopt;
  }
  const BarList list = parseBarList(*answer);
  const bool positive = std::all_of(list.entries.begin(), list.entries.end(), [](int n) { return n > 0; });
  const long long lines = std::accumulate(list.entries.begin(), list.entries.end(), 0LL);
  if (list.entries.empty() || !positive) return taken({false, {}, msg::kBadBarList});
  if (lines > kMaxLayoutLines) return taken({false, {}, msg::kOverflow});
  writeWorkFile(text::kSystemsFile, *answer);
  std::optional<Distribution> d = taken(linesForm(job.widths, static_cast<int>(lines), job.perPage));
  if (d) d->pageLines = list.entries;
  return d;
}

std::optional<Distribution> LayoutMode::barListAnswer(Job& job, bool& toSettings) {
  for (const char* line : text::kBarListHelp) show(line);
  show(text::kBarListLastLine);
  for (int tries = 0; tries < kMostTries; ++tries) {
    std::optional<std::string> answer = prompt(text::kBarListHelp[0]);
    if (!answer) return std::nullopt;
    if (blank(*answer)) {
      show(text::kReadBarsLine);
      answer = readWorkFile(text::kBarsLineFile);
      if (!answer) return taken({false, {}, std::string(text::kNoWorkFile) + text::kBarsLineFile});
    }
    const BarList list = parseBarList(*answer);
    if (list.entries.size() == 1 && list.entries[0] == text::kBackToStaffSize) return toSettings = true, std::nullopt;
    if (list.entries.size() == 1 && list.entries[0] == text::kPageTurnMode) return withPageTurns(job);
    const DistributionOutcome outcome = distributeBars(job.widths, list, job.perPage);
    if (outcome.ok) {
      writeWorkFile(text::kBarsLineFile, *answer);
      job.lines = static_cast<int>(outcome.distribution.lines.size());
      return outcome.distribution;
    }
    show(outcome.message);
  }
  return std::nullopt;
}

std::optional<PageStore> LayoutMode::choosePart(const PageStore& page) {
  const int staves = findRunBars(page).staffCount;
  const std::optional<std::string> answer = prompt(text::kPartStaff);
  const BarList list = answer ? parseBarList(*answer) : BarList{};
  if (list.form != BarListForm::Lines || list.entries[0] < 1 || list.entries[0] > staves) return std::nullopt;
  return partOfRun(page, list.entries[0]);
}

bool LayoutMode::writePages(Job& job, const std::vector<PageStore>& pages) {
  for (int tries = 0; tries < kMostTries; ++tries) {
    const std::optional<std::string> answer = prompt(msg::kTypeOutputName);
    if (!answer || blank(*answer)) return false;
    bool added = false;
    const std::string name = withPageExtension(*answer, added);
    if (added) show(msg::kExtensionAdded);
    const std::vector<std::string> names = numberedPageNames(name, pages.size());
    const auto found = std::find_if(names.begin(), names.end(), [&](const std::string& n) { return m_files.findExisting(n).has_value(); });
    if (found != names.end()) {
      ++m_waitLevel;
      const int button = m_host.askThreeButtons(*found + text::kExists, {text::kReplaceFile, text::kNewName, text::kCancel});
      --m_waitLevel;
      if (button == 1) continue;
      if (button != 0) return false;
    }
    const PagesWritten written = writeLayoutPages(m_files, names, pages, job.unit, &m_host);
    job.reply = written.ok ? LayoutReply{text::kWritten + names.front() + " - " + names.back(), false}
                           : LayoutReply{written.message, true};
    return true;
  }
  return false;
}

PageStore partOfRun(const PageStore& run, int staff) {
  const RunBars bars = findRunBars(run);
  bool ownBars = false;
  bool hasStaff = false;
  for (int k = 1; k <= run.itemCount(); ++k) {
    const bool onStaff = truncToInt(run.param(k, 2)) == staff;
    ownBars = ownBars || (run.code(k) == kCodeBars && onStaff);
    hasStaff = hasStaff || (run.code(k) == kCodeStaff && onStaff);
  }
  if (!hasStaff) return {};
  int barStaff = 0;
  for (int k = 1; k <= run.itemCount() && !ownBars && !bars.barLines.empty(); ++k) {
    if (run.code(k) == kCodeBars && run.param(k, 3) == bars.barLines.front()) barStaff = truncToInt(run.param(k, 2));
  }
  PageStore part;
  for (int k = 1; k <= run.itemCount(); ++k) {
    const int itemStaff = truncToInt(run.param(k, 2));
    const bool borrowed = !ownBars && itemStaff == barStaff && run.code(k) == kCodeBars;
    if (itemStaff != staff && !borrowed) continue;
    ItemRecord item = run.record(k);
    item.params[1] = 1.0f;
    part.append(item);
  }
  return part;
}

}  // namespace ts
