// The converter window: its controls, the panes and their menus, the options and opening a
// source. The commands that write and delete files are in ConvertCommands.cpp.
#include "convert/ConvertWindow.h"

#include <QAction>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "controls/ToolHost.h"
#include "convert/GIFTransDialog.h"
#include "platform/Messages.h"
#include "view/PGImage.h"

// The area below the controls: the two panes side by side, placed on every resize.
class TConvertPanes : public QWidget {
 public:
  TConvertPanes(TfrmConvert& window, QWidget* parent) : QWidget(parent), FWindow(window) {}

 protected:
  void resizeEvent(QResizeEvent*) override { FWindow.PlacePanes(width(), height()); }

 private:
  TfrmConvert& FWindow;
};

namespace {

const char* const kFileTypes[] = {
    "BMP - bitmap",
    "JPG - jpeg (jfif compliant)",
    "TIF - Tagged Image File Format",
    "PNG - Portable Network Graphics",
    "TGA - Truevision Targa",
    "GIF - Graphic Interchange Format",
};
constexpr int kJPEGEntry = 1;
constexpr int kGIFEntry = 5;

TPGImage* MakePane(QWidget* parent, const char* name) {
  auto* pane = new TPGImage(parent);
  pane->setObjectName(name);
  pane->SetCenter(true);
  pane->SetStretch(sAlwaysKAR);
  pane->SetZoomFactor(1.0);
  pane->SetActionMode(amNone);
  // A framed grey area, so that the empty result pane is seen as a place of its own.
  pane->SetBorderSingle(true);
  pane->SetColor(QColor(128, 128, 128));
  pane->setContextMenuPolicy(Qt::CustomContextMenu);
  return pane;
}

}  // namespace

TfrmConvert::TfrmConvert(TToolHost& host) : FHost(host) {
  setObjectName("frmConvert");
  setWindowFlag(Qt::WindowStaysOnTopHint);
  setWindowTitle("VexConverter- Original Size Mode");
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(BuildBar());
  auto* panes = new TConvertPanes(*this, central);
  pgLeft = MakePane(panes, "pgLeft");
  pgLeft->SaveColorResWarningAction = pgwaIgnore;
  pgRight = MakePane(panes, "pgRight");
  layout->addWidget(panes, 1);
  setCentralWidget(central);
  BuildPaneMenus();
  BuildStatusBar();
  FileTypeChanged(0);
  UpdateCommands();
  resize(640, 400);
}

TfrmConvert::~TfrmConvert() = default;

QWidget* TfrmConvert::BuildBar() {
  auto* bar = new QWidget(this);
  bar->setObjectName("ToolPanel");
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(4, 4, 4, 4);
  cbFileType = new QComboBox(bar);
  cbFileType->setObjectName("cbFileType");
  for (const char* type : kFileTypes) cbFileType->addItem(type);
  cbFileType->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  connect(cbFileType, &QComboBox::currentIndexChanged, this,
          [this](int index) { FileTypeChanged(index); });
  row->addWidget(cbFileType);
  FJPEGBar = BuildJPEGBar();
  row->addWidget(FJPEGBar, 1);
  FGIFBar = BuildGIFBar();
  row->addWidget(FGIFBar, 1);
  row->addStretch();
  row->addWidget(BuildOptionsButton());
  btnConvert = new QPushButton("Convert Now!", bar);
  btnConvert->setObjectName("btnConvert");
  connect(btnConvert, &QPushButton::clicked, this, [this] { ConvertNow(); });
  row->addWidget(btnConvert);
  return bar;
}

QWidget* TfrmConvert::BuildJPEGBar() {
  auto* bar = new QWidget(this);
  bar->setObjectName("JPEGBar");
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(new QLabel("Size", bar));
  TrackBar1 = new QSlider(Qt::Horizontal, bar);
  TrackBar1->setObjectName("TrackBar1");
  TrackBar1->setRange(10, 100);
  TrackBar1->setValue(100);
  TrackBar1->setMinimumWidth(100);
  TrackBar1->setToolTip("JPG Compression Quality (left more compression, right more quality)");
  row->addWidget(TrackBar1, 1);
  row->addWidget(new QLabel("Quality", bar));
  lPosition = new QLabel("100", bar);
  lPosition->setObjectName("lPosition");
  lPosition->setMinimumWidth(lPosition->fontMetrics().horizontalAdvance("100") + 4);
  connect(TrackBar1, &QSlider::valueChanged, lPosition,
          [this](int value) { lPosition->setNum(value); });
  row->addWidget(lPosition);
  return bar;
}

QWidget* TfrmConvert::BuildGIFBar() {
  auto* bar = new QWidget(this);
  bar->setObjectName("GIFBar");
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  cbInterlaced = new QCheckBox("Interlaced", bar);
  cbInterlaced->setObjectName("cbInterlaced");
  cbTransparent = new QCheckBox("Transparent", bar);
  cbTransparent->setObjectName("cbTransparent");
  row->addWidget(cbInterlaced);
  row->addWidget(cbTransparent);
  row->addStretch();
  return bar;
}

