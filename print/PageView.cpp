#include "print/PageView.h"

#include <QMouseEvent>
#include <QPainter>

#include "print/PagePicture.h"

TPageView::TPageView(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent, false);
}

void TPageView::SetPage(const TPagePicture* page) {
  FPage = page;
  update();
}

void TPageView::SetGrid(bool on) {
  FGrid = on;
  update();
}

void TPageView::paintEvent(QPaintEvent*) {
  if (!FPage) return;
  QPainter painter(this);
  const QRect paper = rect();
  painter.fillRect(paper, Qt::white);
  painter.setRenderHint(QPainter::TextAntialiasing, true);
  const TPageMetrics& m = FPage->Metrics();
  if (FGrid && UsablePageMetrics(m)) {
    // A line every inch of paper, under the page's own drawing.
    painter.setPen(QColor(0xC0, 0xC0, 0xC0));
    const double sx = static_cast<double>(width()) / m.PageWidth;
    const double sy = static_cast<double>(height()) / m.PageHeight;
    for (int x = m.ResX; x < m.PageWidth; x += m.ResX)
      painter.drawLine(QPointF(x * sx, 0), QPointF(x * sx, height()));
    for (int y = m.ResY; y < m.PageHeight; y += m.ResY)
      painter.drawLine(QPointF(0, y * sy), QPointF(width(), y * sy));
  }
  painter.setRenderHint(QPainter::Antialiasing, true);
  PlayPageInto(painter, *FPage, QRectF(paper));
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(QColor(0x80, 0x80, 0x80));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(paper.adjusted(0, 0, -1, -1));
}

void TPageView::mousePressEvent(QMouseEvent* event) {
  if (OnMousePress) OnMousePress(event);
}

void TPageView::mouseMoveEvent(QMouseEvent* event) {
  if (OnMouseMove) OnMouseMove(event);
}

void TPageView::mouseReleaseEvent(QMouseEvent* event) {
  if (OnMouseRelease) OnMouseRelease(event);
}
