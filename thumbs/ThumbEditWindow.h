// TfrmThumbEdit: the "ThumbVex Creator". A list of picture files (dropped from the thumbnail
// explorer or any file manager) and the contact sheet generated from them with the options of
// TfrmThumbVexOptions, shown beside the list and saved through the save dialog.
#pragma once

#include <QMainWindow>
#include <QStringList>

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QPushButton;
class TPGImage;
class TToolHost;
class TfrmThumbVexOptions;

class TfrmThumbEdit : public QMainWindow {
 public:
  explicit TfrmThumbEdit(TToolHost& host);
  void SetOptionsWindow(TfrmThumbVexOptions* options) { FOptions = options; }

  void AddFiles(const QStringList& paths);
  QStringList Files() const;
  // Builds the sheet; false when nothing was made (empty list, values out of range).
  bool Generate();
  // Saves the sheet to the file (the writer by its extension); false with a message on failure.
  bool SaveSheet(const QString& path);
  void SaveAs();
  void ViewImage();
  void ImageProperties();
  void DeleteSelected();
  void ClearAll();
  void ShowOptions();

  QListWidget* ListBox1;
  TPGImage* PGImage1;
  QPushButton* btnMakeThumbVex;
  QAction* sbKAR;
  QString Panel(int index) const;
  QMenu* ListMenu() const { return FListMenu; }

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void BuildWindow();
  void UpdateListMenu();

  TToolHost& FHost;
  TfrmThumbVexOptions* FOptions = nullptr;
  QLabel* FPanels[2];
  QMenu* FListMenu;
};
