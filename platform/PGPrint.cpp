#include "platform/PGPrint.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <cmath>

#include "platform/PGQtImage.h"

QRect PGFitPageRect(int W, int H, int PW, int PH, double ax, double ay) {
  if (W <= 0 || H <= 0 || PW <= 0 || PH <= 0 || ax <= 0 || ay <= 0) return {};
  // The page's true shape is (PW x ax) by (PH x ay).
  if (static_cast<double>(W) / H >= (static_cast<double>(PW) / PH) * ax / ay) {
    const int h = static_cast<int>(std::nearbyint(PW * (static_cast<double>(H) / W) * ax / ay));
    const int top = (PH - h) / 2;
    return QRect(0, top, PW, PH - 2 * top);
  }
  const int w = static_cast<int>(std::nearbyint(PH * (static_cast<double>(W) / H) * ay / ax));
  const int left = (PW - w) / 2;
  return QRect(left, 0, PW - 2 * left, PH);
}

QString PGPrintTitle(const TPixelGraphic& image, const QString& applicationTitle) {
  return applicationTitle + QStringLiteral(" Graphic %1x%2x%3")
                                .arg(image.Width())
                                .arg(image.Height())
                                .arg(1ULL << image.BitCount());
}

bool PGPrintImage(TPixelGraphic& image, QPrinter& printer, bool showDialog, bool autoOrientation,
                  QWidget* owner, const QString& applicationTitle) {
  if (image.Width() == 0 || image.Height() == 0 || image.Empty()) return false;
  if (showDialog) {
    QPrintDialog dialog(&printer, owner);
    if (dialog.exec() != QDialog::Accepted) return false;
  }
  const QPageLayout::Orientation remembered = printer.pageLayout().orientation();
  struct Restore {
    QPrinter& printer;
    QPageLayout::Orientation orientation;
    ~Restore() { printer.setPageOrientation(orientation); }
  } restore{printer, remembered};
  if (autoOrientation && image.Width() != image.Height())
    printer.setPageOrientation(image.Width() > image.Height() ? QPageLayout::Landscape
                                                             : QPageLayout::Portrait);
  printer.setDocName(PGPrintTitle(image, applicationTitle));
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QRect page = printer.pageLayout().paintRectPixels(printer.resolution());
  const double ax = printer.logicalDpiY(), ay = printer.logicalDpiX();
  const QRect target = PGFitPageRect(image.Width(), image.Height(), page.width(), page.height(),
                                     ax, ay);
  PGDrawImage(painter, image, QRectF(target));
  painter.end();
  return true;
}
