// lumivex-view: one picture in the view control, with menus for the fit policy, zoom,
// tiling, flips, stretch quality and mouse action, to try the control by hand.
#include <QActionGroup>
#include <QApplication>
#include <QFileDialog>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>

#include "view/PGImage.h"

namespace {

template <class Enum>
void AddChoices(QMenu* menu, const std::vector<std::pair<const char*, Enum>>& choices, Enum current,
                const std::function<void(Enum)>& apply) {
  auto* group = new QActionGroup(menu);
  for (const auto& [label, value] : choices) {
    QAction* a = menu->addAction(label);
    a->setCheckable(true);
    a->setChecked(value == current);
    group->addAction(a);
    const Enum v = value;
    QObject::connect(a, &QAction::triggered, [apply, v] { apply(v); });
  }
}

void ShowStatus(QMainWindow& window, TPGImage& view) {
  const TPixelGraphic* g = view.PixelGraphicNoWait();
  QString text = view.FileName();
  if (g) text += QStringLiteral("  (%1 x %2)").arg(g->Width()).arg(g->Height());
  if (view.EffectiveScale() > 0) text += QStringLiteral("  %1 %").arg(view.EffectiveScale() * 100, 0, 'f', 0);
  window.statusBar()->showMessage(text);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("lumivex-view");
  QMainWindow window;
  auto* view = new TPGImage(&window);
  window.setCentralWidget(view);
  window.resize(900, 650);
  view->SetStretch(sShrinkKAR);
  view->SetCenter(true);
  view->OnPixelGraphicChange = [&](TPGImage& v) { ShowStatus(window, v); };
  view->OnZoomFactorChange = [&](TPGImage& v) { ShowStatus(window, v); };

  auto open = [&](const QString& name) {
    try {
      view->SetFileName(name);
      window.setWindowTitle(name + " - lumivex-view");
    } catch (const std::exception& e) {
      QMessageBox::critical(&window, "lumivex-view", QString::fromStdString(e.what()));
    }
  };

  QMenu* file = window.menuBar()->addMenu("&File");
  file->addAction("&Open...", QKeySequence::Open, [&] {
    const QString name = QFileDialog::getOpenFileName(&window, "Open picture");
    if (!name.isEmpty()) open(name);
  });
  file->addAction("&Quit", QKeySequence::Quit, [&] { window.close(); });

  QMenu* fit = window.menuBar()->addMenu("F&it");
  AddChoices<TStretch>(fit,
                       {{"Natural size", sNeverKAR},
                        {"Stretch to the window", sAlways},
                        {"Fit", sAlwaysKAR},
                        {"Shrink each side", sShrink},
                        {"Shrink to fit", sShrinkKAR},
                        {"Enlarge each side", sEnlarge},
                        {"Enlarge to fit", sEnlargeKAR},
                        {"Fit the longer edge", sAlwaysLongerEdgeKAR},
                        {"Shrink to the longer edge", sShrinkLongerEdgeKAR},
                        {"Enlarge or shrink to the longer edge", sEnlargeShrinkLongerEdgeKAR},
                        {"Enlarge to the longer edge", sEnlargeLongerEdgeKAR},
                        {"Zoom", sZoomKAR}},
                       view->Stretch(), [view](TStretch s) { view->SetStretch(s); });
  fit->addSeparator();
  QAction* center = fit->addAction("&Centre");
  center->setCheckable(true);
  center->setChecked(view->Center());
  QObject::connect(center, &QAction::toggled, [view](bool on) { view->SetCenter(on); });

  QMenu* zoom = window.menuBar()->addMenu("&Zoom");
  auto setZoom = [view](double z) {
    view->SetStretch(sZoomKAR);
    view->SetZoomFactor(std::clamp(z, 0.01, 32.0));
  };
  zoom->addAction("Zoom &in", QKeySequence::ZoomIn, [view, setZoom] {
    setZoom((view->EffectiveScale() > 0 ? view->EffectiveScale() : 1.0) * 1.25);
  });
  zoom->addAction("Zoom &out", QKeySequence::ZoomOut, [view, setZoom] {
    setZoom((view->EffectiveScale() > 0 ? view->EffectiveScale() : 1.0) / 1.25);
  });
  zoom->addAction("&1:1", QKeySequence("Ctrl+0"), [setZoom] { setZoom(1.0); });

  QMenu* tiling = window.menuBar()->addMenu("&Tiling");
  AddChoices<TTiling>(tiling,
                      {{"None", tNone},
                       {"Repeat", tRepeat},
                       {"Mirror horizontally", tMirrorHorizontal},
                       {"Mirror vertically", tMirrorVertical},
                       {"Mirror both ways", tMirror}},
                      view->Tiling(), [view](TTiling t) { view->SetTiling(t); });
  tiling->addSeparator();
  QAction* flipH = tiling->addAction("Flip &horizontally");
  flipH->setCheckable(true);
  QObject::connect(flipH, &QAction::toggled, [view](bool on) { view->SetFlipHorizontal(on); });
  QAction* flipV = tiling->addAction("Flip &vertically");
  flipV->setCheckable(true);
  QObject::connect(flipV, &QAction::toggled, [view](bool on) { view->SetFlipVertical(on); });

  QMenu* quality = window.menuBar()->addMenu("&Quality");
  AddChoices<TStretchMode>(quality, {{"Fast", smFast}, {"Medium", smMedium}, {"Precise", smPrecise}},
                           view->StretchMode(), [view](TStretchMode m) { view->SetStretchMode(m); });
  quality->addSeparator();
  AddChoices<int>(quality, {{"True-colour screen", 24}, {"256-colour screen", 8}, {"16-colour screen", 4}},
                  24, [view](int depth) { view->SetScreenDepth(depth); });

  QMenu* mouse = window.menuBar()->addMenu("&Mouse");
  AddChoices<TActionMode>(mouse,
                          {{"Move the picture", amMoveImage},
                           {"Select, move and resize", amMoveResizeCreateSelection},
                           {"Move the selection", amMoveSelection},
                           {"Move the selection or the picture", amMoveSelectionMoveImage},
                           {"Draw a selection", amCreateSelection},
                           {"Nothing", amNone}},
                          view->ActionMode(), [view](TActionMode m) { view->SetActionMode(m); });

  window.show();
  if (argc > 1) open(QString::fromLocal8Bit(argv[1]));
  return app.exec();
}
