// TForm1: the browser's main window. Drives and folders on the left, the files of the current
// folder that match the enabled picture types below them, and the selected file displayed at
// once in the viewing pane.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>

#include "app/BrowserRules.h"
#include "app/Settings.h"
#include "app/Slideshow.h"
#include "app/ViewingSettings.h"
#include "controls/FileList.h"
#include "view/ReadAhead.h"

class QAction;
class QComboBox;
class QLabel;
class QMenu;
class QSpinBox;
class QSplitter;
class TFileListView;
class TFolderLister;
class TFolderTree;
class TFullScreenView;
enum class TFullScreenStep;
class TGIFImage;
class TLedIndicator;
class TMainWindowHost;
class TPGImage;
class TPreloader;
class TPictureControl;
class TToolHost;
class TVideoPlayer;
class TWindows;
enum class TWallpaperMode;

// What a command wants from a listing of the folder: an entry made current (and shown) as
// soon as it arrives, and a step once all the names are in (told whether the entry came).
struct TListingFollowUp {
  QString Select;
  bool Show = false;
  bool Scroll = false;
  std::function<void(bool selected)> Done;
};

class TPreviewPrinter;
class TForm1 : public QMainWindow {
 public:
  // Created by the window registry, first of all windows.
  explicit TForm1(TWindows& windows);
  ~TForm1() override;

  // ---- the operations other windows use ----------------------------------------------------
  void ShowFile(const QString& path);
  void FitToPane();
  void NextImage() { FSlideshow->NextImage(); }
  void PreviousImage() { FSlideshow->PreviousImage(); }
  void ApplyFileTypeMask();
  void OpenFromShell(const QString& path);
  // Lists the folder of `path` when it is not the one listed, then makes the file current and
  // shows it once it is listed.
  void ShowFileInFolder(const QString& path);
  // The open-request handler (macros from the desktop).
  void HandleMacros(const QStringList& macros);
  // Another start of the program asked for this window: bring it to the front.
  void BringToFront();
  void Refresh();
  void CopyToClipboard();
  // Lists `folder` (MainWindowListing.cpp): a short folder at once, a long one in batches
  // from a background job, so that long folders never hold up the window.
  void SetFolder(const QString& folder);
  void BrowseFolder(const QString& folder);
  // Lists `folder` again or anew, keeping the drive box and the folder tree as they are.
  void ListFolder(const QString& folder, TListingFollowUp followUp);
  bool ListingFolder() const;
  TFolderLister& Lister() const { return *FLister; }
  // The left pane's width (kept between runs) and the splitter that holds it.
  int LeftPaneWidth() const;
  QSplitter* Splitter() const;
  QString Folder() const { return FFiles.Folder(); }
  TToolHost& Host() const;
  // The window registry that made this window.
  TWindows& Windows() const { return FWindows; }

  // ---- state, for the windows that build on this one and for tests -------------------------
  TFileListModel& Files() { return FFiles; }
  const TFileListModel& Files() const { return FFiles; }
  TFileListView* FileListView() const { return FFileList; }
  TFolderTree* FolderTree() const { return FFolders; }
  QString DisplayKind() const { return FDisplayKind; }
  QString StatusText(int panel) const;
  QWidget* ViewingPane() const { return FPane; }
  TPGImage* PGImage1() const { return FPGImage1; }
  TGIFImage* GIFImage1() const { return FGIFImage1; }
  TPictureControl* Image1() const { return FImage1; }
  TVideoPlayer* AVIPlay1() const { return FAVIPlay1; }
  TLedIndicator* Led() const { return FLed; }
  TSlideshow& Slideshow() { return *FSlideshow; }
  QAction* LumivexBtn() const { return FLumivexBtn; }
  QSpinBox* SecondsBox() const { return FSeconds; }
  bool AutoZoom() const;
  void SetAutoZoom(bool on);
  QMenu* BookmarksMenu() const { return FBookmarksMenu; }
  void SetBookmarkFile(const QString& path);
  void RebuildBookmarkMenu();
  void AddBookmark();
  void EditBookmarks();
  QColor PaneColor() const;

  // ---- file commands -------------------------------------------------------------------------
  // Moves files dropped from the desktop into the current folder and shows the last one.
  void MoveDroppedFiles(const QStringList& paths);
  void DeleteFiles();
  void RenameFile();
  void FileAttributes();
  void AddFolderCommand();
  void DeleteFolderCommand();
  void SetPreferences();
  void ImageProperties();
  void ShowImageProperties(const QString& path);
  void ShowMoveTool();
  void ShowSearch();
  // The current file in the image editor; the editor shown as it is.
  void OpenInEditor();
  void ShowEditor();
  // The current file handed to the converter ("Click on an image filename first" without one).
  void ConvertCurrentFile();
  void ShowAlbums();
  bool ConfirmsDeletions() const { return FSettings.ConfirmDeletions; }
  bool DeletesPermanently() const { return FSettings.DeletePermanently; }
  void SetPaneColor(const QColor& color);

