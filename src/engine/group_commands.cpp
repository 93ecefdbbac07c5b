// Group operations: a small machine that advances one step per engine
// call. A command asks for an area (typed numbers or a dragged box), then
// for a destination or a count, and then changes every item it selected.

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "engine/engine.h"
#include "engine/engine_messages.h"
#include "model/page_file.h"

namespace ts {
namespace {

using Command = GroupCommand;

struct GroupWord {
  const char* word;
  Command command;
};

// The top-level words, and the words of the group table while a group
// operation is under way.
constexpr GroupWord kTopLevel[] = {
    {"M", Command::Move},        {"MS", Command::MoveSystem}, {"MX", Command::RepeatMove},
    {"CO", Command::Copy},       {"CS", Command::CopySystem}, {"DG", Command::Delete},
    {"PST", Command::Paste},     {"CT", Command::CutCopy},    {"MU", Command::MoveUp},
    {"MD", Command::MoveDown},   {"CP", Command::CopyStaves}, {"LJ", Command::Justify},
    {"LI", Command::Justify},    {"J", Command::Justify},     {"JT", Command::Justify},
    {"JTX", Command::Justify},   {"JN", Command::Justify},    {"L", Command::Justify},
    {"LN", Command::Justify},    {"TR", Command::Transpose},  {"TRM", Command::Transpose},
    {"TRP", Command::Transpose}, {"TRI", Command::Transpose}, {"ENH", Command::Transpose}};
constexpr GroupWord kGroupTable[] = {
    {"M", Command::Move},     {"C", Command::Copy},      {"DE", Command::Delete},    {"LJ", Command::Justify},
    {"LI", Command::Justify}, {"J", Command::Justify},   {"TR", Command::Transpose}, {"ED", Command::Later},
    {"CT", Command::CutCopy}, {"CP", Command::CopyStaves}, {"ST", Command::Later},   {"JT", Command::Justify},
    {"MU", Command::MoveUp},  {"MD", Command::MoveDown}};

std::optional<Command> lookUp(std::span<const GroupWord> table, std::string_view word) {
  for (const GroupWord& entry : table)
    if (word == entry.word) return entry.command;
  return std::nullopt;
}

constexpr float kWholeWidth = 100000.0f;  // a system takes every position of its staves
constexpr const char* kCutStore = "C:\\!TMP\\!!cut%d.tmp";
constexpr int kCutStores = 10;

std::string cutStoreName(int store) {
  char name[64];
  std::snprintf(name, sizeof name, kCutStore, store);
  return name;
}

}  // namespace

bool Engine::startGroupCommand(const CommandLine& line) {
  const std::optional<Command> command = m_group.command == Command::None ? lookUp(kTopLevel, line.mnemonic)
                                                                           : lookUp(kGroupTable, line.mnemonic);
  if (!command || (*command == Command::Transpose && !TransposeCommand::isTransposeWord(line))) return false;
  if (refuseWhileEditing()) return true;
  if (*command == Command::Later) {
    endGroup();
    notAvailableYet(line.word);
    return true;
  }
  m_group = {};
  m_group.command = *command;
  m_group.store = line.numbers.empty() ? 0 : std::clamp(truncToInt(line.numbers.front()), 0, kCutStores - 1);
  switch (*command) {
    case Command::RepeatMove: repeatLastMove(); return true;
    case Command::Paste: pasteCommand(); return true;
    case Command::Justify: startJustify(line); return true;
    case Command::Transpose: startTranspose(line); return true;
    case Command::MoveSystem:
    case Command::CopySystem: setMessage(messages::kSystemArea); break;
    default: setMessage(messages::kAreaPrompt); break;
  }
  return true;
}

void Engine::endGroup() { m_group = {}; }

bool Engine::groupInput(const CommandLine& line) {
  if (m_group.command == Command::None) return false;
  if (!line.numbersOnly) {
    if (line.mnemonic == "X") {
      endGroup();
      setMessage(messages::kLeavingGroupEdit);
      return true;
    }
    if (startGroupCommand(line)) return true;
    unknownWord(line);
    return true;
  }
  groupNumbers(line.numbers, false);
  return true;
}

void Engine::groupBox(const GroupArea& box) {
  std::vector<double> numbers = {static_cast<double>(box.lowerStaff), box.left, box.right,
                                 static_cast<double>(box.upperStaff)};
  groupNumbers(numbers, true);
}

void Engine::groupNumbers(const std::vector<double>& numbers, bool fromBox) {
  if (m_group.command == Command::Justify) {
    justifyChosen(numbers, fromBox);
    return;
  }
  if (m_group.command == Command::Transpose) {
    transposeChosen(numbers, fromBox);
    return;
  }
  const bool system = m_group.command == Command::MoveSystem || m_group.command == Command::CopySystem;
  if (m_group.step == GroupStep::Area) {
    if (system) {
      const int lowest = numbers.empty() ? 0 : truncToInt(numbers[0]);
      // A box gives its own staves; typed numbers give the lowest staff and a count.
      const int count = fromBox ? std::max(1, truncToInt(numbers[3]) - lowest + 1)
                                : std::max(1, numbers.size() > 1 ? truncToInt(numbers[1]) : 1);
      m_group.area = {lowest, -kWholeWidth, kWholeWidth, lowest + count - 1, {}};
    } else {
      m_group.area = areaFromNumbers(numbers);
    }
    if (m_group.area.lowerStaff < 1) {
      setMessage(system ? messages::kSystemArea : messages::kAreaPrompt);
      return;
    }
    areaChosen();
    return;
  }
  if (m_group.step == GroupStep::Destination) {
    GroupArea destination = areaFromNumbers(numbers);
    if (system) destination = {destination.lowerStaff, 0.0f, 0.0f, 0, {}};
    moveOrCopy(m_group.area, destination, m_group.command == Command::Copy || m_group.command == Command::CopySystem);
    return;
  }
  if (m_group.step == GroupStep::Steps) {
    const float steps = numbers.empty() ? 0.0f : static_cast<float>(numbers.front());
    moveVertically(m_group.command == Command::MoveDown ? -steps : steps);
    return;
  }
  if (m_group.step == GroupStep::Staves) {
    copyToStaves(numbers);
  }
}

void Engine::areaChosen() {
  switch (m_group.command) {
    case Command::Move:
    case Command::Copy:
      m_group.step = GroupStep::Destination;
      setMessage(messages::kDestinationPrompt);
      break;
    case Command::MoveSystem:
    case Command::CopySystem:
      m_group.step = GroupStep::Destination;
      setMessage(messages::kSystemDestination);
      break;
    case Command::MoveUp:
    case Command::MoveDown:
      m_group.step = GroupStep::Steps;
      setMessage(messages::kStepsPrompt);
      break;
    case Command::CopyStaves:
      m_group.step = GroupStep::Staves;
      setMessage(messages::kStavesPrompt);
      break;
    case Command::Delete: groupDelete(); break;
    case Command::CutCopy: cutCopy(); break;
    default: endGroup(); break;
  }
}

void Engine::moveOrCopy(GroupArea source, GroupArea destination, bool copy) {
  // The areas are taken by value: ending the group clears the state they may come from.
  const int highest = highestStaffInUse(m_page);
  const int staffShift = destinationStaff(destination.lowerStaff, source.lowerStaff, highest) - source.lowerStaff;
  const HorizontalMapping mapping = horizontalMapping(source, destination);
  endGroup();
  if (staffShift == 0 && leavesPositions(mapping)) {
    setMessage(messages::kSamePlace);
    return;
  }
  const std::vector<int> selected = selectItems(m_page, source);
  if (selected.empty()) {
    setMessage(messages::kNothingToDo);
    return;
  }
  saveUndoCopy();
  int done = 0;
  for (int k : selected) {
    ItemRecord item = m_page.record(k);
    item.params[1] += static_cast<float>(staffShift);
    item.params[2] = mapPosition(mapping, item.params[2]);
    if (isTwoEndedCode(item.code()) && item.params.size() >= 6) item.params[5] = mapPosition(mapping, item.params[5]);
    if (copy) {
      if (m_page.append(item) == 0) break;
    } else {
      // Set parameter by parameter, so a text item keeps every stored word.
      for (int i : {2, 3, 6}) m_page.setParam(k, i, item.p(i));
    }
    ++done;
  }
  if (!copy) m_lastMove = {source, destination, true};
  markModified();
  char text[64];
  std::snprintf(text, sizeof text, copy ? "%d items copied." : "%d items moved.", done);
  setMessage(done < static_cast<int>(selected.size()) ? messages::kPageFull : text);
}

void Engine::repeatLastMove() {
  if (!m_lastMove.valid) {
    endGroup();
    setMessage(messages::kNothingToDo);
    return;
  }
  const LastMove move = m_lastMove;
  moveOrCopy(move.source, move.destination, false);
}

void Engine::moveVertically(float steps) {
  const GroupArea area = m_group.area;
  endGroup();
  const std::vector<int> selected = selectItems(m_page, area);
  if (selected.empty() || steps == 0.0f) {
    setMessage(messages::kNothingToDo);
    return;
  }
  saveUndoCopy();
  for (int k : selected) {
    m_page.setParam(k, 4, m_page.param(k, 4) + steps);
    if (isTwoEndedCode(m_page.code(k))) m_page.setParam(k, 5, m_page.param(k, 5) + steps);
  }
  markModified();
}

void Engine::copyToStaves(const std::vector<double>& staves) {
  const GroupArea area = m_group.area;
  for (double staff : staves) {
    GroupArea destination;
    destination.lowerStaff = truncToInt(staff);
    if (destination.lowerStaff == area.lowerStaff || destination.lowerStaff < 1) continue;
    m_group.command = Command::Copy;
    moveOrCopy(area, destination, true);
  }
  endGroup();
}

void Engine::groupDelete() {
  GroupArea area = m_group.area;
  endGroup();
  ++m_waitLevel;
  std::vector<DialogField> fields;
  for (int i = 1; i <= 5; ++i) fields.push_back({"Code " + std::to_string(i), "0"});
  const std::optional<std::vector<std::string>> answer = m_host.askFields(messages::kSelectCodesToDelete, fields);
  --m_waitLevel;
  if (!answer) return;
  for (const std::string& value : *answer)
    if (const std::optional<double> code = parseNumber(trimmed(value)); code && *code != 0) area.codes.push_back(truncToInt(*code));
  std::vector<int> selected;
  if (area.left == -99.0f) {
    // Keep only the items of the given staff.
    for (int k = 1; k <= m_page.itemCount(); ++k)
      if (truncToInt(m_page.param(k, 2)) != area.lowerStaff) selected.push_back(k);
  } else {
    selected = selectItems(m_page, area);
  }
  if (selected.empty()) {
    setMessage(messages::kNothingToDo);
    return;
  }
  saveUndoCopy();
  m_page.removeItems(selected);
  m_lastItem = std::min(m_lastItem, m_page.itemCount());
  markModified();
  char text[64];
  std::snprintf(text, sizeof text, "%d items deleted.", static_cast<int>(selected.size()));
  setMessage(text);
}

void Engine::cutCopy() {
  const GroupArea area = m_group.area;
  const int store = m_group.store;
  endGroup();
  const std::vector<int> selected = selectItems(m_page, area);
  if (selected.empty()) {
    setMessage(messages::kNothingToDo);
    return;
  }
  auto items = std::make_unique<PageStore>();
  for (int k : selected) items->append(m_page.record(k));
  ensureWorkFolder();
  const std::string name = cutStoreName(store);
  if (const std::optional<std::string> error = writeWholeFile(name, encodePageFile(*items, m_unit))) {
    setMessage(*error);
    return;
  }
  char text[96];
  std::snprintf(text, sizeof text, "Area copied = %03d  %05.1f  %05.1f  %03d", area.lowerStaff,
                static_cast<double>(area.left), static_cast<double>(area.right), std::max(area.upperStaff, area.lowerStaff));
  setMessage(text);
}

void Engine::pasteCommand() {
  endGroup();
  if (refuseWhileEditing()) return;
  std::string available;
  for (int store = 0; store < kCutStores; ++store)
    if (m_files.findExisting(cutStoreName(store))) available += " " + std::to_string(store);
  ++m_waitLevel;
  const std::optional<std::string> answer = promptLineExpanded(std::string(messages::kAvailablePaste) + available);
  --m_waitLevel;
  if (!answer) return;
  const std::optional<double> number = parseNumber(trimmed(*answer).empty() ? "0" : trimmed(*answer));
  const int store = number ? truncToInt(*number) : -1;
  const std::string name = cutStoreName(std::clamp(store, 0, kCutStores - 1));
  const std::optional<std::filesystem::path> path = store >= 0 && store < kCutStores ? m_files.findExisting(name) : std::nullopt;
  if (!path) {
    fail(std::string(page_file_messages::kNotFound) + " " + name);
    return;
  }
  std::ifstream in(*path, std::ios::binary);
  const std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto items = std::make_unique<PageStore>();
  if (readPageFile(bytes, false, *items).status != PageReadStatus::Ok) {
    fail(std::string(page_file_messages::kNotCanto) + " " + name);
    return;
  }
  saveUndoCopy();
  int pasted = 0;
  for (int k = 1; k <= items->itemCount(); ++k) {
    if (m_page.append(items->record(k)) == 0) break;
    ++pasted;
  }
  markModified();
  char text[64];
  std::snprintf(text, sizeof text, "%d items pasted.", pasted);
  setMessage(pasted < items->itemCount() ? messages::kPageFull : text);
}

}  // namespace ts
