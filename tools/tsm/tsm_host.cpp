#include "tsm_host.h"

#include <cctype>
#include <istream>
#include <ostream>
#include <sstream>

namespace tsm {
namespace {

std::string trimRight(std::string_view text) {
  size_t end = text.size();
  while (end > 0 && (text[end - 1] == ' ' || text[end - 1] == '\r' || text[end - 1] == '\t')) --end;
  return std::string(text.substr(0, end));
}

char firstLetter(const std::string& text) {
  for (char c : text)
    if (c != ' ') return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return '\0';
}

std::vector<std::string> splitBars(const std::string& text) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (true) {
    const size_t bar = text.find('|', start);
    const std::string part = text.substr(start, bar == std::string::npos ? std::string::npos : bar - start);
    const size_t first = part.find_first_not_of(' ');
    parts.push_back(first == std::string::npos ? std::string() : part.substr(first, part.find_last_not_of(' ') - first + 1));
    if (bar == std::string::npos) return parts;
    start = bar + 1;
  }
}

std::vector<std::string> splitBlanks(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> parts;
  for (std::string part; in >> part;) parts.push_back(part);
  return parts;
}

}  // namespace

std::optional<std::string> nextScriptLine(std::istream& in) {
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '#') continue;
    return line;
  }
  return std::nullopt;
}

ScriptHost::ScriptHost(std::function<std::optional<std::string>()> nextLine, std::ostream& out)
    : m_nextLine(std::move(nextLine)), m_out(out) {}

void ScriptHost::print(std::string_view text) {
  std::string line;
  const auto flush = [&] {
    std::string trimmedLine = trimRight(line);
    if (!m_lastPrinted || *m_lastPrinted != trimmedLine) m_out << trimmedLine << '\n';
    m_lastPrinted = trimmedLine;
    line.clear();
  };
  for (char c : text) {
    if (c == '\n' || c == '|') {
      flush();
    } else if (c != '\r') {
      line += c;
    }
  }
  flush();
  m_out.flush();
}

std::optional<std::string> ScriptHost::answer() {
  std::optional<std::string> line = m_nextLine();
  if (!line || *line == "!cancel") return std::nullopt;
  return line;
}

void ScriptHost::messageBox(std::string_view text) { print(text); }

bool ScriptHost::askYesNo(std::string_view question) {
  print(question);
  const std::optional<std::string> reply = answer();
  if (!reply) return false;
  return firstLetter(*reply) != 'N';  // an empty answer takes the default, Yes
}

int ScriptHost::askThreeButtons(std::string_view question, const std::array<std::string, 3>& buttons) {
  print(question);
  const std::optional<std::string> reply = answer();
  if (!reply) return 2;  // cancelling a three-button question is its last button
  const char letter = firstLetter(*reply);
  for (int i = 0; i < 3; ++i)
    if (letter != '\0' && firstLetter(buttons[i]) == letter) return i;
  return 0;
}

std::optional<std::string> ScriptHost::promptLine(std::string_view prompt) {
  print(prompt);
  return answer();
}

std::optional<std::vector<std::string>> ScriptHost::askFields(std::string_view title,
                                                              const std::vector<ts::DialogField>& fields) {
  print(title);
  const std::optional<std::string> reply = answer();
  if (!reply) return std::nullopt;
  std::vector<std::string> values;
  // Values with blanks in them (paths) are separated by "|" instead; an
  // empty one keeps what the field shows.
  const bool bars = reply->find('|') != std::string::npos;
  const std::vector<std::string> typed = bars ? splitBars(*reply) : splitBlanks(*reply);
  for (size_t i = 0; i < fields.size(); ++i) {
    values.push_back(i < typed.size() && !typed[i].empty() ? typed[i] : fields[i].value);
  }
  return values;
}

std::optional<int> ScriptHost::askChoice(std::string_view title, const std::vector<std::string>& choices) {
  print(title);
  for (size_t i = 0; i < choices.size(); ++i) print(std::to_string(i + 1) + " " + choices[i]);
  const std::optional<std::string> reply = answer();
  if (!reply) return std::nullopt;
  if (trimRight(*reply).empty()) return 1;
  try {
    return std::stoi(*reply);
  } catch (...) {
    return std::nullopt;
  }
}

std::optional<ts::UserEvent> ScriptHost::parseAction(const std::string& line) {
  const std::vector<std::string> parts = splitBlanks(line);
  ts::UserEvent event;
  try {
    if (parts.size() == 3 && parts[0] == "!click") {
      event.kind = ts::UserEvent::Kind::Click;
      event.x = std::stoi(parts[1]);
      event.y = std::stoi(parts[2]);
      return event;
    }
    if (parts.size() == 5 && parts[0] == "!box") {
      event.kind = ts::UserEvent::Kind::Box;
      event.x = std::stoi(parts[1]);
      event.y = std::stoi(parts[2]);
      event.x2 = std::stoi(parts[3]);
      event.y2 = std::stoi(parts[4]);
      return event;
    }
    if (parts.size() == 2 && parts[0] == "!key") {
      event.kind = ts::UserEvent::Kind::Key;
      event.key = std::stoi(parts[1]);
      return event;
    }
  } catch (...) {
    return std::nullopt;
  }
  return std::nullopt;
}

ts::UserEvent ScriptHost::waitForInput(ts::WaitKind, std::string_view prompt) {
  print(prompt);
  const std::optional<std::string> reply = answer();
  ts::UserEvent event;
  if (!reply) return event;  // Cancel
  if (std::optional<ts::UserEvent> action = parseAction(*reply)) return *action;
  event.kind = ts::UserEvent::Kind::Command;
  event.text = reply->rfind("!cmd ", 0) == 0 ? reply->substr(5) : *reply;
  return event;
}

std::optional<uint32_t> ScriptHost::chooseColour(uint32_t initial) {
  print("Color:");
  const std::optional<std::string> reply = answer();
  if (!reply) return std::nullopt;
  if (trimRight(*reply).empty()) return initial;
  try {
    return static_cast<uint32_t>(std::stoul(*reply, nullptr, 0)) & 0xFFFFFFu;
  } catch (...) {
    return std::nullopt;
  }
}

void ScriptHost::showMessage(std::string_view text) { print(text); }

void ScriptHost::switchEditMenu(int, int) {}

}  // namespace tsm
