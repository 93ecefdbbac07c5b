#include "shell/command_bridge.h"

#include <utility>

#include "shell/menu_pages.h"
#include "shell/midi_action.h"
#include "shell/typed_line.h"

namespace ts::shell {
namespace {

constexpr int kBackspace = 8;
constexpr char kEscapeChar = 27;
constexpr int kScanFlagsByte = 0xFF;
// The save path travels in the command buffer, the open path after "~~R"
// in the input line: a longer name would be cut and the page written
// under the wrong name.
constexpr size_t kLongestSavePath = kCommandBufferSize - 1;
constexpr size_t kLongestOpenPath = kInputLineSize - 1 - 3;

}  // namespace

CommandBridge::CommandBridge(ShellPlatform& platform) : m_platform(platform) {}

void CommandBridge::attach(Engine& engine) {
  m_engine = &engine;
  m_session = std::make_unique<EngineSession>(engine);
}

int CommandBridge::waitLevel() const { return m_engine ? m_engine->waitLevel() : 0; }

// The wrapper every path uses: hand the zoom over, call, take the refresh
// request and the requested zoom back, refresh the item bar.
template <typename Run>
CallResult CommandBridge::callEngine(Run run) {
  m_engine->setZoom(m_display.zoom);
  ++m_callDepth;
  CallResult result = run(*m_session);
  --m_callDepth;
  if (m_callDepth == 0) m_platform.endProgress();
  if (result.status == kStatusRefresh) {
    m_platform.refreshDocument();
    m_refreshPending = true;
  }
  if (const int requested = m_engine->takeRequestedZoom(); requested != 0) setZoom(requested);
  m_platform.refreshItemBar();
  return result;
}

void CommandBridge::show(const CallResult& result) {
  if (result.messageBox) m_platform.messageBox(result.message);
  m_platform.render();
  m_platform.showMessageField(result.message);
  m_platform.updateMainWindow();
}

void CommandBridge::setZoom(int zoom) {
  m_display.zoom = clampZoom(zoom);
  m_platform.showZoom(m_display.zoom);
}

void CommandBridge::leaveForWaitingEngine(UserEvent event) {
  if (m_awaited && !m_arrived) m_arrived = std::move(event);
}

bool CommandBridge::refuseWhileBusy() {
  if (!engineBusy()) return false;
  m_platform.showMessageField(bridge_messages::kBusy);
  return true;
}

void CommandBridge::sendCommand(std::string_view command) {
  m_capture.commandSent();
  putField(m_engine->commandBuffer(), command);
  if (m_midiInput) {
    midiCommand(command);
    return;
  }
  if (engineBusy()) {
    m_engine->inputLine()[0] = '\0';
    UserEvent event;
    event.kind = UserEvent::Kind::Command;
    event.text = std::string(command);
    leaveForWaitingEngine(std::move(event));
    return;
  }
  show(callEngine([&](EngineSession& s) { return s.sendCommand(command); }));
}

void CommandBridge::sendCommands(const std::vector<std::string>& strings) {
  for (const std::string& command : strings) sendCommand(command);
}

void CommandBridge::midiCommand(std::string_view command) {
  const MidiAction action = midiActionFor(command, m_midiAction);
  if (action.askToExit) {
    m_midiAction = 0;
    if (m_platform.askYesNo(midi_messages::kExitQuestion)) {
      m_midiAction = kMidiActionEscape;
      m_midiInput = false;
    }
    return;
  }
  m_midiAction = action.code;
  if (action.notAvailable) m_platform.showMessageField(midi_messages::kClickNotAvailable);
}

bool CommandBridge::keyDown(const KeyStroke& key) {
  if (engineBusy()) {
    m_keyNote = key.virtualKey + kKeyNoteBase;
    if (m_awaitingLine && key.virtualKey == vk::kEscape) m_lineCancelled = true;
    UserEvent event;
    event.kind = UserEvent::Kind::Key;
    event.key = key.virtualKey;
    leaveForWaitingEngine(std::move(event));
    return false;
  }
  const std::optional<std::string> pseudoKey = m_capture.keyDown(key, m_rawKeyRequested);
  if (!pseudoKey) return false;
  show(callEngine([&](EngineSession& s) { return s.pressKey(key.virtualKey); }));
  m_capture.keySent();
  m_rawKeyRequested = false;
  return true;
}

bool CommandBridge::character(char c, int scanFlags) {
  if (m_midiInput) {
    if (c == kBackspace) {
      m_midiAction = kMidiActionBackspace;
    } else if (c == ';') {
      m_midiAction = kMidiActionSemicolon;
    } else if (c == kEscapeChar) {
      m_midiAction = kMidiActionEscape;
      m_midiInput = false;
    } else {
      m_platform.showMessageField(midi_messages::kNoTyping);
    }
    return false;
  }
  if (!m_rawKeyRequested || engineBusy()) return true;
  m_rawKeyRequested = false;
  const std::string raw = std::string("~~~") + c + static_cast<char>(scanFlags & kScanFlagsByte);
  show(callEngine([&](EngineSession& s) { return s.typeLine(raw); }));
  return false;
}

void CommandBridge::typedLine(std::string_view line) {
  const TypedLineRule rule = typedLineRule(line);
  if (rule.capture == TypedLineRule::Capture::Off) m_capture.switchOff();
  if (rule.capture == TypedLineRule::Capture::OnWithViewFocus) {
    m_capture.switchOnForInput();
    m_platform.focusView();
  }
  if (rule.refreshesServer && m_refreshPending) {
    m_platform.updateServerItem();
    m_refreshPending = false;
  }
  if (m_awaitingLine) {
    m_line = std::string(line.substr(0, kTypedLineChars));
    return;
  }
  if (engineBusy()) {
    UserEvent event;
    event.kind = UserEvent::Kind::Command;
    event.text = std::string(line);
    leaveForWaitingEngine(std::move(event));
    return;
  }
  show(callEngine([&](EngineSession& s) { return s.typeLine(line); }));
}

void CommandBridge::click(Point engine) {
  if (engineBusy()) {
    m_engine->setClickPosition(engine.x, engine.y);
    putField(m_engine->commandBuffer(), "~");
    putField(m_engine->inputLine(), "~");
    UserEvent event;
    event.kind = UserEvent::Kind::Click;
    event.x = engine.x;
    event.y = engine.y;
    leaveForWaitingEngine(std::move(event));
    return;
  }
  const CallResult result = callEngine([&](EngineSession& s) { return s.click(engine.x, engine.y); });
  m_capture.commandSent();
  show(result);
}

void CommandBridge::box(Point start, Point end) {
  if (engineBusy()) {
    UserEvent event;
    event.kind = UserEvent::Kind::Box;
    event.x = start.x;
    event.y = start.y;
    event.x2 = end.x;
    event.y2 = end.y;
    leaveForWaitingEngine(std::move(event));
    return;
  }
  show(callEngine([&](EngineSession& s) { return s.box(start.x, start.y, end.x, end.y); }));
}

bool CommandBridge::openPage(const std::string& path) {
  if (refuseWhileBusy()) return false;
  if (path.size() > kLongestOpenPath) {
    m_platform.messageBox(std::string(bridge_messages::kNameTooLong) + " " + path);
    return false;
  }
  show(callEngine([&](EngineSession& s) { return s.openPage(path); }));
  return true;
}

bool CommandBridge::savePage(const std::string& path) {
  if (refuseWhileBusy()) return false;
  if (path.size() > kLongestSavePath) {
    m_platform.messageBox(std::string(bridge_messages::kNameTooLong) + " " + path);
    return false;
  }
  show(callEngine([&](EngineSession& s) { return s.savePage(path); }));
  return !m_engine->modified();
}

// ---- the engine's callbacks --------------------------------------------------

void CommandBridge::messageBox(std::string_view text) { m_platform.messageBox(text); }

bool CommandBridge::askYesNo(std::string_view question) { return m_platform.askYesNo(question); }

int CommandBridge::askThreeButtons(std::string_view question, const std::array<std::string, 3>& buttons) {
  return m_platform.askThreeButtons(question, buttons);
}

std::optional<std::vector<std::string>> CommandBridge::askFields(std::string_view title,
                                                                 const std::vector<DialogField>& fields) {
  return m_platform.askFields(title, fields);
}

std::optional<int> CommandBridge::askChoice(std::string_view title, const std::vector<std::string>& choices) {
  return m_platform.askChoice(title, choices);
}

std::optional<uint32_t> CommandBridge::chooseColour(uint32_t initial) { return m_platform.chooseColour(initial); }

void CommandBridge::showMessage(std::string_view text) { m_platform.showMessageField(text); }

std::optional<std::string> CommandBridge::promptLine(std::string_view prompt) {
  m_platform.showMessageField(prompt);
  m_awaitingLine = true;
  m_line.reset();
  m_lineCancelled = false;
  m_capture.switchOff();
  const bool alive = m_platform.runEventsUntil([&] { return m_line.has_value() || m_lineCancelled; });
  m_awaitingLine = false;
  m_capture.commandSent();
  if (!alive || m_lineCancelled) return std::nullopt;
  return m_line;
}

UserEvent CommandBridge::waitForInput(WaitKind kind, std::string_view prompt) {
  m_platform.showMessageField(prompt);
  m_awaited = kind;
  m_arrived.reset();
  m_capture.switchOff();
  const bool alive = m_platform.runEventsUntil([&] { return m_arrived.has_value(); });
  m_awaited.reset();
  m_capture.commandSent();
  if (!alive || !m_arrived) return UserEvent{};  // Cancel
  return *std::exchange(m_arrived, std::nullopt);
}

bool CommandBridge::startMidiKeyboard() {
  if (!m_platform.startMidiInput()) return false;
  m_midiInput = true;
  m_midiAction = 0;
  return true;
}

// The engine takes one thing at a time: a menu button's action code first
// (Escape typed in the command line ends the mode and leaves code 27),
// then the next message of the keyboard.
MidiKeyboardEvent CommandBridge::waitForMidiKeyboard(std::string_view line) {
  m_platform.showMessageField(line);
  MidiKeyboardEvent taken;
  const auto arrived = [&] {
    if (m_midiAction != 0 && m_midiAction != kMidiActionPendingEscape) {
      taken.kind = MidiKeyboardEvent::Kind::Action;
      taken.action = std::exchange(m_midiAction, 0);
      return true;
    }
    if (std::optional<MidiKeyboardEvent> event = m_platform.takeMidiInput()) {
      taken = *event;
      return true;
    }
    return false;
  };
  if (!m_platform.runEventsUntil(arrived)) return {};  // Closed
  return taken;
}

void CommandBridge::endMidiKeyboard() {
  m_midiInput = false;
  m_midiAction = 0;
  m_platform.stopMidiInput();
}

void CommandBridge::switchEditMenu(int menu, int page) {
  if (menu == 0) {  // "QQ0": back to the menu before
    if (m_menus[1] < kFirstEditMenu) return;
    const int previous = m_menus[1];
    m_menus = {previous, m_menus[2], 0};
    m_platform.loadEditMenu(previous);
    return;
  }
  const int target = editMenuToLoad(menu, page, m_menus[0]);
  if (target < kFirstEditMenu) return;
  loadEditMenu(target);
}

void CommandBridge::loadEditMenu(int menu) {
  if (menu != m_menus[0]) m_menus = {menu, m_menus[0], m_menus[1]};
  m_platform.loadEditMenu(menu);
}

}  // namespace ts::shell
