#include "mover/SelectFiles.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "controls/DisplayControls.h"
#include "controls/FileListView.h"
#include "controls/FolderTree.h"
#include "controls/ToolHost.h"
#include "mover/FolderWatch.h"
#include "mover/core/MoverRules.h"
#include "mover/core/Transfer.h"
#include "platform/Messages.h"
#include "platform/Settings.h"
#include "view/GIFImage.h"
#include "view/PGImage.h"

namespace {

struct TButtonSpec {
  const char* Caption;
  const char* Hint;
};

const TButtonSpec kButtons[] = {
    {"All", "Select All"},
    {"None", "Select None"},
    {"Move", "Move selected files to Target Directory"},
    {"Copy", "Copy selected files to Target Directory"},
    {"Preview", "Preview selected file (when Auto Preview is off)"},
    {"Update", "Update Source Directory File List"},
    {"Set Path", "Save Source Directory path"},
    {"Delete", "Delete selected files from Source Directory"},
    {"Rename", ""},
    {"Help", "Help for Graphic File Manager"},
    {"Close", "Close Graphic File Manager screen"},
};

}  // namespace

TfSelectFiles::TfSelectFiles(TToolHost& host) : FHost(host), FWatch(new TFolderWatch(this)) {
  setObjectName("TfSelectFiles");
  setWindowTitle("Moving Files...");
  setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint |
                 Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(false);
  BuildLayout();
  BuildPopups();
  FWatch->OnChange = [this] { WatchNotified(); };
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

TfSelectFiles::~TfSelectFiles() = default;

void TfSelectFiles::BuildLayout() {
  auto* outer = new QVBoxLayout(this);
  outer->setContentsMargins(6, 6, 6, 0);
  auto* row = new QHBoxLayout;
  row->addWidget(BuildSourceSide());
  row->addWidget(BuildPreviewSide());
  outer->addLayout(row);
  auto* status = new QHBoxLayout;
  status->setContentsMargins(0, 2, 0, 2);
  for (int i = 0; i < 2; ++i) {
    FStatus[i] = new QLabel(this);
    FStatus[i]->setFrameShape(QFrame::StyledPanel);
    FStatus[i]->setFrameShadow(QFrame::Sunken);
    FStatus[i]->setObjectName(QString("Panel%1").arg(i));
  }
  FStatus[0]->setFixedWidth(286);
  FStatus[0]->setToolTip("Target Directory: the main window's current folder");
  status->addWidget(FStatus[0]);
  status->addWidget(FStatus[1], 1);
  outer->addLayout(status);
}

QWidget* TfSelectFiles::BuildSourceSide() {
  auto* side = new QWidget(this);
  auto* column = new QVBoxLayout(side);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  FDrives = new QComboBox(side);
  FDrives->setObjectName("DriveComboBox1");
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes())
    if (volume.isValid() && volume.isReady()) FDrives->addItem(volume.rootPath());
  if (FDrives->findText("/") < 0) FDrives->insertItem(0, "/");
  FFolders = new TFolderTree(side);
  FFolders->setObjectName("DirectoryListBox1");
  FFolders->setFixedHeight(150);
  FFileList = new TFileListView(side);
  FFileList->setObjectName("FileListBox1");
  FFileList->SetFiles(&FFiles);
  FFileList->setFixedHeight(200);
  FFileList->installEventFilter(this);
  for (QWidget* w : {static_cast<QWidget*>(FDrives), static_cast<QWidget*>(FFolders),
                     static_cast<QWidget*>(FFileList)}) {
    w->setFixedWidth(177);
    column->addWidget(w);
  }
  connect(FDrives, &QComboBox::textActivated, this, [this](const QString& root) { SetSourceFolder(root); });
  FFolders->OnFolderChosen = [this](const QString& folder) { SetSourceFolder(folder); };
  FFileList->OnUserChange = [this](int, bool byMouse) {
    if (byMouse && FAutoPreview->isChecked()) Preview();
  };
  return side;
}

