#include "view/PicBox.h"

#include <QMouseEvent>
#include <QPainter>

#include "view/PGImage.h"

TPicBox::TPicBox(TPGImage& view, QWidget* parent) : QWidget(parent), FView(view) {
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TranslucentBackground);
  setAutoFillBackground(false);
  setMouseTracking(true);
}

void TPicBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  FView.PaintPicBox(painter);
}

void TPicBox::mousePressEvent(QMouseEvent* event) {
  FView.PicBoxMouseDown(event->button(), event->modifiers(), event->position().toPoint());
}

void TPicBox::mouseMoveEvent(QMouseEvent* event) {
  FView.PicBoxMouseMove(event->buttons(), event->modifiers(), event->position().toPoint());
}

void TPicBox::mouseReleaseEvent(QMouseEvent* event) {
  FView.PicBoxMouseUp(event->button(), event->modifiers(), event->position().toPoint());
}
