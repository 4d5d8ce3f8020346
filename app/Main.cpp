// lumivex: the picture browser. A start with a path hands it to a running instance as an
// open macro and exits; otherwise the program starts and opens the path itself.
#include <QApplication>
#include <QDir>
#include <QTimer>

#include "app/MacroChannel.h"
#include "app/MainWindow.h"
#include "platform/Messages.h"
#include "app/Splash.h"
#include "platform/MetafileFormat.h"
#include "imaging/formats/Registry.h"

int main(int argc, char** argv) {
  // The GStreamer video backend stalls without a real display; ffmpeg plays reliably.
  if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND")) qputenv("QT_MEDIA_BACKEND", "ffmpeg");
  QApplication app(argc, argv);
  QApplication::setApplicationName("Lumivex");
  QApplication::setOrganizationName("Corvane");
  QApplication::setApplicationVersion(LUMIVEX_VERSION);

  QString macro;
  const QStringList args = QApplication::arguments();
  if (args.size() > 1) {
    const QString path = QDir::cleanPath(QDir::current().absoluteFilePath(args[1]));
    macro = QStringLiteral("[Open(\"%1\")]").arg(path);
    if (TOpenChannel::SendToRunning(macro)) return 0;
  }

  TMacroQueue queue;
  TOpenChannel channel(queue);
  channel.Listen();
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

  TForm1 window;
  queue.RegisterHandler([&window](const QStringList& macros) { window.HandleMacros(macros); });
  window.show();
  return app.exec();
}
