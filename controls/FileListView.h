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
  // Asked when the left button is pressed on an entry: true lets the selected files be
  // dragged to another window (as file URLs) once the mouse moves.
  std::function<bool()> CanStartDrag;
  // The drag data of the selected files, in list order (nullptr when none is selected).
  QMimeData* SelectedFilesData() const;

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  template <class Base>
  void Watch(bool byMouse, Base&& base);

  void StartFileDrag();

  TFileListModel* FFiles = nullptr;
  QPoint FPressAt;
  bool FDragArmed = false;
};
