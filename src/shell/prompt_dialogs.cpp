#include "shell/prompt_dialogs.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <cctype>
#include <sstream>

#include "shell/parameter_dialog.h"

namespace ts::shell {
namespace {

QString toQt(std::string_view text) { return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size())); }

// The engine writes '|' for a line break in long messages.
QString withLineBreaks(std::string_view text) { return toQt(text).replace('|', '\n'); }

std::vector<std::string> splitBlanks(const std::string& text) {
  std::istringstream in(text);
  std::vector<std::string> parts;
  for (std::string part; in >> part;) parts.push_back(part);
  return parts;
}

// Runs a dialog; a scripted answer is put in once the dialog is up.
int runDialog(QDialog& dialog, const std::function<void()>& putAnswer) {
  if (putAnswer) QTimer::singleShot(0, &dialog, putAnswer);
  return dialog.exec();
}

}  // namespace

char answerLetter(std::string_view answer) {
  for (char c : answer)
    if (c != ' ') return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return '\0';
}

void PromptDialogs::messageBox(std::string_view text) {
  QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tonesmith"), withLineBreaks(text), QMessageBox::Ok, m_parent);
  if (m_answers) {
    m_answers->print(text);
    runDialog(box, [&box] { box.accept(); });
    return;
  }
  box.exec();
}

int PromptDialogs::runQuestion(std::string_view question, const std::vector<std::string>& buttons, int cancelButton) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Tonesmith"), withLineBreaks(question), QMessageBox::NoButton,
                  m_parent);
  std::vector<QPushButton*> pushButtons;
  for (const std::string& caption : buttons)
    pushButtons.push_back(box.addButton(toQt(caption), QMessageBox::ActionRole));
  box.setEscapeButton(pushButtons[cancelButton]);
  std::function<void()> putAnswer;
  if (m_answers) {
    m_answers->print(question);
    const std::optional<std::string> reply = m_answers->nextAnswer();
    int chosen = reply ? 0 : cancelButton;  // an empty answer takes the first button
    for (size_t i = 0; reply && i < buttons.size(); ++i) {
      const char letter = answerLetter(*reply);
      if (letter != '\0' && letter == answerLetter(buttons[i])) chosen = static_cast<int>(i);
    }
    putAnswer = [button = pushButtons[chosen]] { button->click(); };
  }
  runDialog(box, putAnswer);
  for (size_t i = 0; i < pushButtons.size(); ++i)
    if (box.clickedButton() == pushButtons[i]) return static_cast<int>(i);
  return cancelButton;
}

bool PromptDialogs::askYesNo(std::string_view question) { return runQuestion(question, {"&Yes", "&No"}, 1) == 0; }

int PromptDialogs::askThreeButtons(std::string_view question, const std::array<std::string, 3>& buttons) {
  return runQuestion(question, {buttons.begin(), buttons.end()}, 2);
}

std::optional<std::vector<std::string>> PromptDialogs::askFields(std::string_view title,
                                                                 const std::vector<DialogField>& fields) {
  if (isParameterDialogTitle(title)) return runParameterDialog(m_parent, title, fields, m_answers);
  QDialog dialog(m_parent);
  dialog.setWindowTitle(toQt(title));
  auto* form = new QFormLayout(&dialog);
  std::vector<QLineEdit*> edits;
  for (const DialogField& field : fields) {
    edits.push_back(new QLineEdit(toQt(field.value), &dialog));
    form->addRow(toQt(field.label), edits.back());
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  form->addRow(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  std::function<void()> putAnswer;
  if (m_answers) {
    m_answers->print(title);
    const std::optional<std::string> reply = m_answers->nextAnswer();
    putAnswer = [&, reply] {
      if (!reply) return dialog.reject();
      const std::vector<std::string> typed = splitBlanks(*reply);
      for (size_t i = 0; i < typed.size() && i < edits.size(); ++i) edits[i]->setText(toQt(typed[i]));
      dialog.accept();
    };
  }
  if (runDialog(dialog, putAnswer) != QDialog::Accepted) return std::nullopt;
  std::vector<std::string> values;
  for (QLineEdit* edit : edits) values.push_back(edit->text().toStdString());
  return values;
}

std::optional<int> PromptDialogs::askChoice(std::string_view title, const std::vector<std::string>& choices) {
  QDialog dialog(m_parent);
  dialog.setWindowTitle(toQt(title));
  auto* layout = new QVBoxLayout(&dialog);
  layout->addWidget(new QLabel(toQt(title), &dialog));
  auto* list = new QListWidget(&dialog);
  for (const std::string& choice : choices) list->addItem(toQt(choice));
  list->setCurrentRow(0);
  layout->addWidget(list);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  layout->addWidget(buttons);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  QObject::connect(list, &QListWidget::itemDoubleClicked, &dialog, &QDialog::accept);
  std::function<void()> putAnswer;
  if (m_answers) {
    m_answers->print(title);
    for (size_t i = 0; i < choices.size(); ++i) m_answers->print(std::to_string(i + 1) + " " + choices[i]);
    const std::optional<std::string> reply = m_answers->nextAnswer();
    putAnswer = [&, reply] {
      const int number = !reply ? 0 : answerLetter(*reply) == '\0' ? 1 : std::atoi(reply->c_str());
      if (number < 1 || number > static_cast<int>(choices.size())) return dialog.reject();
      list->setCurrentRow(number - 1);
      dialog.accept();
    };
  }
  if (runDialog(dialog, putAnswer) != QDialog::Accepted || list->currentRow() < 0) return std::nullopt;
  return list->currentRow() + 1;
}

std::optional<uint32_t> PromptDialogs::chooseColour(uint32_t initial) {
  const auto fromRef = [](uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); };
  const auto toRef = [](const QColor& c) {
    return static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
           (static_cast<uint32_t>(c.blue()) << 16);
  };
  QColorDialog dialog(fromRef(initial), m_parent);
  std::function<void()> putAnswer;
  if (m_answers) {
    m_answers->print("Color:");
    const std::optional<std::string> reply = m_answers->nextAnswer();
    putAnswer = [&, reply] {
      if (!reply) return dialog.reject();
      if (answerLetter(*reply) != '\0') {
        try {
          dialog.setCurrentColor(fromRef(static_cast<uint32_t>(std::stoul(*reply, nullptr, 0))));
        } catch (...) {
          return dialog.reject();
        }
      }
      dialog.accept();
    };
  }
  if (runDialog(dialog, putAnswer) != QDialog::Accepted) return std::nullopt;
  return toRef(dialog.currentColor());
}

}  // namespace ts::shell
