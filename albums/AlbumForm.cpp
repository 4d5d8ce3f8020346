// The album window: construction, menus, toolbar, list and status bar.
#include "albums/AlbumForm.h"

#include <QAction>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include "albums/AlbumList.h"
#include "albums/AlbumPrint.h"
#include "albums/CaptionEditor.h"
#include "albums/FrameSetupForm.h"
#include "print/PreviewPrinter.h"
#include "print/PrintWindows.h"

namespace {
const char* const kAlbumFilter = "Lumivex Photo Album (*.alb)";
}

TfAlbum::TfAlbum(TToolHost& host)
    : QMainWindow(nullptr, Qt::Window | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint),
      FHost(host),
      FEngine(std::make_unique<TPreviewPrinter>()) {
  setObjectName(QStringLiteral("fAlbum"));
  setWindowTitle(QStringLiteral("Lumivex VexAlbum Maker"));
  ConfigureAlbumEngine(*FEngine);
  FCaptionEditor = new TfrmEdit(this);
  FPrefs = new TfAPrefs(this);
  BuildBody();
  BuildMenus();
  BuildToolBar();
  ChooseOpenFile = [this](const QString& title, const QString& start) {
    return QFileDialog::getOpenFileName(this, title, start, QString::fromLatin1(kAlbumFilter));
  };
  ChooseSaveFile = [this](const QString& title, const QString& start) {
    return QFileDialog::getSaveFileName(this, title, start, QString::fromLatin1(kAlbumFilter));
  };
  ShowPreview = [this] {
    PreviewDocument(*FEngine, this, [this] { ComposePages(); });
  };
  ShowCount();
  setFixedSize(560, 420);
}

TfAlbum::~TfAlbum() = default;

void TfAlbum::BuildBody() {
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  FList = new TAlbumList(body);
  layout->addWidget(FList, 1);
  FProgress = new QProgressBar(body);
  FProgress->setObjectName(QStringLiteral("ProgressBar1"));
  FProgress->setTextVisible(false);
  FProgress->setFixedHeight(6);
  FProgress->setRange(0, 1);
  FProgress->setValue(0);
  layout->addWidget(FProgress);
  setCentralWidget(body);

  FStatus[0] = new QLabel(this);
  FStatus[0]->setFixedWidth(300);
  FStatus[1] = new QLabel(this);
  FStatus[1]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  FStatus[1]->setContentsMargins(0, 0, 8, 0);
  FStop = new QPushButton(QStringLiteral("Stop"), this);
  FStop->setObjectName(QStringLiteral("StopButton"));
  FStop->setToolTip(QStringLiteral("Stop composing the pages (Esc)"));
  FStop->hide();
  connect(FStop, &QPushButton::clicked, this, [this] { FStopRequested = true; });
  statusBar()->addWidget(FStatus[0]);
  statusBar()->addWidget(FStatus[1], 1);
  statusBar()->addPermanentWidget(FStop);
  statusBar()->setSizeGripEnabled(false);
  auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(esc, &QShortcut::activated, this, [this] { FStopRequested = FComposing; });

  FList->OnFilesDropped = [this](const QStringList& paths) { AddFiles(paths); };
  FList->OnEntryMoved = [this](int from, int to) {
    // After the drag has finished with the list's rows.
    QMetaObject::invokeMethod(this, [this, from, to] {
      if (FEditor.Move(from, to)) ShowAlbum(to);
    }, Qt::QueuedConnection);
  };
  FList->OnDeleteKey = [this] { DeleteSelection(); };
  FList->OnEditCaption = [this] { EditCaption(); };
}

