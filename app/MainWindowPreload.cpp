// The main window: reading the next and previous pictures ahead, so that stepping shows them
// at once.
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
  FPreloader->Adjust = {FViewing.AutoRotate, FViewing.ColorManagement};
  FPreloader->Want(wanted);
}

void TForm1::LoadIntoView(const QString& path) {
  if (FViewing.Preload) {
    if (auto ahead = FPreloader->Take(path)) {
      FPGImage1->ShowLoaded(std::move(ahead), path);
      return;
    }
  }
  FPGImage1->SetFileName(path);
  if (!FViewing.AutoRotate && !FViewing.ColorManagement) return;
  TPixelGraphic* g = FPGImage1->PixelGraphic();
  if (g && AdjustForDisplay(*g, path.toStdString(), {FViewing.AutoRotate, FViewing.ColorManagement}))
    FPGImage1->GraphicChanged();
}