QWidget* TfSelectFiles::BuildPreviewSide() {
  auto* side = new QWidget(this);
  auto* column = new QVBoxLayout(side);
  column->setContentsMargins(0, 0, 0, 0);
  auto* top = new QHBoxLayout;
  FPreviewBox = new QFrame(side);
  FPreviewBox->setObjectName("PreviewBox");
  static_cast<QFrame*>(FPreviewBox)->setFrameShape(QFrame::Box);
  FPreviewBox->setFixedSize(kPreviewBox + 2, kPreviewBox + 2);
  FImage1 = new TPictureControl(FPreviewBox);
  FGIFImage1 = new TGIFImage(FPreviewBox);
  FGIFImage1->SetStretch(true);
  FGIFImage1->SetLoop(true);
  FGIFImage1->SetAnimate(false);
  FAVIPlay1 = new TVideoPlayer(FPreviewBox);
  FPGImage1 = new TPGImage(FPreviewBox);
  FPGImage1->SetBorderSingle(false);
  FPGImage1->SetAutoSize(false);
  FPGImage1->SetCenter(true);
  FPGImage1->SetStretch(sShrinkKAR);
  FPGImage1->SetUseThread(false);
  FPGImage1->ReadWarningAction = pgwaIgnore;
  FPGImage1->setGeometry(1, 1, kPreviewBox, kPreviewBox);
  for (QWidget* w : {static_cast<QWidget*>(FImage1), static_cast<QWidget*>(FGIFImage1),
                     static_cast<QWidget*>(FAVIPlay1), static_cast<QWidget*>(FPGImage1)})
    w->hide();
  FLed = new TLedIndicator(side);
  FLed->setToolTip("Lit while a preview loads");
  top->addWidget(FPreviewBox);
  top->addWidget(FLed, 0, Qt::AlignTop);
  auto* checks = new QVBoxLayout;
  FAutoPreview = new QCheckBox("A Preview", side);
  FAutoPreview->setToolTip("Preview a file when it is clicked");
  FAutoPreview->setChecked(true);
  FAutoUpdate = new QCheckBox("A Update", side);
  FAutoUpdate->setToolTip("Watch the source folder and show new files as they arrive");
  connect(FAutoUpdate, &QCheckBox::toggled, this, [this](bool on) { SetWatching(on); });
  checks->addWidget(FAutoPreview);
  checks->addWidget(FAutoUpdate);
  checks->addStretch(1);
  top->addLayout(checks);
  column->addLayout(top);

  auto* grid = new QGridLayout;
  grid->setSpacing(4);
  int at = 0;
  for (const TButtonSpec& spec : kButtons) {
    auto* b = new QPushButton(spec.Caption, side);
    b->setObjectName(QString(spec.Caption).remove(' ') + "Button");
    b->setToolTip(spec.Hint);
    b->setAutoDefault(false);
    FButtons << b;
    grid->addWidget(b, at / 3, at % 3);
    ++at;
  }
  column->addLayout(grid);
  column->addStretch(1);
  connect(Button("All"), &QPushButton::clicked, this, [this] { SelectAll(); });
  connect(Button("None"), &QPushButton::clicked, this, [this] { SelectNone(); });
  connect(Button("Move"), &QPushButton::clicked, this, [this] { Transfer(TTransferKind::Move); });
  connect(Button("Copy"), &QPushButton::clicked, this, [this] { Transfer(TTransferKind::Copy); });
  connect(Button("Preview"), &QPushButton::clicked, this, [this] { Preview(); });
  connect(Button("Update"), &QPushButton::clicked, this, [this] { Update(); });
  connect(Button("Set Path"), &QPushButton::clicked, this, [this] { SetPath(); });
  connect(Button("Delete"), &QPushButton::clicked, this, [this] { DeleteFiles(); });
  connect(Button("Rename"), &QPushButton::clicked, this, [this] { RenameFile(); });
  connect(Button("Help"), &QPushButton::clicked, this, [this] { FHost.ShowHelpPage("move-tool.html"); });
  connect(Button("Close"), &QPushButton::clicked, this, [this] { close(); });
  return side;
}

void TfSelectFiles::BuildPopups() {
  auto* popup = new QMenu(this);
  popup->setObjectName("FilePopup");
  popup->addAction("Update", this, [this] { Update(); });
  popup->addAction("Move", this, [this] { Transfer(TTransferKind::Move); });
  popup->addAction("Copy", this, [this] { Transfer(TTransferKind::Copy); });
  popup->addAction("Delete", this, [this] { DeleteFiles(); });
  popup->addAction("Rename", this, [this] { RenameFile(); });
  popup->addAction("Preview", this, [this] { Preview(); });
  popup->addAction("Image Properties...", this, [this] { ImageProperties(); });
  popup->addAction("File Attributes...", this, [this] { FileAttributes(); });
  FFileList->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(FFileList, &QWidget::customContextMenuRequested, this,
          [this, popup](const QPoint& at) { popup->popup(FFileList->mapToGlobal(at)); });
  auto* folderPopup = new QMenu(this);
  folderPopup->setObjectName("FolderPopup");
  folderPopup->addAction("Add Folder...", this, [this] { AddFolderCommand(); });
  folderPopup->addAction("Delete Folder", this, [this] { DeleteFolderCommand(); });
  FFolders->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(FFolders, &QWidget::customContextMenuRequested, this,
          [this, folderPopup](const QPoint& at) { folderPopup->popup(FFolders->mapToGlobal(at)); });
}

