// TFileListView: the multi-selection list of a TFileListModel. It shows the model's own
// selection and position, keeps the position in view, and reports the changes the user makes
// with the mouse and the keyboard (changes made by the program are not reported).
#pragma once

#include <QListView>
#include <functional>

class QMimeData;
class TFileListModel;

class TFileListView : public QListView {
 public:
  explicit TFileListView(QWidget* parent = nullptr);
  void SetFiles(TFileListModel* files);
  TFileListModel* Files() const { return FFiles; }
  // Brings the current entry into view (also before the list has been shown).
  void ScrollToPosition();

  // Called after a click, a drag or a key changed the selection or the position; receives
  // the position the list had before and whether the mouse made the change.
  std::function<void(int positionBefore, bool byMouse)> OnUserChange;
  // Asked when the mouse moves with the left button held after a press on an entry: true
  // starts a drag of the current file (as a file URL) that other windows accept as a drop.
  std::function<bool()> CanStartDrag;
  // What such a drag carries: the current file as a file URL; null without a current file.
  QMimeData* DragData() const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  template <class Base>
  void Watch(bool byMouse, Base&& base);

  TFileListModel* FFiles = nullptr;
  QPoint FPressAt;
  bool FPressOnEntry = false;
};
