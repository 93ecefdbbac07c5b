#include "shell/work_progress_dialog.h"

#include <QCoreApplication>

namespace ts::shell {
namespace {

constexpr int kShowAfterMilliseconds = 400;  // short work finishes without a window flashing up
constexpr const char* kCancel = "Cancel";

}  // namespace

bool WorkProgressDialog::step(int done, int total, std::string_view what) {
  if (total <= 0) return true;
  if (!m_dialog) {
    m_dialog = new QProgressDialog(QString(), QString::fromLatin1(kCancel), 0, total, m_parent);
    m_dialog->setWindowModality(Qt::WindowModal);
    m_dialog->setMinimumDuration(kShowAfterMilliseconds);
    // The window stays until the call returns, even at its last step.
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
  }
  m_dialog->setMaximum(total);
  m_dialog->setLabelText(QString::fromUtf8(what.data(), static_cast<qsizetype>(what.size())));
  m_dialog->setValue(done);
  // The Cancel button's click must arrive before the next step is taken.
  QCoreApplication::processEvents();
  return !m_dialog->wasCanceled();
}

void WorkProgressDialog::finish() {
  if (!m_dialog) return;
  m_dialog->hide();
  m_dialog->deleteLater();
  m_dialog = nullptr;
}

}  // namespace ts::shell