QPushButton* TfSelectFiles::Button(const QString& caption) const {
  for (QPushButton* b : FButtons)
    if (b->text() == caption) return b;
  return nullptr;
}

QString TfSelectFiles::StatusText(int panel) const {
  return panel >= 0 && panel < 2 ? FStatus[panel]->text() : QString();
}

void TfSelectFiles::showEvent(QShowEvent* event) {
  // Every showing starts from the stored source folder.
  QString folder = ReadSetting("SourceDir", QDir::homePath());
  if (!QDir(folder).exists()) folder = QDir::homePath();
  SetSourceFolder(folder);
  DestinationChanged();
  QDialog::showEvent(event);
}

void TfSelectFiles::closeEvent(QCloseEvent* event) {
  FAVIPlay1->SetActive(false);
  FAVIPlay1->hide();
  FAutoUpdate->setChecked(false);
  StopWatching();
  FImage1->hide();
  QDialog::closeEvent(event);
}

bool TfSelectFiles::eventFilter(QObject* watched, QEvent* event) {
  if (watched == FFileList && event->type() == QEvent::KeyRelease) {
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Delete && !key->isAutoRepeat()) {
      DeleteFiles();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TfSelectFiles::SetSourceFolder(const QString& folder) {
  setWindowTitle(folder);
  FFiles.SetMask(FHost.FileMask().join(';'));
  FFiles.SetFolder(QDir::cleanPath(folder));
  FFolders->SetFolder(FFiles.Folder());
  for (int i = FDrives->count() - 1; i >= 0; --i) {
    const QString root = FDrives->itemText(i);
    if (FFiles.Folder().startsWith(root)) {
      FDrives->setCurrentIndex(i);
      break;
    }
  }
  TakeSnapshot();
}

void TfSelectFiles::TakeSnapshot() {
  std::vector<std::string> names;
  for (const QString& n : FFiles.Names()) names.push_back(n.toStdString());
  FSnapshot = SnapshotOf(std::move(names));
}

void TfSelectFiles::DestinationChanged() { FStatus[0]->setText(FHost.CurrentFolder()); }

void TfSelectFiles::SelectAll() {
  for (int i = 0; i < FFiles.Count(); ++i) FFiles.SetSelected(i, true);
}

void TfSelectFiles::SelectNone() { FFiles.ClearSelection(); }

void TfSelectFiles::Update() {
  if (FStatus[1]->text().startsWith("Loading")) FStatus[1]->clear();
  const QString remembered = FFiles.CurrentIndex() >= 0 ? FFiles.Names()[FFiles.CurrentIndex()] : QString();
  FFiles.Reread();
  const int at = remembered.isEmpty() ? -1 : FFiles.Find(remembered);
  if (at >= 0) {
    FFiles.MakeCurrent(at);
    FFileList->scrollTo(FFiles.index(at), QAbstractItemView::PositionAtTop);
  }
  TakeSnapshot();
}

void TfSelectFiles::SetPath() {
  WriteSetting("SourceDir", FFiles.Folder());
  ShowMessage(this, "Saved default as " + FFiles.Folder());
}

bool TfSelectFiles::Watching() const { return FWatch->Watching(); }

void TfSelectFiles::SetWatching(bool on) {
  QString error;
  // The folder of this moment: browsing elsewhere later does not move the watch.
  if (on && !FWatch->SetFolder(FFiles.Folder(), &error)) {
    ShowError(this, error);
    return;
  }
  if (!FWatch->SetEnabled(on, &error)) {
    ShowError(this, error);
    FAutoUpdate->setChecked(false);
  }
}

void TfSelectFiles::StopWatching() {
  FWatch->SetEnabled(false);
  if (FAutoUpdate->isChecked()) FAutoUpdate->setChecked(false);
}

void TfSelectFiles::WatchNotified() {
  FFiles.Reread();
  std::vector<std::string> names;
  for (const QString& n : FFiles.Names()) names.push_back(n.toStdString());
  const int fresh = FirstNewEntry(FSnapshot, names);
  if (fresh >= 0) {
    FFiles.ClearSelection();
    FFiles.MakeCurrent(fresh);
    FFileList->ScrollToPosition();
    Preview();  // whether "A Preview" is on or not
  }
  TakeSnapshot();
}
