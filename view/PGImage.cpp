// Layout, loading, the display copy and painting of the picture view.
#include "view/PGImage.h"

#include <QApplication>
#include <QFileInfo>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>
#include <cmath>

#include "imaging/PGMessageIds.h"
#include "imaging/formats/LoadSave.h"
#include "platform/PGQtImage.h"
#include "view/DisplayCopyRule.h"
#include "view/PaintCopyWorker.h"
#include "view/PicBox.h"
#include "view/TileLayout.h"

namespace {

int RealScreenDepth() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  return screen ? screen->depth() : 24;
}

// Shows the wait cursor for a scope, also when it is left by an exception.
class WaitCursor {
 public:
  explicit WaitCursor(bool show) : FShown(show) {
    if (FShown) QApplication::setOverrideCursor(Qt::WaitCursor);
  }
  ~WaitCursor() {
    if (FShown) QApplication::restoreOverrideCursor();
  }

 private:
  bool FShown;
};

}  // namespace

TPGImage::TPGImage(QWidget* parent) : QAbstractScrollArea(parent) {
  resize(100, 100);
  FColor = palette().color(QPalette::Window);
  FPicBoxColor = FColor;
  FPicBoxFrameColor = palette().color(QPalette::Dark);
  ProgressClockBkColor = palette().color(QPalette::Button);
  ProgressClockLineColor = palette().color(QPalette::Dark);
  FScreenDepth = RealScreenDepth();
  setFrameStyle(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setMouseTracking(true);
  FPicBox = new TPicBox(*this, viewport());
  FPicBox->setGeometry(0, 0, 0, 0);
}

TPGImage::~TPGImage() {
  StopWorker();
  FWorker.reset();
  if (FImage) FImage->OnPixelGraphicChange = nullptr;
}

// ---- settings ------------------------------------------------------------------------------

void TPGImage::SetStretch(TStretch value) {
  if (value == FStretch) return;
  FStretch = value;
  Rearrange(true);
}

void TPGImage::SetZoomFactor(double value) {
  if (value == FZoomFactor) return;
  FZoomFactor = value;
  Rearrange(true);
}

void TPGImage::SetCenter(bool value) {
  if (value == FCenter) return;
  FCenter = value;
  Rearrange(true);
}

void TPGImage::SetAutoSize(bool value) {
  FAutoSize = value;
  GraphicChanged();
}

void TPGImage::SetAutoSizeLimits(const TAutoSizeLimits& limits) {
  FAutoSizeLimits = limits;
  if (FAutoSize) GraphicChanged();
}

void TPGImage::SetTiling(TTiling value) {
  if (value == FTiling) return;
  FTiling = value;
  viewport()->update();
}

void TPGImage::SetFlipHorizontal(bool value) {
  if (value == FFlipH) return;
  FFlipH = value;
  viewport()->update();
}

void TPGImage::SetFlipVertical(bool value) {
  if (value == FFlipV) return;
  FFlipV = value;
  viewport()->update();
}

void TPGImage::SetColor(const QColor& color) {
  FColor = color;
  viewport()->update();
}

void TPGImage::SetPicBoxColor(const QColor& color) {
  FPicBoxColor = color;
  viewport()->update();
}

void TPGImage::SetPicBoxFrameColor(const QColor& color) {
  FPicBoxFrameColor = color;
  viewport()->update();
}

bool TPGImage::BorderSingle() const { return frameStyle() != QFrame::NoFrame; }

void TPGImage::SetBorderSingle(bool single) {
  setFrameStyle(single ? (QFrame::Panel | QFrame::Sunken) : QFrame::NoFrame);
  setLineWidth(single ? 2 : 0);
  Rearrange(true);
}

#define LUMIVEX_GRAPHIC_SETTING(Setter, Field, Type) \
  void TPGImage::Setter(Type value) {                \
    if (value == Field) return;                      \
    Field = value;                                   \
    GraphicChanged();                                \
  }
LUMIVEX_GRAPHIC_SETTING(SetStretchMode, FStretchMode, TStretchMode)
LUMIVEX_GRAPHIC_SETTING(SetAllow24BitStretch, FAllow24BitStretch, bool)
LUMIVEX_GRAPHIC_SETTING(SetDither, FDither, bool)
LUMIVEX_GRAPHIC_SETTING(SetRGBWeighting, FRGBWeighting, bool)
LUMIVEX_GRAPHIC_SETTING(SetPalette8BitSys24BitGraphic, FPalette24, TPaletteIdent)
LUMIVEX_GRAPHIC_SETTING(SetPalette8BitSys8BitGraphic, FPalette8, TPaletteIdent)
#undef LUMIVEX_GRAPHIC_SETTING

// The error-limit settings matter only while dithering is on.
#define LUMIVEX_DITHER_SETTING(Setter, Field, Type) \
  void TPGImage::Setter(Type value) {               \
    if (value == Field) return;                     \
    Field = value;                                  \
    if (FDither) GraphicChanged();                  \
  }
LUMIVEX_DITHER_SETTING(SetDitherErrorLimit, FDitherErrorLimit, std::uint8_t)
LUMIVEX_DITHER_SETTING(SetDitherErrorLimitAuto, FDitherErrorLimitAuto, bool)
LUMIVEX_DITHER_SETTING(SetDitherErrorLimitSoft, FDitherErrorLimitSoft, bool)
#undef LUMIVEX_DITHER_SETTING

void TPGImage::SetScreenDepth(int depth) {
  if (depth == FScreenDepth) return;
  FScreenDepth = depth;
  MarkDirty();
  viewport()->update();
}

void TPGImage::SetUseThread(bool value) {
  if (value == FUseThread) return;
  StopWorker();
  FUseThread = value;
  MarkDirty();
  viewport()->update();
}

// ---- the shown picture ---------------------------------------------------------------------

void TPGImage::ConnectImage(TPixelGraphic& image, bool changes) {
  image.OnPixelGraphicProgressStart = [this](TPixelGraphic& s) {
    if (OnPixelGraphicProgressStart) OnPixelGraphicProgressStart(s);
  };
  image.OnPixelGraphicProgress = [this](TPixelGraphic& s, int step, int max, bool& abort) {
    if (OnPixelGraphicProgress) OnPixelGraphicProgress(s, step, max, abort);
  };
  image.OnPixelGraphicProgressEnd = [this](TPixelGraphic& s) {
    if (OnPixelGraphicProgressEnd) OnPixelGraphicProgressEnd(s);
  };
  if (changes) image.OnPixelGraphicChange = [this](TPixelGraphic&) { GraphicChanged(); };
}

void TPGImage::DiscardShownPicture() {
  StopWorker();
  FImage.reset();
  FReduced = false;
  // The old display copy stays on screen only while its successor is built in the background.
  if (KeepOldPaintPixelGraphic && FUseThread)
    FDirty = true;
  else
    DropPaintCopy();
}

void TPGImage::LoadFromFile(const QString& name, int index) {
  FFileName.clear();
  WaitCursor cursor(ShowHourGlass);
  DiscardShownPicture();
  if (!QFileInfo(name).fileName().isEmpty()) {
    auto image = std::make_unique<TPixelGraphic>();
    image->ReadWarningAction = ReadWarningAction;
    image->SetBackGroundColor(BackGroundColor);
    ConnectImage(*image, false);
    try {
      ::LoadFromFileIndex(*image, name.toStdString(), index);
    } catch (...) {
      image.reset();
      GraphicChanged();
      throw;
    }
    ConnectImage(*image, true);
    FImage = std::move(image);
  }
  FFileName = name;
  GraphicChanged();
}

void TPGImage::SaveToFile(const QString& name) {
  TPixelGraphic* image = PixelGraphic();
  if (!image) PGRaise<EPGEmpty>(pgmIsEmpty, "PixelGraphic");
  const TPGWarningAction remembered = image->SaveColorResWarningAction;
  image->SaveColorResWarningAction = SaveColorResWarningAction;
  try {
    ::SaveToFile(*image, name.toStdString());
  } catch (...) {
    image->SaveColorResWarningAction = remembered;
    throw;
  }
  image->SaveColorResWarningAction = remembered;
  FFileName = name;
}

TPixelGraphic* TPGImage::PixelGraphic() {
  StopWorker();
  return FImage.get();
}

std::unique_ptr<TPixelGraphic> TPGImage::CopyPixelGraphic() {
  StopWorker();
  auto copy = std::make_unique<TPixelGraphic>();
  if (FImage) copy->Assign(FImage.get());
  return copy;
}

void TPGImage::AssignPixelGraphic(const TPixelGraphic* image) {
  std::unique_ptr<TPixelGraphic> copy;
  if (image) {
    copy = std::make_unique<TPixelGraphic>();
    copy->Assign(image);
  }
  TakePixelGraphic(std::move(copy));
}

void TPGImage::TakePixelGraphic(std::unique_ptr<TPixelGraphic> image) {
  DiscardShownPicture();
  FImage = std::move(image);
  if (FImage) ConnectImage(*FImage, true);
  GraphicChanged();
}

void TPGImage::ShowLoaded(std::unique_ptr<TPixelGraphic> image, const QString& name) {
  FFileName.clear();
  if (image) image->ReadWarningAction = ReadWarningAction;
  TakePixelGraphic(std::move(image));
  FFileName = name;
}

// ---- layout --------------------------------------------------------------------------------

int TPGImage::Border() const { return frameWidth(); }
int TPGImage::ClientWidth() const { return width() - 2 * Border() - (FVBar ? BarWidth() : 0); }
int TPGImage::ClientHeight() const { return height() - 2 * Border() - (FHBar ? BarHeight() : 0); }
int TPGImage::BarHeight() const { return style()->pixelMetric(QStyle::PM_ScrollBarExtent); }
int TPGImage::BarWidth() const { return style()->pixelMetric(QStyle::PM_ScrollBarExtent); }

void TPGImage::GraphicChanged() {
  StopWorker();
  FW = FImage ? FImage->Width() : 0;
  FH = FImage ? FImage->Height() : 0;
  int w = 0, h = 0;
  ComputeAutoSize(FW, FH, Border(), BarHeight(), BarWidth(), FAutoSizeLimits, w, h);
  if (OnNewAutoSize) OnNewAutoSize(*this, w, h);
  if (!FReduced) FDirty = true;
  if (FAutoSize && (w != width() || h != height()))
    resize(w, h);  // runs Rearrange forced
  else
    Rearrange(false);
  if (OnPixelGraphicChange) OnPixelGraphicChange(*this);
}

void TPGImage::UpdateScrollBars() {
  // Bars as the scroll range (the picture's extent) needs them, decided here so that layout
  // does not wait for the toolkit.
  const int inner = 2 * Border();
  const int extentW = FBox.x() + FBox.width(), extentH = FBox.y() + FBox.height();
  int clientW = width() - inner, clientH = height() - inner;
  bool hBar = false, vBar = false;
  for (int pass = 0; pass < 2; ++pass) {
    if (!hBar && extentW > clientW) {
      hBar = true;
      clientH -= BarHeight();
    }
    if (!vBar && extentH > clientH) {
      vBar = true;
      clientW -= BarWidth();
    }
  }
  FHBar = hBar;
  FVBar = vBar;
  setHorizontalScrollBarPolicy(hBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(vBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  horizontalScrollBar()->setRange(0, std::max(0, extentW - clientW));
  horizontalScrollBar()->setPageStep(std::max(1, clientW));
  verticalScrollBar()->setRange(0, std::max(0, extentH - clientH));
  verticalScrollBar()->setPageStep(std::max(1, clientH));
}

void TPGImage::PlacePicBox() {
  FPicBox->setGeometry(FBox.translated(-horizontalScrollBar()->value(),
                                       -verticalScrollBar()->value()));
}

void TPGImage::Rearrange(bool forced) {
  const int b = Border();
  const int CW = width() - 2 * b, CH = height() - 2 * b;
  const int SH = BarHeight(), SV = BarWidth();
  const TDisplaySize d = ComputeDisplaySize(FStretch, FZoomFactor, FW, FH, CW, CH, SH, SV);
  if (d.S != FScale) {
    FScale = d.S;
    if (OnZoomFactorChange) OnZoomFactorChange(*this);
  }
  const TDisplayPosition pos = ComputeDisplayPosition(FCenter, d.DW, d.DH, CW, CH, SH, SV);
  const int clientW = ClientWidth(), clientH = ClientHeight();
  bool move = FBox.width() != d.DW || FBox.height() != d.DH;
  if ((forced || RearrangeAlways) && !move) {
    move = FBox.x() != pos.Left || FBox.y() != pos.Top;
    if (FCenter) {
      move = move ||
             (pos.HorizontalBar && horizontalScrollBar()->value() != (d.DW - clientW) / 2) ||
             (pos.VerticalBar && verticalScrollBar()->value() != (d.DH - clientH) / 2);
    } else {
      move = move || horizontalScrollBar()->value() != 0 || verticalScrollBar()->value() != 0;
    }
  }
  if (move) {
    FRearranging = true;
    try {
      horizontalScrollBar()->setValue(0);
      verticalScrollBar()->setValue(0);
      FBox = QRect(pos.Left, pos.Top, d.DW, d.DH);
      UpdateScrollBars();
      if (FCenter) {
        if (pos.HorizontalBar) horizontalScrollBar()->setValue((d.DW - ClientWidth()) / 2);
        if (pos.VerticalBar) verticalScrollBar()->setValue((d.DH - ClientHeight()) / 2);
      }
      PlacePicBox();
    } catch (...) {
      FRearranging = false;
      throw;
    }
    FRearranging = false;
  }
  viewport()->update();
  FPicBox->update();
}

void TPGImage::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  FBox = QRect();
  FPicBox->setGeometry(0, 0, 0, 0);
  Rearrange(true);
}

void TPGImage::scrollContentsBy(int, int) {
  PlacePicBox();
  viewport()->update();
}

// ---- the display copy ----------------------------------------------------------------------

void TPGImage::StopWorker() {
  if (!FWorker) return;  // no order outstanding
  FWorker->Terminate();
  FWorker.reset();
  // A result posted before the stop is stale from now on; the copy is ordered again.
  ++FOrderNumber;
  FBuildStopped = true;
  FDirty = true;
}

void TPGImage::WaitForPaintCopy() {
  if (FWorker) FWorker->Wait();
  QCoreApplication::sendPostedEvents(this);
}

void TPGImage::DropPaintCopy() {
  FPaintCopy.reset();
  FOrderedW = FOrderedH = 0;
}

void TPGImage::MarkDirty() { FDirty = true; }

const TPixelGraphic* TPGImage::ApplyDisplayCopyRule() {
  TDisplayCopyInput in;
  in.HasImage = FImage && !FImage->Empty();
  if (in.HasImage) {
    in.ImageBits = FImage->BitCount();
    in.ImageIdent = FImage->PaletteIdent();
  }
  in.W = FW;
  in.H = FH;
  in.BoxW = FBox.width();
  in.BoxH = FBox.height();
  in.ScreenDepth = FScreenDepth;
  in.StretchMode = FStretchMode;
  in.ReduceOnLoad = ReduceOnLoad;
  in.KeepOldCopy = KeepOldPaintPixelGraphic && FUseThread;
  in.Dirty = FDirty;
  in.CopyPresent = FPaintCopy != nullptr;
  in.OrderedW = FOrderedW;
  in.OrderedH = FOrderedH;
  in.PreviousBuildStopped = FBuildStopped;
  in.Palette24 = FPalette24;
  in.Palette8 = FPalette8;
  in.Allow24BitStretch = FAllow24BitStretch;
  const TDisplayCopyDecision d = DecideDisplayCopy(in);
  FDirty = d.Dirty;
  if (d.DiscardCurrent) {
    StopWorker();
    DropPaintCopy();
  }
  if (d.Order) OrderPaintCopy(d.OrderSpec);
  const TPixelGraphic* shown = FImage && !FImage->Empty() ? FImage.get() : nullptr;
  if (!d.Needed || (ReduceOnLoad && FReduced)) return shown;  // reduced in place
  return FPaintCopy.get();
}

void TPGImage::OrderPaintCopy(const TDisplayCopyOrder& order) {
  StopWorker();
  if (!(KeepOldPaintPixelGraphic && FUseThread)) DropPaintCopy();
  FProgressStep = 1;
  FProgressPercent = 0;
  TPaintCopySettings settings;
  settings.StretchMode = FStretchMode;
  settings.Dither = FDither;
  settings.DitherErrorLimit = FDitherErrorLimit;
  settings.DitherErrorLimitAuto = FDitherErrorLimitAuto;
  settings.DitherErrorLimitSoft = FDitherErrorLimitSoft;
  settings.RGBWeighting = FRGBWeighting;
  const unsigned number = ++FOrderNumber;
  FWorker = std::make_unique<TCreatePaintPGThread>(this, number, *FImage, order, settings);
  FDirty = false;
  FBuildStopped = false;
  FOrderedW = order.Width;
  FOrderedH = order.Height;
  if (FUseThread) {
    FWorker->Start();
  } else {
    std::unique_ptr<TPixelGraphic> result = FWorker->RunHere();
    FWorker.reset();
    if (result)
      HandOver(std::move(result));
    else
      FDirty = true;  // failed: order again at the next paint
  }
}

void TPGImage::HandOver(std::unique_ptr<TPixelGraphic> result) {
  if (ReduceOnLoad) {
    FPaintCopy.reset();
    FImage = std::move(result);
    ConnectImage(*FImage, true);
    FReduced = true;  // reduced once: later layouts keep it
    FDirty = false;
    GraphicChanged();
  } else {
    FPaintCopy = std::move(result);
  }
  viewport()->update();
}

void TPGImage::customEvent(QEvent* event) {
  TBackgroundJob::AcceptPosted();
  if (event->type() == TPaintCopyResultEvent::kType) {
    auto* e = static_cast<TPaintCopyResultEvent*>(event);
    if (e->Order != FOrderNumber || !e->Result) return;  // stale: a newer order exists
    if (FWorker) {
      FWorker->Wait();
      FWorker.reset();
    }
    HandOver(std::move(e->Result));
    return;
  }
  if (event->type() == TPaintCopyProgressEvent::kType) {
    auto* e = static_cast<TPaintCopyProgressEvent*>(event);
    if (e->Order != FOrderNumber) return;
    FProgressStep = e->Step;
    FProgressPercent = e->Percent;
    viewport()->update(FBox.translated(-horizontalScrollBar()->value(),
                                       -verticalScrollBar()->value()));
    return;
  }
  QAbstractScrollArea::customEvent(event);
}

// ---- painting ------------------------------------------------------------------------------

void TPGImage::paintEvent(QPaintEvent* event) {
  if (FRearranging) return;
  QPainter painter(viewport());
  const QRect client(0, 0, ClientWidth(), ClientHeight());
  const QRect R = FBox.translated(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
  const TPixelGraphic* G = nullptr;
  try {
    G = ApplyDisplayCopyRule();
    if (OnPainting) OnPainting(*this);
    if (FTiling == tNone || !G) {
      const int rb = R.x() + R.width(), bb = R.y() + R.height();
      if (R.y() > 0) painter.fillRect(QRect(0, 0, client.width(), R.y()), FColor);
      if (bb < client.height())
        painter.fillRect(QRect(0, bb, client.width(), client.height() - bb), FColor);
      if (R.x() > 0) painter.fillRect(QRect(0, 0, R.x(), client.height()), FColor);
      if (rb < client.width())
        painter.fillRect(QRect(rb, 0, client.width() - rb, client.height()), FColor);
    }
    if (G) {
      const QRect clip = event->rect();
      const auto tiles = LayoutTiles(
          FTiling, FFlipH, FFlipV, {R.x(), R.y(), R.x() + R.width(), R.y() + R.height()},
          client.width(), client.height(),
          {clip.x(), clip.y(), clip.x() + clip.width(), clip.y() + clip.height()});
      for (const TTile& t : tiles)
        PGDrawImage(painter, *G,
                    QRectF(static_cast<double>(t.Rect.Left), static_cast<double>(t.Rect.Top),
                           static_cast<double>(t.Rect.Right - t.Rect.Left),
                           static_cast<double>(t.Rect.Bottom - t.Rect.Top)),
                    t.MirrorH, t.MirrorV);
    } else {
      painter.setPen(FPicBoxFrameColor);
      painter.setBrush(FPicBoxColor);
      if (R.width() > 0 && R.height() > 0) painter.drawRect(R.adjusted(0, 0, -1, -1));
      DrawClocks(painter, R);
    }
  } catch (...) {
    if (OnPaint) OnPaint(*this);
    throw;
  }
  if (OnPaint) OnPaint(*this);
}

void TPGImage::DrawClocks(QPainter& painter, const QRect& box) {
  if (!ProgressClockVisible) return;
  const int L = box.x(), T = box.y(), R = box.x() + box.width(), B = box.y() + box.height();
  auto clock = [&](int x, int y) {
    painter.setPen(ProgressClockLineColor);
    painter.setBrush(ProgressClockBkColor);
    painter.drawEllipse(QRect(x, y, 15, 15));
    const int cx = x + 7, cy = y + 7;
    const double m = FProgressPercent * M_PI * 0.02;
    const double h = ((FProgressStep - 1) * 2 * M_PI + m) / 12;
    painter.drawLine(cx, cy, cx + static_cast<int>(std::nearbyint(std::sin(h) * 6)),
                     cy - static_cast<int>(std::nearbyint(std::cos(h) * 6)));
    painter.drawLine(cx, cy, cx + static_cast<int>(std::nearbyint(std::sin(m) * 7)),
                     cy - static_cast<int>(std::nearbyint(std::cos(m) * 7)));
  };
  if (R - L > 20 && B - T > 20) clock(L + (R - L) / 2 - 7, T + (B - T) / 2 - 7);
  if (Progress5Clocks && R - L >= 101 && B - T >= 101) {
    clock(L + 5, T + 5);
    clock(R - 20, T + 5);
    clock(L + 5, B - 20);
    clock(R - 20, B - 20);
  }
}
