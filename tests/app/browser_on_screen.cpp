// Starts the real program on a fresh profile under an X server and finds the pictures it was
// asked to show on the screen, at their natural size.
//   browser_on_screen LUMIVEX start-with-path: the first start is given a picture far down a
//     long folder;
//   browser_on_screen LUMIVEX hand-over: a second start with a path hands it over; a start
//     without a path leaves the running instance in charge and exits; a later path still
//     reaches the first window.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
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

struct THalves {
  QRgb Left, Right;
};

// Top-left corner of a w x h block whose left half is one colour and right half the other,
// ending exactly at its edges; (-1, -1) if none.
QPoint FindPicture(const QImage& shot, int w, int h, THalves c) {
  for (int y = 0; y + h <= shot.height(); ++y)
    for (int x = 0; x + w <= shot.width(); ++x) {
      if (shot.pixel(x, y) != c.Left) continue;
      bool ok = shot.pixel(x + w / 2, y) == c.Right && shot.pixel(x + w - 1, y + h - 1) == c.Right &&
                shot.pixel(x, y + h - 1) == c.Left;
      ok = ok && (x + w >= shot.width() || shot.pixel(x + w, y) != c.Right) &&
           (y + h >= shot.height() || shot.pixel(x, y + h) != c.Left) &&
           (x == 0 || shot.pixel(x - 1, y) != c.Left) && shot.pixel(x + w / 2 - 1, y) == c.Left;
      if (ok) return QPoint(x, y);
    }
  return QPoint(-1, -1);
}

void SaveHalves(const QString& path, int w, int h, THalves c) {
  TPixelGraphic g;
  g.SetSize(w, h, pf24Bit);
  auto rgb = [](QRgb q) { return RGBColor(qRed(q), qGreen(q), qBlue(q)); };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g.SetPixel(x, y, x < w / 2 ? rgb(c.Left) : rgb(c.Right));
  SaveToFile(g, path.toStdString());
}

int Fail(const char* what, const QString& shotPath = QString()) {
  std::fprintf(stderr, "browser_on_screen: %s\n", what);
  if (!shotPath.isEmpty()) std::fprintf(stderr, "last screen: %s\n", qPrintable(shotPath));
  std::printf("0 passed, 1 failed\n");
  return 1;
}

class TSession {
 public:
  explicit TSession(const QString& program) : FProgram(program) {
    FEnv = QProcessEnvironment::systemEnvironment();
    FEnv.insert("XDG_CONFIG_HOME", FHome.filePath("config"));
    FEnv.insert("XDG_DATA_HOME", FHome.filePath("data"));
    QDir().mkpath(FHome.filePath("runtime"));
    QFile::setPermissions(FHome.filePath("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    FEnv.insert("XDG_RUNTIME_DIR", FHome.filePath("runtime"));
    FHome.setAutoRemove(qEnvironmentVariableIsEmpty("LUMIVEX_KEEP_SHOTS"));
  }
  ~TSession() {
    for (QProcess* p : FRunning) {
      p->kill();
      p->waitForFinished(3000);
      delete p;
    }
  }
  // Starts an instance that keeps running.
  bool StartInstance(const QStringList& args) {
    auto* p = new QProcess;
    p->setProcessEnvironment(FEnv);
    p->start(FProgram, args);
    FRunning << p;
    return p->waitForStarted(5000);
  }
  // Starts the program and expects it to hand over and exit at once.
  bool HandOver(const QStringList& args) {
    QProcess p;
    p.setProcessEnvironment(FEnv);
    p.start(FProgram, args);
    const bool done = p.waitForFinished(10000) && p.exitStatus() == QProcess::NormalExit &&
                      p.exitCode() == 0;
    if (!done) {
      p.kill();
      p.waitForFinished(3000);
    }
    return done;
  }
  // Looks for the picture on the screen for up to ten seconds.
  bool Shows(int w, int h, THalves c) {
    for (int attempt = 0; attempt < 20; ++attempt) {
      QThread::msleep(500);
      QCoreApplication::processEvents();
      const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage().convertToFormat(
          QImage::Format_RGB32);
      FLastShot = FHome.filePath(QStringLiteral("screen-%1.png").arg(++FShots));
      shot.save(FLastShot);
      if (FindPicture(shot, w, h, c).x() >= 0) return true;
    }
    return false;
  }
  QString LastShot() const { return FLastShot; }

 private:
  QString FProgram;
  QTemporaryDir FHome;
  QProcessEnvironment FEnv;
  QList<QProcess*> FRunning;
  QString FLastShot;
  int FShots = 0;
};

const THalves kRedBlue{qRgb(255, 0, 0), qRgb(0, 0, 255)};
const THalves kGreenYellow{qRgb(0, 255, 0), qRgb(255, 255, 0)};

int StartWithPath(TSession& session, QTemporaryDir& pictures) {
  // The picture comes last in a folder of 80: it must be found, shown and scrolled to.
  for (int i = 0; i < 80; ++i)
    SaveHalves(pictures.filePath(QStringLiteral("a%1.bmp").arg(i, 2, 10, QLatin1Char('0'))), 6, 4,
               {qRgb(i, 9, 9), qRgb(9, i, 9)});
  const QString picture = pictures.filePath("zz-halves.bmp");
  SaveHalves(picture, 160, 120, kRedBlue);
  if (!session.StartInstance({picture})) return Fail("the program did not start");
  if (!session.Shows(160, 120, kRedBlue))
    return Fail("the picture given at start was not shown", session.LastShot());
  std::printf("picture given at start shown\n1 passed, 0 failed\n");
  return 0;
}

int HandOver(TSession& session, QTemporaryDir& pictures) {
  const QString first = pictures.filePath("halves.bmp");
  const QString second = pictures.filePath("other.bmp");
  SaveHalves(first, 160, 120, kRedBlue);
  SaveHalves(second, 150, 100, kGreenYellow);
  if (!session.StartInstance({})) return Fail("the program did not start");
  QThread::msleep(2500);
  if (!session.HandOver({first})) return Fail("the second start did not hand over its path and exit");
  if (!session.Shows(160, 120, kRedBlue)) return Fail("the handed-over picture was not shown", session.LastShot());
  if (!session.HandOver({}))
    return Fail("a start without a path did not leave the running instance in charge and exit");
  if (!session.HandOver({second}))
    return Fail("a later start could not hand its path to the first instance");
  if (!session.Shows(150, 100, kGreenYellow))
    return Fail("the first window no longer receives paths", session.LastShot());
  std::printf("hand-over, start without a path, later hand-over\n1 passed, 0 failed\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  if (argc < 3) return Fail("usage: browser_on_screen path/to/lumivex start-with-path|hand-over");
  InitFormatLibrary();
  TSession session(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir pictures;
  const QByteArray scenario = argv[2];
  if (scenario == "start-with-path") return StartWithPath(session, pictures);
  if (scenario == "hand-over") return HandOver(session, pictures);
  return Fail("unknown scenario");
}
