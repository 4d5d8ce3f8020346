#include "thumbs/ThumbEditWindow.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

#include "controls/ToolHost.h"
#include "platform/Messages.h"
#include "thumbs/SheetSaveDialog.h"
#include "thumbs/SheetText.h"
#include "thumbs/ThumbVexOptions.h"
#include "thumbs/ThumbViewer.h"
#include "thumbs/core/SheetBuilder.h"
#include "view/PGImage.h"

namespace {

// The list of the creator: accepts files dropped from the explorer and file managers.
class TSheetFileList : public QListWidget {
 public:
  std::function<void(const QStringList&)> OnDropFiles;
  TSheetFileList() {
    setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DropOnly);
  }

 protected:
  static QStringList LocalFiles(const QMimeData* data) {
    QStringList files;
    if (!data) return files;
    for (const QUrl& url : data->urls())
      if (url.isLocalFile() && QFileInfo(url.toLocalFile()).isFile()) files << url.toLocalFile();
    return files;
  }
  void dragEnterEvent(QDragEnterEvent* e) override {
    if (!LocalFiles(e->mimeData()).isEmpty()) e->acceptProposedAction();
  }
  void dragMoveEvent(QDragMoveEvent* e) override {
    if (!LocalFiles(e->mimeData()).isEmpty()) e->acceptProposedAction();
  }
  void dropEvent(QDropEvent* e) override {
    const QStringList files = LocalFiles(e->mimeData());
    if (files.isEmpty()) return;
    e->acceptProposedAction();
    if (OnDropFiles) OnDropFiles(files);
  }
};

}  // namespace

TfrmThumbEdit::TfrmThumbEdit(TToolHost& host) : FHost(host) {
  setObjectName("TfrmThumbEdit");
  setWindowTitle("ThumbVex Creator");
  setWindowFlags(Qt::Window | Qt::WindowStaysOnTopHint);
  resize(900, 560);
  BuildWindow();
}

void TfrmThumbEdit::BuildWindow() {
  auto* list = new TSheetFileList;
  list->OnDropFiles = [this](const QStringList& files) { AddFiles(files); };
  ListBox1 = list;
  ListBox1->setObjectName("ListBox1");
  QPalette p = ListBox1->palette();
  p.setColor(QPalette::Base, QColor(254, 255, 230));
  ListBox1->setPalette(p);
  ListBox1->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(ListBox1, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    UpdateListMenu();
    FListMenu->popup(ListBox1->viewport()->mapToGlobal(at));
  });
  connect(ListBox1, &QListWidget::itemDoubleClicked, this, [this] { ViewImage(); });

  PGImage1 = new TPGImage;
  PGImage1->setObjectName("PGImage1");
  PGImage1->SetCenter(true);
  PGImage1->SetZoomFactor(1.0);
  PGImage1->SetStretch(sNeverKAR);

  btnMakeThumbVex = new QPushButton("Generate ThumbVex");
  btnMakeThumbVex->setObjectName("btnMakeThumbVex");
  connect(btnMakeThumbVex, &QPushButton::clicked, this, [this] { Generate(); });
  auto* save = new QPushButton("Save to File...");
  save->setObjectName("btnSave");
  connect(save, &QPushButton::clicked, this, [this] { SaveAs(); });
  auto* options = new QPushButton("Options");
  options->setObjectName("btnOptions");
  connect(options, &QPushButton::clicked, this, [this] { ShowOptions(); });
  auto* hint = new QLabel("Drop picture files here");
  hint->setStyleSheet("color: #606060;");
  auto* left = new QWidget;
  auto* column = new QVBoxLayout(left);
  column->setContentsMargins(4, 4, 4, 4);
  column->addWidget(hint);
  column->addWidget(ListBox1, 1);
  column->addWidget(btnMakeThumbVex);
  column->addWidget(save);
  column->addWidget(options);
  auto* split = new QSplitter;
  split->addWidget(left);
  split->addWidget(PGImage1);
  split->setStretchFactor(1, 1);
  split->setSizes({240, 660});
  setCentralWidget(split);

  QToolBar* bar = addToolBar("View");
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  sbKAR = bar->addAction("Stretch To Fit");
  sbKAR->setObjectName("sbKAR");
  sbKAR->setCheckable(true);
  connect(sbKAR, &QAction::toggled, this,
          [this](bool down) { PGImage1->SetStretch(down ? sAlwaysKAR : sNeverKAR); });

  QMenu* file = menuBar()->addMenu("&File");
  file->addAction("Generate ThumbVex", this, [this] { Generate(); });
  file->addAction("Save As...", this, [this] { SaveAs(); });
  file->addSeparator();
  file->addAction("Close", this, [this] { close(); });

  FListMenu = new QMenu(this);
  FListMenu->setObjectName("ListMenu");
  FListMenu->addAction("View Image...", this, [this] { ViewImage(); });
  FListMenu->addAction("Image Properties...", this, [this] { ImageProperties(); });
  FListMenu->addAction("Delete Selected Item", this, [this] { DeleteSelected(); });
  FListMenu->addAction("Clear All Items", this, [this] { ClearAll(); });

  FPanels[0] = new QLabel;
  FPanels[0]->setMinimumWidth(160);
  FPanels[1] = new QLabel("Drag and drop files from the Thumbnail Explorer");
  statusBar()->addWidget(FPanels[0]);
  statusBar()->addWidget(FPanels[1], 1);
}

