#include "albums/AlbumList.h"

#include <QDragEnterEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

TAlbumList::TAlbumList(QWidget* parent) : QTreeWidget(parent) {
  setObjectName(QStringLiteral("LVAlbum"));
  setColumnCount(2);
  setHeaderLabels({QStringLiteral("Filename"), QStringLiteral("Caption")});
  header()->resizeSection(0, 220);
  header()->resizeSection(1, 240);
  header()->setStretchLastSection(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setTextElideMode(Qt::ElideLeft);  // the file name at the end of a long path stays in view
  setDragEnabled(true);
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDefaultDropAction(Qt::CopyAction);
  setDropIndicatorShown(true);
}

void TAlbumList::ShowEntries(const std::vector<std::pair<QString, QString>>& entries, int current) {
  clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(entries.size()));
  for (const auto& [path, caption] : entries) {
    auto* item = new QTreeWidgetItem({path, caption});
    item->setToolTip(0, path);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled);
    items << item;
  }
  addTopLevelItems(items);
  if (current >= 0 && current < topLevelItemCount()) {
    setCurrentItem(topLevelItem(current));
    scrollToItem(topLevelItem(current));
  }
}

int TAlbumList::CurrentRow() const {
  const QList<QTreeWidgetItem*> selected = selectedItems();
  return selected.isEmpty() ? -1 : indexOfTopLevelItem(selected.first());
}

QStringList TAlbumList::DroppedFiles(const QMimeData* data) {
  QStringList paths;
  if (!data || !data->hasUrls()) return paths;
  for (const QUrl& url : data->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  return paths;
}

bool TAlbumList::Accepts(const QDropEvent* event) const {
  return event->source() == this || !DroppedFiles(event->mimeData()).isEmpty();
}

void TAlbumList::dragEnterEvent(QDragEnterEvent* event) {
  if (!Accepts(event)) return event->ignore();
  event->setDropAction(event->source() == this ? Qt::MoveAction : Qt::CopyAction);
  event->accept();
}

void TAlbumList::dragMoveEvent(QDragMoveEvent* event) {
  if (!Accepts(event)) return event->ignore();
  QTreeWidget::dragMoveEvent(event);  // the drop indicator
  event->setDropAction(event->source() == this ? Qt::MoveAction : Qt::CopyAction);
  event->accept();
}

// The row an entry dropped at `position` goes to: before the row under it when dropped on
// its upper half, after it otherwise; the end below the last row.
int TAlbumList::DropRow(const QPoint& position) const {
  const QModelIndex index = indexAt(position);
  if (!index.isValid()) return topLevelItemCount();
  const QRect rect = visualRect(index);
  return index.row() + (position.y() >= rect.center().y() ? 1 : 0);
}

void TAlbumList::dropEvent(QDropEvent* event) {
  const QPoint position = event->position().toPoint();
  if (event->source() == this) {
    // The list is redrawn from the album: the view itself must not move or remove rows.
    event->setDropAction(Qt::CopyAction);
    event->accept();
    const int from = CurrentRow();
    int to = DropRow(position);
    if (from < 0) return;
    if (to > from) --to;
    if (to != from && OnEntryMoved) OnEntryMoved(from, to);
    return;
  }
  const QStringList paths = DroppedFiles(event->mimeData());
  if (paths.isEmpty()) return event->ignore();
  event->setDropAction(Qt::CopyAction);
  event->accept();
  if (OnFilesDropped) OnFilesDropped(paths);
}

void TAlbumList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier) {
    if (OnDeleteKey) OnDeleteKey();
    return;
  }
  if (event->key() == Qt::Key_Insert && event->modifiers() == Qt::NoModifier) {
    if (OnEditCaption) OnEditCaption();
    return;
  }
  QTreeWidget::keyPressEvent(event);
}

void TAlbumList::mouseDoubleClickEvent(QMouseEvent* event) {
  QTreeWidget::mouseDoubleClickEvent(event);
  if (itemAt(event->position().toPoint()) && OnEditCaption) OnEditCaption();
}

void TAlbumList::paintEvent(QPaintEvent* event) {
  QTreeWidget::paintEvent(event);
  if (topLevelItemCount() > 0) return;
  // An empty album says how pictures get into it.
  QPainter painter(viewport());
  painter.setPen(palette().color(QPalette::Disabled, QPalette::Text));
  painter.drawText(viewport()->rect().adjusted(24, 0, -24, 0), Qt::AlignCenter | Qt::TextWordWrap,
                   QStringLiteral("Drag pictures here from the browser's file list, or add the "
                                  "pictures of its folder with Import Directory."));
}
