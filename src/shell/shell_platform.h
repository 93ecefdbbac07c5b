#pragma once
// The platform operations the shell's logic needs, as one thin interface:
// the Qt build implements them with widgets and event loops, the tests
// with a fake that records what was shown and answers from a script.

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_host.h"

namespace ts::shell {

class ShellPlatform {
 public:
  virtual ~ShellPlatform() = default;

  // Modal dialogs.
  virtual void messageBox(std::string_view text) = 0;
  virtual bool askYesNo(std::string_view question) = 0;
  virtual int askThreeButtons(std::string_view question, const std::array<std::string, 3>& buttons) = 0;
  virtual std::optional<std::vector<std::string>> askFields(std::string_view title,
                                                            const std::vector<DialogField>& fields) = 0;
  virtual std::optional<int> askChoice(std::string_view title, const std::vector<std::string>& choices) = 0;
  virtual std::optional<uint32_t> chooseColour(uint32_t initial) = 0;

  // The command bar.
  virtual void showMessageField(std::string_view text) = 0;
  virtual void appendToCommandLine(std::string_view text) = 0;
  virtual void focusView() = 0;

  // After an engine call: paint the lists, refresh the item bar, update
  // the main window (title included).
  virtual void render() = 0;
  virtual void refreshItemBar() = 0;
  virtual void updateMainWindow() = 0;
  virtual void showZoom(int zoom) = 0;

  // The edit-menu slot of the main frame.
  virtual void loadEditMenu(int menu) = 0;

  // Runs the event loop, with the window alive, until `done` holds. False
  // when the application is quitting instead; the quit is then passed on
  // once the engine has returned.
  virtual bool runEventsUntil(const std::function<bool()>& done) = 0;

  // The document's refresh hook (status -2) and the embedded item's update.
  virtual void refreshDocument() = 0;
  virtual void updateServerItem() = 0;

  // "PAUS" and "STOP": the player's answer, nothing without a player.
  virtual std::optional<std::string> controlPlayback(PlaybackControl control) {
    (void)control;
    return std::nullopt;
  }
  // The MIDI input devices, for keyboard entry: start counting events
  // (false when no device is open), the next event taken out of the input
  // buffer (nothing when none waits), stop counting.
  virtual bool startMidiInput() { return false; }
  virtual std::optional<MidiKeyboardEvent> takeMidiInput() { return std::nullopt; }
  virtual void stopMidiInput() {}

  // The engine's long work: step `done` of `total` (false when the user
  // cancels), and the end of the engine call that did it.
  virtual bool showProgress(int done, int total, std::string_view what) {
    (void)done;
    (void)total;
    (void)what;
    return true;
  }
  virtual void endProgress() {}

  // The MIDI player: plays the file "PLA" wrote and shows the player
  // window. A platform without one answers nothing played, no message.
  virtual MidiPlayback playMidiFile(std::string_view fileName, std::span<const uint8_t> image) {
    (void)fileName;
    (void)image;
    return {};
  }
};

}  // namespace ts::shell
