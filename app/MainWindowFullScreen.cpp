// The main window: the full-screen view of the shown picture (F11 or a double-click on it).
#include <QEvent>
#include <QKeyEvent>
#include <QShortcut>

#include <QScreen>

#include "app/FullScreenView.h"

#include "app/MainWindow.h"
#include "controls/DisplayControls.h"
#include "controls/FileListView.h"
#include "platform/PGQtImage.h"
#include "view/GIFImage.h"
#include "view/PGImage.h"
#include "view/Preloader.h"

namespace {

// Scales with smoothing; a large reduction first drops to twice the size by sampling, which
// keeps a 24-megapixel photo quick while the final halving still averages the pixels.
QImage ScaleSmooth(const QImage& source, QSize size) {
  if (source.isNull() || size.isEmpty()) return QImage();
  QImage from = source;
  if (from.width() > 4 * size.width() && from.height() > 4 * size.height())
    from = from.scaled(size * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  return from.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Double-clicks on the shown picture open the full-screen view.
class TDoubleClickFilter : public QObject {
 public:
  TDoubleClickFilter(QObject* parent, std::function<void()> action)
      : QObject(parent), FAction(std::move(action)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonDblClick &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
      FAction();
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> FAction;
};

}  // namespace

void TForm1::BuildFullScreen() {
  TFullScreenHost host;
  host.PictureSize = [this] { return FullScreenPictureSize(); };
  host.Render = [this](QSize size) { return RenderShownPicture(size); };
  host.Step = [this](TFullScreenStep step) { FullScreenStep(step); };
  host.ToggleSlideshow = [this] { FLumivexBtn->trigger(); };
  host.Closed = [this] { BringToFront(); };
  FFullScreen = std::make_unique<TFullScreenView>(std::move(host));

  auto* f11 = new QShortcut(QKeySequence(Qt::Key_F11), this);
  f11->setContext(Qt::WindowShortcut);
  connect(f11, &QShortcut::activated, this, [this] { EnterFullScreen(); });
  auto* filter = new TDoubleClickFilter(this, [this] { EnterFullScreen(); });
  for (QWidget* w : FPane->findChildren<QWidget*>()) w->installEventFilter(filter);
}

bool TForm1::FullScreenShown() const { return FFullScreen && FFullScreen->isVisible(); }

TFullScreenView* TForm1::FullScreenView() const { return FFullScreen.get(); }

void TForm1::EnterFullScreen() {
  if (!FViewing.FullScreen || FDisplayKind.isNull() || FRoute == TDisplayRoute::Video) return;
  // A picture decoded for the pane is read in full when the screen shows more of it.
  if (FTrueSize.isValid() && screen()) {
    KeepShownSharp(FullScreenFitSize(FTrueSize, DevicePixels(screen()->size())));
  }
  FFullScreen->Open(this);
}

void TForm1::RefreshFullScreen() {
  if (!FullScreenShown()) return;
  if (FTrueSize.isValid())
    KeepShownSharp(FullScreenFitSize(FTrueSize, DevicePixels(FFullScreen->size())));
  FFullScreen->Refresh();
}

QSize TForm1::FullScreenPictureSize() const {
  if (FDisplayKind.isNull() || FRoute == TDisplayRoute::Video) return QSize();
  return ContentSize();
}

QImage TForm1::RenderShownPicture(QSize size) const {
  switch (FRoute) {
    case TDisplayRoute::Video: return QImage();
    case TDisplayRoute::AnimatedGIF: return ScaleSmooth(FGIFImage1->FirstFrameBitmap(), size);
    case TDisplayRoute::Picture: return ScaleSmooth(PGToQImage(FImage1->Picture()), size);
    case TDisplayRoute::View: break;
  }
  const TPixelGraphic* g = FPGImage1->PixelGraphicNoWait();
  if (!g || g->Empty()) return QImage();
  // The wrapped rows are bottom-up: scaled first, then turned the right way up (cheaper at
  // the screen's size than at the picture's).
  return ScaleSmooth(PGWrapStorage(*g), size).mirrored(false, true);
}

void TForm1::FullScreenStep(TFullScreenStep step) {
  const int count = FFiles.Count();
  if (count == 0) return;
  switch (step) {
    case TFullScreenStep::Next: NextImage(); break;
    case TFullScreenStep::Previous: PreviousImage(); break;
    case TFullScreenStep::First:
    case TFullScreenStep::Last: {
      const int at = step == TFullScreenStep::First ? 0 : count - 1;
      if (FFiles.CurrentIndex() == at) return;
      FFiles.ClearSelection();
      FFiles.MakeCurrent(at);
      ShowFile(FFiles.PathOf(at));
      break;
    }
  }
  FFileList->ScrollToPosition();
}

void TForm1::SetViewing(const TViewingSettings& viewing) {
  FViewing = viewing;
  if (!FViewing.FullScreen && FullScreenShown()) FFullScreen->close();
  FPreloader->Cancel();  // what was read ahead may follow the old switches
}
