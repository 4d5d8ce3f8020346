// The main window: construction, layout, settings and window events.
#include "app/MainWindow.h"
#include "mover/SelectFiles.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "albums/AlbumForm.h"
#include "app/Bookmarks.h"
#include "app/FullScreenView.h"
#include "view/Preloader.h"
#include "app/MainWindowHost.h"
#include "app/Windows.h"
#include "thumbs/ThumbEditWindow.h"
#include "controls/DisplayControls.h"
#include "controls/FileListView.h"
#include "controls/FolderListing.h"
#include "controls/FolderTree.h"
#include "files/Preferences.h"
#include "platform/FormSettings.h"
#include "platform/Messages.h"
#include "print/DirectoryListing.h"
#include "print/PreviewPrinter.h"
#include "view/GIFImage.h"
#include "view/PGImage.h"

namespace {
const char* const kCaption = "Lumivex 7.0 by Corvane Software";
}  // namespace

TForm1::TForm1(TWindows& windows)
    : FWindows(windows), FHost(std::make_unique<TMainWindowHost>(*this)) {
  setObjectName("TForm1");
  setWindowTitle(QString::fromLatin1(kCaption));
  setAcceptDrops(true);
  TSlideshowHost host;
  host.Files = [this]() -> TFileListModel& { return FFiles; };
  host.ShowFile = [this](const QString& p) { ShowFile(p); };
  host.Message = [this](const QString& t) { ShowMessage(this, t); };
  host.SetButtonDown = [this](bool on) { FLumivexBtn->setChecked(on); };
  host.SetBookmarksEnabled = [this](bool on) { FBookmarksMenu->setEnabled(on); };
  host.Busy = [this] { return FBusy > 0 || QApplication::activeModalWidget() != nullptr; };
  FSlideshow = std::make_unique<TSlideshow>(std::move(host));
  FListingPrinter = std::make_unique<TPreviewPrinter>();
  FPreloader = std::make_unique<TPreloader>();
  FLister = std::make_unique<TFolderLister>();
  ConfigureListingEngine(*FListingPrinter);
  BuildLayout();
  BuildToolBar();
  BuildMenus();
  BuildPopupAndKeys();
  BuildFullScreen();
  BuildEditorCommands();
  BuildConverterCommands();
  FBookmarkFile = DefaultBookmarkFile();
  RebuildBookmarkMenu();
  // The list is read with the enabled types from the start, so that a file opened before the
  // window is first shown is found in it.
  FFiles.SetMask(FileTypeMask(ReadSetting("FileTypes", kAllFileTypes)));
  ReadSettings();
}

TForm1::~TForm1() = default;

TToolHost& TForm1::Host() const { return *FHost; }

void TForm1::BuildLayout() {
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->setHandleWidth(3);
  split->setChildrenCollapsible(false);

  auto* left = new QWidget(split);
  auto* leftLayout = new QVBoxLayout(left);
  leftLayout->setContentsMargins(4, 4, 4, 4);
  leftLayout->setSpacing(2);
  auto* upper = new QWidget(left);
  upper->setFixedHeight(130);
  auto* upperLayout = new QVBoxLayout(upper);
  upperLayout->setContentsMargins(0, 0, 0, 0);
  upperLayout->setSpacing(2);
  auto* driveRow = new QHBoxLayout;
  driveRow->setSpacing(0);
  FLed = new TLedIndicator(upper);
  FDrives = new QComboBox(upper);
  FDrives->setObjectName("DriveComboBox1");
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady()) FDrives->addItem(volume.rootPath());
  if (FDrives->findText("/") < 0) FDrives->insertItem(0, "/");
  driveRow->addWidget(FLed);
  driveRow->addWidget(FDrives, 1);
  upperLayout->addLayout(driveRow);
  FFolders = new TFolderTree(upper);
  FFolders->setObjectName("DirectoryListBox1");
  FFolders->setAccessibleName("Folders");
  upperLayout->addWidget(FFolders, 1);
  leftLayout->addWidget(upper);
  FFileList = new TFileListView(left);
  FFileList->setObjectName("FileListBox1");
  FFileList->setAccessibleName("Files");
  FFileList->SetFiles(&FFiles);
  FFileList->installEventFilter(this);
  leftLayout->addWidget(FFileList, 1);

  FPane = new QWidget(split);
  FPane->setObjectName("RightMain");
  FPane->setAccessibleName("Picture");
  FPane->setAutoFillBackground(true);
  FPane->installEventFilter(this);
  FImage1 = new TPictureControl(FPane);
  FGIFImage1 = new TGIFImage(FPane);
  FGIFImage1->SetStretch(true);
  FGIFImage1->SetLoop(true);
  FGIFImage1->SetAnimate(false);
  FAVIPlay1 = new TVideoPlayer(FPane);
  FPGImage1 = new TPGImage(FPane);
  FPGImage1->SetBorderSingle(false);
  FPGImage1->SetAutoSize(true);
  FPGImage1->SetStretch(sAlwaysKAR);
  FPGImage1->SetUseThread(false);
  FPGImage1->ReadWarningAction = pgwaIgnore;
  FPGImage1->SetZoomFactor(1.0);
  for (QWidget* w : {static_cast<QWidget*>(FImage1), static_cast<QWidget*>(FGIFImage1),
                     static_cast<QWidget*>(FAVIPlay1), static_cast<QWidget*>(FPGImage1)}) {
    w->move(4, 4);
    w->hide();
  }
  split->addWidget(left);
  split->addWidget(FPane);
  left->setMinimumWidth(60);
  FDrives->setMinimumWidth(40);
  FFolders->setMinimumWidth(40);
  FFileList->setMinimumWidth(40);
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 1);
  split->setSizes({157, 10000});
  setCentralWidget(split);

  auto* status = statusBar();
  status->setObjectName("SB1");
  const int widths[3] = {65, 50, 0};
  for (int i = 0; i < 3; ++i) {
    FStatus[i] = new QLabel(status);
    if (widths[i] > 0) {
      FStatus[i]->setMinimumWidth(widths[i]);  // grows for long counts ("100000 files")
      FStatus[i]->setAlignment(Qt::AlignCenter);
      status->addWidget(FStatus[i]);
    } else {
      status->addWidget(FStatus[i], 1);
    }
  }

  connect(FDrives, &QComboBox::textActivated, this, [this](const QString& root) { BrowseFolder(root); });
  FFolders->OnFolderChosen = [this](const QString& folder) { BrowseFolder(folder); };
  FFileList->OnUserChange = [this](int positionBefore, bool byMouse) {
    FileListUserChange(positionBefore, byMouse);
  };
  // Files are dragged out of the list only to the windows that take them.
  FFileList->CanStartDrag = [this] {
    return FWindows.Get<TfAlbum>().isVisible() || FWindows.Get<TfrmThumbEdit>().isVisible();
  };
}

