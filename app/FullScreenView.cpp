#include "app/FullScreenView.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QWheelEvent>
#include <QWindow>
#include <algorithm>

std::optional<TFullScreenStep> FullScreenStepForKey(int key) {
  switch (key) {
    case Qt::Key_Right:
    case Qt::Key_Down:
    case Qt::Key_PageDown:
    case Qt::Key_Space: return TFullScreenStep::Next;
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_Backspace: return TFullScreenStep::Previous;
    case Qt::Key_Home: return TFullScreenStep::First;
    case Qt::Key_End: return TFullScreenStep::Last;
    default: return std::nullopt;
  }
}

QSize FullScreenFitSize(QSize picture, QSize screen) {
  if (picture.isEmpty() || screen.isEmpty()) return QSize();
  // Compared in 64 bits: a picture side times a screen side overflows 32 bits.
  const qint64 pw = picture.width(), ph = picture.height();
  const qint64 sw = screen.width(), sh = screen.height();
  if (pw * sh >= ph * sw)
    return QSize(int(sw), int(std::max<qint64>(1, (ph * sw + pw / 2) / pw)));
  return QSize(int(std::max<qint64>(1, (pw * sh + ph / 2) / ph)), int(sh));
}

TFullScreenView::TFullScreenView(TFullScreenHost host) : FHost(std::move(host)) {
  setObjectName("FullScreenView");
  setWindowTitle("Lumivex");
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  FCursorTimer.setSingleShot(true);
  FCursorTimer.setInterval(kCursorHideMs);
  QObject::connect(&FCursorTimer, &QTimer::timeout, this, [this] {
    FCursorHidden = true;
    setCursor(Qt::BlankCursor);
  });
}

void TFullScreenView::Open(QWidget* over) {
  if (over && over->screen()) setGeometry(over->screen()->geometry());
  showFullScreen();
  raise();
  activateWindow();
  setFocus();
  Refresh();
  WakeCursor();
}

void TFullScreenView::Refresh() {
  const QSize fit = FullScreenFitSize(FHost.PictureSize ? FHost.PictureSize() : QSize(), size());
  FShown = fit.isValid() && FHost.Render ? FHost.Render(fit) : QImage();
  update();
}

void TFullScreenView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::black);
  if (FShown.isNull()) return;
  const QPoint at((width() - FShown.width()) / 2, (height() - FShown.height()) / 2);
  painter.drawImage(at, FShown);
}

void TFullScreenView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape || event->key() == Qt::Key_F11) {
    close();
    return;
  }
  if (event->key() == Qt::Key_S && FHost.ToggleSlideshow) {
    FHost.ToggleSlideshow();
    return;
  }
  if (const auto step = FullScreenStepForKey(event->key())) {
    if (FHost.Step) FHost.Step(*step);
    return;
  }
  QWidget::keyPressEvent(event);
}

void TFullScreenView::wheelEvent(QWheelEvent* event) {
  // One notch is 120; touchpads send smaller parts that add up to a step.
  FWheelRest += event->angleDelta().y();
  while (FWheelRest >= 120) {
    FWheelRest -= 120;
    if (FHost.Step) FHost.Step(TFullScreenStep::Previous);
  }
  while (FWheelRest <= -120) {
    FWheelRest += 120;
    if (FHost.Step) FHost.Step(TFullScreenStep::Next);
  }
  event->accept();
}

void TFullScreenView::mouseMoveEvent(QMouseEvent* event) {
  WakeCursor();
  QWidget::mouseMoveEvent(event);
}

void TFullScreenView::mouseDoubleClickEvent(QMouseEvent*) { close(); }

void TFullScreenView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (isVisible()) Refresh();
}

void TFullScreenView::closeEvent(QCloseEvent* event) {
  FCursorTimer.stop();
  unsetCursor();
  FCursorHidden = false;
  FShown = QImage();  // a fitted copy can be large: free it while the view is closed
  QWidget::closeEvent(event);
  if (FHost.Closed) FHost.Closed();
}

void TFullScreenView::WakeCursor() {
  if (FCursorHidden) {
    FCursorHidden = false;
    unsetCursor();
  }
  FCursorTimer.start();
}
