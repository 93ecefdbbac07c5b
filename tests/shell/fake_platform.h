#pragma once
// A platform for the shell's logic in tests: records what was shown and
// runs a scripted step whenever the logic would run the event loop.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "shell/shell_platform.h"

namespace ts::shell::testing {

class FakePlatform : public ShellPlatform {
 public:
  std::vector<std::string> boxes;     // message boxes and questions
  std::vector<std::string> messages;  // the message field, in order
  std::vector<int> progressSteps;     // the steps of long work shown
  int cancelProgressAt = -1;          // the step the user cancels at, -1 never
  int progressEnds = 0;
  std::vector<int> menusLoaded;
  std::deque<bool> yesNoAnswers;
  // Each run of the event loop takes the next step and then tests `done`
  // once; with no step left the loop ends as if the application quit.
  std::deque<std::function<void()>> eventSteps;
  bool midiDevices = false;       // a MIDI keyboard is there
  bool midiCounting = false;      // keyboard entry has started its events
  std::deque<MidiKeyboardEvent> midiEvents;  // what the keyboard sends next
  int renders = 0;
  int itemBarRefreshes = 0;
  int zoomShown = 0;

  void messageBox(std::string_view text) override { boxes.emplace_back(text); }
  bool askYesNo(std::string_view question) override {
    boxes.emplace_back(question);
    if (yesNoAnswers.empty()) return true;
    const bool answer = yesNoAnswers.front();
    yesNoAnswers.pop_front();
    return answer;
  }
  int askThreeButtons(std::string_view question, const std::array<std::string, 3>&) override {
    boxes.emplace_back(question);
    return 1;
  }
  std::optional<std::vector<std::string>> askFields(std::string_view, const std::vector<DialogField>&) override {
    return std::nullopt;
  }
  std::optional<int> askChoice(std::string_view, const std::vector<std::string>&) override { return std::nullopt; }
  std::optional<uint32_t> chooseColour(uint32_t) override { return std::nullopt; }
  void showMessageField(std::string_view text) override { messages.emplace_back(text); }
  bool showProgress(int done, int, std::string_view) override {
    progressSteps.push_back(done);
    return done < cancelProgressAt || cancelProgressAt < 0;
  }
  void endProgress() override { ++progressEnds; }
  void appendToCommandLine(std::string_view) override {}
  void focusView() override {}
  void render() override { ++renders; }
  void refreshItemBar() override { ++itemBarRefreshes; }
  void updateMainWindow() override {}
  void showZoom(int zoom) override { zoomShown = zoom; }
  void loadEditMenu(int menu) override { menusLoaded.push_back(menu); }
  bool runEventsUntil(const std::function<bool()>& done) override {
    while (!eventSteps.empty()) {
      auto step = std::move(eventSteps.front());
      eventSteps.pop_front();
      step();
      if (done()) return true;
    }
    return false;
  }
  bool startMidiInput() override { return midiCounting = midiDevices; }
  std::optional<MidiKeyboardEvent> takeMidiInput() override {
    if (!midiCounting || midiEvents.empty()) return std::nullopt;
    const MidiKeyboardEvent event = midiEvents.front();
    midiEvents.pop_front();
    return event;
  }
  void stopMidiInput() override { midiCounting = false; }
  void refreshDocument() override {}
  void updateServerItem() override {}
};

}  // namespace ts::shell::testing
