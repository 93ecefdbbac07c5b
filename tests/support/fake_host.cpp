#include "support/fake_host.h"

namespace ts::testing {

std::optional<std::string> FakeHost::next() {
  if (answers.empty()) return std::nullopt;
  std::string answer = answers.front();
  answers.pop_front();
  if (answer == "!cancel") return std::nullopt;
  return answer;
}

void FakeHost::messageBox(std::string_view text) { shown.emplace_back(text); }

bool FakeHost::askYesNo(std::string_view question) {
  shown.emplace_back(question);
  const std::optional<std::string> answer = next();
  return answer && (answer->empty() || (*answer)[0] != 'N');
}

int FakeHost::askThreeButtons(std::string_view question, const std::array<std::string, 3>& buttons) {
  shown.emplace_back(question);
  const std::optional<std::string> answer = next();
  if (!answer) return 2;
  for (int i = 0; i < 3; ++i)
    if (!answer->empty() && buttons[i][0] == (*answer)[0]) return i;
  return 0;
}

std::optional<std::string> FakeHost::promptLine(std::string_view prompt) {
  shown.emplace_back(prompt);
  return next();
}

std::optional<std::vector<std::string>> FakeHost::askFields(std::string_view title,
                                                            const std::vector<DialogField>& fields) {
  shown.emplace_back(title);
  if (!next()) return std::nullopt;
  std::vector<std::string> values;
  for (const DialogField& field : fields) values.push_back(field.value);
  return values;
}

std::optional<int> FakeHost::askChoice(std::string_view title, const std::vector<std::string>&) {
  shown.emplace_back(title);
  const std::optional<std::string> answer = next();
  if (!answer) return std::nullopt;
  return std::stoi(*answer);
}

UserEvent FakeHost::waitForInput(WaitKind, std::string_view prompt) {
  shown.emplace_back(prompt);
  UserEvent event;
  if (const std::optional<std::string> answer = next()) {
    event.kind = UserEvent::Kind::Command;
    event.text = *answer;
  }
  return event;
}

std::optional<uint32_t> FakeHost::chooseColour(uint32_t initial) { return initial; }

void FakeHost::showMessage(std::string_view text) { shown.emplace_back(text); }

void FakeHost::switchEditMenu(int menu, int) { menus.push_back(menu); }

}  // namespace ts::testing
