#include "shell/button_grid.h"

#include <QResizeEvent>
#include <algorithm>
#include <vector>

#include "shell/button_wrap.h"

namespace ts::shell {
namespace {

// Before the bar has been given its length (the window not yet shown), the
// lines are counted as for a bar this long, so the first layout is close.
constexpr int kUnshownLength = 600;
// A bar lying along the window has this much of the window's width for
// other things than its buttons: its handle, frame and margins.
constexpr int kBarFramePixels = 40;

}  // namespace

ButtonGrid::ButtonGrid(Qt::ToolButtonStyle style, QSize iconSize, QWidget* parent)
    : QWidget(parent), m_style(style), m_iconSize(iconSize) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ButtonGrid::showActions(const QList<QAction*>& actions) {
  for (QAction* shown : QWidget::actions()) removeAction(shown);
  qDeleteAll(m_buttons);
  m_buttons.clear();
  addActions(actions);
  for (QAction* action : actions) {
    auto* button = new QToolButton(this);
    button->setDefaultAction(action);
    button->setToolButtonStyle(m_style);
    button->setIconSize(m_iconSize);
    button->setAutoRaise(true);
    button->show();
    m_buttons.push_back(button);
  }
  placeButtons();
}

void ButtonGrid::setOrientation(Qt::Orientation orientation) {
  m_orientation = orientation;
  placeButtons();
}

// A column is as long as the side of the window gives it; a row takes the
// window's width, since its bar has a row of its own and asks only for what
// its lines need.
int ButtonGrid::lengthAlong() const {
  const bool inWindow = window() != this && window() != parentWidget();
  const int length = m_orientation == Qt::Vertical ? height() : inWindow ? window()->width() - kBarFramePixels : width();
  return isVisible() && length > 0 ? length : kUnshownLength;
}

void ButtonGrid::placeButtons() {
  const bool columns = m_orientation == Qt::Vertical;
  std::vector<ButtonExtent> extents;
  extents.reserve(static_cast<size_t>(m_buttons.size()));
  m_longestButton = 0;
  for (const QToolButton* button : m_buttons) {
    const QSize hint = button->sizeHint();
    extents.push_back(columns ? ButtonExtent{hint.height(), hint.width()} : ButtonExtent{hint.width(), hint.height()});
    m_longestButton = std::max(m_longestButton, extents.back().along);
  }
  const WrappedButtons wrapped = wrapButtons(extents, lengthAlong());
  for (size_t i = 0; i < wrapped.places.size(); ++i) {
    const ButtonPlace& p = wrapped.places[i];
    // A column's buttons take its whole width, so their labels line up.
    const QRect box = columns ? QRect(p.across, p.along, p.thickness, extents[i].along)
                              : QRect(p.along, p.across, extents[i].along, p.thickness);
    m_buttons[static_cast<qsizetype>(i)]->setGeometry(box);
  }
  m_lines = wrapped.lines;
  if (wrapped.acrossUsed != m_acrossUsed || wrapped.longestLine != m_longestLine) {
    m_acrossUsed = wrapped.acrossUsed;
    m_longestLine = wrapped.longestLine;
    updateGeometry();
  }
}

QSize ButtonGrid::sizeHint() const {
  return m_orientation == Qt::Vertical ? QSize(m_acrossUsed, m_longestButton) : QSize(m_longestLine, m_acrossUsed);
}

void ButtonGrid::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Rows follow the window's width, which may change while this keeps its size.
  if (window() != this) window()->installEventFilter(this);
  placeButtons();
}

bool ButtonGrid::eventFilter(QObject* watched, QEvent* event) {
  if (watched == window() && event->type() == QEvent::Resize) placeButtons();
  return false;
}

QSize ButtonGrid::minimumSizeHint() const {
  return m_orientation == Qt::Vertical ? QSize(m_acrossUsed, m_longestButton) : QSize(m_longestButton, m_acrossUsed);
}

void ButtonGrid::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  placeButtons();
}

}  // namespace ts::shell
