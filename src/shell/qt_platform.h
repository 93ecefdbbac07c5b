#pragma once
// The Qt implementation of the shell's platform operations.

#include "shell/prompt_dialogs.h"
#include "shell/shell_platform.h"
#include "shell/work_progress_dialog.h"

namespace ts::shell {

class CMainFrame;

class QtShellPlatform : public ShellPlatform {
 public:
  explicit QtShellPlatform(CMainFrame& frame);
  PromptDialogs& dialogs() { return m_dialogs; }
  // Set when the application was asked to quit during a wait; the quit
  // is passed on once the engine has returned.
  bool quitPending() const { return m_quitPending; }

  void messageBox(std::string_view text) override { m_dialogs.messageBox(text); }
  bool askYesNo(std::string_view question) override { return m_dialogs.askYesNo(question); }
  int askThreeButtons(std::string_view question, const std::array<std::string, 3>& buttons) override {
    return m_dialogs.askThreeButtons(question, buttons);
  }
  std::optional<std::vector<std::string>> askFields(std::string_view title,
                                                    const std::vector<DialogField>& fields) override {
    return m_dialogs.askFields(title, fields);
  }
  std::optional<int> askChoice(std::string_view title, const std::vector<std::string>& choices) override {
    return m_dialogs.askChoice(title, choices);
  }
  std::optional<uint32_t> chooseColour(uint32_t initial) override { return m_dialogs.chooseColour(initial); }

  void showMessageField(std::string_view text) override;
  void appendToCommandLine(std::string_view text) override;
  void focusView() override;
  void render() override;
  void refreshItemBar() override;
  void updateMainWindow() override;
  void showZoom(int zoom) override;
  void loadEditMenu(int menu) override;
  bool runEventsUntil(const std::function<bool()>& done) override;
  void refreshDocument() override {}
  void updateServerItem() override {}
  MidiPlayback playMidiFile(std::string_view fileName, std::span<const uint8_t> image) override;
  std::optional<std::string> controlPlayback(PlaybackControl control) override;
  bool startMidiInput() override;
  std::optional<MidiKeyboardEvent> takeMidiInput() override;
  void stopMidiInput() override;
  bool showProgress(int done, int total, std::string_view what) override { return m_progress.step(done, total, what); }
  void endProgress() override { m_progress.finish(); }

 private:
  CMainFrame& m_frame;
  PromptDialogs m_dialogs;
  bool m_quitPending = false;
  WorkProgressDialog m_progress;
};

}  // namespace ts::shell
