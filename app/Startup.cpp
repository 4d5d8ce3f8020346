#include "app/Startup.h"

#include "app/MacroChannel.h"
#include "app/MainWindow.h"

std::unique_ptr<TWindows> StartBrowser(TMacroQueue& queue, TOpenChannel* channel) {
  auto windows = std::make_unique<TWindows>();
  TForm1& main = windows->Main();
  queue.RegisterHandler([&main](const QStringList& macros) { main.HandleMacros(macros); });
  if (channel) channel->OnActivate = [&main] { main.BringToFront(); };
  main.show();
  return windows;
}
