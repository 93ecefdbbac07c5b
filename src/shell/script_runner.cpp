#include "shell/script_runner.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QTextStream>
#include <QTimer>
#include <cstdio>
#include <sstream>

#include "shell/command_line_edit.h"
#include "shell/main_frame.h"
#include "shell/qt_keys.h"
#include "shell/tsmith_doc.h"
#include "shell/tsmith_view.h"

namespace ts::shell {
namespace {

constexpr int kModalRetryMilliseconds = 5;
constexpr int kSettleMilliseconds = 50;

std::vector<std::string> splitBlanks(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> parts;
  for (std::string part; in >> part;) parts.push_back(part);
  return parts;
}

std::optional<std::vector<int>> numbers(const std::vector<std::string>& parts, size_t count) {
  if (parts.size() != count + 1) return std::nullopt;
  std::vector<int> values;
  for (size_t i = 1; i < parts.size(); ++i) {
    try {
      values.push_back(std::stoi(parts[i]));
    } catch (...) {
      return std::nullopt;
    }
  }
  return values;
}

std::string trimRight(std::string text) {
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r' || text.back() == '\t')) text.pop_back();
  return text;
}

}  // namespace

std::optional<std::vector<std::string>> readScript(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return std::nullopt;
  std::vector<std::string> lines;
  QTextStream in(&file);
  while (!in.atEnd()) {
    std::string line = in.readLine().toStdString();
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == '#') continue;
    lines.push_back(line);
  }
  return lines;
}

ScriptRunner::ScriptRunner(CMainFrame& frame, std::vector<std::string> lines, QString screenshot)
    : m_frame(frame), m_lines(std::move(lines)), m_screenshot(std::move(screenshot)) {}

void ScriptRunner::start() { QTimer::singleShot(0, this, &ScriptRunner::step); }

std::optional<std::string> ScriptRunner::nextLine() {
  if (m_next >= m_lines.size()) return std::nullopt;
  return m_lines[m_next++];
}

std::optional<std::string> ScriptRunner::nextAnswer() {
  std::optional<std::string> line = nextLine();
  if (!line || *line == "!cancel") return std::nullopt;
  return line;
}

void ScriptRunner::print(std::string_view text) {
  if (text.find_first_not_of(' ') == std::string_view::npos) return;
  std::string line;
  const auto flush = [&] {
    const std::string trimmed = trimRight(line);
    if (!m_lastPrinted || *m_lastPrinted != trimmed) std::printf("%s\n", trimmed.c_str());
    m_lastPrinted = trimmed;
    line.clear();
  };
  for (char c : text) {
    if (c == '\n' || c == '|') {
      flush();
    } else {
      line += c;
    }
  }
  flush();
  std::fflush(stdout);
}

void ScriptRunner::step() {
  if (m_finished) return;
  if (QApplication::activeModalWidget()) {  // a dialog takes its answer itself
    QTimer::singleShot(kModalRetryMilliseconds, this, &ScriptRunner::step);
    return;
  }
  std::optional<std::string> line;
  do {
    line = nextLine();
  } while (line && line->empty());
  if (!line) {
    // Work the last action queued (an edit menu it asked for) shows first.
    QTimer::singleShot(kSettleMilliseconds, this, &ScriptRunner::finish);
    return;
  }
  // The next step is due before this one runs: when the engine waits inside
  // this action, the next line is what it waits for.
  QTimer::singleShot(0, this, &ScriptRunner::step);
  m_lastPrinted.reset();
  perform(*line);
}

void ScriptRunner::perform(const std::string& line) {
  CommandBridge& bridge = m_frame.bridge();
  const std::vector<std::string> parts = splitBlanks(line);
  const auto rest = [&](size_t skip) { return line.size() > skip ? line.substr(skip) : std::string(); };
  const int zoom = bridge.display().zoom;
  if (line.rfind("!cmd ", 0) == 0) {
    if (QAction* action = m_frame.actionForCommand(rest(5))) {
      action->trigger();
    } else {
      bridge.sendCommand(rest(5));
    }
  } else if (line.rfind("!open ", 0) == 0) {
    m_frame.openPage(QString::fromStdString(rest(6)));
  } else if (line.rfind("!save ", 0) == 0) {
    if (!m_frame.document().onSaveDocument(QString::fromStdString(rest(6)))) print("tonesmith: the page was not saved");
  } else if (const auto key = parts.empty() || parts[0] != "!key" ? std::nullopt : numbers(parts, 1)) {
    pressKey((*key)[0]);
  } else if (const auto at = parts.empty() || parts[0] != "!click" ? std::nullopt : numbers(parts, 2)) {
    m_frame.view().clickAt(engineToView({(*at)[0], (*at)[1]}, zoom));
  } else if (const auto box = parts.empty() || parts[0] != "!box" ? std::nullopt : numbers(parts, 4)) {
    m_frame.view().dragged(engineToView({(*box)[0], (*box)[1]}, zoom), engineToView({(*box)[2], (*box)[3]}, zoom));
  } else if (line[0] == '!') {
    print("tonesmith: cannot read the action: " + line);
  } else {
    typeLine(line);
  }
}

void ScriptRunner::typeLine(const std::string& line) {
  CommandLineEdit& commandLine = m_frame.commandLine();
  commandLine.moveCursor(QTextCursor::End);
  commandLine.insertPlainText(QString::fromLatin1(line.data(), static_cast<qsizetype>(line.size())));
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
  QCoreApplication::sendEvent(&commandLine, &press);
}

void ScriptRunner::pressKey(int virtualKey) {
  const std::optional<Qt::Key> key = qtKeyFor(virtualKey);
  if (!key) {
    print("tonesmith: no such key: " + std::to_string(virtualKey));
    return;
  }
  QKeyEvent press(QEvent::KeyPress, *key, Qt::NoModifier);
  QCoreApplication::sendEvent(&m_frame.commandLine(), &press);
  QKeyEvent release(QEvent::KeyRelease, *key, Qt::NoModifier);
  QCoreApplication::sendEvent(&m_frame.commandLine(), &release);
}

void ScriptRunner::finish() {
  m_finished = true;
  if (!m_screenshot.isEmpty() && !m_frame.grab().save(m_screenshot))
    std::fprintf(stderr, "tonesmith: cannot write %s\n", qPrintable(m_screenshot));
  QCoreApplication::exit(0);
}

}  // namespace ts::shell
