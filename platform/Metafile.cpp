#include "platform/MetafileRenderQt.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <sys/stat.h>
#include <unistd.h>

#include "imaging/formats/ExtraReaders.h"
#include "platform/MetafileFormat.h"
#include "platform/MetafilePlayer.h"

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

bool RenderMetafileWithQt(const TMetafileData& data, std::uint32_t* pixels, int width,
                          int height, std::string* /*error*/) {
  EnsureMetafileGuiApplication();
  // Raster operations need a 32-bit surface; this one is the caller's own memory.
  QImage surface(reinterpret_cast<uchar*>(pixels), width, height,
                 static_cast<qsizetype>(width) * 4, QImage::Format_RGB32);
  QPainter painter(&surface);
  TMetafilePlayer player(painter, data, width, height);
  player.Play();
  return true;
}

void RegisterExtraReaders() {
  SetMetafileRenderer(RenderMetafileWithQt);
  RegisterGIFAndIconReaders();
  RegisterMetafileReaders();
}
