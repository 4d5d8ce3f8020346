// The browser's small display controls: the LED, the plain picture control for metafiles and
// icons, and the video player.
#pragma once

#include <QSize>
#include <QWidget>
#include <memory>

#include "imaging/PGraphic.h"

class QMediaPlayer;
class QVideoWidget;
class QAudioOutput;

// A 16 x 16 lamp: red when lit, maroon when dark.
class TLedIndicator : public QWidget {
 public:
  explicit TLedIndicator(QWidget* parent = nullptr);
  bool Lit() const { return FLit; }
  void SetLit(bool lit);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool FLit = false;
};

// Shows one picture stretched to its size (used for metafiles and icons).
class TPictureControl : public QWidget {
 public:
  explicit TPictureControl(QWidget* parent = nullptr);
  // Loads through the format registry; raises the imaging core's error when it cannot, and
  // an error as well when the file holds no picture (a metafile that draws nothing). The
  // previous picture stays on failure.
  void LoadFromFile(const QString& path);
  QSize PictureSize() const;
  const TPixelGraphic& Picture() const { return FPicture; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  TPixelGraphic FPicture;
};

// Natural frame size of an AVI file from its main header; invalid when it cannot be read.
QSize AviFrameSize(const QString& path);

// Plays a video stretched to its size on a black background.
class TVideoPlayer : public QWidget {
 public:
  explicit TVideoPlayer(QWidget* parent = nullptr);
  ~TVideoPlayer() override;
  // The natural size comes from the file's AVI header; a file without one (not an AVI file)
  // is not handed to the media framework and its natural size is invalid.
  void SetFileName(const QString& path);
  QString FileName() const { return FFileName; }
  QSize NaturalSize() const { return FNaturalSize; }
  void SetActive(bool active);
  bool Active() const { return FActive; }

 private:
  QString FFileName;
  QSize FNaturalSize;
  bool FActive = false;
  QMediaPlayer* FPlayer = nullptr;
  QVideoWidget* FVideo = nullptr;
  QAudioOutput* FAudio = nullptr;
};
