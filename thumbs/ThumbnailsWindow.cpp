#include "thumbs/ThumbnailsWindow.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QProgressBar>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QTreeView>
#include <filesystem>

#include "controls/FolderTree.h"
#include "controls/ToolHost.h"
#include "platform/Messages.h"
#include "thumbs/SaveThumbnailDialog.h"
#include "thumbs/ThumbBuilder.h"
#include "thumbs/ThumbListModel.h"
#include "thumbs/ThumbViewer.h"

namespace {

const int kSizes[] = {64, 80, 96, 128, 256};

QColor ListColor() { return QColor(254, 255, 230); }

// The folder as the explorer keeps it: ending with a separator.
QString WithSeparator(const QString& folder) {
  QString f = QDir::cleanPath(folder);
  return f.endsWith('/') ? f : f + '/';
}

}  // namespace

TfrmThumbnails::TfrmThumbnails(TToolHost& host) : FHost(host) {
  setObjectName("TfrmThumbnails");
  setWindowTitle("Thumbnail Explorer");
  resize(820, 560);
  FModel = new TThumbListModel(this);
  FBuilder = new TThumbBuilder(this);
  FBuilder->OnThumbnail = [this](const QString& name, const QPixmap& cell) {
    if (!cell.isNull()) FModel->SetThumbnail(name, cell, FLoadMode == lmLiveUpdate);
  };
  FBuilder->OnProgress = [this](int done, int total, const QString& name) {
    BuildProgress(done, total, name);
  };
  FBuilder->OnFinished = [this] { BuildFinished(); };
  BuildList();
  BuildToolBar();
  BuildMenus();
  auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this, [this] { StopBuild(); });
  escape->setContext(Qt::WindowShortcut);
  auto* refresh = new QShortcut(QKeySequence(Qt::Key_F5), this, [this] { Refresh(); });
  refresh->setContext(Qt::WindowShortcut);
}

TfrmThumbnails::~TfrmThumbnails() { FBuilder->Stop(); }

void TfrmThumbnails::SetWindows(TfrmSaveThumbnail* saveDialog, QWidget* sheetCreator) {
  FSaveDialog = saveDialog;
  FSheetCreator = sheetCreator;
}

void TfrmThumbnails::BuildList() {
  FTree = new TFolderTree;
  FTree->setObjectName("MyTree");
  FTree->OnFolderChosen = [this](const QString& folder) { SelectFolder(folder); };

  FDetails = new QTreeView;
  FDetails->setObjectName("LV2Details");
  FDetails->setRootIsDecorated(false);
  FDetails->setUniformRowHeights(true);
  FDetails->setItemsExpandable(false);
  FDetails->setModel(FModel);
  FDetails->header()->setSectionsClickable(true);
  FDetails->header()->setSortIndicatorShown(true);
  FDetails->header()->setSortIndicator(0, Qt::AscendingOrder);
  FDetails->setColumnWidth(0, 200);
  FDetails->setColumnWidth(1, 60);
  FDetails->setColumnWidth(2, 60);
  FDetails->setColumnWidth(3, 120);
  connect(FDetails->header(), &QHeaderView::sectionClicked, this,
          [this](int column) { ColumnClick(column); });

  FIcons = new QListView;
  FIcons->setObjectName("LV2Icons");
  FIcons->setModel(FModel);
  FIcons->setSelectionModel(FDetails->selectionModel());

  FLV2 = new QStackedWidget;
  FLV2->setObjectName("LV2");
  FLV2->addWidget(FDetails);
  FLV2->addWidget(FIcons);
  for (QAbstractItemView* view : {static_cast<QAbstractItemView*>(FDetails),
                                  static_cast<QAbstractItemView*>(FIcons)}) {
    QPalette p = view->palette();
    p.setColor(QPalette::Base, ListColor());
    p.setColor(QPalette::AlternateBase, ListColor());
    view->setPalette(p);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setDragEnabled(true);
    view->setDragDropMode(QAbstractItemView::DragOnly);
    view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(view, &QWidget::customContextMenuRequested, this,
            [this, view](const QPoint& at) { ShowListMenu(view->viewport()->mapToGlobal(at)); });
    connect(view, &QAbstractItemView::doubleClicked, this, [this] {
      if (SelectedNames().size() == 1) ViewImage();
    });
  }
  FVisibleTimer = new QTimer(this);
  FVisibleTimer->setSingleShot(true);
  FVisibleTimer->setInterval(50);
  connect(FVisibleTimer, &QTimer::timeout, this, [this] { PrioritizeVisible(); });
  FRepaintTimer = new QTimer(this);
  FRepaintTimer->setInterval(150);
  connect(FRepaintTimer, &QTimer::timeout, this, [this] { FModel->NotifyThumbnails(); });
  connect(FIcons->verticalScrollBar(), &QScrollBar::valueChanged, FVisibleTimer,
          qOverload<>(&QTimer::start));

  auto* split = new QSplitter;
  split->addWidget(FTree);
  split->addWidget(FLV2);
  split->setStretchFactor(1, 1);
  split->setSizes({220, 600});
  setCentralWidget(split);

  static const int widths[] = {200, 140, 200, 50};
  for (int i = 0; i < 4; ++i) {
    FPanels[i] = new QLabel;
    FPanels[i]->setObjectName(QString("SB1Panel%1").arg(i));
    FPanels[i]->setMinimumWidth(widths[i]);
    statusBar()->addWidget(FPanels[i], i == 3 ? 1 : 0);
  }
  statusBar()->setObjectName("SB1");
}

