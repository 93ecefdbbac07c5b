#pragma once
// The command bar's command line (control 1001): typed lines collect in it
// one per line; navigation and function keys reach the engine as
// pseudo-keys while command-key capture is on.

#include <QPlainTextEdit>

namespace ts::shell {

class CommandBridge;

constexpr int kCommandLineChars = 1024;

class CommandLineEdit : public QPlainTextEdit {
 public:
  CommandLineEdit(CommandBridge& bridge, QWidget* parent = nullptr);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void textChangedByUser();
  void keepWithinLimit();

  CommandBridge& m_bridge;
  bool m_lastKeyWasEnter = false;
};

}  // namespace ts::shell
