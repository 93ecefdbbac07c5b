#include "shell/command_line_edit.h"

#include <QKeyEvent>
#include <QTextBlock>

#include "shell/command_bridge.h"
#include "shell/qt_keys.h"
#include "shell/typed_line.h"

namespace ts::shell {

CommandLineEdit::CommandLineEdit(CommandBridge& bridge, QWidget* parent) : QPlainTextEdit(parent), m_bridge(bridge) {
  setObjectName(QStringLiteral("command1001"));
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, &CommandLineEdit::textChangedByUser);
}

void CommandLineEdit::keyPressEvent(QKeyEvent* event) {
  const std::optional<KeyStroke> stroke = keyStrokeFor(*event);
  m_lastKeyWasEnter = stroke && stroke->virtualKey == kVirtualKeyReturn;
  // A key the engine took does not also move the caret: typed lines are
  // always taken from the end of the text.
  if (stroke && m_bridge.keyDown(*stroke)) return;
  const QString text = event->text();
  if (text.size() == 1 && text[0].unicode() < 256 && !m_bridge.character(text[0].toLatin1(), stroke ? stroke->scanCode : 0))
    return;
  if (m_lastKeyWasEnter) moveCursor(QTextCursor::End);  // a line is always ended at the end
  QPlainTextEdit::keyPressEvent(event);
  m_lastKeyWasEnter = false;
}

void CommandLineEdit::textChangedByUser() {
  const std::optional<std::string> line = completedLine(toPlainText().toStdString(), m_lastKeyWasEnter);
  m_lastKeyWasEnter = false;
  if (!line) return;
  keepWithinLimit();
  m_bridge.typedLine(*line);
}

void CommandLineEdit::keepWithinLimit() {
  if (toPlainText().size() <= kCommandLineChars) return;
  const QSignalBlocker quiet(this);
  QString text = toPlainText();
  text = text.right(kCommandLineChars);
  const qsizetype firstBreak = text.indexOf('\n');
  if (firstBreak >= 0 && firstBreak + 1 < text.size()) text = text.mid(firstBreak + 1);
  setPlainText(text);
  moveCursor(QTextCursor::End);
}

}  // namespace ts::shell