void TfrmThumbnails::BuildToolBar() {
  QToolBar* bar = addToolBar("Thumbnails");
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  QAction* toDisk = bar->addAction("Save...", this, [this] { SaveThumbnails(); });
  toDisk->setObjectName("tbVexToDisk");
  toDisk->setToolTip("Save thumbnails to disk");
  QAction* creator = bar->addAction("ThumbVex", this, [this] {
    if (!FSheetCreator) return;
    FSheetCreator->show();
    FSheetCreator->raise();
  });
  creator->setObjectName("tbThumbVex");
  creator->setToolTip("ThumbVex Creator");
  bar->addSeparator();
  FViewGroup = new QActionGroup(this);
  const char* const names[] = {"tbList", "tbReport", "tbIcon"};
  const char* const texts[] = {"List", "Details", "Thumbnails"};
  const TView views[] = {vList, vDetails, vThumbnails};
  for (int i = 0; i < 3; ++i) {
    FViewActions[i] = bar->addAction(texts[i], this, [this, v = views[i]] { SetView(v); });
    FViewActions[i]->setObjectName(names[i]);
    FViewActions[i]->setToolTip(texts[i]);
    FViewActions[i]->setCheckable(true);
    FViewGroup->addAction(FViewActions[i]);
  }
  FViewActions[1]->setChecked(true);
  bar->addSeparator();
  auto* sizeButton = new QToolButton(bar);
  sizeButton->setObjectName("tbThumbSize");
  sizeButton->setText("Size");
  sizeButton->setToolTip("Thumbnail size and loading mode");
  sizeButton->setPopupMode(QToolButton::InstantPopup);
  bar->addWidget(sizeButton);
  auto* sizeMenu = new QMenu(sizeButton);
  sizeMenu->setObjectName("SizeMenu");
  FSizeGroup = new QActionGroup(this);
  for (int size : kSizes) {
    QAction* a = sizeMenu->addAction(QString("%1 X %1").arg(size), this,
                                     [this, size] { SetThumbSize(size); });
    a->setCheckable(true);
    a->setChecked(size == FThumbSize);
    a->setData(size);
    FSizeGroup->addAction(a);
  }
  sizeMenu->addSeparator();
  auto* modes = new QActionGroup(this);
  QAction* fast = sizeMenu->addAction("Fast Load", this, [this] { SetLoadMode(lmFastLoad); });
  QAction* live = sizeMenu->addAction("Live Update", this, [this] { SetLoadMode(lmLiveUpdate); });
  for (QAction* a : {fast, live}) {
    a->setCheckable(true);
    modes->addAction(a);
  }
  fast->setChecked(true);
  sizeMenu->addSeparator();
  QAction* cache = sizeMenu->addAction("Use Shared Thumbnail Cache");
  cache->setObjectName("UseThumbnailCache");
  cache->setCheckable(true);
  cache->setChecked(TThumbBuilder::CacheEnabled());
  connect(cache, &QAction::toggled, this, [this](bool on) {
    if (FBuilder->Running()) StopBuild();
    FBuilder->SetCacheEnabled(on);
  });
  sizeButton->setMenu(sizeMenu);
  FProgress = new QProgressBar;
  FProgress->setObjectName("ProgressBar1");
  FProgress->setRange(0, 100);
  FProgress->setMaximumHeight(12);
  FProgress->setMaximumWidth(200);
  FProgress->setTextVisible(false);
  statusBar()->addPermanentWidget(FProgress);
  FProgress->hide();
}

