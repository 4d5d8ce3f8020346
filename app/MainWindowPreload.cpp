// The main window: reading the next and previous pictures ahead, so that stepping shows them
// at once.
#include <cmath>

#include "app/BrowserRules.h"
#include "app/FullScreenView.h"
#include "app/MainWindow.h"
#include "view/ReadAhead.h"
#include "view/PGImage.h"
#include "view/Preloader.h"

void TForm1::ShownFileChanged() {
  RefreshFullScreen();
  PreloadNeighbours();
}

void TForm1::PreloadNeighbours() {
  const int count = FFiles.Count();
  const int at = FFiles.Position();
  if (!FViewing.Preload || count < 2 || at < 0) {
    FPreloader->Cancel();
    return;
  }
  // The steps wrap around, so the neighbours do too; only pictures the view shows itself
  // are read ahead (animations, videos and metafiles have controls of their own).
  QStringList wanted;
  for (const int step : {1, -1}) {
    const QString path = FFiles.PathOf((at + step + count) % count);
    if (path != FShownFile && !wanted.contains(path) &&
        DisplayRouteOf(DisplayKindOf(path)) == TDisplayRoute::View)
      wanted << path;
  }
  FPreloader->Background = FPGImage1->BackGroundColor;
  FPreloader->Adjust = DisplayAdjustments();
  FPreloader->Want(wanted);
}

TDisplayAdjustments TForm1::DisplayAdjustments() const {
  TDisplayAdjustments adjust{FViewing.AutoRotate, FViewing.ColorManagement};
  if (FViewing.ReducedDecode) {
    const QSize box = FitBox();
    adjust.FitWidth = box.width();
    adjust.FitHeight = box.height();
  }
  return adjust;
}

QSize TForm1::FitBox() const {
  // Full screen fits into the screen, the browser into its pane less the margins.
  return DevicePixels(FullScreenShown() ? FFullScreen->size() : FPane->size() - QSize(8, 8));
}

void TForm1::LoadIntoView(const QString& path) {
  FTrueSize = {};
  const TDisplayAdjustments adjust = DisplayAdjustments();
  if (FViewing.Preload) {
    QSize trueSize;
    if (auto ahead = FPreloader->Take(path, &trueSize)) {
      const bool reduced = trueSize != QSize(ahead->Width(), ahead->Height());
      // A picture read ahead for a smaller box than the view's now is read again.
      if (!reduced || (FViewing.ReducedDecode && ahead->Width() >= ReducedDecodeSize(trueSize.width(), trueSize.height(), false, adjust.FitWidth, adjust.FitHeight).Width - 1)) {
        if (reduced) FTrueSize = trueSize;
        FPGImage1->ShowLoaded(std::move(ahead), path);
        return;
      }
    }
  }
  if (FViewing.ReducedDecode) {
    try {
      TDisplayPicture shown = ReadReducedForDisplay(path.toStdString(), adjust, FPGImage1->BackGroundColor);
      if (shown.Picture) {
        FTrueSize = QSize(shown.TrueWidth, shown.TrueHeight);
        FPGImage1->ShowLoaded(std::move(shown.Picture), path);
        return;
      }
    } catch (const std::exception&) {
      // read in full below, which reports what is wrong with the file
    }
  }
  LoadFullIntoView(path);
}

void TForm1::LoadFullIntoView(const QString& path) {
  FTrueSize = {};
  FPGImage1->SetFileName(path);
  if (!FViewing.AutoRotate && !FViewing.ColorManagement) return;
  TPixelGraphic* g = FPGImage1->PixelGraphic();
  if (g && AdjustForDisplay(*g, path.toStdString(), {FViewing.AutoRotate, FViewing.ColorManagement}))
    FPGImage1->GraphicChanged();
}

void TForm1::LoadFullPicture() {
  if (!FTrueSize.isValid() || FPGImage1->FileName().isEmpty()) return;
  // The same picture at the same place on the screen, only sharper: the user sees no change
  // of picture or size.
  const QSize shown = FPGImage1->size();
  LoadFullIntoView(FPGImage1->FileName());
  FPGImage1->resize(shown);
}

QSize TForm1::DevicePixels(QSize logical) const {
  const double ratio = devicePixelRatioF();
  return QSize(static_cast<int>(std::ceil(logical.width() * ratio)),
               static_cast<int>(std::ceil(logical.height() * ratio)));
}

void TForm1::KeepShownSharp(QSize shown) {
  if (!FTrueSize.isValid() || FRoute != TDisplayRoute::View) return;
  const TPixelGraphic* g = FPGImage1->PixelGraphicNoWait();
  const TReducedSize wanted =
      ReducedDecodeSize(FTrueSize.width(), FTrueSize.height(), false, shown.width(), shown.height());
  if (!g || !wanted.Reduced || g->Width() < wanted.Width - 1 || g->Height() < wanted.Height - 1)
    LoadFullPicture();
}
