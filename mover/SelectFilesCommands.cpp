// The move tool's file commands: move and copy into the main window's folder, delete,
// rename, attributes, image properties and the folder commands, on its own lists.
#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>

#include "controls/FileListView.h"
#include "controls/FolderTree.h"
#include "controls/ToolHost.h"
#include "dialogs/FileDialogs.h"
#include "files/DeleteRules.h"
#include "files/FileOps.h"
#include "files/Preferences.h"
#include "mover/SelectFiles.h"
#include "mover/core/MoverRules.h"
#include "mover/core/Transfer.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "platform/Trash.h"
#include "platform/BusyCursor.h"

namespace {

TPreferences StoredPreferences() {
  return TPreferences::Read([](const std::string& name, const std::string& fallback) {
    return ReadSetting(QString::fromStdString(name), QString::fromStdString(fallback)).toStdString();
  });
}

}  // namespace

bool TfSelectFiles::MainShowsSourceFolder() const {
  return QFileInfo(FHost.CurrentFolder()).canonicalFilePath() ==
         QFileInfo(FFiles.Folder()).canonicalFilePath();
}

void TfSelectFiles::AfterListChange() {
  FFiles.Reread();
  TakeSnapshot();
  // A picture moved away or deleted is not left on show.
  if (!FPreviewed.isEmpty() && !QFileInfo::exists(FPreviewed)) ClearPreview();
}

void TfSelectFiles::Transfer(TTransferKind kind) {
  const QString destination = FHost.CurrentFolder();
  const QString current = FHost.CurrentFile();
  const std::string remembered = current.isEmpty() ? "" : QFileInfo(current).fileName().toStdString();
  const QList<int> rows = FFiles.SelectedRows();
  std::vector<std::string> names;
  for (int row : rows) names.push_back(FFiles.Names()[row].toStdString());
  TTransferOutcome outcome;
  {
    TBusyCursor busy;
    outcome = TransferFiles(
        FFiles.Folder().toStdString(), names, destination.toStdString(), kind, remembered,
        [this, &busy](const std::string& message) {
          busy.Release();
          ShowError(this, QString::fromStdString(message));
        },
        [this, &rows](std::size_t i) { FFiles.SetSelected(rows[static_cast<int>(i)], false); });
  }
  FHost.RefreshFolder();
  if (!outcome.LastName.empty())
    FHost.ShowFile(destination + "/" + QString::fromStdString(outcome.LastName));
  AfterListChange();
}

void TfSelectFiles::DeleteFiles() {
  if (FFiles.CurrentIndex() < 0) {
    ShowMessage(this, "You need to click on a file name first");
    return;
  }
  const TPreferences prefs = StoredPreferences();
  const QList<int> rows = FFiles.SelectedRows();
  if (prefs.ConfirmDeletions &&
      !AskYesNo(this, QString::fromStdString(DeleteQuestion(FFiles.CurrentFile().toStdString(),
                                                            static_cast<int>(rows.size())))))
    return;
  {
    TBusyCursor busy;
    QStringList paths;
    for (int row : rows)
      paths << QString::fromStdString(EntryPath(FFiles.Folder().toStdString(), FFiles.Names()[row].toStdString()));
    for (const QString& path : paths) {
      if (prefs.DeletePermanently) {
        if (!DeleteFilePermanently(path.toStdString())) ShowError(this, "error deleting file " + path);
      } else if (!RecycleFile(path.toStdString())) {
        ShowError(this, "Error moving " + path + " to recycle bin");
      }
    }
    AfterListChange();
    FFiles.ClearSelection();
    ClearPreview();
    if (MainShowsSourceFolder()) FHost.RefreshFolder();
  }
}

void TfSelectFiles::RenameFile() {
  if (FFiles.SelectedRows().size() > 1) {
    ShowMessage(this, "You must select a single file for this function");
    return;
  }
  if (FFiles.CurrentIndex() < 0) {
    ShowMessage(this, "You must click on a file");
    return;
  }
  TfRename dialog;
  if (!dialog.Run(this, FFiles.Folder(), FFiles.Names()[FFiles.CurrentIndex()])) return;
  AfterListChange();
  const int at = FFiles.Find(dialog.NewName()->text());
  if (at >= 0) {
    FFiles.MakeCurrent(at);
    FFileList->ScrollToPosition();
  }
  if (MainShowsSourceFolder()) FHost.RefreshFolder();
}

void TfSelectFiles::FileAttributes() {
  if (FFiles.CurrentIndex() < 0) {
    ShowMessage(this, "You must click on a file");
    return;
  }
  TFileAttrForm form;
  form.Run(this, FFiles.Folder(), FFiles.Names()[FFiles.CurrentIndex()]);
}

void TfSelectFiles::ImageProperties() {
  if (FFiles.CurrentIndex() < 0) {
    ShowMessage(this, "You must click on a file");
    return;
  }
  FHost.ShowImageProperties(FFiles.CurrentFile());
}

void TfSelectFiles::AddFolderCommand() {
  TfDirAdd dialog;
  const QString made = dialog.Run(this, FFiles.Folder());
  if (!made.isEmpty()) SetSourceFolder(made);
}

void TfSelectFiles::DeleteFolderCommand() {
  const QString folder = FFiles.Folder();
  if (!AskYesNo(this, "Delete folder " + folder + "?", /*confirmation=*/true)) return;
  const QString parent = QFileInfo(folder).absolutePath();
  if (!RemoveEmptyFolder(folder.toStdString())) {
    ShowWarning(this, "Cannot remove directory");
    return;
  }
  SetSourceFolder(parent);
}
