#pragma once
// The engine's prompt dialogs. When a script drives the program, each
// dialog is still built and run, and its answer is taken from the next
// script line and put in as a user would before the dialog closes.

#include <QWidget>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_host.h"

namespace ts::shell {

// Where scripted answers come from; everything shown is printed.
class ScriptedAnswers {
 public:
  virtual ~ScriptedAnswers() = default;
  // The next answer line; nothing for "!cancel" or the end of the script.
  virtual std::optional<std::string> nextAnswer() = 0;
  virtual void print(std::string_view text) = 0;
};

class PromptDialogs {
 public:
  explicit PromptDialogs(QWidget* parent) : m_parent(parent) {}
  void setScriptedAnswers(ScriptedAnswers* answers) { m_answers = answers; }
  ScriptedAnswers* scriptedAnswers() const { return m_answers; }

  void messageBox(std::string_view text);
  bool askYesNo(std::string_view question);
  int askThreeButtons(std::string_view question, const std::array<std::string, 3>& buttons);
  std::optional<std::vector<std::string>> askFields(std::string_view title, const std::vector<DialogField>& fields);
  std::optional<int> askChoice(std::string_view title, const std::vector<std::string>& choices);
  std::optional<uint32_t> chooseColour(uint32_t initial);

 private:
  int runQuestion(std::string_view question, const std::vector<std::string>& buttons, int cancelButton);

  QWidget* m_parent;
  ScriptedAnswers* m_answers = nullptr;
};

// The first non-blank character of an answer, in capitals.
char answerLetter(std::string_view answer);

}  // namespace ts::shell
