#include "app/Slideshow.h"

#include <algorithm>

#include "controls/FileList.h"

TSlideshow::TSlideshow(TSlideshowHost host) : FHost(std::move(host)) {
  FTimer.setInterval(FSeconds * 1000);
  QObject::connect(&FTimer, &QTimer::timeout, [this] { Tick(); });
}

void TSlideshow::SetSeconds(int seconds) {
  FSeconds = std::clamp(seconds, 1, 60);
  FTimer.setInterval(FSeconds * 1000);
}

void TSlideshow::ButtonClick(bool down) {
  TFileListModel& files = FHost.Files();
  if (files.Count() == 0) {
    FHost.SetButtonDown(false);
    FTimer.stop();
    FHost.SetBookmarksEnabled(true);
    FHost.Message(QStringLiteral("You must select a directory with files to run a Lumivex"));
    return;
  }
  bool startedOver = false;
  if (!files.AnySelected()) {
    files.MakeCurrent(0);
    FHost.ShowFile(files.PathOf(0));
    startedOver = true;
  }
  // Setting the interval of a running timer starts its wait over: only a changed interval
  // or a new first file does that, so that merely activating the window keeps the count.
  if (FTimer.interval() != FSeconds * 1000) FTimer.setInterval(FSeconds * 1000);
  if (!down)
    FTimer.stop();
  else if (startedOver || !FTimer.isActive())
    FTimer.start();
  FHost.SetBookmarksEnabled(!down);
}

void TSlideshow::FolderChanged() {
  if (FTimer.isActive()) ButtonClick(true);
}

void TSlideshow::Stop() { FTimer.stop(); }

void TSlideshow::Tick() {
  // A tick never runs inside another operation (for example inside a confirmation dialog,
  // where moving the selection would change what the dialog acts on).
  if (FHost.Busy && FHost.Busy()) return;
  NextImage();
}

void TSlideshow::NextImage() {
  TFileListModel& files = FHost.Files();
  if (!files.StepNext()) return;
  FHost.ShowFile(files.CurrentFile());
}

void TSlideshow::PreviousImage() {
  TFileListModel& files = FHost.Files();
  if (!files.StepPrevious()) return;
  FHost.ShowFile(files.CurrentFile());
}
