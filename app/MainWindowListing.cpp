// The main window: listing a folder. A short folder is listed on the spot; a long one is read
// on a background job and its names join the list in batches, so that a folder of any length
// leaves the window free. What a command wants once the names are in (an entry made current
// and shown, a step after a deletion) waits for its entry to arrive.
#include <QDir>
#include <QFileInfo>
#include <QLabel>

#include "app/MainWindow.h"
#include "controls/FileListView.h"
#include "controls/FolderListing.h"
#include "controls/FolderTree.h"
#include "view/Preloader.h"

void TForm1::SetFolder(const QString& folder) { BrowseFolder(folder); }

void TForm1::BrowseFolder(const QString& folder) {
  const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
  if (!QDir(clean).exists()) return;
  SetDriveFromFolder(clean);
  FFolders->SetFolder(clean);
  ListFolder(clean, {});
}

void TForm1::ListFolder(const QString& folder, TListingFollowUp followUp) {
  FPreloader->Cancel();
  FFollowUp = std::move(followUp);
  FFollowUpMet = false;
  FFiles.BeginListing(folder);
  FStatus[0]->setText("Reading...");
  FLister->List(folder, FFiles.NameMask(), [this](const QStringList& names) { ListedBatch(names); },
                [this] { ListingDone(); });
}

void TForm1::ListedBatch(const QStringList& names) {
  const int first = FFiles.Count();
  FFiles.AppendListed(names);
  if (FFollowUpMet || FFollowUp.Select.isEmpty()) return;
  const qsizetype at = names.indexOf(FFollowUp.Select);
  if (at >= 0) MeetFollowUp(first + static_cast<int>(at));
}

void TForm1::ListingDone() {
  // Without an exact match, a name that differs only in case.
  if (!FFollowUpMet && !FFollowUp.Select.isEmpty()) {
    const int at = FFiles.Find(FFollowUp.Select);
    if (at >= 0) MeetFollowUp(at);
  }
  FolderChanged();
  if (!FShownFile.isEmpty() && FFiles.CurrentFile() == FShownFile) PreloadNeighbours();
  TListingFollowUp followUp = std::move(FFollowUp);
  FFollowUp = {};
  if (followUp.Done) followUp.Done(FFollowUpMet);
}

void TForm1::MeetFollowUp(int at) {
  FFollowUpMet = true;
  FFiles.ClearSelection();
  FFiles.MakeCurrent(at);
  if (FFollowUp.Show || FFollowUp.Scroll) FFileList->ScrollToPosition();
  if (FFollowUp.Show) ShowFile(FFiles.PathOf(at));
}

void TForm1::TakeFollowUp(TListingFollowUp followUp) {
  FFollowUp = std::move(followUp);
  FFollowUpMet = false;
  if (FLister->Busy()) {
    const qsizetype at = FFiles.Names().indexOf(FFollowUp.Select);
    if (at >= 0) MeetFollowUp(static_cast<int>(at));
    return;
  }
  const int at = FFiles.Find(FFollowUp.Select);
  if (at >= 0) MeetFollowUp(at);
  TListingFollowUp now = std::move(FFollowUp);
  FFollowUp = {};
  if (now.Done) now.Done(FFollowUpMet);
}

bool TForm1::ListingFolder() const { return FLister->Busy(); }
