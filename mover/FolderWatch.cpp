#include "mover/FolderWatch.h"

#include <QDir>
#include <QFileSystemWatcher>
#include <QMetaObject>

TFolderWatch::TFolderWatch(QObject* parent) : QObject(parent) {}

bool TFolderWatch::SetFolder(const QString& folder, QString* error) {
  FFolder = folder;
  return Restart(error);
}

bool TFolderWatch::SetEnabled(bool enabled, QString* error) {
  FEnabled = enabled;
  return Restart(error);
}

bool TFolderWatch::Watching() const { return FWatcher && !FWatcher->directories().isEmpty(); }

bool TFolderWatch::Restart(QString* error) {
  delete FWatcher;
  FWatcher = nullptr;
  if (!FEnabled || FFolder.isEmpty()) return true;
  if (!QDir(FFolder).exists()) {
    if (error) *error = "Cannot watch " + FFolder + ": the folder does not exist";
    return false;
  }
  FWatcher = new QFileSystemWatcher(this);
  if (!FWatcher->addPath(FFolder)) {
    if (error) *error = "Cannot watch " + FFolder + ": the system refused to watch it";
    delete FWatcher;
    FWatcher = nullptr;
    return false;
  }
  connect(FWatcher, &QFileSystemWatcher::directoryChanged, this, [this] { Changed(); });
  return true;
}

void TFolderWatch::Changed() {
  if (FPending) return;
  FPending = true;
  QMetaObject::invokeMethod(
      this,
      [this] {
        FPending = false;
        if (FEnabled && OnChange) OnChange();
      },
      Qt::QueuedConnection);
}