void TfAlbum::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&New"), QKeySequence::New, this, [this] { NewAlbum(); });
  file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, [this] { OpenAlbum(); });
  file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, [this] { SaveAlbum(); });
  file->addAction(QStringLiteral("Save &as..."), this, [this] { SaveAlbumAs(); });
  file->addSeparator();
  file->addAction(QStringLiteral("Select Printer..."), this, [this] { SelectPrinter(); });
  file->addAction(QStringLiteral("Page Setup..."), this, [this] { PageSetup(); });
  file->addAction(QStringLiteral("Preview Album..."), QKeySequence::Print, this, [this] { Preview(); });
  file->addSeparator();
  file->addAction(QStringLiteral("&Close"), this, [this] { close(); });

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->addAction(QStringLiteral("Clear All Entries"), this, [this] { ClearList(); });
  edit->addAction(QStringLiteral("Import All Files"), this, [this] { ImportDirectory(); });
  edit->addSeparator();
  edit->addAction(QStringLiteral("Edit Caption"), this, [this] { EditCaption(); });
  edit->addAction(QStringLiteral("Move Up"), QKeySequence(Qt::CTRL | Qt::Key_Up), this,
                  [this] { MoveSelection(-1); });
  edit->addAction(QStringLiteral("Move Down"), QKeySequence(Qt::CTRL | Qt::Key_Down), this,
                  [this] { MoveSelection(1); });
  edit->addSeparator();
  edit->addAction(QStringLiteral("Frame Setup..."), this, [this] { FrameSetup(); });

  auto* popup = new QMenu(this);
  popup->addAction(QStringLiteral("Edit Caption"), this, [this] { EditCaption(); });
  popup->addAction(QStringLiteral("Move Up"), this, [this] { MoveSelection(-1); });
  popup->addAction(QStringLiteral("Move Down"), this, [this] { MoveSelection(1); });
  popup->addAction(QStringLiteral("Delete Selection"), this, [this] { DeleteSelection(); });
  popup->addSeparator();
  popup->addAction(QStringLiteral("Frame Setup..."), this, [this] { FrameSetup(); });
  popup->addAction(QStringLiteral("Preview Current Album"), this, [this] { Preview(); });
  FList->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(FList, &QWidget::customContextMenuRequested, this,
          [this, popup](const QPoint& at) { popup->popup(FList->viewport()->mapToGlobal(at)); });
}

void TfAlbum::BuildToolBar() {
  QToolBar* toolbar = FToolBar = addToolBar(QStringLiteral("Album"));
  toolbar->setObjectName(QStringLiteral("ToolBar1"));
  toolbar->setMovable(false);
  toolbar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  const auto button = [toolbar](const QString& text, const QString& hint, auto slot) {
    QAction* a = toolbar->addAction(text, slot);
    a->setToolTip(hint);
    a->setObjectName(QString(text).remove(' '));
  };
  button(QStringLiteral("Page Setup"), QStringLiteral("Margins, header, footer and page numbers"),
         [this] { PageSetup(); });
  button(QStringLiteral("Frame Setup"), QStringLiteral("Rows, columns, frame border and captions"),
         [this] { FrameSetup(); });
  button(QStringLiteral("Clear List"), QStringLiteral("Remove every entry"), [this] { ClearList(); });
  button(QStringLiteral("Import Directory"),
         QStringLiteral("Add every picture listed in the browser's current folder"),
         [this] { ImportDirectory(); });
  button(QStringLiteral("Preview"), QStringLiteral("Compose the pages and preview them"),
         [this] { Preview(); });
}

QString TfAlbum::StatusText(int panel) const {
  return panel >= 0 && panel < 2 ? FStatus[panel]->text() : QString();
}

void TfAlbum::ShowCount() { FStatus[1]->setText(QString::number(FEditor.Count())); }

void TfAlbum::ShowAlbum(int current) {
  std::vector<std::pair<QString, QString>> rows;
  rows.reserve(static_cast<std::size_t>(FEditor.Count()));
  for (const TAlbumEntry& e : FEditor.Album().Entries)
    rows.emplace_back(QString::fromStdString(e.Path), QString::fromStdString(e.Caption));
  FList->ShowEntries(rows, current);
  ShowCount();
}
