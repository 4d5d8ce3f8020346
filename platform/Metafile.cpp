#include "platform/Metafile.h"

#include <QGuiApplication>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <QImage>
#include <QPainter>

#include "platform/MetafilePlayer.h"
#include "platform/PGQtImage.h"

void EnsureMetafileGuiApplication() {
  if (QCoreApplication::instance()) return;
  // Text output needs the font database of a GUI application; without a display the
  // offscreen platform serves.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
    // A private runtime folder, so that Qt does not warn about the missing one.
    const std::string dir = "/tmp/lumivex-runtime-" + std::to_string(getuid());
    mkdir(dir.c_str(), 0700);
    struct stat st {};
    if (lstat(dir.c_str(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == getuid() &&
        (st.st_mode & 0777) == 0700)
      qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir));
  }
  static int argc = 1;
  static char name[] = "lumivex";
  static char* argv[] = {name, nullptr};
  static QGuiApplication* application = new QGuiApplication(argc, argv);
  (void)application;
}

void TMetafile::Play(TPixelGraphic& target) const {
  EnsureMetafileGuiApplication();
  const int width = target.Width(), height = target.Height();
  if (target.Empty() || width <= 0 || height <= 0) return;
  // Raster operations need a 32-bit surface: play onto one that starts as the picture, then
  // bring the result back into the picture's own format.
  QImage surface = PGToQImage(target).convertToFormat(QImage::Format_RGB32);
  if (surface.isNull()) return;
  {
    QPainter painter(&surface);
    TMetafilePlayer player(painter, FData, width, height);
    player.Play();
  }
  if (target.PixelFormat() == pf24Bit) {
    for (int y = 0; y < height; ++y) {
      const QRgb* src = reinterpret_cast<const QRgb*>(surface.constScanLine(y));
      std::uint8_t* dst = target.ScanLine(y);
      for (int x = 0; x < width; ++x, dst += 3) {
        dst[0] = static_cast<std::uint8_t>(qBlue(src[x]));
        dst[1] = static_cast<std::uint8_t>(qGreen(src[x]));
        dst[2] = static_cast<std::uint8_t>(qRed(src[x]));
      }
    }
  } else {
    TPixelGraphic rendered;
    PGFromQImage(rendered, surface);
    target.CopyFrom(rendered);
  }
}