QString TfrmThumbEdit::Panel(int index) const { return FPanels[index]->text(); }

void TfrmThumbEdit::AddFiles(const QStringList& paths) {
  for (const QString& p : paths) ListBox1->addItem(p);
}

QStringList TfrmThumbEdit::Files() const {
  QStringList files;
  for (int i = 0; i < ListBox1->count(); ++i) files << ListBox1->item(i)->text();
  return files;
}

void TfrmThumbEdit::UpdateListMenu() {
  const bool selected = ListBox1->currentRow() >= 0 && !ListBox1->selectedItems().isEmpty();
  const QList<QAction*> actions = FListMenu->actions();
  for (int i = 0; i < 3; ++i) actions[i]->setEnabled(selected);
}

bool TfrmThumbEdit::Generate() {
  if (ListBox1->count() == 0) {
    ShowMessage(this, "You must drag some images into the listbox first!");
    return false;
  }
  const TSheetOptions options = FOptions ? FOptions->Options() : TSheetOptions{};
  std::vector<std::string> files;
  for (const QString& f : Files()) files.push_back(QFile::encodeName(f).toStdString());
  QApplication::setOverrideCursor(Qt::WaitCursor);
  TQtSheetText text;
  TSheetResult result;
  try {
    result = BuildSheet(files, options, text, [this](int k, int n) {
      FPanels[1]->setText(QString("Processing %1 of %2").arg(k + 1).arg(n));
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      return true;
    });
  } catch (const std::exception& e) {
    QApplication::restoreOverrideCursor();
    ShowMessage(this, QString::fromStdString(e.what()));
    return false;
  }
  FPanels[0]->setText(QString::fromStdString(result.Layout.SizeText()));
  FPanels[1]->setText(QString("%1 pictures").arg(files.size()));
  PGImage1->TakePixelGraphic(std::move(result.Sheet));
  QApplication::restoreOverrideCursor();
  QStringList problems;
  if (!result.BackgroundError.empty())
    problems << QFile::decodeName(result.BackgroundError.c_str());
  for (const std::string& f : result.FailedFiles)
    problems << "Error loading file " + QFile::decodeName(f.c_str());
  if (!problems.isEmpty()) ShowMessage(this, problems.join("\n"));
  return true;
}

bool TfrmThumbEdit::SaveSheet(const QString& path) {
  if (PGImage1->IsEmpty()) return false;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  try {
    PGImage1->SaveToFile(path);
  } catch (const std::exception& e) {
    QApplication::restoreOverrideCursor();
    ShowError(this, QString::fromStdString(e.what()));
    return false;
  }
  QApplication::restoreOverrideCursor();
  return true;
}

void TfrmThumbEdit::SaveAs() {
  if (PGImage1->IsEmpty()) {
    ShowMessage(this, "Generate a ThumbVex first");
    return;
  }
  TSheetSaveDialog dialog(this);
  if (dialog.Execute()) SaveSheet(dialog.FileName);
}

void TfrmThumbEdit::ViewImage() {
  if (ListBox1->currentRow() < 0) return;
  auto* viewer = new TfrmThumbVex(this);
  viewer->Open(ListBox1->currentItem()->text(), 0);
}

void TfrmThumbEdit::ImageProperties() {
  if (ListBox1->currentRow() >= 0) FHost.ShowImageProperties(ListBox1->currentItem()->text());
}

void TfrmThumbEdit::DeleteSelected() {
  if (ListBox1->currentRow() >= 0) delete ListBox1->takeItem(ListBox1->currentRow());
}

void TfrmThumbEdit::ClearAll() {
  ListBox1->clear();
  if (TPixelGraphic* sheet = PGImage1->PixelGraphic()) {
    sheet->Clear();
    PGImage1->GraphicChanged();
  }
}

void TfrmThumbEdit::ShowOptions() {
  if (!FOptions) return;
  FOptions->show();
  FOptions->raise();
}

void TfrmThumbEdit::hideEvent(QHideEvent* event) {
  if (FOptions) FOptions->hide();
  QMainWindow::hideEvent(event);
}
