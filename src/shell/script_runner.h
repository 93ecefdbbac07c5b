#pragma once
// Runs a script of user actions through the program's own paths (the
// command line, the buttons, the view, the document), answers the engine's
// dialogs from the script's next lines, then saves a picture of the main
// window and quits. The script format is tsm's.

#include <QObject>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "shell/prompt_dialogs.h"

namespace ts::shell {

class CMainFrame;

class ScriptRunner : public QObject, public ScriptedAnswers {
 public:
  ScriptRunner(CMainFrame& frame, std::vector<std::string> lines, QString screenshot);
  void start();

  std::optional<std::string> nextAnswer() override;
  void print(std::string_view text) override;

 private:
  void step();
  void perform(const std::string& line);
  void typeLine(const std::string& line);
  void pressKey(int virtualKey);
  void finish();
  std::optional<std::string> nextLine();

  CMainFrame& m_frame;
  std::vector<std::string> m_lines;
  size_t m_next = 0;
  QString m_screenshot;
  std::optional<std::string> m_lastPrinted;
  bool m_finished = false;
};

// The script's lines, comments dropped; nothing when it cannot be read.
std::optional<std::vector<std::string>> readScript(const QString& path);

}  // namespace ts::shell
