// TFolderTree: the folder list, a tree of the file system's folders with one current folder.
// The folders load in the background; until the user touches the tree it keeps the current
// folder in view while they arrive and are sorted.
#pragma once

#include <QTreeView>
#include <functional>

class QFileSystemModel;

class TFolderTree : public QTreeView {
 public:
  explicit TFolderTree(QWidget* parent = nullptr);
  // Makes the folder current and brings it into view. Not reported through OnFolderChosen.
  void SetFolder(const QString& folder);
  QString Folder() const { return FFolder; }
  // The folder the tree shows as current ("" before it has loaded that far).
  QString CurrentPath() const;
  // Called when the user makes another folder current (click or keys).
  std::function<void(const QString& folder)> OnFolderChosen;

 protected:
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  void mousePressEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void KeepInView();

  QFileSystemModel* FModel;
  QString FFolder;
  bool FFollow = false;  // keep the folder in view while the tree loads
};
