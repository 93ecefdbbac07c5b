#pragma once
// The command bridge: every user action reaches the engine as text, and
// the engine's callbacks reach the user through the platform. The engine
// is never entered twice: while a call is under way (the engine waits for
// a click, a key, a typed line or a dialog), new input is left in the
// shared fields for the waiting engine instead of starting another call.

#include <algorithm>
#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine.h"
#include "engine/engine_host.h"
#include "engine/engine_session.h"
#include "shell/frame_settings.h"
#include "shell/key_capture.h"
#include "shell/shell_platform.h"
#include "shell/view_geometry.h"

namespace ts::shell {

namespace bridge_messages {
inline constexpr const char* kBusy = "*** Finish the command under way first.";
inline constexpr const char* kNameTooLong = "*** The file name is too long:";
}  // namespace bridge_messages

constexpr size_t kTypedLineChars = 256;  // the typed-line buffer of a waiting engine
constexpr int kKeyNoteBase = 1000;       // key note = virtual-key code + 1000
constexpr int kMainEditMenu = 134;       // the edit menu shown at start-up
constexpr int kItemsEditMenu = 165;

class CommandBridge : public EngineHost {
 public:
  explicit CommandBridge(ShellPlatform& platform);
  // The engine is made with this bridge as its host, then attached.
  void attach(Engine& engine);

  // User actions.
  void sendCommand(std::string_view command);
  void sendCommands(const std::vector<std::string>& strings);  // one full call each
  // True when the key went to the engine as a pseudo-key.
  bool keyDown(const KeyStroke& key);
  bool character(char c, int scanFlags);  // true: the character is typed into the field
  void typedLine(std::string_view line);
  void click(Point engine);
  void box(Point start, Point end);
  // The document's open and save. Save answers whether the page was saved.
  bool openPage(const std::string& path);
  bool savePage(const std::string& path);
  // Display changes made by the shell alone.
  void setZoom(int zoom);

  // State.
  bool engineBusy() const { return m_callDepth > 0; }
  int waitLevel() const;
  bool engineAttached() const { return m_engine != nullptr; }
  Engine& engine() { return *m_engine; }
  const EngineSession& session() const { return *m_session; }
  DisplaySettings& display() { return m_display; }
  const CommandKeyCapture& keyCapture() const { return m_capture; }
  int keyNote() const { return m_keyNote; }
  int currentEditMenu() const { return m_menus[0]; }
  bool refreshPending() const { return m_refreshPending; }
  void requestRawKey() { m_rawKeyRequested = true; }
  bool rawKeyRequested() const { return m_rawKeyRequested; }
  void setMidiInput(bool on) { m_midiInput = on; }
  bool midiInput() const { return m_midiInput; }
  int midiAction() const { return m_midiAction; }
  void setMidiAction(int code) { m_midiAction = code; }

  // EngineHost: the engine's callbacks.
  void messageBox(std::string_view text) override;
  bool askYesNo(std::string_view question) override;
  int askThreeButtons(std::string_view question, const std::array<std::string, 3>& buttons) override;
  std::optional<std::string> promptLine(std::string_view prompt) override;
  std::optional<std::vector<std::string>> askFields(std::string_view title,
                                                    const std::vector<DialogField>& fields) override;
  std::optional<int> askChoice(std::string_view title, const std::vector<std::string>& choices) override;
  UserEvent waitForInput(WaitKind kind, std::string_view prompt) override;
  std::optional<uint32_t> chooseColour(uint32_t initial) override;
  void showMessage(std::string_view text) override;
  void switchEditMenu(int menu, int page) override;
  std::optional<std::string> controlPlayback(PlaybackControl control) override {
    return m_platform.controlPlayback(control);
  }
  bool startMidiKeyboard() override;
  MidiKeyboardEvent waitForMidiKeyboard(std::string_view line) override;
  void endMidiKeyboard() override;
  bool progress(int done, int total, std::string_view what) override {
    return m_platform.showProgress(done, total, what);
  }
  MidiPlayback playMidiFile(std::string_view fileName, std::span<const uint8_t> image) override {
    return m_platform.playMidiFile(fileName, image);
  }

 private:
  template <typename Run>
  CallResult callEngine(Run run);
  void show(const CallResult& result);
  void midiCommand(std::string_view command);
  void leaveForWaitingEngine(UserEvent event);
  bool refuseWhileBusy();
  void loadEditMenu(int menu);

  ShellPlatform& m_platform;
  Engine* m_engine = nullptr;
  std::unique_ptr<EngineSession> m_session;
  DisplaySettings m_display;
  CommandKeyCapture m_capture;
  int m_callDepth = 0;
  int m_keyNote = 0;
  bool m_refreshPending = false;
  bool m_rawKeyRequested = false;
  bool m_midiInput = false;
  int m_midiAction = 0;
  std::array<int, 3> m_menus{kMainEditMenu, 0, 0};  // current, and the two before it

  // A waiting engine: what it waits for and what arrived.
  std::optional<WaitKind> m_awaited;
  std::optional<UserEvent> m_arrived;
  bool m_awaitingLine = false;
  std::optional<std::string> m_line;
  bool m_lineCancelled = false;
};

// Writes a text into a blank-filled field with its terminating zero.
template <size_t N>
void putField(std::array<char, N>& field, std::string_view text) {
  field.fill(' ');
  const size_t length = std::min(text.size(), N - 1);
  std::copy_n(text.data(), length, field.data());
  field[length] = '\0';
}

}  // namespace ts::shell
