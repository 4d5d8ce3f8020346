#include "editor/AcquireWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>

#include "controls/ToolHost.h"
#include "dialogs/EffectWindow.h"
#include "dialogs/OpenSaveDialog.h"
#include "editor/AcquireParts.h"
#include "editor/EditDialogs.h"
#include "editor/SaveOptionsDialog.h"
#include "editor/core/ZoomSteps.h"
#include "platform/FormSettings.h"
#include "platform/Settings.h"
#include "view/PGImage.h"
#include "view/PicBox.h"

TfrmAcquire::TfrmAcquire(TToolHost& host) : FHost(host) {
  setWindowTitle("Lumivex Image Editor");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  FView = new TPGImage(this);
  FView->setObjectName("PGImage1");
  FView->SetStretch(sNeverKAR);
  FView->SetZoomFactor(1.0);
  setCentralWidget(FView);
  FTarget = std::make_unique<TViewEditTarget>(*FView);
  FEditor = std::make_unique<TPictureEditor>(*FTarget);
  FFilters = std::make_unique<TEditorFilterDialogs>();
  FOpenDialog = new TPGOpenDialog(this);
  FSaveDialog = new TPGSaveDialog(this);
  FSaveDialog->setWindowTitle("Lumivex Save File");
  FSaveDialog->SetOptions(FSaveDialog->Options() | ofOverwritePrompt);
  FRotate = new TfRotate(this);
  FBorder = new TfrmBorder(this);
  FColorRez = new TfrmColorRez(this);
  FResize = new TfrmResize(this);
  FSaveOptions = new TfrmFileSaveOptions(this);
  FEffect = new TfrmNewEFX(this);
  TfrmFileSaveOptions::LoadStored();
  FStatus = new QLabel;
  FStatus->setObjectName("StatusText");
  statusBar()->addWidget(FStatus, 1);
  BuildMenus();
  BuildToolBar();
  ConnectView();
  ReadPlacement();
  PictureChanged();
  UpdateUndo();
}

TfrmAcquire::~TfrmAcquire() {
  WritePlacement();
  FEditor->Undo().Clear();
}

void TfrmAcquire::ReadPlacement() {
  // Stored numbers that are not numbers fall back to the defaults; a place left on a screen
  // that is gone is moved back onto one.
  const QRect stored(ReadIntSetting("AcquireLeft", 50), ReadIntSetting("AcquireTop", 50),
                     std::max(200, ReadIntSetting("AcquireWidth", 600)),
                     std::max(150, ReadIntSetting("AcquireHeight", 400)));
  const QRect placed = OnVisibleScreen(stored);
  move(placed.topLeft());
  resize(placed.size());
}

void TfrmAcquire::WritePlacement() {
  WriteSetting("AcquireLeft", QString::number(x()));
  WriteSetting("AcquireTop", QString::number(y()));
  WriteSetting("AcquireWidth", QString::number(width()));
  WriteSetting("AcquireHeight", QString::number(height()));
}

void TfrmAcquire::BuildToolBar() {
  QToolBar* bar = addToolBar("Tools");
  bar->setObjectName("ToolBar1");
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto toggle = [bar](const QString& text, const QString& hint, const QString& name) {
    QAction* a = bar->addAction(text);
    a->setObjectName(name);
    a->setToolTip(hint);
    a->setCheckable(true);
    return a;
  };
  FAutoSizeButton = toggle("Auto Size", "Auto Size", "AutoSizeButton");
  connect(FAutoSizeButton, &QAction::toggled, this, [this](bool down) { SetAutoSize(down); });
  FTileButton = toggle("Tile", "Tile Image", "TileButton");
  connect(FTileButton, &QAction::toggled, this,
          [this](bool down) { FView->SetTiling(down ? tRepeat : tNone); });
  bar->addSeparator();
  auto* tools = new QActionGroup(this);
  FPointerButton = toggle("Pointer", "Pointer", "PointerButton");
  FZoomButton = toggle("Zoom", "Zoom In/Out", "ZoomButton");
  FSelectButton = toggle("Select", "Select area for cropping", "SelectButton");
  for (QAction* a : {FPointerButton, FZoomButton, FSelectButton}) tools->addAction(a);
  FPointerButton->setChecked(true);
  connect(FPointerButton, &QAction::toggled, this, [this](bool down) {
    if (down) SetPointerTool();
  });
  connect(FZoomButton, &QAction::toggled, this, [this](bool down) { SetZoomTool(down); });
  connect(FSelectButton, &QAction::toggled, this, [this](bool down) { SetSelectTool(down); });
  bar->addSeparator();
  QAction* capture = bar->addAction("Capture", this, [this] { ScreenCaptureCommand(); });
  capture->setObjectName("ScreenCaptureButton");
  capture->setToolTip("Screen Capture");
  bar->addSeparator();
  QAction* crop = bar->addAction("Crop", this, [this] { CropCommand(); });
  crop->setToolTip("Crop to the selection");
  QAction* undo = bar->addAction("Undo", this, [this] { UndoCommand(); });
  undo->setObjectName("UndoButton");
  undo->setToolTip("Undo the last command");
  connect(FUndo, &QAction::changed, undo, [this, undo] {
    undo->setEnabled(FUndo->isEnabled());
    undo->setToolTip(FUndo->text());
  });
}

