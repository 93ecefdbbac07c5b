#pragma once
// The progress window of the engine's long work (page files of a layout,
// pages of a batch print): shown once the work takes a moment, with a
// Cancel button that stops the work before its next step. It lives from
// the first step until the engine call that began the work returns.

#include <QPointer>
#include <QProgressDialog>
#include <string_view>

namespace ts::shell {

class WorkProgressDialog {
 public:
  explicit WorkProgressDialog(QWidget* parent) : m_parent(parent) {}
  ~WorkProgressDialog() { finish(); }
  WorkProgressDialog(const WorkProgressDialog&) = delete;
  WorkProgressDialog& operator=(const WorkProgressDialog&) = delete;

  // Shows step `done` of `total`; false once the user has pressed Cancel.
  bool step(int done, int total, std::string_view what);
  // Closes the window; the next work starts a new one.
  void finish();
  QProgressDialog* window() const { return m_dialog; }

 private:
  QWidget* m_parent;
  QPointer<QProgressDialog> m_dialog;
};

}  // namespace ts::shell
