#include "shell/parameter_dialog.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <array>
#include <charconv>
#include <sstream>

#include "shell/item_bar_format.h"
#include "shell/prompt_dialogs.h"

namespace ts::shell {
namespace {

constexpr std::array<const char*, 3> kTitles{"P1 - 10", "P11- 20", "P21 - 30"};

std::string shortest(float value) {
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, value).ptr;
  return std::string(text, end);
}

float fieldValue(const DialogField& field) { return readNewValue(field.value, 0.0f); }

}  // namespace

bool isParameterDialogTitle(std::string_view title) {
  for (const char* known : kTitles)
    if (title == known) return true;
  return false;
}

std::optional<std::vector<std::string>> runParameterDialog(QWidget* parent, std::string_view title,
                                                           const std::vector<DialogField>& fields,
                                                           ScriptedAnswers* answers) {
  const size_t parameters = std::min<size_t>(fields.size(), kDialogParameters);
  QDialog dialog(parent);
  dialog.setWindowTitle(QString::fromLatin1(title.data(), static_cast<qsizetype>(title.size())));
  auto* grid = new QGridLayout(&dialog);
  grid->addWidget(new QLabel(QStringLiteral("Original values:"), &dialog), 1, 0);
  grid->addWidget(new QLabel(QStringLiteral("New values:"), &dialog), 2, 0);
  std::vector<QLineEdit*> edits;
  for (size_t i = 0; i < parameters; ++i) {
    const int column = static_cast<int>(i) + 1;
    const QString shown = QString::fromStdString(formatDialogValue(fieldValue(fields[i])));
    grid->addWidget(new QLabel(QString::fromStdString(fields[i].label), &dialog), 0, column);
    grid->addWidget(new QLabel(shown, &dialog), 1, column);
    edits.push_back(new QLineEdit(shown, &dialog));
    edits.back()->setMaxLength(static_cast<int>(kNewValueChars));
    grid->addWidget(edits.back(), 2, column);
  }
  QLineEdit* text = nullptr;
  if (fields.size() > parameters) {
    text = new QLineEdit(QString::fromStdString(fields[parameters].value), &dialog);
    text->setMaxLength(static_cast<int>(kDialogTextChars));
    grid->addWidget(text, 3, 0, 1, static_cast<int>(parameters) + 1);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  grid->addWidget(buttons, 4, 0, 1, static_cast<int>(parameters) + 1);
  QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (answers) {
    answers->print(title);
    const std::optional<std::string> reply = answers->nextAnswer();
    QTimer::singleShot(0, &dialog, [&, reply] {
      if (!reply) return dialog.reject();
      std::istringstream in(*reply);
      std::string typed;
      for (size_t i = 0; i < edits.size() && in >> typed; ++i) edits[i]->setText(QString::fromStdString(typed));
      dialog.accept();
    });
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  std::vector<std::string> values;
  for (size_t i = 0; i < edits.size(); ++i)
    values.push_back(shortest(readNewValue(edits[i]->text().toStdString(), fieldValue(fields[i]))));
  if (text) values.push_back(text->text().toStdString());
  return values;
}

}  // namespace ts::shell
