#include "app/Windows.h"

#include "app/AboutBox.h"
#include "app/BookmarkEditor.h"
#include "app/HelpSearch.h"
#include "app/MainWindow.h"

TWindows::TWindows() { CreateAll(); }

TWindows::~TWindows() {
  // Tool windows hold the main window's host: they go first, in the reverse order.
  while (!FWindows.empty()) FWindows.pop_back();
  FMain.reset();
}

TToolHost& TWindows::Host() const { return FMain->Host(); }

// The order of creation. The main window comes first; add new windows at the end.
void TWindows::CreateAll() {
  FMain = std::make_unique<TForm1>(*this);
  Create<TfBMEdit>();
  Create<TfHelpSearch>();
  Create<TfAbout>();
}

void TWindows::CloseAllButMain() {
  for (const auto& w : FWindows)
    if (w->isVisible()) w->close();
}
