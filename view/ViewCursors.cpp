#include "view/ViewCursors.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

// A 32 x 32 two-colour cursor: black outline, white fill, transparent elsewhere.
QCursor MakeCursor(const std::function<void(QPainter&)>& shape, int hotX, int hotY) {
  QBitmap bitmap(32, 32), mask(32, 32);
  bitmap.fill(Qt::color0);
  mask.fill(Qt::color0);
  {
    QPainter m(&mask);
    m.setPen(QPen(Qt::color1, 3));
    m.setBrush(Qt::color1);
    shape(m);
  }
  {
    QPainter b(&bitmap);
    b.setPen(QPen(Qt::color1, 1));
    b.setBrush(Qt::NoBrush);
    shape(b);
  }
  return QCursor(bitmap, mask, hotX, hotY);
}

void Hand(QPainter& p, bool closed) {
  QPainterPath path;
  if (closed) {
    path.addRoundedRect(8, 10, 16, 12, 4, 4);
  } else {
    for (int f = 0; f < 4; ++f) path.addRoundedRect(8 + f * 4, 4 + (f == 0 || f == 3 ? 3 : 0), 3, 10, 1, 1);
    path.addRoundedRect(8, 12, 16, 12, 4, 4);
    path.addRoundedRect(4, 14, 4, 7, 1, 1);
  }
  p.drawPath(path.simplified());
}

void DashedCross(QPainter& p) {
  for (int i = 0; i < 13; i += 4) {
    p.drawLine(15, i, 15, i + 1);
    p.drawLine(15, 30 - i, 15, 29 - i);
    p.drawLine(i, 15, i + 1, 15);
    p.drawLine(30 - i, 15, 29 - i, 15);
  }
}

void Arrows(QPainter& p) {
  p.drawLine(16, 3, 16, 27);
  p.drawLine(4, 15, 28, 15);
  const QPoint heads[4][3] = {{{16, 1}, {12, 6}, {20, 6}},
                              {{16, 29}, {12, 24}, {20, 24}},
                              {{2, 15}, {7, 11}, {7, 19}},
                              {{30, 15}, {25, 11}, {25, 19}}};
  for (const auto& h : heads) p.drawPolygon(h, 3);
}

}  // namespace

const TViewCursors& ViewCursors() {
  static const TViewCursors cursors{MakeCursor([](QPainter& p) { Hand(p, false); }, 16, 12),
                                    MakeCursor([](QPainter& p) { Hand(p, true); }, 16, 12),
                                    MakeCursor(DashedCross, 15, 15),
                                    MakeCursor(Arrows, 16, 15)};
  return cursors;
}
