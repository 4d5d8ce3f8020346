#include "controls/FileListView.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QTimer>

#include "controls/FileList.h"

TFileListView::TFileListView(QWidget* parent) : QListView(parent) {
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setUniformItemSizes(true);  // long folders lay out at once
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  // Selected entries can be dragged out to a file manager or another program; a press on an
  // entry not yet selected still drags a selection over the list (see mousePressEvent).
  setDragDropMode(QAbstractItemView::DragOnly);
  setDefaultDropAction(Qt::CopyAction);
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
  const QModelIndex at = indexAt(event->position().toPoint());
  setDragEnabled(at.isValid() && selectionModel() && selectionModel()->isSelected(at));
  Watch(true, [&] { QListView::mousePressEvent(event); });
}

void TFileListView::mouseMoveEvent(QMouseEvent* event) {
  Watch(true, [&] { QListView::mouseMoveEvent(event); });
}

void TFileListView::mouseReleaseEvent(QMouseEvent* event) {
  Watch(true, [&] { QListView::mouseReleaseEvent(event); });
}

void TFileListView::keyPressEvent(QKeyEvent* event) {
  Watch(false, [&] { QListView::keyPressEvent(event); });
}

void TFileListView::showEvent(QShowEvent* event) {
  QListView::showEvent(event);
  // The layout is made after the first show; scroll once it exists.
  QTimer::singleShot(0, this, [this] { ScrollToPosition(); });
}
