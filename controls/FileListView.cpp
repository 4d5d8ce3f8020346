#include "controls/FileListView.h"

#include <QApplication>
#include <QDrag>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QMouseEvent>
#include <QUrl>
#include <QTimer>

#include "controls/FileList.h"

TFileListView::TFileListView(QWidget* parent) : QListView(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setUniformItemSizes(true);  // long folders lay out at once
  setEditTriggers(QAbstractItemView::NoEditTriggers);
}

void TFileListView::SetFiles(TFileListModel* files) {
  FFiles = files;
  setModel(files);
  QItemSelectionModel* made = selectionModel();
  setSelectionModel(files->Selection());
  if (made && made != files->Selection()) made->deleteLater();  // the one setModel made
}

void TFileListView::ScrollToPosition() {
  if (!FFiles || FFiles->Position() < 0) return;
  scrollTo(FFiles->index(FFiles->Position()));
}

template <class Base>
void TFileListView::Watch(bool byMouse, Base&& base) {
  const int before = FFiles ? FFiles->Position() : -1;
  const QItemSelection selected = selectionModel() ? selectionModel()->selection() : QItemSelection();
  base();
  if (!OnUserChange || !FFiles) return;
  if (FFiles->Position() != before || selectionModel()->selection() != selected) OnUserChange(before, byMouse);
}

void TFileListView::mousePressEvent(QMouseEvent* event) {
  Watch(true, [&] { QListView::mousePressEvent(event); });
  FPressAt = event->position().toPoint();
  FDragArmed = event->button() == Qt::LeftButton && indexAt(FPressAt).isValid() && CanStartDrag &&
               CanStartDrag();
}

void TFileListView::mouseMoveEvent(QMouseEvent* event) {
  if (FDragArmed && (event->buttons() & Qt::LeftButton) &&
      (event->position().toPoint() - FPressAt).manhattanLength() >=
          QApplication::startDragDistance()) {
    FDragArmed = false;
    StartFileDrag();
    return;
  }
  Watch(true, [&] { QListView::mouseMoveEvent(event); });
}

void TFileListView::mouseReleaseEvent(QMouseEvent* event) {
  FDragArmed = false;
  Watch(true, [&] { QListView::mouseReleaseEvent(event); });
}

QMimeData* TFileListView::SelectedFilesData() const {
  if (!FFiles) return nullptr;
  QList<QUrl> urls;
  for (int row = 0; row < FFiles->Count(); ++row)
    if (FFiles->IsSelected(row)) urls << QUrl::fromLocalFile(FFiles->PathOf(row));
  if (urls.isEmpty()) return nullptr;
  auto* data = new QMimeData;
  data->setUrls(urls);
  return data;
}

void TFileListView::StartFileDrag() {
  QMimeData* data = SelectedFilesData();
  if (!data) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(data);
  drag->exec(Qt::CopyAction, Qt::CopyAction);
}

void TFileListView::keyPressEvent(QKeyEvent* event) {
  Watch(false, [&] { QListView::keyPressEvent(event); });
}

void TFileListView::showEvent(QShowEvent* event) {
  QListView::showEvent(event);
  // The layout is made after the first show; scroll once it exists.
  QTimer::singleShot(0, this, [this] { ScrollToPosition(); });
}
