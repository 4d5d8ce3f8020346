#include "platform/ScreenCapture.h"

#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>

#include "platform/PGQtImage.h"

namespace {

bool OnWayland() { return QGuiApplication::platformName().startsWith("wayland"); }

TScreenCapture Failed(const QString& why) {
  TScreenCapture c;
  c.Error = why;
  return c;
}

}  // namespace

TScreenCapture CaptureScreen() {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return Failed("There is no screen to capture.");
  const QImage image = screen->grabWindow(0).toImage();
  if (image.isNull() || image.width() <= 0 || image.height() <= 0) {
    if (OnWayland())
      return Failed("This desktop (Wayland) does not let programs read the screen. Take a "
                    "screenshot with the desktop's own tool, then open it with File > Open...");
    return Failed("The screen could not be captured.");
  }
  TScreenCapture c;
  c.Picture = std::make_unique<TPixelGraphic>();
  try {
    const int depth = screen->depth();
    if (depth <= 8 && image.format() == QImage::Format_Indexed8) {
      PGFromQImage(*c.Picture, image);  // keeps the screen's colour table
    } else if (depth == 4) {
      TPixelGraphic full;
      PGFromQImage(full, image);
      c.Picture->SetSize(full.Width(), full.Height(), pf4Bit);
      c.Picture->SetPaletteIdent(pSys16);
      c.Picture->CopyFrom(full);
    } else {
      PGFromQImage(*c.Picture, image.convertToFormat(QImage::Format_RGB888));
    }
  } catch (const std::exception& e) {
    return Failed(QString("The screen could not be captured: %1").arg(e.what()));
  }
  return c;
}
