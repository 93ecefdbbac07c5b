#include "engine/engine.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <variant>

#include "draw/draw_messages.h"
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

// The copy and centre family, acting on the item being edited.
constexpr const char* kCopyFamily[] = {"CD",  "CN",  "CTN", "CTX", "CRV", "CT",  "CW",  "C",  "CUE", "CDA", "CD*",
                                       "COM", "CS",  "CS*", "CT*", "CW*", "CWA", "CM",  "CM*", "CPX"};

// Commands of capabilities that this version does not have yet: they are
// recognised, so the user is told so plainly instead of "unknown word".
constexpr const char* kLaterCommands[] = {
    "ED",  "RE",   "PATH", "PM",  "PMX", "SC",
    "SCX", "RS",  "RSM", "PTS", "INZ",  "EDI",  "FLI", "RINV", "SI"};

bool inTable(std::string_view mnemonic, std::span<const char* const> table) {
  return std::any_of(table.begin(), table.end(), [&](const char* entry) { return mnemonic == entry; });
}

}  // namespace

Engine::Engine(EngineHost& host, const HostFiles& files, std::filesystem::path bundledLibrary)
    : m_host(host), m_files(files), m_drawer(files, bundledLibrary),
      m_drawMode(host, files, m_drawer.library(), m_waitLevel),
      m_print(host, files, bundledLibrary.empty() ? bundledLibrary : bundledLibrary.parent_path() / "fontlib", m_waitLevel) {
  m_commandBuffer.fill(' ');
  m_inputLine.fill(' ');
  m_bundledLibrary = std::move(bundledLibrary);
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
  m_failed = false;
  m_pageChanged = false;
  (void)status;

  const std::string command = fieldText(m_commandBuffer.data(), m_commandBuffer.size());
  const std::string input = fieldText(m_inputLine.data(), m_inputLine.size());
  if (input.rfind("~~W", 0) == 0 && input.size() == 3) {
    m_commandBuffer.fill(' ');
    saveCommand(command);
  } else if (command == "~") {
    m_commandBuffer.fill(' ');
    clickCommand();
  } else if (!command.empty() && command[0] == '~' && handlePseudoCommand(command)) {
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
    if (m_editing) dragCommand();  // while editing they drag the item; else no click operation is pending
    return true;
  }
  if (command == "~x") {
    boxCommand();
    return true;
  }
  if (command == "~v") {
    dragCommand();
    return true;
  }
  return false;
}

bool Engine::handlePseudoKey(std::string_view line) {
  if (line.size() > 3 && line.substr(0, 3) == "~~R") {
    // The host's document opens the page; it has asked about unsaved changes itself.
    getPage(trimmed(line.substr(3)));
    return true;
  }
  const std::string digits(line.substr(2, 3));
  const std::optional<double> key = parseNumber(digits);
  if (!key) {
    setMessage(std::string(messages::kUnknownWord) + " " + std::string(line.substr(0, 9)));
    return true;
  }
  const int code = truncToInt(*key);  // "~~9e9" reads as a number too
  if (m_drawMode.active()) {
    if (const std::optional<DrawModeReply> reply = m_drawMode.key(code)) {
      takeDrawModeReply(*reply);
      return true;
    }
  }
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
  const std::string typed = trimmed(rawLine);
  if (typed.empty()) return;
  const std::vector<std::string> lines = expandLine(typed);
  for (const std::string& line : lines) interpretOne(line);
}

void Engine::interpretOne(std::string_view rawLine) {
  const std::string line = trimmed(rawLine);
  if (line.empty()) return;
  const CommandLine parsed = splitCommandLine(line);
  // "Q" and "qq" repeat the last line; "QQ" with a number switches menus.
  const bool repeat = !parsed.numbersOnly && (parsed.mnemonic == "Q" || (parsed.mnemonic == "QQ" && parsed.numbers.empty()));
  if (repeat) {
    if (m_lastCommand.empty()) return;
    const std::string again = m_lastCommand;
    dispatch(splitCommandLine(again));
    return;
  }
  m_lastCommand = line;
  dispatch(parsed);
}

