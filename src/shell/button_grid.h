#pragma once
// The buttons of an edit menu inside its bar, wrapped into columns when the
// bar stands at a side of the window and into rows when it lies along the
// top or bottom, so that the whole menu is always in view: a tool bar would
// push what does not fit into its overflow menu instead.
//
// It keeps the menu's actions as its own (QWidget::actions()). Along the
// bar it asks for no more than one button, and takes whatever length the bar
// gives it; across the bar it asks for as many lines as that length needs.

#include <QList>
#include <QToolButton>
#include <QWidget>

namespace ts::shell {

class ButtonGrid : public QWidget {
  Q_OBJECT
 public:
  ButtonGrid(Qt::ToolButtonStyle style, QSize iconSize, QWidget* parent = nullptr);

  // Shows these actions, one button each, in place of the ones shown.
  void showActions(const QList<QAction*>& actions);
  // Vertical: columns side by side; horizontal: rows one under another.
  void setOrientation(Qt::Orientation orientation);
  Qt::Orientation orientation() const { return m_orientation; }
  int lineCount() const { return m_lines; }

  QSize sizeHint() const override;
  // Never more than one button along the bar, so the window is not held wider than it is.
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int lengthAlong() const;
  void placeButtons();

  Qt::ToolButtonStyle m_style;
  QSize m_iconSize;
  Qt::Orientation m_orientation = Qt::Horizontal;
  QList<QToolButton*> m_buttons;
  int m_acrossUsed = 0;
  int m_longestButton = 0;
  int m_longestLine = 0;
  int m_lines = 0;
};

}  // namespace ts::shell
