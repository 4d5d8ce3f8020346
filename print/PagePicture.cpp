#include "print/PagePicture.h"

#include <QPaintDevice>
#include <QPainter>

int TPagePicture::metric(PaintDeviceMetric m) const {
  switch (m) {
    case PdmWidth:
      return FMetrics.PageWidth;
    case PdmHeight:
      return FMetrics.PageHeight;
    case PdmWidthMM:
      return static_cast<int>(FMetrics.PageWidth * 25.4 / FMetrics.ResX);
    case PdmHeightMM:
      return static_cast<int>(FMetrics.PageHeight * 25.4 / FMetrics.ResY);
    case PdmDpiX:
    case PdmPhysicalDpiX:
      return FMetrics.ResX;
    case PdmDpiY:
    case PdmPhysicalDpiY:
      return FMetrics.ResY;
    default:
      return QPicture::metric(m);
  }
}

namespace {

// QPicture replay scales by the target's logical dpi over 96 by itself (pictures are taken
// to be recorded at 96 dpi); this factor undoes that on top of the wanted scale.
void Replay(QPainter& painter, const QPicture& picture, double sx, double sy) {
  QPaintDevice* device = painter.device();
  const double dpiX = device && device->logicalDpiX() > 0 ? device->logicalDpiX() : 96.0;
  const double dpiY = device && device->logicalDpiY() > 0 ? device->logicalDpiY() : 96.0;
  painter.save();
  // A recording leaves out state equal to a new painter's (black pen, no brush, the default
  // font): replay starts from that state, whatever the target's palette gave the painter.
  painter.setPen(QPen());
  painter.setBrush(QBrush());
  painter.setFont(QFont());
  painter.setBackground(QBrush(Qt::white));
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setOpacity(1.0);
  painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
  painter.scale(sx * 96.0 / dpiX, sy * 96.0 / dpiY);
  painter.drawPicture(0, 0, picture);
  painter.restore();
}

}  // namespace

void PlayPage(QPainter& painter, const TPagePicture& page, double targetResX, double targetResY) {
  const TPageMetrics& m = page.Metrics();
  if (!UsablePageMetrics(m) || targetResX <= 0 || targetResY <= 0) return;
  Replay(painter, page, targetResX / m.ResX, targetResY / m.ResY);
}

void PlayPageInto(QPainter& painter, const TPagePicture& page, const QRectF& target) {
  const TPageMetrics& m = page.Metrics();
  if (!UsablePageMetrics(m) || target.isEmpty()) return;
  painter.save();
  painter.translate(target.topLeft());
  painter.setClipRect(QRectF(0, 0, target.width(), target.height()));
  Replay(painter, page, target.width() / m.PageWidth, target.height() / m.PageHeight);
  painter.restore();
}
