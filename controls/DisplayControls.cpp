#include "controls/DisplayControls.h"

#include <QAudioDevice>
#include <QAudioOutput>
#include <QFile>
#include <QMediaDevices>
#include <QMediaPlayer>
#include <QPainter>
#include <QVBoxLayout>
#include <QVideoWidget>

#include "imaging/formats/LoadSave.h"
#include "platform/PGQtImage.h"

TLedIndicator::TLedIndicator(QWidget* parent) : QWidget(parent) { setFixedSize(16, 16); }

void TLedIndicator::SetLit(bool lit) {
  if (lit == FLit) return;
  FLit = lit;
  repaint();
}

void TLedIndicator::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QColor(64, 0, 0));
  p.setBrush(FLit ? QColor(255, 0, 0) : QColor(128, 0, 0));
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
}

TPictureControl::TPictureControl(QWidget* parent) : QWidget(parent) {}

void TPictureControl::LoadFromFile(const QString& path) {
  TPixelGraphic picture;
  picture.ReadWarningAction = pgwaIgnore;
  ::LoadFromFile(picture, path.toStdString());
  if (picture.Empty() || picture.Width() < 1 || picture.Height() < 1)
    throw EPixelGraphic("no picture could be read from " + path.toStdString());
  FPicture.Assign(&picture);
  update();
}

QSize TPictureControl::PictureSize() const { return QSize(FPicture.Width(), FPicture.Height()); }

void TPictureControl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PGDrawImage(p, FPicture, QRectF(rect()));
}

QSize AviFrameSize(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  const QByteArray head = file.read(4096);
  if (head.size() < 12 || !head.startsWith("RIFF") || head.mid(8, 4) != "AVI ") return {};
  const qsizetype avih = head.indexOf("avih");
  if (avih < 0 || avih + 8 + 40 > head.size()) return {};
  auto le32 = [&](qsizetype at) {
    const auto* p = reinterpret_cast<const unsigned char*>(head.constData() + at);
    return static_cast<qint64>(p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<quint32>(p[3]) << 24));
  };
  const qint64 w = le32(avih + 8 + 32), h = le32(avih + 8 + 36);
  if (w < 1 || h < 1 || w > 65535 || h > 65535) return {};
  return QSize(static_cast<int>(w), static_cast<int>(h));
}

TVideoPlayer::TVideoPlayer(QWidget* parent) : QWidget(parent) {
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
}

TVideoPlayer::~TVideoPlayer() {
  if (FPlayer) FPlayer->stop();
}

void TVideoPlayer::SetFileName(const QString& path) {
  FFileName = path;
  FNaturalSize = AviFrameSize(path);
  if (!FNaturalSize.isValid()) {
    if (FPlayer) FPlayer->setSource(QUrl());
    return;
  }
  if (!FPlayer) {
    // The media framework starts with the first video, not with the window.
    FVideo = new QVideoWidget(this);
    FVideo->setAspectRatioMode(Qt::IgnoreAspectRatio);
    layout()->addWidget(FVideo);
    FPlayer = new QMediaPlayer(this);
    FPlayer->setVideoOutput(FVideo);
    // Sound only where there is a device to play it on.
    if (!QMediaDevices::audioOutputs().isEmpty()) {
      FAudio = new QAudioOutput(this);
      FPlayer->setAudioOutput(FAudio);
    }
    FPlayer->setLoops(QMediaPlayer::Infinite);
  }
  FPlayer->setSource(QUrl::fromLocalFile(path));
}

void TVideoPlayer::SetActive(bool active) {
  FActive = active && FPlayer;
  if (!FPlayer) return;
  if (FActive)
    FPlayer->play();
  else
    FPlayer->stop();
}
