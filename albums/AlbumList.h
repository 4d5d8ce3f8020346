// LVAlbum: the album's entries in two columns, "Filename" and "Caption", whole rows selected.
// It accepts files dropped from the browser's file list (and the desktop), and entries dragged
// to another place in the list; the window decides what happens through the callbacks.
#pragma once

#include <QStringList>
#include <QTreeWidget>
#include <functional>

class TAlbumList : public QTreeWidget {
 public:
  explicit TAlbumList(QWidget* parent = nullptr);

  // Shows the entries (path, caption), keeping the given row current.
  void ShowEntries(const std::vector<std::pair<QString, QString>>& entries, int current);
  int CurrentRow() const;

  std::function<void(const QStringList& paths)> OnFilesDropped;
  std::function<void(int from, int to)> OnEntryMoved;
  std::function<void()> OnDeleteKey;
  std::function<void()> OnEditCaption;  // double click or Insert

  // Local file paths of dropped data (nothing for other data).
  static QStringList DroppedFiles(const QMimeData* data);

 protected:
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  bool Accepts(const QDropEvent* event) const;
  int DropRow(const QPoint& position) const;
};
