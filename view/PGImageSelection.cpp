// Selection, marquee, mouse gestures and cursors of the picture view.
#include <QApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>

#include "view/PGImage.h"
#include "view/PicBox.h"
#include "view/ViewCursors.h"

namespace {

QImage MarqueePattern(int k, const QColor& c1, const QColor& c2) {
  QImage p(8, 8, QImage::Format_RGB32);
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c) p.setPixelColor(c, r, MarqueeSecondColor(k, c, r) ? c2 : c1);
  return p;
}

void FrameRect(QPainter& painter, const QRect& r, const QBrush& brush) {
  if (r.width() <= 0 || r.height() <= 0) return;
  painter.fillRect(QRect(r.left(), r.top(), r.width(), 1), brush);
  painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), brush);
  painter.fillRect(QRect(r.left(), r.top(), 1, r.height()), brush);
  painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), brush);
}

QRect ToQRect(const TBoxRect& b) { return QRect(b.Left, b.Top, b.Right - b.Left, b.Bottom - b.Top); }

bool MovesSelection(TActionMode m) {
  return m == amMoveResizeCreateSelection || m == amMoveSelection || m == amMoveSelectionMoveImage;
}

}  // namespace

TSelectionMapper TPGImage::Mapper() const { return {FW, FH, FBox.width(), FBox.height()}; }

TSelRect TPGImage::SelectionOnPicture() const { return ClipSelection(FSel, FW, FH); }

void TPGImage::SetActionMode(TActionMode mode) {
  if (mode == FActionMode) return;
  FActionMode = mode;
  FPicBox->update();
}

void TPGImage::SetSelection(bool on) {
  if (on == FSelection) return;
  FSelection = on;
  if (on && !FMarqueeTimer) {
    FMarqueeTimer = new QTimer(this);
    FMarqueeTimer->setInterval(50);
    QObject::connect(FMarqueeTimer, &QTimer::timeout, [this] {
      FMarqueeCounter = (FMarqueeCounter + 1) % 8;
      InvalidateMarquee(FSel);
    });
    FMarqueeTimer->start();
  } else if (!on && FMarqueeTimer) {
    delete FMarqueeTimer;
    FMarqueeTimer = nullptr;
  }
  FPicBox->update();
  if (OnSelectionChange) OnSelectionChange(*this);
}

void TPGImage::InvalidateMarquee(const TSelRect& s) {
  const int e = FActionMode == amMoveResizeCreateSelection ? 8 : 1;
  const TBoxRect b = Mapper().ToBox(s);
  QRegion strips;
  strips += QRect(QPoint(b.Left - e, b.Top - e), QPoint(b.Left, b.Bottom + e));
  strips += QRect(QPoint(b.Left - e, b.Top - e), QPoint(b.Right + e, b.Top));
  strips += QRect(QPoint(b.Right, b.Top - e), QPoint(b.Right + e, b.Bottom + e));
  strips += QRect(QPoint(b.Left - e, b.Bottom), QPoint(b.Right + e, b.Bottom + e));
  FPicBox->update(strips);
}

void TPGImage::SetSelectionRect(int left, int top, int width, int height) {
  const TSelRect next{left, top, width, height};
  if (next == FSel) return;
  if (FSelection) InvalidateMarquee(FSel);
  FSel = next;
  if (FSelection) InvalidateMarquee(FSel);
  if (OnSelectionChange) OnSelectionChange(*this);
  if (FSelection) FPicBox->repaint();
}

void TPGImage::SetSelectionColor1(const QColor& c) {
  FSelColor1 = c;
  FPicBox->update();
}

void TPGImage::SetSelectionColor2(const QColor& c) {
  FSelColor2 = c;
  FPicBox->update();
}

void TPGImage::PaintPicBox(QPainter& painter) {
  if (FSelection) DrawMarquee(painter);
  if (PicBoxOnPaint) PicBoxOnPaint(*this, painter);
}

