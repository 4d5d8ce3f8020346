#include "app/MainWindowHost.h"

#include <QDir>
#include <QFileInfo>

#include "app/HelpSearch.h"
#include "app/MainWindow.h"
#include "controls/FileList.h"

QString TMainWindowHost::CurrentFile() const { return FMain.Files().CurrentFile(); }

QString TMainWindowHost::CurrentFolder() const { return FMain.Folder(); }

QStringList TMainWindowHost::FileMask() const {
  return FMain.Files().Mask().split(';', Qt::SkipEmptyParts);
}

QStringList TMainWindowHost::SelectedFiles() const {
  QStringList paths;
  for (int row : FMain.Files().SelectedRows()) paths << FMain.Files().PathOf(row);
  return paths;
}

void TMainWindowHost::RefreshFolder() { FMain.Refresh(); }

void TMainWindowHost::ShowFile(const QString& path) {
  if (path.isEmpty()) return;  // no file named: the folder stays as it is
  FMain.ShowFileInFolder(path);
}

void TMainWindowHost::ShowImageProperties(const QString& path) { FMain.ShowImageProperties(path); }

void TMainWindowHost::ShowHelpPage(const QString& page) { OpenOnDesktop(&FMain, HelpPage(page)); }
