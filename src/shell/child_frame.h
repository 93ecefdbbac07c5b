#pragma once
// CChildFrame: the frame of the one open page, holding its view. The
// engine holds one page at a time, so the main frame has one child frame,
// always filling its client area (maximized).

#include <QVBoxLayout>
#include <QWidget>

namespace ts::shell {

class CChildFrame : public QWidget {
 public:
  explicit CChildFrame(QWidget* view, QWidget* parent = nullptr) : QWidget(parent) {
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
  }
  bool isMaximized() const { return true; }
};

}  // namespace ts::shell
