// The main window: construction, layout, settings and window events.
#include "app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QColorDialog>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QShortcut>
#include <QSpinBox>
#include <QSplitter>
#include <QStatusBar>
#include <QStorageInfo>
#include <QToolBar>
#include <QTreeView>
#include <QUrl>
#include <QVBoxLayout>

#include "app/AboutBox.h"
#include "app/Bookmarks.h"
#include "app/BrowserRules.h"
#include "controls/DisplayControls.h"
#include "platform/Messages.h"
#include "view/GIFImage.h"
#include "view/PGImage.h"

namespace {
const char* const kCaption = "Lumivex 7.0 by Corvane Software";

// The interval box: read-only text, changed only with its arrows.
class TSecondsBox : public QSpinBox {
 public:
  explicit TSecondsBox(QWidget* parent) : QSpinBox(parent) { lineEdit()->setReadOnly(true); }
};
}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
  setObjectName("TForm1");
  setWindowTitle(QString::fromLatin1(kCaption));
  setAcceptDrops(false);
  TSlideshowHost host;
  host.Files = [this]() -> TFileListModel& { return FFiles; };
  host.ShowFile = [this](const QString& p) { ShowFile(p); };
  host.Message = [this](const QString& t) { ShowMessage(this, t); };
  host.SetButtonDown = [this](bool on) { FLumivexBtn->setChecked(on); };
  host.SetBookmarksEnabled = [this](bool on) { FBookmarksMenu->setEnabled(on); };
  host.Busy = [this] { return FBusy > 0 || QApplication::activeModalWidget() != nullptr; };
  FSlideshow = std::make_unique<TSlideshow>(std::move(host));
  BuildLayout();
  BuildActions();
  FBookmarkFile = DefaultBookmarkFile();
  RebuildBookmarkMenu();
  ReadSettings();
}

TForm1::~TForm1() = default;

void TForm1::BuildLayout() {
  auto* toolbar = addToolBar("Tools");
  toolbar->setObjectName("ToolBar1");
  toolbar->setMovable(false);
  toolbar->setFixedHeight(34);
  toolbar->setIconSize(QSize(16, 16));
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);

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
  FFolderModel = new QFileSystemModel(this);
  FFolderModel->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
  FFolderModel->setRootPath("/");
  FFolders = new QTreeView(upper);
  FFolders->setObjectName("DirectoryListBox1");
  FFolders->setModel(FFolderModel);
  for (int c = 1; c < FFolderModel->columnCount(); ++c) FFolders->hideColumn(c);
  FFolders->header()->hide();
  upperLayout->addWidget(FFolders, 1);
  leftLayout->addWidget(upper);
  FFileList = new QListWidget(left);
  FFileList->setObjectName("FileListBox1");
  FFileList->setSelectionMode(QAbstractItemView::ExtendedSelection);
  FFileList->viewport()->installEventFilter(this);
  leftLayout->addWidget(FFileList, 1);

  FPane = new QWidget(split);
  FPane->setObjectName("RightMain");
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
  // The folder model fills in the background: show the current folder once it is there.
  connect(FFolderModel, &QFileSystemModel::directoryLoaded, this, [this] {
    const QModelIndex index = FFolderModel->index(FFiles.Folder());
    if (index.isValid()) FFolders->scrollTo(index);
  });
  setCentralWidget(split);

  auto* status = statusBar();
  status->setObjectName("SB1");
  const int widths[3] = {65, 50, 0};
  for (int i = 0; i < 3; ++i) {
    FStatus[i] = new QLabel(status);
    if (widths[i] > 0) {
      FStatus[i]->setFixedWidth(widths[i]);
      FStatus[i]->setAlignment(Qt::AlignCenter);
      status->addWidget(FStatus[i]);
    } else {
      status->addWidget(FStatus[i], 1);
    }
  }

  connect(FDrives, &QComboBox::textActivated, this, [this](const QString& root) { SetFolder(root); });
  connect(FFolders->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& index) {
            if (FSyncing || !index.isValid()) return;
            SetFolder(FFolderModel->filePath(index));
          });
  connect(FFileList, &QListWidget::itemSelectionChanged, this, [this] { WidgetSelectionChanged(); });
}

