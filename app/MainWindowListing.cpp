// The main window: a folder chosen in the folder tree or the drive box is listed on a
// background job, so that a folder of any length leaves the window free; the list and the
// count follow once the names are in.
#include <QDir>
#include <QLabel>

#include "app/MainWindow.h"
#include "controls/FolderListing.h"
#include "controls/FolderTree.h"
#include "view/Preloader.h"

void TForm1::BrowseFolder(const QString& folder) {
  const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
  if (!QDir(clean).exists()) return;
  FPreloader->Cancel();
  FFiles.SetFolderListed(clean, {});  // empty while the names are read
  SetDriveFromFolder(clean);
  FFolders->SetFolder(clean);
  FStatus[0]->setText("Reading...");
  FLister->Start(clean, FFiles.NameMask(), [this](const QString& listed, const QStringList& names) {
    FFiles.SetFolderListed(listed, names);
    FolderChanged();
  });
}

bool TForm1::ListingFolder() const { return FLister->Busy(); }
