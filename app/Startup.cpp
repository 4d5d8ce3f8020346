#include "app/Startup.h"

#include <QTimer>

#include "app/MacroChannel.h"
#include "app/MainWindow.h"

std::unique_ptr<TWindows> StartBrowser(TMacroQueue& queue, TOpenChannel* channel) {
  auto windows = std::make_unique<TWindows>();
  TForm1& main = windows->Main();
  if (channel) channel->OnActivate = [&main] { main.BringToFront(); };
  main.show();
  // Requests that arrived before are handled once the window is laid out, so that a picture
  // given at start is measured against the real pane (and shown at its natural size when it
  // fits), selected and scrolled into view.
  QTimer::singleShot(0, &main, [&queue, &main] {
    queue.RegisterHandler([&main](const QStringList& macros) { main.HandleMacros(macros); });
  });
  return windows;
}
