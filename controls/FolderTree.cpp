#include "controls/FolderTree.h"

#include <QFileSystemModel>
#include <QHeaderView>

TFolderTree::TFolderTree(QWidget* parent) : QTreeView(parent), FModel(new QFileSystemModel(this)) {
  FModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  FModel->setRootPath("/");
  setModel(FModel);
  for (int c = 1; c < FModel->columnCount(); ++c) hideColumn(c);
  header()->hide();
  // Folders arrive unsorted and are sorted a moment later: follow the current one each time.
  connect(FModel, &QFileSystemModel::directoryLoaded, this, [this] { KeepInView(); });
  connect(FModel, &QAbstractItemModel::layoutChanged, this, [this] { KeepInView(); });
  connect(FModel, &QAbstractItemModel::rowsInserted, this, [this] { KeepInView(); });
}

void TFolderTree::SetFolder(const QString& folder) {
  FFolder = folder;
  FFollow = true;
  KeepInView();
}

QString TFolderTree::CurrentPath() const {
  const QModelIndex current = currentIndex();
  return current.isValid() ? FModel->filePath(current) : QString();
}

void TFolderTree::KeepInView() {
  if (!FFollow || FFolder.isEmpty()) return;
  const QModelIndex index = FModel->index(FFolder);
  if (!index.isValid()) return;
  if (currentIndex() != index) setCurrentIndex(index);
  scrollTo(index);
}

void TFolderTree::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  QTreeView::currentChanged(current, previous);
  if (!current.isValid()) return;
  const QString path = FModel->filePath(current);
  if (path == FFolder) return;  // the program's own choice
  // While the program leads, a current row that moves with the model's loading is no choice
  // of the user's: the folder the program set stays current.
  if (FFollow) {
    KeepInView();
    return;
  }
  FFolder = path;
  FFollow = false;
  if (OnFolderChosen) OnFolderChosen(path);
}

void TFolderTree::mousePressEvent(QMouseEvent* event) {
  FFollow = false;  // the user looks around: stop following
  QTreeView::mousePressEvent(event);
}

void TFolderTree::wheelEvent(QWheelEvent* event) {
  FFollow = false;
  QTreeView::wheelEvent(event);
}

void TFolderTree::keyPressEvent(QKeyEvent* event) {
  FFollow = false;
  QTreeView::keyPressEvent(event);
}
