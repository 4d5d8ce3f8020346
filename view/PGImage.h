// TPGImage: the scrollable picture view that every window embeds.
//
// The view shows one TPixelGraphic at the size its fit policy gives, centred or not, tiled and
// mirrored at paint time. When the screen has fewer colours than the picture, or a slower
// stretch quality resamples it, a display copy is built on a worker thread while the view
// shows the previous copy or a placeholder with progress clocks. A paint box child receives
// the mouse for picture dragging and the selection with its animated marquee.
#pragma once

#include <QAbstractScrollArea>
#include <QColor>
#include <QCursor>
#include <QString>
#include <functional>
#include <memory>

#include "imaging/PGraphic.h"
#include "view/SelectionGeometry.h"
#include "view/ViewGeometry.h"
#include "view/ViewTypes.h"

class TPicBox;
class TCreatePaintPGThread;
class QTimer;
struct TDisplayCopyOrder;

class TPGImage : public QAbstractScrollArea {
 public:
  explicit TPGImage(QWidget* parent = nullptr);
  ~TPGImage() override;

  // ---- fit, position and painting ---------------------------------------------------------
  TStretch Stretch() const { return FStretch; }
  void SetStretch(TStretch value);
  double ZoomFactor() const { return FZoomFactor; }
  void SetZoomFactor(double value);
  bool Center() const { return FCenter; }
  void SetCenter(bool value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  const TAutoSizeLimits& AutoSizeLimits() const { return FAutoSizeLimits; }
  void SetAutoSizeLimits(const TAutoSizeLimits& limits);
  bool RearrangeAlways = false;
  TTiling Tiling() const { return FTiling; }
  void SetTiling(TTiling value);
  bool FlipHorizontal() const { return FFlipH; }
  void SetFlipHorizontal(bool value);
  bool FlipVertical() const { return FFlipV; }
  void SetFlipVertical(bool value);
  TRGB BackGroundColor = 0;  // handed to every picture the view loads
  QColor Color() const { return FColor; }
  void SetColor(const QColor& color);
  QColor PicBoxColor() const { return FPicBoxColor; }
  void SetPicBoxColor(const QColor& color);
  QColor PicBoxFrameColor() const { return FPicBoxFrameColor; }
  void SetPicBoxFrameColor(const QColor& color);
  // A single border (two pixels) or none.
  bool BorderSingle() const;
  void SetBorderSingle(bool single);

  // ---- colour reduction and resampling of the display copy --------------------------------
  TStretchMode StretchMode() const { return FStretchMode; }
  void SetStretchMode(TStretchMode value);
  bool Allow24BitStretch() const { return FAllow24BitStretch; }
  void SetAllow24BitStretch(bool value);
  bool Dither() const { return FDither; }
  void SetDither(bool value);
  std::uint8_t DitherErrorLimit() const { return FDitherErrorLimit; }
  void SetDitherErrorLimit(std::uint8_t value);
  bool DitherErrorLimitAuto() const { return FDitherErrorLimitAuto; }
  void SetDitherErrorLimitAuto(bool value);
  bool DitherErrorLimitSoft() const { return FDitherErrorLimitSoft; }
  void SetDitherErrorLimitSoft(bool value);
  bool RGBWeighting() const { return FRGBWeighting; }
  void SetRGBWeighting(bool value);
  TPaletteIdent Palette8BitSys24BitGraphic() const { return FPalette24; }
  void SetPalette8BitSys24BitGraphic(TPaletteIdent value);
  TPaletteIdent Palette8BitSys8BitGraphic() const { return FPalette8; }
  void SetPalette8BitSys8BitGraphic(TPaletteIdent value);
  // Bits per pixel of the screen the view reduces for; the real depth unless set.
  int ScreenDepth() const { return FScreenDepth; }
  void SetScreenDepth(int depth);

  // ---- loading and the shown picture -------------------------------------------------------
  QString FileName() const { return FFileName; }
  void SetFileName(const QString& name) { LoadFromFile(name); }
  void LoadFromFile(const QString& name, int index = 0);
  void SaveToFile(const QString& name);
  TPGWarningAction ReadWarningAction = pgwaOKCancelBox;
  TPGWarningAction SaveColorResWarningAction = pgwaOKCancelBox;
  bool ShowHourGlass = true;

  TPixelGraphic* PixelGraphic();  // stops the worker first
  TPixelGraphic* PixelGraphicNoWait() { return FImage.get(); }
  std::unique_ptr<TPixelGraphic> CopyPixelGraphic();
  void AssignPixelGraphic(const TPixelGraphic* image);
  void TakePixelGraphic(std::unique_ptr<TPixelGraphic> image);
  // Shows a picture already read from `name` (read ahead) as LoadFromFile would.
  void ShowLoaded(std::unique_ptr<TPixelGraphic> image, const QString& name);
  bool IsEmpty() const { return !FImage; }
  // The display copy, when one exists.
  const TPixelGraphic* PaintPixelGraphic() const { return FPaintCopy.get(); }

  void GraphicChanged();
  void Rearrange(bool forced);
  // The picture rectangle in content coordinates (before scrolling).
  QRect PicBoxBounds() const { return FBox; }
  // Whether the layout shows the scroll bars.
  bool HorizontalBarShown() const { return FHBar; }
  bool VerticalBarShown() const { return FVBar; }
  TPicBox* PicBox() const { return FPicBox; }

  // ---- background building and progress clocks --------------------------------------------
  bool UseThread() const { return FUseThread; }
  void SetUseThread(bool value);
  bool KeepOldPaintPixelGraphic = false;
  bool ReduceOnLoad = false;
  bool ProgressClockVisible = true;
  bool Progress5Clocks = true;
  QColor ProgressClockBkColor;
  QColor ProgressClockLineColor;
  // Waits until no worker runs (tests and hosts that need the copy now).
  void WaitForPaintCopy();

  // ---- selection and mouse actions --------------------------------------------------------
  TActionMode ActionMode() const { return FActionMode; }
  void SetActionMode(TActionMode mode);
  bool Selection() const { return FSelection; }
  void SetSelection(bool on);
  TSelRect SelectionRect() const { return FSel; }
  void SetSelectionRect(int left, int top, int width, int height);
  void SetSelectionLeft(int v) { SetSelectionRect(v, FSel.Top, FSel.Width, FSel.Height); }
  void SetSelectionTop(int v) { SetSelectionRect(FSel.Left, v, FSel.Width, FSel.Height); }
  void SetSelectionWidth(int v) { SetSelectionRect(FSel.Left, FSel.Top, v, FSel.Height); }
  void SetSelectionHeight(int v) { SetSelectionRect(FSel.Left, FSel.Top, FSel.Width, v); }
  // The selection cut to the picture (Width 0 when they do not meet): what copy and crop use.
  TSelRect SelectionOnPicture() const;
  QColor SelectionColor1() const { return FSelColor1; }
  void SetSelectionColor1(const QColor& c);
  QColor SelectionColor2() const { return FSelColor2; }
  void SetSelectionColor2(const QColor& c);
  int MarqueePhase() const { return FMarqueeCounter; }

  // ---- events ------------------------------------------------------------------------------
  std::function<void(TPGImage&, int width, int height)> OnNewAutoSize;
  std::function<void(TPGImage&)> OnPixelGraphicChange;
  std::function<void(TPGImage&)> OnZoomFactorChange;
  std::function<void(TPGImage&)> OnPainting;
  std::function<void(TPGImage&)> OnPaint;
  TPixelGraphic::TNotifyEvent OnPixelGraphicProgressStart;
  TPixelGraphic::TPGProgressEvent OnPixelGraphicProgress;
  TPixelGraphic::TNotifyEvent OnPixelGraphicProgressEnd;
  std::function<void(TPGImage&)> OnSelectionChange;
  std::function<void(TPGImage&)> OnSelectionMade;
  std::function<void(TPGImage&, QCursor&)> OnSetCursor;
  std::function<void(TPGImage&, QCursor&)> PicBoxOnSetCursor;
  std::function<void(TPGImage&, Qt::MouseButton, Qt::KeyboardModifiers, QPoint)> PicBoxOnMouseDown;
  std::function<void(TPGImage&, Qt::KeyboardModifiers, QPoint)> PicBoxOnMouseMove;
  std::function<void(TPGImage&, Qt::MouseButton, Qt::KeyboardModifiers, QPoint)> PicBoxOnMouseUp;
  std::function<void(TPGImage&, QPainter&)> PicBoxOnPaint;

  // Effective scale (-1 for a non-uniform scale); what OnZoomFactorChange reports.
  double EffectiveScale() const { return FScale; }

  // Called by the paint box.
  void PicBoxMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint p);
  void PicBoxMouseMove(Qt::MouseButtons buttons, Qt::KeyboardModifiers mods, QPoint p);
  void PicBoxMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers mods, QPoint p);
  void PaintPicBox(QPainter& painter);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void customEvent(QEvent* event) override;
  bool viewportEvent(QEvent* event) override;

 private:
  friend class TCreatePaintPGThread;
  enum class Drag { Idle, MovePicture, MoveSelection, Create, Grip };

  int Border() const;
  // The client area (inside the border, less the bars the layout shows).
  int ClientWidth() const;
  int ClientHeight() const;
  int BarHeight() const;
  int BarWidth() const;
  void UpdateScrollBars();
  void PlacePicBox();
  void ConnectImage(TPixelGraphic& image, bool changes);
  void StopWorker();
  void DiscardShownPicture();
  void DropPaintCopy();
  void MarkDirty();
  const TPixelGraphic* ApplyDisplayCopyRule();
  void OrderPaintCopy(const TDisplayCopyOrder& order);
  void HandOver(std::unique_ptr<TPixelGraphic> result);
  void DrawClocks(QPainter& painter, const QRect& box);
  void DrawMarquee(QPainter& painter);
  void InvalidateMarquee(const TSelRect& s);
  QCursor CursorAt(QPoint boxPoint) const;
  void UpdatePicBoxCursor(QPoint boxPoint);
  bool PictureCanScroll() const;
  TSelectionMapper Mapper() const;
  void AutoScrollTick();

  std::unique_ptr<TPixelGraphic> FImage;
  int FW = 0, FH = 0;
  std::unique_ptr<TPixelGraphic> FPaintCopy;
  int FOrderedW = 0, FOrderedH = 0;
  bool FDirty = true;
  bool FBuildStopped = false;
  bool FReduced = false;  // the shown picture is already the reduced copy
  double FScale = 1.0;
  bool FRearranging = false;
  QRect FBox;
  bool FHBar = false, FVBar = false;
  TPicBox* FPicBox = nullptr;

  TStretch FStretch = sNeverKAR;
  double FZoomFactor = 1.0;
  bool FCenter = false;
  bool FAutoSize = false;
  TAutoSizeLimits FAutoSizeLimits;
  TTiling FTiling = tNone;
  bool FFlipH = false, FFlipV = false;
  QColor FColor;
  QColor FPicBoxColor;
  QColor FPicBoxFrameColor;
  TStretchMode FStretchMode = smFast;
  bool FAllow24BitStretch = false;
  bool FDither = true;
  std::uint8_t FDitherErrorLimit = 32;
  bool FDitherErrorLimitAuto = true;
  bool FDitherErrorLimitSoft = true;
  bool FRGBWeighting = true;
  TPaletteIdent FPalette24 = pOptimized252Sys16;
  TPaletteIdent FPalette8 = pOptimized252Sys16;
  int FScreenDepth = 24;
  QString FFileName;

  bool FUseThread = true;
  std::unique_ptr<TCreatePaintPGThread> FWorker;
  unsigned FOrderNumber = 0;
  int FProgressStep = 1;
  int FProgressPercent = 0;

  TActionMode FActionMode = amMoveImage;
  bool FSelection = false;
  TSelRect FSel;
  QColor FSelColor1{255, 255, 255};
  QColor FSelColor2{255, 0, 0};
  int FMarqueeCounter = 0;
  QTimer* FMarqueeTimer = nullptr;
  QTimer* FAutoScrollTimer = nullptr;
  Drag FDrag = Drag::Idle;
  TGrip FGrip = gTopLeft;
  QPoint FAnchor;
  int FOffsetX = 0, FOffsetY = 0;
  int FAnchorImageX = 0, FAnchorImageY = 0;
};