  // ---- viewing additions (MainWindowFullScreen.cpp) -----------------------------------------
  const TViewingSettings& Viewing() const { return FViewing; }
  void SetViewing(const TViewingSettings& viewing);
  // F11 or a double-click on the picture; nothing when switched off or nothing is shown.
  void EnterFullScreen();
  bool FullScreenShown() const;
  TFullScreenView* FullScreenView() const;
  // The pictures read ahead of the user (MainWindowPreload.cpp).
  TPreloader& Preloader() const { return *FPreloader; }
  // True while the view holds a JPEG decoded at a reduced scale for the fitted display; the
  // commands that use the pixels make it full first (LoadFullPicture).
  bool ShowsReducedPicture() const { return FTrueSize.isValid(); }
  void LoadFullPicture();
  // ---- desktop integration -----------------------------------------------------------------
  void SetWallpaper(TWallpaperMode mode);
  void EditInExternalEditor();

 protected:
  void showEvent(QShowEvent* event) override;
  // On the first showing: registers with the scanner library when it is present and enables
  // the editor's scanner commands.
  void RegisterScanner();
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildToolBar();
  void ShowThumbnailExplorer();
  void ShowThumbVexCreator();
  void BuildMenus();
  void BuildPopupAndKeys();
  void BuildEditorCommands();
  void BuildConverterCommands();
  void EnableFileCommandsFor(bool video);
  void BuildLayout();
  void ReadSettings();
  void WriteSettings();
  void FileListUserChange(int positionBefore, bool byMouse);
  void FolderChanged();
  void ListedBatch(const QStringList& names);
  void ListingDone();
  void MeetFollowUp(int at);
  // Gives the listing under way a follow-up; without one, the follow-up is met at once.
  void TakeFollowUp(TListingFollowUp followUp);
  void ShowEntryAfterDelete(int position);
  void TellMoveTool();
  void ShowFileCount();
  void HideDisplays();
  bool ShowOnControl(const QString& path, const QString& name);
  QWidget* DisplayControl() const;
  QSize ContentSize() const;
  void ApplyFitRule(int w, int h);
  void SetDriveFromFolder(const QString& folder);
  void AddBookmarkItem(const QString& folder);
  void SetColorCommand();
  void PrinterSetup();
  void PrintDirectoryListings();
  void ShowHelp();
  void ShowHelpOnHelp();
  void SearchHelp();
  void OpenWebSite();
  void OpenMail();
  void ShowAbout();
  void BuildFullScreen();
  void RefreshFullScreen();
  QSize FullScreenPictureSize() const;
  QImage RenderShownPicture(QSize size) const;
  void FullScreenStep(TFullScreenStep step);
  // After a file was shown: the full-screen view follows, the neighbours are read ahead.
  void ShownFileChanged();
  void RestoreLayoutExtras();
  void SaveLayoutExtras();
  void PreloadNeighbours();
  // Shows `path` in the picture view, from what was read ahead when it is ready.
  void LoadIntoView(const QString& path);
  void LoadFullIntoView(const QString& path);
  // What the pictures for the view are read with: the switches, and the box they are fitted
  // into (device pixels; none when reduced decoding is off).
  TDisplayAdjustments DisplayAdjustments() const;
  QSize FitBox() const;
  // A reduced picture that no longer covers what the view shows of it (device pixels) is
  // read in full.
  void KeepShownSharp(QSize shown);
  QSize DevicePixels(QSize logical) const;

  TWindows& FWindows;
  std::unique_ptr<TMainWindowHost> FHost;
  TFileListModel FFiles;
  std::unique_ptr<TSlideshow> FSlideshow;
  std::unique_ptr<TPreviewPrinter> FListingPrinter;  // the folder listing report's engine
  TMainSettings FSettings;
  TViewingSettings FViewing;
  std::unique_ptr<TFullScreenView> FFullScreen;
  std::unique_ptr<TPreloader> FPreloader;
  std::unique_ptr<TFolderLister> FLister;
  TListingFollowUp FFollowUp;  // of the listing under way
  bool FFollowUpMet = false;
  QString FDisplayKind;
  TDisplayRoute FRoute = TDisplayRoute::View;
  QString FShownFile;  // the file last displayed through the list
  QSize FTrueSize;     // of the picture in the view when it was decoded at a reduced scale
  QString FBookmarkFile;
  bool FShown = false;
  bool FColorChanged = false;
  int FBusy = 0;

  QLabel* FStatus[3] = {};
  TLedIndicator* FLed = nullptr;
  QComboBox* FDrives = nullptr;
  TFolderTree* FFolders = nullptr;
  TFileListView* FFileList = nullptr;
  QWidget* FPane = nullptr;
  TPictureControl* FImage1 = nullptr;
  TGIFImage* FGIFImage1 = nullptr;
  TVideoPlayer* FAVIPlay1 = nullptr;
  TPGImage* FPGImage1 = nullptr;
  QSpinBox* FSeconds = nullptr;
  QAction* FLumivexBtn = nullptr;
  QAction* FAutoZoom = nullptr;
  QMenu* FBookmarksMenu = nullptr;
};