void TPGImage::DrawMarquee(QPainter& painter) {
  const TBoxRect s = Mapper().ToBox(FSel);
  const int phase = ((FMarqueeCounter + s.Left + s.Top) % 8 + 8) % 8;
  const QBrush brush(MarqueePattern(phase, FSelColor1, FSelColor2));
  painter.setBrushOrigin(0, 0);
  FrameRect(painter, QRect(QPoint(s.Left - 1, s.Top - 1), QPoint(s.Right, s.Bottom)), brush);
  if (FActionMode == amMoveResizeCreateSelection)
    for (const TBoxRect& g : GripRects(s)) FrameRect(painter, ToQRect(g), brush);
}

// ---- gestures ------------------------------------------------------------------------------

bool TPGImage::PictureCanScroll() const {
  return (FBox.width() > ClientWidth() && FHBar) || (FBox.height() > ClientHeight() && FVBar);
}

void TPGImage::PicBoxMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint p) {
  if (button == Qt::LeftButton) {
    const TSelectionMapper m = Mapper();
    const int ix = m.ToImageX(p.x()), iy = m.ToImageY(p.y());
    const TBoxRect s = m.ToBox(FSel);
    const bool inside = s.Contains(p.x(), p.y());
    bool selectionGesture = false;
    if (MovesSelection(FActionMode) && FSelection && inside) {
      FDrag = Drag::MoveSelection;
      FOffsetX = ix - FSel.Left;
      FOffsetY = iy - FSel.Top;
      selectionGesture = true;
    } else if ((FActionMode == amMoveImage ||
                (FActionMode == amMoveSelectionMoveImage && !inside)) &&
               PictureCanScroll()) {
      FDrag = Drag::MovePicture;
      FAnchor = p + FPicBox->pos();
      if (!QApplication::overrideCursor()) {
        QCursor cursor = ViewCursors().GrabbingHand;
        if (PicBoxOnSetCursor) PicBoxOnSetCursor(*this, cursor);
        FPicBox->setCursor(cursor);
      }
    } else if (const auto grip = FActionMode == amMoveResizeCreateSelection && FSelection
                                     ? HitGrip(s, p.x(), p.y())
                                     : std::nullopt) {
      FDrag = Drag::Grip;
      FGrip = *grip;
      GripOffsets(FSel, FGrip, ix, iy, FOffsetX, FOffsetY);
      selectionGesture = true;
    } else if (FActionMode == amMoveResizeCreateSelection || FActionMode == amCreateSelection) {
      FDrag = Drag::Create;
      SetSelection(true);
      FAnchorImageX = ix;
      FAnchorImageY = iy;
      SetSelectionRect(ix, iy, 1, 1);
      selectionGesture = true;
    }
    if (selectionGesture && !FAutoScrollTimer) {
      FAutoScrollTimer = new QTimer(this);
      FAutoScrollTimer->setInterval(50);
      QObject::connect(FAutoScrollTimer, &QTimer::timeout, [this] { AutoScrollTick(); });
      FAutoScrollTimer->start();
    }
  }
  if (PicBoxOnMouseDown) PicBoxOnMouseDown(*this, button, mods, p);
}

void TPGImage::PicBoxMouseMove(Qt::MouseButtons, Qt::KeyboardModifiers mods, QPoint p) {
  const TSelectionMapper m = Mapper();
  const int ix = m.ToImageX(p.x()), iy = m.ToImageY(p.y());
  switch (FDrag) {
    case Drag::Create: {
      // The selection stays on the picture while it is drawn.
      const int cx = std::clamp(ix, 0, std::max(FW - 1, 0));
      const int cy = std::clamp(iy, 0, std::max(FH - 1, 0));
      const TSelRect r = SelectionFromPoints(FAnchorImageX, FAnchorImageY, cx, cy);
      SetSelectionRect(r.Left, r.Top, r.Width, r.Height);
      break;
    }
    case Drag::MoveSelection: {
      const TSelRect r = MoveSelection(FSel, ix, iy, FOffsetX, FOffsetY, FW, FH);
      SetSelectionRect(r.Left, r.Top, r.Width, r.Height);
      break;
    }
    case Drag::Grip: {
      const TSelRect r = ResizeSelection(FSel, FGrip, ix, iy, FOffsetX, FOffsetY);
      SetSelectionRect(r.Left, r.Top, r.Width, r.Height);
      break;
    }
    case Drag::MovePicture: {
      const QPoint here = p + FPicBox->pos();
      QScrollBar* h = horizontalScrollBar();
      QScrollBar* v = verticalScrollBar();
      h->setValue(h->value() + FAnchor.x() - here.x());
      v->setValue(v->value() + FAnchor.y() - here.y());
      // In view coordinates the pointer stays where it is while the picture scrolls under it.
      FAnchor = here;
      viewport()->repaint();
      break;
    }
    case Drag::Idle: UpdatePicBoxCursor(p); break;
  }
  if (PicBoxOnMouseMove) PicBoxOnMouseMove(*this, mods, p);
}

