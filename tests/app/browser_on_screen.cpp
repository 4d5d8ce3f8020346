// Starts the real program on a fresh profile under an X server, opens a picture through a
// second start, grabs the screen and finds the picture at its natural size.
#include <QCoreApplication>
#include <QGuiApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>
#include <QThread>
#include <cstdio>

#include "imaging/formats/LoadSave.h"
#include "imaging/formats/Registry.h"

namespace {

// Top-left corner of a w x h block whose left half is red and right half blue; (-1, -1) if none.
QPoint FindPicture(const QImage& shot, int w, int h) {
  for (int y = 0; y + h <= shot.height(); ++y)
    for (int x = 0; x + w <= shot.width(); ++x) {
      if (shot.pixel(x, y) != qRgb(255, 0, 0)) continue;
      bool ok = shot.pixel(x + w / 2, y) == qRgb(0, 0, 255) &&
                shot.pixel(x + w - 1, y + h - 1) == qRgb(0, 0, 255) &&
                shot.pixel(x, y + h - 1) == qRgb(255, 0, 0);
      // Natural size: the colours end exactly at the picture's edges.
      ok = ok && (x + w >= shot.width() || shot.pixel(x + w, y) != qRgb(0, 0, 255)) &&
           (y + h >= shot.height() || shot.pixel(x, y + h) != qRgb(255, 0, 0)) &&
           (x == 0 || shot.pixel(x - 1, y) != qRgb(255, 0, 0)) &&
           shot.pixel(x + w / 2 - 1, y) == qRgb(255, 0, 0);
      if (ok) return QPoint(x, y);
    }
  return QPoint(-1, -1);
}

int Fail(const char* what) {
  std::fprintf(stderr, "browser_on_screen: %s\n", what);
  std::printf("0 passed, 1 failed\n");
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 2) return Fail("usage: browser_on_screen path/to/lumivex");
  QTemporaryDir home, pictures;
  TPixelGraphic g;
  g.SetSize(160, 120, pf24Bit);
  for (int y = 0; y < 120; ++y)
    for (int x = 0; x < 160; ++x) g.SetPixel(x, y, x < 80 ? RGBColor(255, 0, 0) : RGBColor(0, 0, 255));
  const QString picture = pictures.filePath("halves.bmp");
  SaveToFile(g, picture.toStdString());

  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("XDG_CONFIG_HOME", home.filePath("config"));
  env.insert("XDG_DATA_HOME", home.filePath("data"));
  QDir().mkpath(home.filePath("runtime"));
  QFile::setPermissions(home.filePath("runtime"), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ExeOwner);
  env.insert("XDG_RUNTIME_DIR", home.filePath("runtime"));
  QProcess first;
  first.setProcessEnvironment(env);
  first.start(argv[1], {});
  if (!first.waitForStarted(5000)) return Fail("the program did not start");
  QThread::msleep(2500);
  QProcess second;
  second.setProcessEnvironment(env);
  second.start(argv[1], {picture});
  if (!second.waitForFinished(10000) || second.exitCode() != 0)
    return Fail("the second start did not hand over its path and exit");
  QPoint at(-1, -1);
  for (int attempt = 0; attempt < 20 && at.x() < 0; ++attempt) {
    QThread::msleep(500);
    QCoreApplication::processEvents();
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
        QImage::Format_RGB32);
    at = FindPicture(shot, 160, 120);
    if (at.x() < 0 && attempt == 19) shot.save(home.filePath("last.png"));
  }
  first.kill();
  first.waitForFinished(3000);
  if (at.x() < 0) return Fail("the picture was not found on the screen at its natural size");
  std::printf("picture found at %d,%d\n1 passed, 0 failed\n", at.x(), at.y());
  return 0;
}
