// The main window: drives, folders and the file list.
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include "app/MainWindow.h"
#include "app/Windows.h"
#include "mover/SelectFiles.h"
#include "controls/FileListView.h"
#include "controls/FolderListing.h"
#include "controls/FolderTree.h"
#include "files/Preferences.h"
#include "platform/Settings.h"
#include "view/Preloader.h"

void TForm1::SetDriveFromFolder(const QString& folder) {
  QString best = "/";
  for (int i = 0; i < FDrives->count(); ++i) {
    const QString root = FDrives->itemText(i);
    if ((folder == root || folder.startsWith(root.endsWith('/') ? root : root + '/')) &&
        root.size() > best.size())
      best = root;
  }
  FDrives->setCurrentText(best);
}

void TForm1::FolderChanged() {
  FPreloader->Cancel();
  ShowFileCount();
  FSlideshow->FolderChanged();
  TellMoveTool();
}

void TForm1::TellMoveTool() {
  if (auto* mover = FWindows.Find<TfSelectFiles>(); mover && mover->isVisible())
    mover->DestinationChanged();
}

// A click, drag or key in the file list changed the selection or the position: the entry
// the user made current is displayed when it is selected and the position moved, or when a
// click selected an entry that is not on display (the first click on the first entry of a
// fresh folder, where the position already rests).
void TForm1::FileListUserChange(int positionBefore, bool byMouse) {
  if (FFiles.CurrentIndex() < 0) return;
  const QString current = FFiles.CurrentFile();
  if (FFiles.Position() != positionBefore || (byMouse && current != FShownFile)) ShowFile(current);
}

void TForm1::ApplyFileTypeMask() {
  const QString mask = FileTypeMask(ReadSetting("FileTypes", kAllFileTypes));
  if (mask == FFiles.Mask()) return;  // the list was read with these types
  FFiles.ChangeMask(mask);
  Refresh();
}

void TForm1::Refresh() {
  TListingFollowUp followUp;
  if (FFiles.AnySelected()) followUp.Select = FFiles.Names().value(FFiles.Position());
  ListFolder(FFiles.Folder(), std::move(followUp));
}

void TForm1::OpenFromShell(const QString& path) {
  const QFileInfo info(path);
  // "lumivex ~/Pictures" or a folder dropped on the desktop entry: browse that folder itself.
  if (info.isDir()) {
    SetFolder(info.absoluteFilePath());
    return;
  }
  if (!info.dir().exists()) return;
  SetFolder(info.absolutePath());
  TListingFollowUp followUp{info.fileName(), true, true, nullptr};
  followUp.Done = [this, info](bool selected) {
    if (!selected && info.isFile() && FileTypeOf(info.fileName().toStdString()) >= 0)
      FStatus[2]->setText(info.fileName() +
                          " is not listed: its file type is switched off in the preferences");
  };
  // The listing under way (or just finished) takes the follow-up.
  TakeFollowUp(std::move(followUp));
}

void TForm1::ShowFileInFolder(const QString& path) {
  const QFileInfo info(path);
  if (QDir::cleanPath(info.absolutePath()) != Folder()) SetFolder(info.absolutePath());
  TakeFollowUp({info.fileName(), true, false, nullptr});
}
