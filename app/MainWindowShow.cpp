// The main window: displaying a file, fitting it to the pane, and the clipboard.
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QLabel>

#include "app/BrowserRules.h"
#include "app/MacroChannel.h"
#include "app/MainWindow.h"
#include "controls/DisplayControls.h"
#include "platform/Messages.h"
#include "platform/PGClipboard.h"
#include "platform/PGQtImage.h"
#include "view/GIFImage.h"
#include "view/PGImage.h"

namespace {

// File size in bytes; -1 when there is no such file.
std::int64_t FileSizeOf(const QString& path) {
  const QFileInfo info(path);
  return info.exists() ? static_cast<std::int64_t>(info.size()) : -1;
}

// Marks the window busy for a scope (slideshow ticks wait), also when left by an exception.
class BusyScope {
 public:
  explicit BusyScope(int& counter) : FCounter(counter) { ++FCounter; }
  ~BusyScope() { --FCounter; }

 private:
  int& FCounter;
};

}  // namespace

void TForm1::HideDisplays() {
  FAVIPlay1->SetActive(false);
  FAVIPlay1->hide();
  FImage1->hide();
  FGIFImage1->SetAnimate(false);
  FGIFImage1->hide();
  FPGImage1->hide();
}

QWidget* TForm1::DisplayControl() const {
  switch (FRoute) {
    case TDisplayRoute::Video: return FAVIPlay1;
    case TDisplayRoute::AnimatedGIF: return FGIFImage1;
    case TDisplayRoute::Picture: return FImage1;
    case TDisplayRoute::View: break;
  }
  return FPGImage1;
}

QSize TForm1::ContentSize() const {
  switch (FRoute) {
    case TDisplayRoute::Video: return FAVIPlay1->NaturalSize();
    case TDisplayRoute::AnimatedGIF: return QSize(FGIFImage1->LogicalWidth(), FGIFImage1->LogicalHeight());
    case TDisplayRoute::Picture: return FImage1->PictureSize();
    case TDisplayRoute::View: break;
  }
  if (FTrueSize.isValid()) return FTrueSize;  // decoded at a reduced scale
  const TPixelGraphic* g = FPGImage1->PixelGraphicNoWait();
  return g ? QSize(g->Width(), g->Height()) : QSize();
}

void TForm1::ApplyFitRule(int w, int h) {
  if (FPane->width() >= w + 8 && FPane->height() >= h + 8) {
    DisplayControl()->resize(w, h);
    if (AutoZoom()) FitToPane();
    else KeepShownSharp(DevicePixels(QSize(w, h)));  // at its own size
  } else {
    FitToPane();
  }
}

void TForm1::FitToPane() {
  const QSize content = ContentSize();
  const QSize size = FitToPaneSize(content.width(), content.height(), FPane->width(), FPane->height());
  if (!size.isValid()) return;  // no content, or a pane too small to hold any
  DisplayControl()->resize(size);
  KeepShownSharp(DevicePixels(size));
}

void TForm1::ShowFile(const QString& path) {
  if (path.isEmpty()) return;  // no file named: nothing changes
  BusyScope busy(FBusy);
  FLed->SetLit(true);
  ShowFileCount();
  const QFileInfo info(path);
  const int at = FFiles.Find(info.fileName());
  if (at >= 0) {
    FFiles.SetSelected(at, true);
    FShownFile = FFiles.PathOf(at);
    FStatus[1]->setText(FileSizeText(FileSizeOf(path)));
    FDisplayKind = DisplayKindOf(path);
    FRoute = DisplayRouteOf(FDisplayKind);
    HideDisplays();
    EnableFileCommandsFor(FRoute == TDisplayRoute::Video);
    try {
      if (!ShowOnControl(path, info.fileName())) ShowMessage(this, "Error reading image file");
    } catch (const std::exception& e) {
      FLed->SetLit(false);
      ShowError(this, QString::fromStdString(e.what()));
      ShownFileChanged();
      return;
    }
  }
  FLed->SetLit(false);
  ShownFileChanged();
}

// Loads the file into the control of its route and shows it. False when a video, GIF,
// metafile or icon cannot be read (the control stays hidden); the view control raises the
// imaging core's error instead.
bool TForm1::ShowOnControl(const QString& path, const QString& name) {
  switch (FRoute) {
    case TDisplayRoute::Video: {
      FAVIPlay1->SetFileName(path);
      const QSize n = FAVIPlay1->NaturalSize();
      if (!n.isValid()) return false;  // not an AVI file
      FAVIPlay1->resize(n);
      if (n.height() > FPane->height() - 8 || n.width() > FPane->width() - 8)
        FAVIPlay1->resize(ShrinkVideoSize(n.width(), n.height()));
      FStatus[2]->setText(PictureStatusText(name, n.width(), n.height()));
      if (AutoZoom()) FitToPane();
      FAVIPlay1->show();
      FAVIPlay1->SetActive(true);
      return true;
    }
    case TDisplayRoute::AnimatedGIF: {
      if (!FGIFImage1->LoadFromFile(path)) return false;
      const int w = FGIFImage1->LogicalWidth(), h = FGIFImage1->LogicalHeight();
      FStatus[2]->setText(PictureStatusText(name, w, h));
      ApplyFitRule(w, h);
      FGIFImage1->show();
      FGIFImage1->SetAnimate(FGIFImage1->FrameCount() > 1);
      return true;
    }
    case TDisplayRoute::Picture: {
      try {
        FImage1->LoadFromFile(path);
      } catch (const std::exception&) {
        return false;
      }
      const QSize s = FImage1->PictureSize();
      FStatus[2]->setText(PictureStatusText(name, s.width(), s.height()));
      ApplyFitRule(s.width(), s.height());
      FImage1->show();
      return true;
    }
    case TDisplayRoute::View: break;
  }
  LoadIntoView(path);
  // The true size, also of a picture decoded at a reduced scale.
  const QSize size = ContentSize();
  FStatus[2]->setText(PictureStatusText(name, size.width(), size.height()));
  ApplyFitRule(size.width(), size.height());
  FPGImage1->show();
  return true;
}

void TForm1::CopyToClipboard() {
  QClipboard* clipboard = QApplication::clipboard();
  switch (FRoute) {
    case TDisplayRoute::AnimatedGIF: {
      TPixelGraphic frame;
      PGFromQImage(frame, FGIFImage1->FirstFrameBitmap());
      if (!frame.Empty()) PGCopyToClipboard(frame, clipboard);
      return;
    }
    case TDisplayRoute::Picture: {
      TPixelGraphic copy;
      copy.Assign(&FImage1->Picture());
      if (!copy.Empty()) PGCopyToClipboard(copy, clipboard);
      return;
    }
    case TDisplayRoute::Video: return;  // a video is not copied
    case TDisplayRoute::View: break;
  }
  if (FDisplayKind.isNull()) return;  // nothing displayed yet
  LoadFullPicture();  // the pixels copied are the picture's own
  if (TPixelGraphic* g = FPGImage1->PixelGraphic()) PGCopyToClipboard(*g, clipboard);
}

void TForm1::HandleMacros(const QStringList& macros) {
  if (macros.isEmpty()) return;
  OpenFromShell(LastMacroTarget(macros));
}