void TfrmAcquire::SetAutoSize(bool down) {
  if (down) {
    FPointerButton->setChecked(true);  // releases the zoom tool
    FView->SetStretch(sAlwaysKAR);
  } else if (!FZoomButton->isChecked()) {
    FView->SetStretch(sNeverKAR);
  }
}

void TfrmAcquire::SetPointerTool() {
  FView->SetSelection(false);
  FView->SetActionMode(amMoveImage);
  FView->unsetCursor();
}

void TfrmAcquire::SetZoomTool(bool down) {
  if (down) {
    FAutoSizeButton->setChecked(false);
    FView->SetActionMode(amNone);
    FView->SetStretch(sZoomKAR);
    FView->PicBox()->setCursor(MagnifierCursor());  // at once, not at the next mouse move
  } else {
    FView->SetActionMode(amMoveImage);
    FView->SetStretch(FAutoSizeButton->isChecked() ? sAlwaysKAR : sNeverKAR);
    FView->PicBox()->unsetCursor();
  }
}

void TfrmAcquire::SetSelectTool(bool down) {
  if (down) {
    FView->SetActionMode(amCreateSelection);
  } else {
    FView->SetSelection(false);
    FView->SetActionMode(amMoveImage);
  }
}

void TfrmAcquire::ZoomClick(Qt::MouseButton button) {
  const double before = FView->ZoomFactor();
  FView->SetZoomFactor(button == Qt::RightButton ? ZoomToolOut(before) : ZoomToolIn(before));
  FView->update();
}

void TfrmAcquire::ConnectView() {
  FView->OnPixelGraphicChange = [this](TPGImage&) { PictureChanged(); };
  FView->PicBoxOnMouseDown = [this](TPGImage&, Qt::MouseButton button, Qt::KeyboardModifiers,
                                    QPoint) {
    if (FZoomButton->isChecked()) ZoomClick(button);
  };
  FView->PicBoxOnSetCursor = [this](TPGImage&, QCursor& cursor) {
    if (FZoomButton->isChecked()) cursor = MagnifierCursor();
  };
}

void TfrmAcquire::ShowSize() {
  const TPixelGraphic* picture = FView->PixelGraphicNoWait();
  const bool empty = !picture || picture->Empty();
  SetStatus(empty ? QString("No picture: File > Open... to load one")
                  : QString("%1 X %2").arg(picture->Width()).arg(picture->Height()));
}

void TfrmAcquire::PictureChanged() {
  const TPixelGraphic* picture = FView->PixelGraphicNoWait();
  const bool empty = !picture || picture->Empty();
  ShowSize();
  FImageMenu->setEnabled(!empty);
  FFiltersMenu->setEnabled(!empty);
  for (QAction* a : FImageMenu->actions()) a->setEnabled(!empty);
  for (QAction* a : FFiltersMenu->actions()) a->setEnabled(!empty);
  if (!empty) {
    FView->SetTiling(tNone);
    FTileButton->setChecked(false);
  }
  UpdateTitle();
}

void TfrmAcquire::SetStatus(const QString& text) { FStatus->setText(text); }

QString TfrmAcquire::StatusText() const { return FStatus->text(); }

void TfrmAcquire::UpdateUndo() {
  FUndo->setEnabled(FEditor->Undo().Enabled());
  FUndo->setText(QString::fromStdString(FEditor->Undo().Caption()));
}

void TfrmAcquire::UpdateTitle() {
  QString title = "Lumivex Image Editor";
  const QString name = QFileInfo(FView->FileName()).fileName();
  if (!name.isEmpty() || FModified)
    title += " - " + (name.isEmpty() ? QString("Untitled") : name) + (FModified ? "*" : "");
  setWindowTitle(title);
}

void TfrmAcquire::AfterCommand(TEditOutcome outcome) {
  if (outcome != TEditOutcome::Nothing) FModified = true;
  UpdateUndo();
  UpdateTitle();
}

QAction* TfrmAcquire::Action(const QString& objectName) const {
  return findChild<QAction*>(objectName);
}

void TfrmAcquire::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  const QString folder = FHost.CurrentFolder();
  if (!folder.isEmpty()) {
    FOpenDialog->setDirectory(folder);
    if (FSaveDialog->FileName.isEmpty()) FSaveDialog->setDirectory(folder);
  }
  ShowSize();
}

void TfrmAcquire::closeEvent(QCloseEvent* event) {
  if (FBusy || !MayDropChanges()) {
    event->ignore();
    return;
  }
  QMainWindow::closeEvent(event);
}

bool TfrmAcquire::eventFilter(QObject* watched, QEvent* event) {
  if (!FBusy) return QMainWindow::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::KeyPress:
      if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) FStopRequested = true;
      return true;
    // While a command runs the window takes no other input.
    case QEvent::KeyRelease:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseButtonRelease:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
      return true;
    default:
      return QMainWindow::eventFilter(watched, event);
  }
}
