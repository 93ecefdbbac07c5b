#pragma once
// A host for tests: answers from a queue, records everything shown.

#include <deque>
#include <string>
#include <vector>

#include "engine/engine_host.h"

namespace ts::testing {

class FakeHost : public EngineHost {
 public:
  std::deque<std::string> answers;    // next answers to prompts and questions
  std::vector<std::string> shown;     // message boxes, prompts, questions and messages in order
  std::vector<int> menus;             // edit menus asked for

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

 private:
  std::optional<std::string> next();
};

}  // namespace ts::testing