QToolButton* TfrmConvert::BuildOptionsButton() {
  auto* button = new QToolButton(this);
  button->setObjectName("btnOptions");
  button->setText("Options");
  button->setPopupMode(QToolButton::InstantPopup);
  auto* menu = new QMenu(button);
  menu->setObjectName("OptionsMenu");
  menu->setToolTipsVisible(true);
  opMOS = menu->addAction("Maintain Original Size");
  opMOS->setObjectName("opMOS");
  opMOS->setToolTip("Maintain original height and width");
  opAutoSharpen = menu->addAction("Auto Sharpen when Resizing");
  opAutoSharpen->setObjectName("opAutoSharpen");
  opSizeToFit = menu->addAction("Size To Fit");
  opSizeToFit->setObjectName("opSizeToFit");
  for (QAction* option : {opMOS, opAutoSharpen, opSizeToFit}) {
    option->setCheckable(true);
    option->setChecked(true);
  }
  connect(opMOS, &QAction::toggled, this, [this](bool on) { MaintainOriginalSizeToggled(on); });
  connect(opSizeToFit, &QAction::toggled, this, [this](bool on) { SizeToFitToggled(on); });
  button->setMenu(menu);
  return button;
}

void TfrmConvert::BuildPaneMenus() {
  FLeftMenu = new QMenu(this);
  FLeftMenu->setObjectName("LeftMenu");
  FLeftMenu->addAction("Current Display Size", this, [this] { ShowDisplaySize(); });
  FLeftMenu->addAction("Image Properties", this, [this] { SourceProperties(); });
  FRightMenu = new QMenu(this);
  FRightMenu->setObjectName("RightMenu");
  FTargetProperties = FRightMenu->addAction("Image Properties", this, [this] { TargetProperties(); });
  FDeleteTarget = FRightMenu->addAction("Delete Converted File", this,
                                        [this] { DeleteConvertedFile(); });
  connect(pgLeft, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& at) { FLeftMenu->popup(pgLeft->mapToGlobal(at)); });
  connect(pgRight, &QWidget::customContextMenuRequested, this, [this](const QPoint& at) {
    UpdateCommands();
    FRightMenu->popup(pgRight->mapToGlobal(at));
  });
}

void TfrmConvert::BuildStatusBar() {
  FPanel0 = new QLabel(this);
  FPanel0->setObjectName("Panel0");
  FPanel1 = new QLabel(this);
  FPanel1->setObjectName("Panel1");
  statusBar()->addWidget(FPanel0);
  statusBar()->addWidget(FPanel1, 1);
}

void TfrmConvert::PlacePanes(int clientWidth, int clientHeight) {
  // Each pane takes half the width less 6 pixels, with a small margin around both.
  const int half = clientWidth / 2;
  const int paneWidth = std::max(0, half - 6);
  const int paneHeight = std::max(0, clientHeight - 4);
  pgLeft->setGeometry(4, 2, paneWidth, paneHeight);
  pgRight->setGeometry(half + 2, 2, paneWidth, paneHeight);
  FPanel0->setFixedWidth(std::max(0, half - 3));
}

QString TfrmConvert::Panel(int index) const { return (index == 0 ? FPanel0 : FPanel1)->text(); }

TfrmGIFTrans& TfrmConvert::GIFTransWindow() {
  if (FGIFTrans) return *FGIFTrans;
  if (!FOwnGIFTrans) FOwnGIFTrans = std::make_unique<TfrmGIFTrans>(this);
  return *FOwnGIFTrans;
}

void TfrmConvert::FileTypeChanged(int index) {
  FJPEGBar->setVisible(index == kJPEGEntry);
  FGIFBar->setVisible(index == kGIFEntry);
}

void TfrmConvert::MaintainOriginalSizeToggled(bool on) {
  setWindowTitle(on ? "VexConverter - Original Size Mode" : "VexConverter - ReSize Mode");
  if (on) return;
  opSizeToFit->setChecked(true);
  pgLeft->SetStretch(sAlwaysKAR);
  pgRight->SetStretch(sAlwaysKAR);
}

void TfrmConvert::SizeToFitToggled(bool on) {
  pgLeft->SetStretch(on ? sAlwaysKAR : sNeverKAR);
  pgRight->SetStretch(on ? sAlwaysKAR : sNeverKAR);
}

void TfrmConvert::UpdateCommands() {
  btnConvert->setEnabled(!FSourcePath.isEmpty() && !pgLeft->IsEmpty());
  const bool converted = !pgRight->IsEmpty();
  FTargetProperties->setEnabled(converted);
  FDeleteTarget->setEnabled(converted);
}

void TfrmConvert::OpenFile(const QString& path) {
  FSourcePath = path;
  if (isVisible()) {
    LoadSource();
  } else {
    FLoadOnShow = true;
    show();
  }
  raise();
  activateWindow();
}

void TfrmConvert::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (!FLoadOnShow) return;
  FLoadOnShow = false;
  LoadSource();
}

namespace {

QString WithSize(const QString& path) {
  return path + " " + QString::number(QFileInfo(path).size() / 1024 + 1) + "K";
}

}  // namespace

void TfrmConvert::LoadSource() {
  ClearTarget();
  FPanel0->clear();
  try {
    pgLeft->LoadFromFile(FSourcePath);
    FPanel0->setText(WithSize(FSourcePath));
  } catch (const std::exception& e) {
    ShowError(this, QString::fromStdString(e.what()));
  }
  UpdateCommands();
}

void TfrmConvert::ClearTarget() {
  pgRight->TakePixelGraphic(nullptr);
  FTargetPath.clear();
  FPanel1->clear();
  UpdateCommands();
}

void TfrmConvert::ShowTarget(const QString& target) {
  FTargetPath = target;
  try {
    pgRight->LoadFromFile(target);
    FPanel1->setText(WithSize(target));
  } catch (const std::exception& e) {
    ShowError(this, QString::fromStdString(e.what()));
  }
  UpdateCommands();
}
