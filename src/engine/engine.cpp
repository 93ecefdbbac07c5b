#include "engine/engine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <variant>

#include "engine/conditional_alter.h"
#include "engine/creation_keywords.h"
#include "engine/engine_messages.h"
#include "engine/key_map.h"
#include "engine/parameter_edit.h"
#include "model/page_order.h"

namespace ts {
namespace {

std::string fieldText(const char* field, size_t size) {
  size_t length = 0;
  while (length < size && field[length] != '\0') ++length;
  return trimmed(std::string_view(field, length));
}

template <size_t N>
void fillField(std::array<char, N>& field, std::string_view text) {
  field.fill(' ');
  std::memcpy(field.data(), text.data(), std::min(text.size(), N));
}

// The edit-mode command table: three characters compared with the
// mnemonic. Entries ending in '*' take a number after them ("PS3").
constexpr const char* kEditTable[] = {
    "I",  "I*",  "II",  "N",   "N*",  "NEX", "NZ",  "B",   "BZ",  "X",   "X*",  "XX",  "XX*", "AB",
    "ABX", "C",  "C*",  "CC",  "CX",  "DE",  "DE*", "DEN", "DEB", "L",   "R",   "U",   "D",   "L*",
    "R*", "U*",  "D*",  "LL",  "RR",  "UU",  "DD",  "CN",  "CM",  "CNX", "CN*", "ST",  "ST*", "STX",
    "ED", "ED*", "S",   "SET", "A",   "SC",  "SCX", "P*",  "SZ",  "SZ*", "PS*", "PG*", "RGB", "BLA",
    "GRA", "WHI", "PED", "PDS", "DCH", "LIN", "NOD", "H*",  "SUD", "RTR", "___"};

// The copy and centre family, acting on the item being edited.
constexpr const char* kCopyFamily[] = {"CD",  "CN",  "CTN", "CTX", "CRV", "CT",  "CW",  "C",  "CUE", "CDA", "CD*",
                                       "COM", "CS",  "CS*", "CT*", "CW*", "CWA", "CM",  "CM*", "CPX"};

// Commands of capabilities that this version does not have yet: they are
// recognised, so the user is told so plainly instead of "unknown word".
constexpr const char* kLaterCommands[] = {
    "LFT", "RGT", "NRMV", "UND",  "UNDO", "RED",  "M",    "MS",  "MX",  "CO",  "CS",  "DG",   "PST", "CT",
    "IN",  "ED",  "RE",   "PR",   "PRPS", "PLA",  "PLAY", "PAUS", "STOP", "PA",  "PATH", "PM",  "PMX", "SC",
    "SCX", "TR",  "MU",   "MD",   "CP",   "LJ",   "LI",   "J",    "JT",  "HIST", "LAST", "GSV", "RS",  "RSM",
    "LAY", "PTS", "DRW",  "INZ",  "EDI",  "TX",   "FLI",  "RESTO", "SLIDER", "PCHNG"};

bool inTable(std::string_view mnemonic, std::span<const char* const> table) {
  return std::any_of(table.begin(), table.end(), [&](const char* entry) { return mnemonic == entry; });
}

// An edit-table entry matches on three characters; "PS*" stands for "PS"
// followed by a number.
bool editTableHas(std::string_view mnemonic, bool hasNumber) {
  const std::string key = padded(mnemonic, 3);
  for (const char* entry : kEditTable) {
    if (key == padded(entry, 3)) return true;
    std::string_view e(entry);
    if (hasNumber && e.size() > 1 && e.back() == '*' && padded(e.substr(0, e.size() - 1), 3) == key) return true;
  }
  return false;
}

std::string shortFloat(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.9g", static_cast<double>(value));
  float back = 0;
  for (int precision = 1; precision <= 9; ++precision) {
    std::snprintf(text, sizeof text, "%.*g", precision, static_cast<double>(value));
    std::sscanf(text, "%f", &back);
    if (back == value) break;
  }
  return text;
}

}  // namespace

Engine::Engine(EngineHost& host, const HostFiles& files, std::filesystem::path bundledLibrary)
    : m_host(host), m_files(files), m_drawer(files, std::move(bundledLibrary)) {
  m_commandBuffer.fill(' ');
  m_inputLine.fill(' ');
}

int Engine::takeRequestedZoom() {
  const int zoom = m_requestedZoom;
  m_requestedZoom = 0;
  return zoom;
}

std::string Engine::title() const { return pageTitle(m_pageName, m_page.itemCount(), m_modified, m_paper); }

bool Engine::call(int32_t* displayList, int32_t& displayUsed, char* textList, int32_t& textUsed, int32_t& status) {
  if (m_waitLevel > 0) return false;  // never entered twice
  m_displayList = displayList;
  m_displayUsed = &displayUsed;
  m_textList = textList;
  m_textUsed = &textUsed;
  m_message.clear();
  m_messageBox = false;
  m_pageChanged = false;
  (void)status;

  const std::string command = fieldText(m_commandBuffer.data(), m_commandBuffer.size());
  const std::string input = fieldText(m_inputLine.data(), m_inputLine.size());
  if (input.rfind("~~W", 0) == 0 && input.size() == 3) {
    m_commandBuffer.fill(' ');
    saveCommand(command);
  } else if (!command.empty() && command[0] == '~' && command != "~" && handlePseudoCommand(command)) {
    m_commandBuffer.fill(' ');
  } else if (command.empty() && input.rfind("~~", 0) == 0) {
    handlePseudoKey(input);
  } else if (!command.empty()) {
    m_commandBuffer.fill(' ');
    interpretLine(command);
  } else {
    interpretLine(input);
  }

  redraw();  // every call leaves lists that describe the whole page
  fillField(m_inputLine, m_message);
  return m_messageBox;
}

bool Engine::handlePseudoCommand(std::string_view command) {
  if (command == "~az" || command == "~ax") {
    m_register = 0;  // "~az" also resets the two scale settings, kept at 1.0 here
    return true;
  }
  if (command.size() == 3 && command.substr(0, 2) == "~a" && command[2] >= '0' && command[2] <= '9') {
    const int digit = command[2] - '0';
    m_register = m_register == 1 ? digit + 10 : digit;
    return true;
  }
  if (command == "~s" || command == "~t") {
    if (!m_editing) return true;  // no click operation is pending
    notAvailableYet("~v");
    return true;
  }
  if (command == "~x" || command == "~v") {
    notAvailableYet("Box selection");
    return true;
  }
  return false;
}

bool Engine::handlePseudoKey(std::string_view line) {
  if (line.size() > 3 && line.substr(0, 3) == "~~R") {
    getCommand(trimmed(line.substr(3)));
    return true;
  }
  const std::string digits(line.substr(2, 3));
  const std::optional<double> key = parseNumber(digits);
  if (!key) {
    setMessage(std::string(messages::kUnknownWord) + " " + std::string(line.substr(0, 9)));
    return true;
  }
  const int code = static_cast<int>(*key);
  // "~~038x": the menu's display moves, whatever the mode.
  const bool displayMove = line.size() > 5 && (line[5] == 'x' || line[5] == 'X');
  std::string command;
  if (displayMove) {
    command = code == vk::kUp ? "]]" : code == vk::kDown ? "[[" : code == vk::kLeft ? "--" : code == vk::kRight ? "++" : "";
  } else {
    command = m_editing ? editModeKeyCommand(code, truncToInt(m_edit[0])) : mainModeKeyCommand(code);
  }
  if (!command.empty()) interpretLine(command);
  return true;
}

void Engine::interpretLine(std::string_view rawLine) {
  const std::string line = trimmed(rawLine);
  if (line.empty()) return;
  const CommandLine parsed = splitCommandLine(line);
  const bool repeat = parsed.numbersOnly ? false : (parsed.mnemonic == "Q" || (parsed.mnemonic == "QQ" && parsed.numbers.empty()));
  if (repeat && parsed.word != "QQ0") {
    if (m_lastCommand.empty()) return;
    const std::string again = m_lastCommand;
    dispatch(splitCommandLine(again));
    return;
  }
  m_lastCommand = line;
  dispatch(parsed);
}

void Engine::dispatch(const CommandLine& line) {
  if (line.numbersOnly) {
    parameterEditLine(line);
    return;
  }
  if (m_editing && dispatchEditCommand(line)) return;
  if (dispatchInlineCommand(line)) return;
  if (m_editing && inTable(line.mnemonic, kCopyFamily)) {
    notAvailableYet(line.word);
    return;
  }
  if (dispatchCreation(line)) return;
  if (dispatchFamilyCommand(line)) return;
  unknownWord(line);
}

void Engine::unknownWord(const CommandLine& line) {
  setMessage(std::string(messages::kUnknownWord) + " " + line.word.substr(0, 9));
  m_messageBox = true;
}

void Engine::notAvailableYet(std::string_view word) {
  setMessage("*** " + std::string(word) + " " + messages::kNotAvailable);
}

bool Engine::refuseWhileEditing() {
  if (!m_editing) return false;
  setMessage(messages::kDoneEditingFirst);
  return true;
}

bool Engine::dispatchEditCommand(const CommandLine& line) {
  const std::string& m = line.mnemonic;
  if (!editTableHas(m, !line.numbers.empty())) return false;
  const std::optional<double> argument =
      line.numbers.empty() ? std::nullopt : std::optional<double>(line.numbers.front());
  if (m == "I" || m == "I*" || m == "N" || m == "N*") {
    openItem(argument ? truncToInt(*argument) : m_lastItem);
  } else if (m == "II") {
    openItem(m_page.itemCount());
  } else if (m == "X" || m == "X*" || m == "XX" || m == "XX*") {
    closeItem();
  } else if (m == "NEX" || m == "B") {
    const int next = m_current + (m == "B" ? -1 : 1);
    writeBackEdit();
    openItem(std::clamp(next, 1, std::max(1, m_page.itemCount())));
  } else if (m == "AB" || m == "ABX") {
    const int item = m_current;
    m_page.replace(item, m_openedRecord);
    m_changed = false;
    m_editing = false;
    m_pageChanged = true;
    if (m == "AB") openItem(item);
  } else {
    notAvailableYet(line.word);
  }
  return true;
}

bool Engine::dispatchInlineCommand(const CommandLine& line) {
  const std::string& m = line.mnemonic;
  if (m == "X") {
    if (m_editing) closeItem();
    return true;
  }
  if (m == "QQ") {
    switchEditMenuCommand(line);
    return true;
  }
  if (m == "I" || m == "N" || m == "II" || m == "NEX" || m == "B") {
    if (m == "II") {
      openItem(m_page.itemCount());
    } else if (m == "NEX" || m == "B") {
      openItem(std::max(1, m_lastItem + (m == "B" ? -1 : 1)));
    } else {
      openItem(line.numbers.empty() ? m_lastItem : truncToInt(line.numbers.front()));
    }
    return true;
  }
  if (m == "OS" || m == "OSR" || m == "OH" || m == "OT") {
    if (!refuseWhileEditing()) orderCommand(line);
    return true;
  }
  if (m == "IF") {
    if (!refuseWhileEditing()) conditionalAlter(line);
    return true;
  }
  if (m == "SM") {
    saveCommand(m_pageName);
    return true;
  }
  if (m == "SA") {
    saveAsCommand();
    return true;
  }
  if (m == "G") {
    if (!refuseWhileEditing()) getCommand(line.rest);
    return true;
  }
  if (m == "NX" || m == "NB") {
    if (!refuseWhileEditing()) stepFileCommand(m == "NX" ? 1 : -1);
    return true;
  }
  if (m == "GP") {
    if (!refuseWhileEditing()) previousFileCommand();
    return true;
  }
  if (m.rfind("FREEZ", 0) == 0) {
    toggleFreeze();
    return true;
  }
  if (m.rfind("INVI", 0) == 0) {
    toggleInvisible();
    return true;
  }
  if (m == "GD") {
    toggleGoDirect();
    return true;
  }
  if (m == "[" || m == "]") {
    if (!m_editing) {
      setMessage("*** [ and ] move the item being edited.");
    } else {
      m_edit[1] += m == "[" ? 1.0f : -1.0f;
      editChanged();
    }
    return true;
  }
  if (m == "MID" || m == "TOP" || m == "BOT" || m == "]]" || m == "[[" || m == "--" || m == "++") {
    moveDisplay(m);
    return true;
  }
  if (m == "Z$" || m == "Z") {
    if (m == "Z" && !line.numbers.empty() && line.numbers.front() == 2) m_requestedZoom = m_zoom * 2;
    if (m == "Z" && line.numbers.empty()) return false;
    m_pageChanged = true;
    return true;
  }
  return false;
}

bool Engine::dispatchCreation(const CommandLine& line) {
  const std::optional<int> keyword = findCreationKeyword(line.mnemonic);
  if (!keyword) return false;
  createItem(*keyword, line);
  return true;
}

bool Engine::dispatchFamilyCommand(const CommandLine& line) {
  if (!inTable(line.mnemonic, kLaterCommands) && line.mnemonic.rfind("RED", 0) != 0) return false;
  if (m_editing && line.mnemonic == "UND") {
    setMessage(messages::kNoUndeleteWhileEditing);
    return true;
  }
  notAvailableYet(line.word);
  return true;
}

// ---- editing ---------------------------------------------------------------

void Engine::openItem(int item) {
  writeBackEdit();
  if (m_page.itemCount() == 0) {
    m_editing = false;
    setMessage(messages::kNoItems);
    return;
  }
  item = std::clamp(item, 1, m_page.itemCount());
  m_current = item;
  m_lastItem = item;
  m_page.loadWorking(item, m_edit);
  m_editText = m_page.text(item);
  m_openedRecord = m_page.record(item);
  m_changed = false;
  m_editing = true;
  m_pageChanged = true;
  char text[64];
  std::snprintf(text, sizeof text, "Item %d: %s", item, codeMenuName(truncToInt(m_edit[0])));
  setMessage(text);
}

void Engine::writeBackEdit() {
  if (!m_editing || !m_changed) return;
  if (m_page.storeWorking(m_current, m_edit)) {
    markModified();
  } else {
    setMessage(messages::kPageFull);
  }
  m_changed = false;
}

void Engine::closeItem() {
  writeBackEdit();
  m_editing = false;
  m_pageChanged = true;
}

void Engine::parameterEditLine(const CommandLine& line) {
  if (!m_editing) {
    setMessage("*** No item is being edited: open one first (I).");
    return;
  }
  std::string error;
  const std::vector<ParameterEdit> edits = readParameterEdits(line.numbers, error);
  if (!error.empty()) {
    setMessage(error);
    return;
  }
  applyParameterEdits(edits, m_edit);
  editChanged();
}

void Engine::editChanged() {
  // The store always holds what the user sees; "AB" puts back the record
  // kept when the item was opened.
  m_changed = true;
  writeBackEdit();
  m_pageChanged = true;
}

CreationPlace Engine::creationPlace() const {
  CreationPlace place;
  const int from = m_editing ? m_current : std::min(m_lastItem, m_page.itemCount());
  if (from >= 1) {
    const WorkingRecord& record = m_edit;
    place.staff = m_editing ? record[1] : m_page.param(from, 2);
    place.position = m_editing ? record[2] : m_page.param(from, 3);
    if (place.staff < 1) place.staff = 1;
  }
  for (int k = 1; k <= m_page.itemCount(); ++k) {
    if (m_page.code(k) == kCodeStaff) place.highestStaff = std::max(place.highestStaff, truncToInt(m_page.param(k, 2)));
  }
  return place;
}

void Engine::createItem(int keyword, const CommandLine& line) {
  const CreationPlace place = creationPlace();
  const std::optional<double> argument =
      line.numbers.empty() ? std::nullopt : std::optional<double>(line.numbers.front());
  const ItemRecord item = makeCreatedItem(keyword, place, argument);
  writeBackEdit();
  const int added = m_page.append(item);
  if (added == 0) {
    // A full store of 6000 items refuses silently; a store out of words says so.
    if (m_page.itemCount() < kMaxItems) setMessage(messages::kPageFull);
    return;
  }
  markModified();
  m_lastItem = added;
  m_editing = false;
  if (m_goDirect) openItem(added);
}

// ---- page-wide commands ------------------------------------------------------

void Engine::orderCommand(const CommandLine& line) {
  if (m_page.itemCount() < 2) return;
  saveUndoCopy();
  const std::string& m = line.mnemonic;
  const PageOrder order = m == "OH"    ? PageOrder::ByPosition
                          : m == "OT"  ? PageOrder::TextFirst
                          : m == "OSR" ? PageOrder::ByStaffReversed
                                       : PageOrder::ByStaff;
  orderPage(m_page, order);
  markModified();
}

void Engine::toggleInvisible() {
  m_showInvisible = !m_showInvisible;
  setMessage(m_showInvisible ? messages::kInvisibleShown : messages::kInvisibleHidden);
  m_pageChanged = true;
}

void Engine::toggleFreeze() {
  m_frozen = !m_frozen;
  setMessage(m_frozen ? messages::kFreeze : messages::kUnfreeze);
}

void Engine::toggleGoDirect() {
  m_goDirect = !m_goDirect;
  setMessage(m_goDirect ? messages::kGoDirectOn : messages::kGoDirectOff);
}

void Engine::moveDisplay(std::string_view mnemonic) {
  constexpr int kStep = 4000;  // one inch of page per display move
  if (m_frozen) return;
  if (mnemonic == "TOP") m_displayOffsetY = 0;
  if (mnemonic == "MID") m_displayOffsetY = -22000;
  if (mnemonic == "BOT") m_displayOffsetY = -44000;
  if (mnemonic == "]]") m_displayOffsetY += kStep;
  if (mnemonic == "[[") m_displayOffsetY -= kStep;
  if (mnemonic == "--") m_displayOffsetX += kStep;
  if (mnemonic == "++") m_displayOffsetX -= kStep;
  m_pageChanged = true;
}

void Engine::switchEditMenuCommand(const CommandLine& line) {
  const int menu = line.numbers.empty() ? 0 : truncToInt(line.numbers.front());
  m_host.switchEditMenu(menu, 0);
}

// ---- drawing -----------------------------------------------------------------

void Engine::removeUnknownItems() {
  for (int k = 1; k <= m_page.itemCount();) {
    const int code = m_page.code(k);
    if (code == 0) {
      m_page.setParam(k, 1, static_cast<float>(kCodeClef));
    } else if (code >= kHighestCode + 1) {
      if (code != kCodeMarkedForRemoval) {
        char text[160];
        std::snprintf(text, sizeof text,
                      "Item %4d, Unknown Code Number - this item will be deleted.\nP1=%2d, P2=%3d, P3=%s", k, code,
                      truncToInt(m_page.param(k, 2)), shortFloat(m_page.param(k, 3)).c_str());
        m_host.messageBox(text);
      }
      if (m_editing && k == m_current) m_editing = false;
      if (m_current > k) --m_current;
      if (m_lastItem >= k) m_lastItem = std::max(0, m_lastItem - 1);
      m_page.remove(k);
      m_modified = true;
      continue;
    }
    ++k;
  }
}

void Engine::redraw() {
  removeUnknownItems();
  DisplayTarget target{m_displayList, kDisplayListWords, m_displayUsed, m_textList, kTextListBytes, m_textUsed};
  DrawRequest request;
  request.highlightedItem = m_editing ? m_current : 0;
  request.showInvisible = m_showInvisible;
  request.displayOffsetX = m_displayOffsetX;
  request.displayOffsetY = m_displayOffsetY;
  request.unit = m_unit;
  request.paper = m_paper;
  const DrawReport report = m_drawer.draw(m_page, request, target);
  for (const std::string& warning : report.warnings) m_host.messageBox(warning);
}

}  // namespace ts

namespace ts {

void Engine::conditionalAlter(const CommandLine& line) {
  const std::variant<ConditionalAlter, std::string> parsed = parseConditionalAlter("IF " + line.rest);
  if (const std::string* error = std::get_if<std::string>(&parsed)) {
    setMessage(*error);
    return;
  }
  const ConditionalAlter& alter = std::get<ConditionalAlter>(parsed);
  saveUndoCopy();
  int altered = 0;
  for (int k = 1; k <= m_page.itemCount(); ++k) {
    ItemRecord item = m_page.record(k);
    if (!alterIfConditionHolds(alter, item.params)) continue;
    if (m_page.replace(k, item)) ++altered;
  }
  char text[64];
  std::snprintf(text, sizeof text, "IF: %d items altered.", altered);
  setMessage(text);
  if (altered > 0) markModified();
}

}  // namespace ts
