// TFolderWatch: the folder change notifier of the move tool. It watches one folder (not its
// subfolders) while enabled and reports changes on the user-interface thread through a queued
// call, several changes that come together as one; the handler never runs inside the call
// that noticed the change, so it cannot block or re-enter the watcher.
#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QFileSystemWatcher;

class TFolderWatch : public QObject {
 public:
  explicit TFolderWatch(QObject* parent = nullptr);
  // Changing the folder or the flag stops the watch and starts a new one when still enabled
  // with a folder. False (with `error`) when the folder cannot be watched.
  bool SetFolder(const QString& folder, QString* error = nullptr);
  QString Folder() const { return FFolder; }
  bool SetEnabled(bool enabled, QString* error = nullptr);
  bool Enabled() const { return FEnabled; }
  bool Watching() const;

  std::function<void()> OnChange;

 private:
  bool Restart(QString* error);
  void Changed();

  QFileSystemWatcher* FWatcher = nullptr;
  QString FFolder;
  bool FEnabled = false;
  bool FPending = false;  // a hand-over is queued and has not run yet
};