void TPGImage::PicBoxMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint p) {
  if (PicBoxOnMouseUp) PicBoxOnMouseUp(*this, button, mods, p);
  if (button != Qt::LeftButton) return;
  const Drag was = FDrag;
  FDrag = Drag::Idle;
  delete FAutoScrollTimer;
  FAutoScrollTimer = nullptr;
  if (was == Drag::Create || was == Drag::MoveSelection || was == Drag::Grip) {
    SetSelection(true);
    if (OnSelectionMade) OnSelectionMade(*this);
  }
  UpdatePicBoxCursor(p);
}

void TPGImage::AutoScrollTick() {
  const QPoint p = viewport()->mapFromGlobal(QCursor::pos());
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  if (p.x() < 0 && h->value() > 0) h->setValue(h->value() - 5);
  if (p.y() < 0 && v->value() > 0) v->setValue(v->value() - 5);
  if (p.x() >= ClientWidth() && h->value() < h->maximum()) h->setValue(h->value() + 5);
  if (p.y() >= ClientHeight() && v->value() < v->maximum()) v->setValue(v->value() + 5);
}

// ---- cursors -------------------------------------------------------------------------------

QCursor TPGImage::CursorAt(QPoint p) const {
  QCursor result = cursor();
  const bool scroll = PictureCanScroll();
  if ((FActionMode == amMoveImage || FActionMode == amMoveSelectionMoveImage) && scroll)
    result = FDrag == Drag::MovePicture ? ViewCursors().GrabbingHand : ViewCursors().OpenHand;
  if (FActionMode == amMoveResizeCreateSelection || FActionMode == amCreateSelection)
    result = ViewCursors().CrossHair;
  const TBoxRect s = Mapper().ToBox(FSel);
  if (MovesSelection(FActionMode) && FSelection && s.Contains(p.x(), p.y()))
    result = ViewCursors().MoveArrows;
  if (FActionMode == amMoveResizeCreateSelection && FSelection) {
    if (const auto grip = HitGrip(s, p.x(), p.y())) {
      static const Qt::CursorShape kShapes[8] = {
          Qt::SizeFDiagCursor, Qt::SizeVerCursor, Qt::SizeBDiagCursor, Qt::SizeHorCursor,
          Qt::SizeHorCursor,   Qt::SizeBDiagCursor, Qt::SizeVerCursor, Qt::SizeFDiagCursor};
      result = QCursor(kShapes[*grip]);
    }
  }
  return result;
}

void TPGImage::UpdatePicBoxCursor(QPoint p) {
  if (QApplication::overrideCursor()) return;  // a global cursor wins
  QCursor c = CursorAt(p);
  if (PicBoxOnSetCursor) PicBoxOnSetCursor(*this, c);
  FPicBox->setCursor(c);
}

bool TPGImage::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::MouseMove && !QApplication::overrideCursor()) {
    // Over the view itself, outside the picture.
    QCursor c = cursor();
    if (OnSetCursor) OnSetCursor(*this, c);
    viewport()->setCursor(c);
  }
  return QAbstractScrollArea::viewportEvent(event);
}
