// The slideshow: steps through the folder's files on a timer, wrapping around.
#pragma once

#include <QTimer>
#include <functional>

class TFileListModel;

struct TSlideshowHost {
  std::function<TFileListModel&()> Files;
  std::function<void(const QString& path)> ShowFile;
  std::function<void(const QString& text)> Message;
  std::function<void(bool on)> SetButtonDown;
  std::function<void(bool on)> SetBookmarksEnabled;
  // True while another operation of the window is under way (a dialog, a file command):
  // ticks then wait for the next interval.
  std::function<bool()> Busy;
};

class TSlideshow {
 public:
  explicit TSlideshow(TSlideshowHost host);

  int Seconds() const { return FSeconds; }
  // The arrows: 1..60 without wrapping; the interval changes at once.
  void SetSeconds(int seconds);
  bool Running() const { return FTimer.isActive(); }
  // The toggle was pressed (its down state already changed), or a folder change restarts it.
  void ButtonClick(bool down);
  // Folder, drive or activation change: restarts a running show.
  void FolderChanged();
  void Stop();
  void NextImage();
  void PreviousImage();
  QTimer& Timer() { return FTimer; }
  // What a timer tick does: the next image, unless the window is busy.
  void Tick();

 private:

  TSlideshowHost FHost;
  QTimer FTimer;
  int FSeconds = 4;
};
