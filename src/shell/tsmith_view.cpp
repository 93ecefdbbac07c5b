#include "shell/tsmith_view.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include "shell/command_bridge.h"

namespace ts::shell {

CTSmithView::CTSmithView(CommandBridge& bridge, QWidget* parent) : QAbstractScrollArea(parent), m_bridge(bridge) {
  setObjectName(QStringLiteral("view"));
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setAutoFillBackground(true);
  viewport()->setBackgroundRole(QPalette::Base);
  updateScrollBars();
}

double CTSmithView::viewUnitsPerPixel() const { return kViewUnitsPerInch / static_cast<double>(logicalDpiX()); }

void CTSmithView::updateScrollBars() {
  const int width = static_cast<int>(viewport()->width() * viewUnitsPerPixel());
  const int height = static_cast<int>(viewport()->height() * viewUnitsPerPixel());
  horizontalScrollBar()->setRange(0, std::max(0, kScrollTotal - width));
  verticalScrollBar()->setRange(0, std::max(0, kScrollTotal - height));
  for (QScrollBar* bar : {horizontalScrollBar(), verticalScrollBar()}) {
    bar->setPageStep(kScrollPage);
    bar->setSingleStep(kScrollLine);
  }
}

void CTSmithView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  updateScrollBars();
}

Point CTSmithView::scrollPosition() const { return {horizontalScrollBar()->value(), verticalScrollBar()->value()}; }

void CTSmithView::scrollTo(Point scroll) {
  horizontalScrollBar()->setValue(scroll.x);
  verticalScrollBar()->setValue(scroll.y);
}

void CTSmithView::rebuild() {
  const EngineSession& session = m_bridge.session();
  m_renderer.setLists({session.displayList().data(), static_cast<size_t>(std::max(0, session.displayUsed()))},
                      {session.textList().data(), static_cast<size_t>(std::max(0, session.textUsed()))});
  m_bridge.display().displayFlag = 0;
  viewport()->update();
}

void CTSmithView::paintEvent(QPaintEvent*) {
  QPainter painter(viewport());
  const DisplaySettings& display = m_bridge.display();
  RenderOptions options;
  options.dotsPerInch = logicalDpiX();
  const Point scroll = scrollPosition();
  options.origin = QPointF(scroll.x, -scroll.y);
  options.colourMode = display.colourMode != 0;
  options.fillColour = display.fillColour;
  options.textColour = display.textColour;
  options.penColour = display.penColour;
  options.backgroundColour = display.backgroundColour;
  m_renderer.render(painter, display.zoom, options);
}

Point CTSmithView::toView(QPoint window) const {
  const Point scroll = scrollPosition();
  const double k = viewUnitsPerPixel();
  return {static_cast<int>(window.x() * k) + scroll.x, -(static_cast<int>(window.y() * k) + scroll.y)};
}

void CTSmithView::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) m_pressed = event->position().toPoint();
  QAbstractScrollArea::mousePressEvent(event);
}

void CTSmithView::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint released = event->position().toPoint();
  if (released == m_pressed || m_bridge.engineBusy()) {
    clickAt(toView(released));
    return;
  }
  Point first{m_pressed.x(), m_pressed.y()}, second{released.x(), released.y()};
  orderByWindowY(first, second);
  dragged(toView({first.x, first.y}), toView({second.x, second.y}));
}

void CTSmithView::clickAt(Point view) { m_bridge.click(viewToEngine(view, m_bridge.display().zoom)); }

void CTSmithView::dragged(Point first, Point second) {
  const int zoom = m_bridge.display().zoom;
  if (!m_zoomBox) {
    m_bridge.box(viewToEngine(first, zoom), viewToEngine(second, zoom));
    return;
  }
  const int clientWidth = static_cast<int>(viewport()->width() * viewUnitsPerPixel());
  if (const std::optional<BoxZoom> zoomed = boxZoom(zoom, clientWidth, first, second)) {
    m_bridge.setZoom(zoomed->zoom);
    scrollTo(zoomed->scroll);
    viewport()->update();
    emit zoomChanged();
  }
}

}  // namespace ts::shell