void TForm1::BuildActions() {
  QToolBar* toolbar = findChild<QToolBar*>("ToolBar1");
  auto button = [&](const QString& text, const QString& hint, auto slot) {
    QAction* a = toolbar->addAction(text);
    a->setToolTip(hint);
    a->setStatusTip(hint);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  button("\u25C0", "Previous Image", [this] { PreviousImage(); });
  button("\u25B6", "Next Image", [this] { NextImage(); });
  toolbar->addSeparator();
  FSeconds = new TSecondsBox(toolbar);
  FSeconds->setObjectName("Seconds");
  FSeconds->setRange(1, 60);
  FSeconds->setWrapping(false);
  FSeconds->setValue(4);
  toolbar->addWidget(FSeconds);
  connect(FSeconds, &QSpinBox::valueChanged, this, [this](int v) { FSlideshow->SetSeconds(v); });
  FLumivexBtn = toolbar->addAction("Show");
  FLumivexBtn->setObjectName("LumivexBtn");
  FLumivexBtn->setCheckable(true);
  FLumivexBtn->setToolTip("Run a Lumivex");
  connect(FLumivexBtn, &QAction::triggered, this, [this](bool down) { FSlideshow->ButtonClick(down); });
  toolbar->addSeparator();
  button("Colour", "Set Background Color", [this] { SetColorCommand(); });
  FAutoZoom = toolbar->addAction("Zoom");
  FAutoZoom->setCheckable(true);
  FAutoZoom->setToolTip("Auto Zoom");
  connect(FAutoZoom, &QAction::toggled, this, [this](bool down) {
    if (down)
      FitToPane();
    else if (FFiles.CurrentIndex() >= 0)
      ShowFile(FFiles.CurrentFile());
  });
  toolbar->addSeparator();
  button("Copy", "Copy To Clipboard", [this] { CopyToClipboard(); });

  QMenu* file = menuBar()->addMenu("&File");
  file->addAction("Set Color...", this, [this] { SetColorCommand(); });
  file->addSeparator();
  file->addAction("Quit", this, [this] { close(); });
  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->addAction("Copy to clipboard", this, [this] { CopyToClipboard(); });
  FBookmarksMenu = menuBar()->addMenu("&Bookmarks");
  FBookmarksMenu->addAction("Add Bookmark", this, [this] { AddBookmark(); });
  FBookmarksMenu->addAction("Edit Bookmarks...", this, [this] { EditBookmarks(); });
  FBookmarksMenu->addSeparator();
  QMenu* help = menuBar()->addMenu("&Help");
  help->addAction("Contents", this, [this] { ShowHelp(); });
  help->addAction("About Lumivex", this, [this] { ShowAbout(); });

  // The file list's pop-up menu serves the viewing pane too.
  auto* popup = new QMenu(this);
  popup->addAction("Zoom In (+)", this, [this] { FitToPane(); });
  popup->addAction("Zoom Out (-)", this, [this] {
    if (FFiles.CurrentIndex() >= 0) ShowFile(FFiles.CurrentFile());
  });
  popup->addAction("Refresh List (F5)", this, [this] { Refresh(); });
  for (QWidget* w : {static_cast<QWidget*>(FFileList), FPane}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this,
            [popup, w](const QPoint& at) { popup->popup(w->mapToGlobal(at)); });
  }

  // Keys the window handles before its children see them.
  auto key = [this](const QKeySequence& seq, auto slot) {
    auto* s = new QShortcut(seq, this);
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, slot);
  };
  key(QKeySequence(Qt::Key_F1), [this] { ShowHelp(); });
  key(QKeySequence(Qt::Key_F5), [this] { Refresh(); });
  key(QKeySequence(Qt::KeypadModifier | Qt::Key_Plus), [this] { FitToPane(); });
  key(QKeySequence(Qt::KeypadModifier | Qt::Key_Minus), [this] {
    if (FFiles.CurrentIndex() >= 0) ShowFile(FFiles.CurrentFile());
  });
}

// ---- settings ------------------------------------------------------------------------------

void TForm1::ReadSettings() {
  FSettings = TMainSettings::Load();
  if (!FSettings.Directory.isEmpty() && QDir(FSettings.Directory).exists())
    SetFolder(FSettings.Directory);
  else
    SetFolder(QDir::homePath());
  setGeometry(FSettings.Left, FSettings.Top, FSettings.Width, FSettings.Height);
  FSeconds->setValue(FSettings.Seconds);
  FSlideshow->SetSeconds(FSettings.Seconds);
  if (FSettings.BackgroundColor != -1) {
    const int c = FSettings.BackgroundColor;
    SetPaneColor(QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF));
  }
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
  FStatus[0]->setText(QString::number(FFiles.Count()) + " files");
  FShown = true;
  FFolders->setFocus();
}

