// The explorer's thumbnail build: started for the list's files, visible items first, progress
// in the status bar and the progress bar, Esc to stop.
#include <QApplication>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QTimer>

#include "thumbs/ThumbBuilder.h"
#include "thumbs/ThumbListModel.h"
#include "thumbs/ThumbnailsWindow.h"

void TfrmThumbnails::BuildThumbnails() {
  FBuilder->Stop();
  FModel->ClearThumbnails();
  FLastBuiltFolder = FFolder;
  ++FBuildsStarted;
  QStringList names;
  for (int row = 0; row < FModel->rowCount(); ++row) names << FModel->NameOf(row);
  FPanels[1]->setText("Press ESC to cancel...");
  FPanels[2]->clear();
  FProgress->setRange(0, std::max(1, static_cast<int>(names.size())));
  FProgress->setValue(0);
  ShowProgress(true);
  FIcons->viewport()->setCursor(Qt::BusyCursor);
  if (FLoadMode == lmFastLoad) FRepaintTimer->start();
  FBuilder->Start(FFolder, names, FThumbSize, kListColor);
  PrioritizeVisible();
}

void TfrmThumbnails::BuildProgress(int done, int total, const QString& name) {
  FProgress->setValue(done);
  FPanels[2]->setText(QString("%1 of %2 (%3)").arg(done).arg(total).arg(name));
}

void TfrmThumbnails::BuildFinished() {
  FRepaintTimer->stop();
  FModel->NotifyThumbnails();
  ShowProgress(false);
  FIcons->viewport()->unsetCursor();
  FPanels[1]->setText("Thumbnails loaded");
}

void TfrmThumbnails::StopBuild() {
  const bool wasRunning = FBuilder->Running();
  FBuilder->Stop();
  if (!wasRunning) return;
  FRepaintTimer->stop();
  FModel->NotifyThumbnails();
  ShowProgress(false);
  FIcons->viewport()->unsetCursor();
  FPanels[1]->setText("Stopped by user!");
}

// The items in view, top to bottom, then the next screenful: built before the rest.
void TfrmThumbnails::PrioritizeVisible() {
  if (!FBuilder->Running() || FView != vThumbnails) return;
  const QRect area = FIcons->viewport()->rect();
  QModelIndex first = FIcons->indexAt(QPoint(4, 4));
  if (!first.isValid()) first = FModel->index(0, 0);
  QStringList names;
  const QRect ahead = area.translated(0, area.height());
  for (int row = std::max(0, first.row()); row < FModel->rowCount(); ++row) {
    const QRect r = FIcons->visualRect(FModel->index(row, 0));
    if (!r.intersects(area) && !r.intersects(ahead)) {
      if (r.top() > ahead.bottom()) break;
      continue;
    }
    const QString name = FModel->NameOf(row);
    if (!FModel->HasThumbnail(name)) names << name;
  }
  FBuilder->Prioritize(names);
}
