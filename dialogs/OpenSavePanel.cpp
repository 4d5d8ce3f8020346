#include "dialogs/OpenSavePanel.h"

#include <QPainter>

#include "dialogs/core/PreviewBoxGeometry.h"
#include "platform/PGQtImage.h"

TOpenSavePreviewBox::TOpenSavePreviewBox(QWidget* parent) : QWidget(parent) {
  setAccessibleName("Preview");
  setMinimumSize(160, 150);
}

void TOpenSavePreviewBox::SetImage(const TPixelGraphic* image) {
  FImage = image;
  update();
}

void TOpenSavePreviewBox::ShowClock(int step, int percent) {
  FClock = true;
  FStep = step;
  FPercent = percent;
  update();
}

void TOpenSavePreviewBox::HideClock() {
  FClock = false;
  update();
}

void TOpenSavePreviewBox::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QPalette& pal = palette();
  const int l = 0, t = 0, r = width(), b = height();
  // A sunken frame.
  p.fillRect(QRect(QPoint(l + 2, t + 2), QPoint(r - 2, b - 2)), pal.color(QPalette::Button));
  p.setPen(pal.color(QPalette::Dark));
  p.drawPolyline(QPolygon({{l, b - 2}, {l, t}, {r - 1, t}}));
  p.setPen(Qt::black);
  p.drawPolyline(QPolygon({{l + 1, b - 3}, {l + 1, t + 1}, {r - 2, t + 1}}));
  p.setPen(Qt::white);
  p.drawPolyline(QPolygon({{l, b - 1}, {r - 1, b - 1}, {r - 1, t}}));
  p.setPen(pal.color(QPalette::Button));
  p.drawPolyline(QPolygon({{l + 1, b - 2}, {r - 2, b - 2}, {r - 2, t + 1}}));

  if (FImage && !FImage->Empty()) {
    const TPreviewRect at = PreviewBoxImageRect(FImage->Width(), FImage->Height(), width(), height());
    PGDrawImage(p, *FImage, QRectF(at.X, at.Y, at.W, at.H));
  }
  if (FClock && ClockVisible) {
    const QPoint o(width() / 2 - 8, height() / 2 - 8);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(ClockLineColor.isValid() ? ClockLineColor : pal.color(QPalette::Dark));
    p.setBrush(ClockBkColor.isValid() ? ClockBkColor : pal.color(QPalette::Button));
    p.drawEllipse(QRect(o, QSize(15, 15)));
    const TClockHands hands = ProgressClockHands(FStep, FPercent);
    p.drawLine(o + QPoint(7, 7), o + QPoint(hands.HourX, hands.HourY));
    p.drawLine(o + QPoint(7, 7), o + QPoint(hands.MinuteX, hands.MinuteY));
  }
}

TOpenSaveInfoBox::TOpenSaveInfoBox(QWidget* parent) : QWidget(parent) {
  setAccessibleName("File information");
}

void TOpenSaveInfoBox::SetLines(const QStringList& lines) {
  FLines = lines;
  setAccessibleDescription(lines.join(", "));
  setToolTip(lines.join("\n"));
  update();
}

void TOpenSaveInfoBox::paintEvent(QPaintEvent*) {
  if (FLines.isEmpty()) return;
  QPainter p(this);
  const int n = static_cast<int>(FLines.size());
  const int lineH = std::max(height() / n, fontMetrics().height());
  for (int k = 0; k < n; ++k)
    p.drawText(QRect(0, k * height() / n, width(), lineH), Qt::AlignLeft | Qt::AlignVCenter,
               fontMetrics().elidedText(FLines[k], Qt::ElideRight, width()));
}