// ---- settings ------------------------------------------------------------------------------

void TForm1::ReadSettings() {
  FSettings = TMainSettings::Load();
  FViewing = TViewingSettings::Load();
  if (!FSettings.Directory.isEmpty() && QDir(FSettings.Directory).exists())
    SetFolder(FSettings.Directory);
  else
    SetFolder(QDir::homePath());
  setGeometry(OnVisibleScreen(
      QRect(FSettings.Left, FSettings.Top, std::max(1, FSettings.Width), std::max(1, FSettings.Height))));
  FSeconds->setValue(FSettings.Seconds);
  FSlideshow->SetSeconds(FSettings.Seconds);
  if (FSettings.BackgroundColor != -1) {
    const int c = FSettings.BackgroundColor;
    SetPaneColor(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
  }
  RestoreLayoutExtras();
}

void TForm1::WriteSettings() {
  FSettings.Drive = FDrives->currentText();
  FSettings.Directory = FFiles.Folder();
  FSettings.Seconds = FSeconds->value();
  const QRect normal = (isMaximized() || isFullScreen()) ? normalGeometry() : geometry();
  FSettings.Left = normal.x();
  FSettings.Top = normal.y();
  FSettings.Width = normal.width();
  FSettings.Height = normal.height();
  const QColor c = PaneColor();
  FSettings.BackgroundColor = c.red() | (c.green() << 8) | (c.blue() << 16);
  FSettings.Save(FColorChanged);
  SaveLayoutExtras();
}

QColor TForm1::PaneColor() const { return FPane->palette().color(QPalette::Window); }

void TForm1::SetPaneColor(const QColor& color) {
  QPalette pal = FPane->palette();
  pal.setColor(QPalette::Window, color);
  FPane->setPalette(pal);
  FPGImage1->SetColor(color);
}

void TForm1::SetColorCommand() {
  const QColor chosen = QColorDialog::getColor(PaneColor(), this, "Color");
  if (!chosen.isValid()) return;
  SetPaneColor(chosen);
  FColorChanged = true;
}

// ---- window events -------------------------------------------------------------------------

void TForm1::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (FShown) return;
  ApplyFileTypeMask();
  ShowFileCount();
  FShown = true;
  RegisterScanner();
  FFolders->setFocus();
}

void TForm1::closeEvent(QCloseEvent* event) {
  FPreloader->Cancel();
  if (FullScreenShown()) FFullScreen->hide();
  FSlideshow->Stop();
  FAVIPlay1->SetActive(false);
  FPGImage1->hide();
  WriteSettings();
  if (auto* mover = FWindows.Find<TfSelectFiles>()) mover->StopWatching();
  QMainWindow::closeEvent(event);
  FWindows.CloseAllButMain();
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
    FSlideshow->FolderChanged();
    TellMoveTool();
  }
}

void TForm1::BringToFront() {
  if (isMinimized()) showNormal();
  show();
  raise();
  activateWindow();
}

QString TForm1::StatusText(int panel) const {
  return panel >= 0 && panel < 3 ? FStatus[panel]->text() : QString();
}

void TForm1::ShowFileCount() { FStatus[0]->setText(QString::number(FFiles.Count()) + " files"); }
