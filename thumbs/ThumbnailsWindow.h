// TfrmThumbnails: the "Thumbnail Explorer". A folder tree, the list `LV2` of the folder's
// picture files (list, details or thumbnails), thumbnails built on a worker pool with
// progress and Esc to stop, a small picture viewer, the image properties, dragging files to the
// sheet creator and saving thumbnails to files.
#pragma once

#include <QMainWindow>
#include <QStringList>

#include "imaging/PGTypes.h"

class QAction;
class QActionGroup;
class QItemSelectionModel;
class QLabel;
class QListView;
class QMenu;
class QProgressBar;
class QStackedWidget;
class QTimer;
class QTreeView;
class TFolderTree;
class TThumbBuilder;
class TThumbListModel;
class TToolHost;
class TfrmSaveThumbnail;

class TfrmThumbnails : public QMainWindow {
 public:
  enum TView { vList, vDetails, vThumbnails };
  enum TLoadMode { lmFastLoad, lmLiveUpdate };
  static constexpr TRGB kListColor = 0xE6FFFE;  // red 254, green 255, blue 230

  explicit TfrmThumbnails(TToolHost& host);
  ~TfrmThumbnails() override;
  // The windows the explorer opens (set by the window registry).
  void SetWindows(TfrmSaveThumbnail* saveDialog, QWidget* sheetCreator);

  // Opened from the main window: the details view, the mask ("*.jpg;*.bmp"), the folder.
  void OpenFolder(const QString& folder, const QString& mask);
  // A folder chosen in the tree (also "Refresh"): fill the list, build in the Thumbnails view.
  void SelectFolder(const QString& folder);
  void Refresh();
  void SetView(TView view);
  TView View() const { return FView; }
  void SetThumbSize(int size);
  int ThumbSize() const { return FThumbSize; }
  void SetLoadMode(TLoadMode mode) { FLoadMode = mode; }
  void ColumnClick(int column);
  void StopBuild();  // Esc
  void ViewImage();
  void ImageProperties();
  void SaveThumbnails();

  // For tests and the windows that accept drops.
  TThumbListModel& Model() const { return *FModel; }
  QTreeView* DetailsView() const { return FDetails; }
  QListView* IconView() const { return FIcons; }
  QItemSelectionModel* Selection() const;
  TFolderTree* Tree() const { return FTree; }
  TThumbBuilder& Builder() const { return *FBuilder; }
  QString Panel(int index) const;
  QProgressBar* Progress() const { return FProgress; }
  int SortColumn() const { return FSortColumn; }
  bool SortAscending() const { return FSortAscending; }
  int BuildsStarted() const { return FBuildsStarted; }
  QStringList SelectedNames() const;
  QMenu* ListMenu() const { return FListMenu; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildToolBar();
  void BuildMenus();
  void BuildList();
  void Fill();
  void BuildThumbnails();
  void BuildProgress(int done, int total, const QString& name);
  void BuildFinished();
  void PrioritizeVisible();
  void ShowListMenu(const QPoint& at);
  void ApplyView();

  TToolHost& FHost;
  TfrmSaveThumbnail* FSaveDialog = nullptr;
  QWidget* FSheetCreator = nullptr;
  TFolderTree* FTree;
  QStackedWidget* FLV2;
  QTreeView* FDetails;
  QListView* FIcons;
  TThumbListModel* FModel;
  TThumbBuilder* FBuilder;
  QLabel* FPanels[4];
  QProgressBar* FProgress;
  void ShowProgress(bool shown);
  QActionGroup* FViewGroup;
  QAction* FViewActions[3];
  QActionGroup* FSizeGroup;
  QMenu* FListMenu;
  QTimer* FVisibleTimer;
  QTimer* FRepaintTimer;
  QString FFolder;
  QString FMask = "*.*";
  TView FView = vDetails;
  TLoadMode FLoadMode = lmFastLoad;
  int FThumbSize = 64;
  int FSortColumn = 0;
  bool FSortAscending = true;
  QString FLastBuiltFolder;
  int FBuildsStarted = 0;
};
