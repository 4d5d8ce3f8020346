// TGIFImage: the control that shows a GIF file with its animation. It parses the file itself
// (GIFParser), composes the frames (GIFComposer), steps through them on a THiResTimer
// (GIFPlayer) and paints the composite with the placement modes below.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QImage>
#include <QString>
#include <QThread>
#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

#include "view/GIFParser.h"
#include "view/GIFPlacement.h"
#include "view/GIFPlayer.h"

class QIODevice;
class THiResTimer;

class TGIFImage : public QWidget {
  Q_OBJECT
  Q_PROPERTY(bool Animate READ Animate WRITE SetAnimate)
  Q_PROPERTY(bool AutoSize READ AutoSize WRITE SetAutoSize)
  Q_PROPERTY(bool Center READ Center WRITE SetCenter)
  Q_PROPERTY(QColor Color READ Color WRITE SetColor)
  Q_PROPERTY(int CurrentFrame READ CurrentFrame WRITE SetCurrentFrame)
  Q_PROPERTY(bool DoubleBuffered READ DoubleBuffered WRITE SetDoubleBuffered)
  Q_PROPERTY(bool FirstImageOnly READ FirstImageOnly WRITE SetFirstImageOnly)
  Q_PROPERTY(bool Loop READ Loop WRITE SetLoop)
  Q_PROPERTY(bool Opaque READ Opaque WRITE SetOpaque)
  Q_PROPERTY(int Speed READ Speed WRITE SetSpeed)
  Q_PROPERTY(bool Stretch READ Stretch WRITE SetStretch)
  Q_PROPERTY(bool StretchRatio READ StretchRatio WRITE SetStretchRatio)
  Q_PROPERTY(bool Tile READ Tile WRITE SetTile)
  Q_PROPERTY(bool Threaded READ Threaded WRITE SetThreaded)

 public:
  using TNotifyEvent = std::function<void(TGIFImage* sender)>;
  using TProgressEvent =
      std::function<void(TGIFImage* sender, std::int64_t bytesProcessed,
                         std::int64_t bytesToProcess, int percentageProcessed,
                         bool& keepOnProcessing)>;

  explicit TGIFImage(QWidget* parent = nullptr);
  ~TGIFImage() override;

  // Answer false (and leave the control empty, with LastError set) when the file is missing,
  // not a GIF, refused, or the load was aborted through OnProgress.
  bool LoadFromFile(const QString& path);
  bool LoadFromStream(QIODevice& stream);
  bool LoadFromData(std::vector<std::uint8_t> data);
  void Clear();
  QString LastError() const { return FLastError; }

  // The stored "Data": a 32-bit little-endian length followed by the last loaded file.
  const std::vector<std::uint8_t>& Data() const { return FData; }
  void WriteData(QIODevice& stream) const;
  bool ReadData(QIODevice& stream);

  // A copy of the first frame's decoded image (8-bit with its colour table); null when empty.
  QImage FirstFrameBitmap() const { return FFirstFrameBitmap; }
  // The composed picture as it stands, transparent where nothing covers the screen.
  QImage Composite() const;
  // The colours of the frame on show; empty when the control is empty or hidden.
  std::vector<QRgb> Palette() const;

  TGIFVersion Version() const { return FPlayer.Animation().Version; }
  bool Loaded() const { return FPlayer.Loaded(); }
  int FrameCount() const { return FPlayer.FrameCount(); }
  int LogicalWidth() const { return FPlayer.Composer().Width(); }
  int LogicalHeight() const { return FPlayer.Composer().Height(); }
  int LoopCount() const { return FPlayer.Animation().LoopCount; }
  int LoopsPlayed() const { return FPlayer.LoopsPlayed(); }
  const TGIFAnimation& Animation() const { return FPlayer.Animation(); }
  THiResTimer& Timer() { return *FTimer; }
  // The frame timer's handler; tests and callers without an event loop may step with it.
  void TimerTick();

  bool Animate() const { return FPlayer.Animate(); }
  void SetAnimate(bool value);
  bool AutoSize() const { return FAutoSize; }
  void SetAutoSize(bool value);
  bool Center() const { return FModes.Center; }
  void SetCenter(bool value);
  QColor Color() const { return FColor; }
  void SetColor(const QColor& value);
  int CurrentFrame() const { return FPlayer.CurrentFrame(); }
  void SetCurrentFrame(int value);
  // Repaints through an off-screen image of the placement rectangle.
  bool DoubleBuffered() const { return FDoubleBuffered; }
  void SetDoubleBuffered(bool value) { FDoubleBuffered = value; }
  bool FirstImageOnly() const { return FFirstImageOnly; }
  void SetFirstImageOnly(bool value) { FFirstImageOnly = value; }
  bool Loop() const { return FPlayer.Loop(); }
  void SetLoop(bool value);
  bool Opaque() const { return FOpaque; }
  void SetOpaque(bool value);
  int Speed() const { return FPlayer.Speed(); }
  void SetSpeed(int value);
  bool Stretch() const { return FModes.Stretch; }
  void SetStretch(bool value);
  bool StretchRatio() const { return FModes.StretchRatio; }
  void SetStretchRatio(bool value);
  bool Tile() const { return FModes.Tile; }
  void SetTile(bool value);
  bool Threaded() const;
  void SetThreaded(bool value);
  QThread::Priority ThreadPriority() const;
  void SetThreadPriority(QThread::Priority value);

  // True when the control paints every pixel of its area itself.
  bool CoversOpaquely() const;

  TNotifyEvent OnChanging;
  TNotifyEvent OnChange;
  TProgressEvent OnProgress;
  TNotifyEvent OnWrapAnimation;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void ApplyTimer();
  void Changing() { if (OnChanging) OnChanging(this); }
  void Change() { if (OnChange) OnChange(this); }
  void RefreshDisplay();
  QImage DisplayImage() const;
  void DrawPicture(QPainter& painter, const QImage& image);

  TGIFPlayer FPlayer;
  THiResTimer* FTimer;
  std::vector<std::uint8_t> FData;
  QImage FFirstFrameBitmap;
  QString FLastError;
  TGIFPlacementModes FModes;
  QColor FColor;
  bool FAutoSize = false;
  bool FDoubleBuffered = true;
  bool FFirstImageOnly = false;
  bool FOpaque = false;
  // The premultiplied copy of a composite with transparent parts, rebuilt on change.
  mutable QImage FDisplay;
  mutable std::uint64_t FDisplayGeneration = ~std::uint64_t{0};
};