void TfrmThumbnails::BuildMenus() {
  FListMenu = new QMenu(this);
  FListMenu->setObjectName("ListMenu");
  FListMenu->addAction("View Image...", this, [this] { ViewImage(); });
  FListMenu->addAction("Image Properties...", this, [this] { ImageProperties(); });
  FListMenu->addAction("Save As Thumbnail...", this, [this] { SaveThumbnails(); });
  FListMenu->addSeparator();
  FListMenu->addAction("Refresh", this, [this] { Refresh(); });
}

QItemSelectionModel* TfrmThumbnails::Selection() const { return FDetails->selectionModel(); }

QString TfrmThumbnails::Panel(int index) const { return FPanels[index]->text(); }

QStringList TfrmThumbnails::SelectedNames() const {
  QList<int> rows;
  for (const QModelIndex& i : Selection()->selectedRows()) rows << i.row();
  std::sort(rows.begin(), rows.end());
  QStringList names;
  for (int r : rows) names << FModel->NameOf(r);
  return names;
}

void TfrmThumbnails::OpenFolder(const QString& folder, const QString& mask) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  SetView(vDetails);
  FMask = mask.isEmpty() ? "*.*" : mask;
  FTree->SetFolder(folder);
  SelectFolder(folder);
  show();
  raise();
  activateWindow();
  QApplication::restoreOverrideCursor();
}

void TfrmThumbnails::SelectFolder(const QString& folder) {
  FBuilder->Stop();  // a running build ends before the list changes under it
  FFolder = WithSeparator(folder);
  FSortColumn = 0;
  FSortAscending = true;
  FDetails->header()->setSortIndicator(0, Qt::AscendingOrder);
  Fill();
  FPanels[0]->setText(FFolder);
  if (FView == vThumbnails) BuildThumbnails();
}

void TfrmThumbnails::Refresh() {
  if (!FFolder.isEmpty()) SelectFolder(FFolder);
}

void TfrmThumbnails::Fill() {
  FBuilder->Stop();
  FPanels[1]->clear();
  FLastBuiltFolder.clear();
  std::vector<TThumbEntry> entries;
  try {
    entries = ListThumbEntries(QFile::encodeName(FFolder).toStdString(), FMask.toStdString());
  } catch (const std::filesystem::filesystem_error&) {
    FPanels[1]->setText("Cannot read the folder");
  }
  const int count = static_cast<int>(entries.size());
  FModel->Fill(FFolder, std::move(entries));
  FDetails->scrollToTop();
  FIcons->scrollToTop();
  FPanels[3]->setText(QString("%1 files").arg(count));
}

void TfrmThumbnails::SetView(TView view) {
  FView = view;
  FViewActions[view]->setChecked(true);
  ApplyView();
  if (view == vThumbnails && !FFolder.isEmpty() &&
      !(FLastBuiltFolder == FFolder && FModel->ThumbnailCount() > 0 && !FBuilder->Running()))
    BuildThumbnails();
}