void TForm1::closeEvent(QCloseEvent* event) {
  FSlideshow->Stop();
  FAVIPlay1->SetActive(false);
  FPGImage1->hide();
  WriteSettings();
  QMainWindow::closeEvent(event);
}

void TForm1::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FSlideshow->FolderChanged();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FPane && event->type() == QEvent::Resize && FFiles.CurrentIndex() >= 0 &&
      !FDisplayKind.isNull())
    FitToPane();
  if (watched == FFileList->viewport() && event->type() == QEvent::MouseButtonPress &&
      FFiles.Position() == 0) {
    // The first entry is current from the start; a click there displays it all the same.
    FFiles.MakeCurrent(0);
    FileListToWidget();
    ShowFile(FFiles.PathOf(0));
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---- folders and the file list -------------------------------------------------------------

void TForm1::SetFolder(const QString& folder) {
  const QString clean = QDir::cleanPath(QDir(folder).absolutePath());
  if (!QDir(clean).exists()) return;
  FFiles.SetFolder(clean);
  FileListToWidget();
  SetDriveFromFolder(clean);
  FSyncing = true;
  const QModelIndex index = FFolderModel->index(clean);
  if (index.isValid()) {
    FFolders->setCurrentIndex(index);
    FFolders->scrollTo(index);
  }
  FSyncing = false;
  FolderChanged();
}

void TForm1::SetDriveFromFolder(const QString& folder) {
  QString best = "/";
  for (int i = 0; i < FDrives->count(); ++i) {
    const QString root = FDrives->itemText(i);
    if ((folder == root || folder.startsWith(root.endsWith('/') ? root : root + '/')) &&
        root.size() > best.size())
      best = root;
  }
  FDrives->setCurrentText(best);
}

void TForm1::FolderChanged() {
  FStatus[0]->setText(QString::number(FFiles.Count()) + " files");
  FSlideshow->FolderChanged();
}

void TForm1::FileListToWidget() {
  FSyncing = true;
  FFileList->clear();
  FFileList->addItems(FFiles.Names());
  for (int i = 0; i < FFiles.Count(); ++i)
    if (FFiles.IsSelected(i)) FFileList->item(i)->setSelected(true);
  if (FFiles.Position() >= 0)
    FFileList->setCurrentRow(FFiles.Position(), QItemSelectionModel::NoUpdate);
  FSyncing = false;
}

void TForm1::WidgetSelectionChanged() {
  if (FSyncing) return;
  const int before = FFiles.Position();
  for (int i = 0; i < FFileList->count(); ++i) FFiles.SetSelected(i, FFileList->item(i)->isSelected());
  FFiles.SetPosition(FFileList->currentRow());
  if (FFiles.Position() != before && FFiles.CurrentIndex() >= 0) ShowFile(FFiles.CurrentFile());
}

void TForm1::ApplyFileTypeMask() {
  FFiles.SetMask(FileTypeMask(ReadSetting("FileTypes", "111111")));
  FileListToWidget();
}

void TForm1::Refresh() {
  QString remembered;
  if (FFiles.AnySelected()) remembered = FFiles.Names().value(FFiles.Position());
  FFiles.Reread();
  if (!remembered.isEmpty()) {
    const int at = FFiles.Find(remembered);
    if (at >= 0) FFiles.MakeCurrent(at);
  }
  FileListToWidget();
  FStatus[0]->setText(QString::number(FFiles.Count()) + " files");
}

void TForm1::OpenFromShell(const QString& path) {
  const QFileInfo info(path);
  if (!info.dir().exists()) return;
  SetFolder(info.absolutePath());
  const int at = FFiles.Find(info.fileName());
  if (at < 0) return;
  FFiles.MakeCurrent(at);
  FileListToWidget();
  ShowFile(FFiles.PathOf(at));
}

QString TForm1::StatusText(int panel) const {
  return panel >= 0 && panel < 3 ? FStatus[panel]->text() : QString();
}

bool TForm1::AutoZoom() const { return FAutoZoom->isChecked(); }

void TForm1::SetAutoZoom(bool on) { FAutoZoom->setChecked(on); }

void TForm1::ShowHelp() {
  const QString guide = QCoreApplication::applicationDirPath() + "/help/index.html";
  QDesktopServices::openUrl(QUrl::fromLocalFile(guide));
}

void TForm1::ShowAbout() {
  TfAbout about(this);
  about.exec();
}
