// TfSelectFiles ("VexMover"): sorts pictures from a source folder into the main window's
// current folder. The source folder's files are listed with the main window's mask and
// previewed in a 145 x 145 box; the selected ones are moved or copied into the destination.
// With "A Update" on, the source folder is watched and new files are selected and previewed
// as they arrive. The rules and the transfers live in mover/core.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "controls/FileList.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class TFileListView;
class TFolderTree;
class TFolderWatch;
class TGIFImage;
class TLedIndicator;
class TPGImage;
class TPictureControl;
class TToolHost;
class TVideoPlayer;
enum class TTransferKind;

class TfSelectFiles : public QDialog {
 public:
  explicit TfSelectFiles(TToolHost& host);
  ~TfSelectFiles() override;

  // ---- commands ------------------------------------------------------------------------------
  void SelectAll();
  void SelectNone();
  void Transfer(TTransferKind kind);
  void Preview();
  void Update();
  void SetPath();
  void DeleteFiles();
  void RenameFile();
  void FileAttributes();
  void ImageProperties();
  void AddFolderCommand();
  void DeleteFolderCommand();
  void SetWatching(bool on);
  // The main window's folder changed (or it was activated): panel 0 shows it.
  void DestinationChanged();
  // The main window closes: watching stops.
  void StopWatching();
  void SetSourceFolder(const QString& folder);

  // ---- state, for tests -----------------------------------------------------------------------
  TFileListModel& Files() { return FFiles; }
  TFileListView* FileList() const { return FFileList; }
  TFolderTree* FolderTree() const { return FFolders; }
  QString SourceFolder() const { return FFiles.Folder(); }
  QString StatusText(int panel) const;
  QCheckBox* AutoPreviewBox() const { return FAutoPreview; }
  QCheckBox* AutoUpdateBox() const { return FAutoUpdate; }
  QPushButton* Button(const QString& caption) const;
  TPGImage* PGImage1() const { return FPGImage1; }
  TGIFImage* GIFImage1() const { return FGIFImage1; }
  TPictureControl* Image1() const { return FImage1; }
  TVideoPlayer* AVIPlay1() const { return FAVIPlay1; }
  TLedIndicator* Led() const { return FLed; }
  QString PreviewKind() const { return FPreviewKind; }
  const std::vector<std::string>& Snapshot() const { return FSnapshot; }
  bool Watching() const;

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildLayout();
  QWidget* BuildSourceSide();
  QWidget* BuildPreviewSide();
  void BuildPopups();
  void TakeSnapshot();
  void Reread();
  void WatchNotified();
  void HidePreview();
  void ClearPreview();
  bool PreviewSmallPicture(const QString& path);
  void SourceFolderChanged();
  void AfterListChange();
  bool MainShowsSourceFolder() const;

  TToolHost& FHost;
  TFileListModel FFiles;
  std::vector<std::string> FSnapshot;
  TFolderWatch* FWatch = nullptr;
  QString FPreviewKind;
  QString FPreviewed;  // the file the preview shows

  QComboBox* FDrives = nullptr;
  TFolderTree* FFolders = nullptr;
  TFileListView* FFileList = nullptr;
  QWidget* FPreviewBox = nullptr;
  TPictureControl* FImage1 = nullptr;
  TGIFImage* FGIFImage1 = nullptr;
  TVideoPlayer* FAVIPlay1 = nullptr;
  TPGImage* FPGImage1 = nullptr;
  TLedIndicator* FLed = nullptr;
  QCheckBox* FAutoPreview = nullptr;
  QCheckBox* FAutoUpdate = nullptr;
  QLabel* FStatus[2] = {};
  QList<QPushButton*> FButtons;
};