void TfrmThumbnails::ApplyView() {
  FModel->SetShowThumbnails(FView == vThumbnails);
  if (FView == vDetails) {
    FLV2->setCurrentWidget(FDetails);
    return;
  }
  FLV2->setCurrentWidget(FIcons);
  if (FView == vList) {
    FIcons->setViewMode(QListView::ListMode);
    FIcons->setFlow(QListView::TopToBottom);
    FIcons->setWrapping(true);
    FIcons->setGridSize(QSize());
    FIcons->setIconSize(QSize(16, 16));
  } else {
    FIcons->setViewMode(QListView::IconMode);
    FIcons->setFlow(QListView::LeftToRight);
    FIcons->setWrapping(true);
    FIcons->setMovement(QListView::Static);
    FIcons->setIconSize(QSize(FThumbSize, FThumbSize));
    FIcons->setGridSize(QSize(std::max(FThumbSize + 24, 128), FThumbSize + 40));
    FIcons->setTextElideMode(Qt::ElideMiddle);
    FIcons->setWordWrap(false);
  }
  FIcons->setResizeMode(QListView::Adjust);
  FIcons->setDragEnabled(true);
  FIcons->doItemsLayout();
}

void TfrmThumbnails::SetThumbSize(int size) {
  FThumbSize = size;
  for (QAction* a : FSizeGroup->actions()) a->setChecked(a->data().toInt() == size);
  if (FView == vThumbnails) ApplyView();
  if (FModel->rowCount() > 0 && FView == vThumbnails) {
    Fill();
    BuildThumbnails();
  }
}

void TfrmThumbnails::ColumnClick(int column) {
  FSortAscending = column == FSortColumn ? !FSortAscending : true;
  FSortColumn = column;
  FDetails->header()->setSortIndicator(column,
                                       FSortAscending ? Qt::AscendingOrder : Qt::DescendingOrder);
  try {
    FModel->SortBy(column, FSortAscending);
  } catch (const std::exception&) {
    ShowMessage(this, "Error sorting entries");
  }
  PrioritizeVisible();
}

void TfrmThumbnails::ShowListMenu(const QPoint& at) {
  if (SelectedNames().size() != 1) return;
  FListMenu->popup(at);
}

void TfrmThumbnails::ViewImage() {
  const QStringList names = SelectedNames();
  if (names.size() != 1) return;
  auto* viewer = new TfrmThumbVex(this);
  viewer->Open(FFolder + names.first());
}

void TfrmThumbnails::ImageProperties() {
  const QStringList names = SelectedNames();
  if (names.size() == 1) FHost.ShowImageProperties(FFolder + names.first());
}

void TfrmThumbnails::SaveThumbnails() {
  if (!FSaveDialog) return;
  QStringList paths;
  for (const QString& n : SelectedNames()) paths << FFolder + n;
  if (paths.isEmpty()) {
    ShowMessage(this, "Select the pictures whose thumbnails are to be saved first");
    return;
  }
  const int written = FSaveDialog->Run(this, FFolder, paths);
  if (written > 0) FPanels[1]->setText(QString("%1 thumbnails saved").arg(written));
  if (FSaveDialog->Options().Folder == QFile::encodeName(FFolder).toStdString() ||
      FSaveDialog->Options().Folder + "/" == QFile::encodeName(FFolder).toStdString())
    if (written > 0) Refresh();  // the new files belong in the list
}

// Esc reaches the window from any of its controls that does not use it.
void TfrmThumbnails::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    StopBuild();
    event->accept();
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void TfrmThumbnails::closeEvent(QCloseEvent* event) {
  if (FBuilder->Running()) StopBuild();
  QMainWindow::closeEvent(event);
}

void TfrmThumbnails::ShowProgress(bool shown) { FProgress->setVisible(shown); }
