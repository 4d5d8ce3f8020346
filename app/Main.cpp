// lumivex: the picture browser. A start with paths hands them to a running instance as open
// macros and exits; a start without a path brings a running instance to the front and
// exits; otherwise the program starts and opens the path itself.
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <cstdio>
#include <string>

#include "app/HelpSearch.h"
#include "app/MacroChannel.h"
#include "app/Splash.h"
#include "app/Startup.h"
#include "imaging/formats/Registry.h"
#include "platform/Messages.h"
#include "platform/MetafileFormat.h"

namespace {

// --version and --help answer without a display; true when one was given.
bool AnswerInformationOptions(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--") return false;
    if (arg == "--version") {
      std::printf("lumivex %s\n", LUMIVEX_VERSION);
      return true;
    }
    if (arg == "--help" || arg == "-h") {
      const QCoreApplication core(argc, argv);  // only to find the program's own folder
      std::printf(
          "usage: lumivex [PICTURE...]\n"
          "       lumivex --version | --help\n"
          "\n"
          "The Lumivex picture browser. Given pictures, it shows the last of them; when Lumivex\n"
          "already runs, they go to the running window and this start ends. Without pictures a\n"
          "running window comes to the front.\n"
          "\n"
          "  --version   print the version and end\n"
          "  --help      print this text and end\n"
          "  --          what follows is a picture, also when it begins with \"-\"\n"
          "\n"
          "The user guide: %s/index.html\n",
          HelpFolder().toLocal8Bit().constData());
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (AnswerInformationOptions(argc, argv)) return 0;
  // The GStreamer video backend stalls without a real display; ffmpeg plays reliably.
  if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
  QApplication app(argc, argv);
  QApplication::setApplicationName("Lumivex");
  QApplication::setOrganizationName("Corvane");
  QApplication::setApplicationVersion(LUMIVEX_VERSION);

  // The desktop entry starts the program with the files to open (%F); the last one is shown.
  QString macro;
  QStringList paths;
  for (const QString& arg : QApplication::arguments().mid(1))
    if (arg != QLatin1String("--")) paths << QDir::cleanPath(QDir::current().absoluteFilePath(arg));
  if (!paths.isEmpty()) {
    QString refused;
    macro = OpenRequestFor(paths, &refused);
    if (macro.isEmpty()) {
      ShowError(nullptr, refused + " cannot be opened from the desktop: its name holds a double "
                                   "quote, \"][\" or a line break. Open its folder in Lumivex instead.");
      return 1;
    }
    if (TOpenChannel::SendToRunning(macro)) return 0;
  }

  TMacroQueue queue;
  TOpenChannel channel(queue);
  if (channel.Listen() == TOpenChannel::TListen::AnotherInstance) {
    // Another instance answers: it takes the request (or just comes to the front).
    const bool handed = macro.isEmpty() ? TOpenChannel::ActivateRunning()
                                        : TOpenChannel::SendToRunning(macro);
    if (handed) return 0;
  }
  if (!macro.isEmpty()) queue.Receive(macro);

  try {
    // Message table check, format defaults, the readers and writers in their order, then the
    // readers that append themselves.
    InitFormatLibrary();
    RegisterExtraReaders();  // GIF, icon, WMF, EMF
  } catch (const std::exception& e) {
    ShowError(nullptr, QString::fromStdString(e.what()));
    return 1;
  }

  auto* splash = new TSplash;
  splash->show();
  splash->repaint();

  const std::unique_ptr<TWindows> windows = StartBrowser(queue, &channel);
  return app.exec();
}