void Engine::dispatch(const CommandLine& line) {
  if (m_drawMode.active()) {
    if (const std::optional<DrawModeReply> reply = m_drawMode.command(line)) {
      takeDrawModeReply(*reply);
      return;
    }
  }
  if (line.numbersOnly && !groupActive()) {
    parameterEditLine(line);
    return;
  }
  if (groupInput(line)) return;
  if (m_editing && dispatchEditCommand(line)) return;
  if (m_editing && inTable(line.mnemonic, kCopyFamily)) {
    notAvailableYet(line.word);
    return;
  }
  if (dispatchInlineCommand(line)) return;
  if (dispatchMidiCommand(line)) return;
  if (startGroupCommand(line)) return;
  if (dispatchCreation(line)) return;
  if (dispatchFamilyCommand(line)) return;
  unknownWord(line);
}

void Engine::unknownWord(const CommandLine& line) {
  fail(std::string(messages::kUnknownWord) + " " + line.word.substr(0, 9));
  m_messageBox = true;
}

void Engine::notAvailableYet(std::string_view word) {
  fail("*** " + std::string(word) + " " + messages::kNotAvailable);
}

bool Engine::refuseWhileEditing() {
  if (!m_editing) return false;
  setMessage(messages::kDoneEditingFirst);
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
  if (m == "DRW") {
    if (!refuseWhileEditing()) takeDrawModeReply(m_drawMode.enter());
    return true;
  }
  if (m == "UNDO") {
    undoCommand();
    return true;
  }
  if (m.rfind("RED", 0) == 0) {
    redoCommand();
    return true;
  }
  if (m == "UND") {
    undeleteCommand();
    return true;
  }
  if (m == "GSV" || m == "HIST" || m == "LAST") {
    if (m_editing && m == "LAST") return true;  // in edit mode it does nothing
    if (refuseWhileEditing()) return true;
    if (m == "GSV") getBackupCommand();
    if (m == "HIST") historyCommand();
    if (m == "LAST") lastFileCommand();
    return true;
  }
  if (dispatchEditExtras(line)) return true;
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
  if (m == "PA") {
    paperSizeCommand();
    return true;
  }
  if (m == "VJ") {
    if (!refuseWhileEditing()) verticalJustifyCommand(line);
    return true;
  }
  if (m == "PREF") {
    if (!refuseWhileEditing()) preferencesCommand();
    return true;
  }
  if (m == "IN") {
    if (!refuseWhileEditing()) inputCommand();
    return true;
  }
  if (m.rfind("LAY", 0) == 0 || m == "PARTS") {
    if (!refuseWhileEditing()) layoutCommand(m == "PARTS");
    return true;
  }
  if (m == "PR" || m == "PRPS") {
    if (!refuseWhileEditing()) printCommand(line);
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
  // The lone letters P and F create only as whole words: "P5" is not a p.
  const std::string_view prefix = creationPrefix(*keyword);
  if ((prefix == "P" || prefix == "F") && line.word != prefix) return false;
  createItem(*keyword, line);
  return true;
}

bool Engine::dispatchFamilyCommand(const CommandLine& line) {
  if (!inTable(line.mnemonic, kLaterCommands)) return false;
  notAvailableYet(line.word);
  return true;
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

void Engine::paperSizeCommand() {
  std::vector<std::string> sizes;
  for (int p = 1; p <= static_cast<int>(PaperSize::Custom); ++p) sizes.emplace_back(paperName(static_cast<PaperSize>(p)));
  ++m_waitLevel;
  const std::optional<int> choice = m_host.askChoice(messages::kPaperSizeTitle, sizes);
  --m_waitLevel;
  if (!choice || *choice < 1 || *choice > static_cast<int>(sizes.size())) return;
  const auto paper = static_cast<PaperSize>(*choice);
  if (paper == PaperSize::Custom) {
    char width[16], height[16];
    std::snprintf(width, sizeof width, "%g", static_cast<double>(m_customWidth));
    std::snprintf(height, sizeof height, "%g", static_cast<double>(m_customHeight));
    ++m_waitLevel;
    const std::optional<std::vector<std::string>> size =
        m_host.askFields(messages::kCustomSizeTitle, {{"Width", width}, {"Height", height}});
    --m_waitLevel;
    if (!size || size->size() < 2) return;
    const std::optional<double> w = parseNumber(trimmed((*size)[0]));
    const std::optional<double> h = parseNumber(trimmed((*size)[1]));
    if (!w || !h || *w <= 0 || *h <= 0 || *w > 100 || *h > 100) {
      setMessage(messages::kBadPaperSize);
      return;
    }
    m_customWidth = static_cast<float>(*w);
    m_customHeight = static_cast<float>(*h);
  }
  m_paper = paper;
  setMessage(paperSizeMessage(paper, m_customWidth, m_customHeight));
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
  // However often the display is moved, it stays within the drawable window.
  const auto moved = [](int offset, int by) { return clampToDrawableWindow(int64_t{offset} + by); };
  if (mnemonic == "]]") m_displayOffsetY = moved(m_displayOffsetY, kStep);
  if (mnemonic == "[[") m_displayOffsetY = moved(m_displayOffsetY, -kStep);
  if (mnemonic == "--") m_displayOffsetX = moved(m_displayOffsetX, kStep);
  if (mnemonic == "++") m_displayOffsetX = moved(m_displayOffsetX, -kStep);
  m_pageChanged = true;
}

void Engine::switchEditMenuCommand(const CommandLine& line) {
  const int menu = line.numbers.empty() ? 0 : truncToInt(line.numbers.front());
  if (menu == 0) {
    // "QQ0": back to the menu before; 0 when none is remembered.
    const int previous = m_menus[1];
    m_menus = {m_menus[1], m_menus[2], 0};
    m_host.switchEditMenu(previous, 0);
    return;
  }
  m_menus = {menu, m_menus[0], m_menus[1]};
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
                      truncToInt(m_page.param(k, 2)), formatParameter(m_page.param(k, 3)).c_str());
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
  request.overlay = m_drawMode.figure();
  DrawReport report = m_drawer.draw(m_page, request, target);
  m_displayOffsetY = report.verticalDisplayOffset;
  m_places = std::move(report.places);
  // Drawing warnings go to the message line, unless the command said something.
  if (m_message.empty() && !report.warnings.empty()) setMessage(report.warnings.front());
  if (report.symbolLibraryMissing && !m_libraryWarned) {
    m_libraryWarned = true;
    if (m_message.empty()) setMessage(kSymbolFileMissingMessage);
  }
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

namespace ts {

// ---- mini-macros ---------------------------------------------------------------

namespace {
constexpr const char* kMacroFile = "C:\\!TMP\\!macros.tmp";
}  // namespace

void Engine::loadMacros() {
  if (m_macrosLoaded) return;
  m_macrosLoaded = true;
  const std::optional<std::filesystem::path> path = m_files.findExisting(kMacroFile);
  if (!path) return;
  std::ifstream in(*path);
  std::string line;
  for (int i = 0; i < kMacroCount && std::getline(in, line); ++i) m_macros[i] = cleanMacroText(line);
}

void Engine::storeMacros() {
  std::string text;
  for (const std::string& macro : m_macros) text += macro + '\n';
  ensureWorkFolder();
  // Shown at once: the line that defined the macros goes on to say other things.
  const std::span bytes(reinterpret_cast<const uint8_t*>(text.data()), text.size());
  if (const std::optional<std::string> error = writeWholeFile(kMacroFile, bytes)) m_host.messageBox(*error);
}

std::vector<std::string> Engine::expandLine(std::string_view line) {
  loadMacros();
  MacroExpansion expansion = expandMiniMacros(line, m_macros);
  if (!expansion.isMacroLine) return {std::string(line)};
  if (expansion.definitionsChanged) storeMacros();
  if (expansion.list) {
    m_host.messageBox(listMiniMacros(m_macros));
    return {};
  }
  if (expansion.editMacro > 0) {
    const int n = expansion.editMacro;
    ++m_waitLevel;
    const std::optional<std::vector<std::string>> edited =
        m_host.askFields(macroEditTitle(n), {DialogField{"", m_macros[n - 1]}});
    --m_waitLevel;
    if (!edited || edited->empty()) return {};
    m_macros[n - 1] = cleanMacroText(edited->front());
    storeMacros();
    return {m_macros[n - 1]};
  }
  return expansion.lines;
}

std::optional<std::string> Engine::promptLineExpanded(std::string_view prompt) {
  std::optional<std::string> answer = m_host.promptLine(prompt);
  if (!answer) return answer;
  // A prompt's answer is read like any other line, so macros work there too.
  std::string joined;
  for (const std::string& part : expandLine(trimmed(*answer))) joined += (joined.empty() ? "" : " ") + part;
  return joined;
}

void Engine::lastFileCommand() {
  const std::vector<std::string> names = history();
  if (names.empty()) {
    setMessage(messages::kNoPreviousFile);
    return;
  }
  if (!confirmDiscardChanges()) return;
  getPage(names.front());
}


}  // namespace ts
