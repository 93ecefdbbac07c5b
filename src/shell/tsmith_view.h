#pragma once
// CTSmithView: paints what the engine drew and turns clicks and dragged
// boxes into engine input. View units are 0.001 inch with y upward; the
// scroll position is kept in view units.

#include <QAbstractScrollArea>
#include <QPoint>

#include "render/display_renderer.h"
#include "shell/view_geometry.h"

namespace ts::shell {

class CommandBridge;

class CTSmithView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  CTSmithView(CommandBridge& bridge, QWidget* parent = nullptr);

  // Takes the engine's lists after a call and repaints.
  void rebuild();
  // Clicks and boxes by view point, as a release at the press point and a
  // drag would give them.
  void clickAt(Point view);
  void dragged(Point first, Point second);
  void scrollTo(Point scroll);
  Point scrollPosition() const;
  void setZoomBoxMode(bool on) { m_zoomBox = on; }
  bool zoomBoxMode() const { return m_zoomBox; }

 signals:
  void zoomChanged();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  Point toView(QPoint window) const;
  double viewUnitsPerPixel() const;
  void updateScrollBars();

  CommandBridge& m_bridge;
  DisplayRenderer m_renderer;
  QPoint m_pressed;
  bool m_zoomBox = false;
};

}  // namespace ts::shell
