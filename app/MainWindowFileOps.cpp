// The main window's file commands: files dropped from the desktop, delete, rename,
// attributes, add and delete folder. The file routines do the work; this only asks, reports
// and puts the list right afterwards.
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QUrl>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "controls/FileListView.h"
#include "controls/FolderTree.h"
#include "dialogs/FileDialogs.h"
#include "files/DeleteRules.h"
#include "files/DropMove.h"
#include "files/FileOps.h"
#include "platform/Messages.h"
#include "platform/Trash.h"
#include "platform/BusyCursor.h"

namespace {

QStringList LocalFiles(const QMimeData* data) {
  QStringList paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  return paths;
}

}  // namespace

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty() && event->source() == nullptr)
    event->acceptProposedAction();
}

void TForm1::dragMoveEvent(QDragMoveEvent* event) {
  if (!LocalFiles(event->mimeData()).isEmpty() && event->source() == nullptr)
    event->acceptProposedAction();
}

void TForm1::dropEvent(QDropEvent* event) {
  const QStringList paths = LocalFiles(event->mimeData());
  if (paths.isEmpty()) return;
  event->acceptProposedAction();
  MoveDroppedFiles(paths);
}

void TForm1::MoveDroppedFiles(const QStringList& paths) {
  std::string remembered;
  {
    const TBusyCursor busy;
    if (FFiles.CurrentIndex() >= 0) remembered = FFiles.Names()[FFiles.CurrentIndex()].toStdString();
    std::vector<std::string> sources;
    for (const QString& p : paths) sources.push_back(p.toStdString());
    remembered = ::MoveDroppedFiles(FFiles.Folder().toStdString(), sources, remembered,
                                    [this](const std::string& text) {
                                      ShowError(this, QString::fromStdString(text));
                                    });
  }
  ListFolder(FFiles.Folder(), {QString::fromStdString(remembered), true, true, nullptr});
}

void TForm1::DeleteFiles() {
  if (FFiles.CurrentIndex() < 0) {
    ShowMessage(this, "You need to click on a file name first");
    return;
  }
  const QList<int> rows = FFiles.SelectedRows();
  if (FSettings.ConfirmDeletions &&
      !AskYesNo(this, QString::fromStdString(DeleteQuestion(
                          FFiles.CurrentFile().toStdString(), static_cast<int>(rows.size())))))
    return;
  const int position = FFiles.Position();
  {
    const TBusyCursor busy;
    for (int row : rows) {
      const QString path = FFiles.PathOf(row);
      if (FSettings.DeletePermanently) {
        DeleteFilePermanently(path.toStdString());  // a failure is not reported
      } else if (!RecycleFile(path.toStdString())) {
        ShowError(this, "Error moving " + path + " to recycle bin");
      }
    }
  }
  TListingFollowUp followUp;
  followUp.Done = [this, position](bool) { ShowEntryAfterDelete(position); };
  ListFolder(FFiles.Folder(), std::move(followUp));
}

void TForm1::ShowEntryAfterDelete(int position) {
  if (FFiles.Count() == 0) {
    HideDisplays();
    FShownFile.clear();
    FStatus[2]->clear();
    return;
  }
  const int next = EntryAfterDelete(position, FFiles.Count());
  if (next < 0) return;
  FFiles.MakeCurrent(next);
  FFileList->ScrollToPosition();
  ShowFile(FFiles.PathOf(next));
}

void TForm1::RenameFile() {
  if (FFiles.SelectedRows().size() > 1) {
    ShowMessage(this, "You must select a single file for this function");
    return;
  }
  if (FFiles.CurrentIndex() < 0) {
    ShowMessage(this, "You must click on a file");
    return;
  }
  auto& dialog = FWindows.Get<TfRename>();
  const QString oldPath = FFiles.CurrentFile();
  if (!dialog.Run(this, FFiles.Folder(), FFiles.Names()[FFiles.CurrentIndex()])) return;
  // The picture on display keeps showing under its new name; a name renamed out of the
  // enabled types never arrives.
  ListFolder(FFiles.Folder(), {dialog.NewName()->text(), oldPath == FShownFile, true, nullptr});
}

void TForm1::FileAttributes() {
  if (FFiles.CurrentIndex() < 0) {
    ShowMessage(this, "You must click on a file");
    return;
  }
  FWindows.Get<TFileAttrForm>().Run(this, FFiles.Folder(), FFiles.Names()[FFiles.CurrentIndex()]);
}

void TForm1::AddFolderCommand() {
  const QString made = FWindows.Get<TfDirAdd>().Run(this, FFiles.Folder());
  if (!made.isEmpty()) SetFolder(made);
}

void TForm1::DeleteFolderCommand() {
  const QString folder = FFiles.Folder();
  if (!AskYesNo(this, "Delete folder " + folder + "?", /*confirmation=*/true)) return;
  // The list leaves the folder for the root of its volume whatever happens next.
  SetFolder(FDrives->currentText());
  if (!RemoveEmptyFolder(folder.toStdString())) ShowWarning(this, "Cannot remove directory");
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FFileList && event->type() == QEvent::KeyRelease &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete &&
      !static_cast<QKeyEvent*>(event)->isAutoRepeat()) {
    DeleteFiles();
    return true;
  }
  if (watched == FPane && event->type() == QEvent::Resize && FFiles.CurrentIndex() >= 0 &&
      !FDisplayKind.isNull())
    FitToPane();
  return QMainWindow::eventFilter(watched, event);
}
