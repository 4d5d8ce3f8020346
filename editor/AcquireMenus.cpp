// The editor's menus.
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileInfo>
#include <QMenuBar>
#include <QUrl>

#include "editor/AcquireParts.h"
#include "editor/AcquireWindow.h"
#include "platform/Messages.h"

const QStringList& TfrmAcquire::PointFilterCaptions() {
  static const QStringList captions = {"RGB...", "CMY...", "YCbCr...", "HSL...", "HSV...",
                                       "Brightness, Contrast, Gamma...", "Convert To Greyscale...",
                                       "Negative..."};
  return captions;
}

const QStringList& TfrmAcquire::ConvolutionCaptions() {
  static const QStringList captions = {"Sharpen...", "Detail...", "Smooth...", "Blur...",
                                       "Contour..."};
  return captions;
}

void TfrmAcquire::BuildMenus() {
  auto add = [this](QMenu* menu, const QString& caption, const QString& name, auto slot) {
    QAction* a = menu->addAction(caption, this, slot);
    a->setObjectName(name);
    return a;
  };
  QMenu* file = menuBar()->addMenu("&File");
  add(file, "Open...", "Open1", [this] { OpenCommand(); })->setShortcut(QKeySequence::Open);
  add(file, "Save As...", "SaveAs1", [this] { SaveAsCommand(); })->setShortcut(QKeySequence::SaveAs);
  add(file, "Save Options...", "SaveOptions1", [this] { SaveOptionsCommand(); });
  file->addSeparator();
  add(file, "Select...", "Select1", [this] { SelectCommand(); })->setEnabled(false);
  add(file, "Acquire...", "Acquire1", [this] { AcquireCommand(); })->setEnabled(false);
  file->addSeparator();
  add(file, "Print", "Print1", [this] { PrintCommand(); })->setShortcut(QKeySequence::Print);
  file->addSeparator();
  add(file, "Close", "Close1", [this] { close(); });

  QMenu* edit = menuBar()->addMenu("&Edit");
  FUndo = add(edit, "Undo", "Undo1", [this] { UndoCommand(); });
  FUndo->setShortcut(QKeySequence::Undo);

  FImageMenu = menuBar()->addMenu("&Image");
  FImageMenu->setObjectName("Image1");
  QMenu* rotate = FImageMenu->addMenu("Rotate");
  add(rotate, "180 Degrees", "Rotate180", [this] { RotateBy(180); });
  add(rotate, "90 Degrees CW", "Rotate90CW", [this] { RotateBy(90); });
  add(rotate, "90 Degrees CCW", "Rotate90CCW", [this] { RotateBy(270); });
  add(rotate, "Arbitrary...", "RotateArbitrary", [this] { RotateArbitrary(); });
  rotate->addSeparator();
  add(rotate, "Flip Horizontal", "FlipHorizontal1", [this] { FlipHorizontalCommand(); });
  add(rotate, "Flip Vertical", "FlipVertical1", [this] { FlipVerticalCommand(); });
  add(FImageMenu, "Crop", "Crop1", [this] { CropCommand(); });
  FImageMenu->addSeparator();
  add(FImageMenu, "Add Border... (requires TrueColor)", "Border1", [this] { BorderCommand(); });
  add(FImageMenu, "3D Bevel  (requires TrueColor)", "Bevel1", [this] { BevelCommand(); });
  FImageMenu->addSeparator();
  add(FImageMenu, "Color Resolution...", "ColorResolution1", [this] { ColorResolutionCommand(); });
  add(FImageMenu, "Resize...", "Resize1", [this] { ResizeCommand(); });

  FFiltersMenu = menuBar()->addMenu("F&ilters");
  FFiltersMenu->setObjectName("Filters1");
  QMenu* color = FFiltersMenu->addMenu("Color");
  for (int i = 0; i < TEditorFilterDialogs::kPointCount; ++i) {
    QMenu* into = i < 5 ? color : FFiltersMenu;
    add(into, PointFilterCaptions()[i], QString("PointFilter%1").arg(i),
        [this, i] { PointFilterCommand(i); });
  }
  FFiltersMenu->addSeparator();
  for (int i = 0; i < TEditorFilterDialogs::kConvolutionCount; ++i)
    add(FFiltersMenu, ConvolutionCaptions()[i], QString("Convolution%1").arg(i),
        [this, i] { ConvolutionCommand(i); });
  FFiltersMenu->addSeparator();
  add(FFiltersMenu, "Emboss", "Emboss1", [this] { FastEffectCommand(TFastEffect::Emboss); });
  add(FFiltersMenu, "Fisheye", "Fisheye1", [this] { FastEffectCommand(TFastEffect::Fisheye); });
  add(FFiltersMenu, "Swirl", "Swirl1", [this] { FastEffectCommand(TFastEffect::Swirl); });
  FFiltersMenu->addSeparator();
  add(FFiltersMenu, "Spray Paint", "SprayPaint1", [this] { EffectWindowCommand(1); });
  add(FFiltersMenu, "B/W Noise", "MonoNoise1", [this] { EffectWindowCommand(2); });
  add(FFiltersMenu, "Color Noise", "ColorNoise1", [this] { EffectWindowCommand(3); });
  add(FFiltersMenu, "Mosaic", "Mosaic1", [this] { EffectWindowCommand(4); });
  FFiltersMenu->addSeparator();
  add(FFiltersMenu, "Pencil Drawing", "Pencil1", [this] { PencilCommand(); });
  add(FFiltersMenu, "Posterize", "Posterize1", [this] { PosterizeCommand(); });

  QMenu* help = menuBar()->addMenu("&Help");
  add(help, "Help on editing an image", "HelpEditing1", [this] { ShowEditingHelp(); })
      ->setShortcut(QKeySequence::HelpContents);
}

void TfrmAcquire::ShowEditingHelp() {
  const QString page = QCoreApplication::applicationDirPath() + "/help/editing.html";
  if (!QFileInfo::exists(page) || !QDesktopServices::openUrl(QUrl::fromLocalFile(page)))
    ShowMessage(this, "The help page " + page + " could not be opened.");
}
