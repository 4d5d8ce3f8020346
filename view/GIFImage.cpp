#include "view/GIFImage.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <exception>

#include "controls/HiResTimer.h"

namespace {
// Files beyond this size are refused before they are read into memory.
constexpr qint64 MaxFileBytes = qint64{1} << 30;
}  // namespace

TGIFImage::TGIFImage(QWidget* parent)
    : QWidget(parent), FTimer(new THiResTimer(this)), FColor(palette().color(QPalette::Window)) {
  resize(105, 105);
  FTimer->SetThreaded(true);
  FTimer->OnTimer = [this](THiResTimer*) { TimerTick(); };
}

TGIFImage::~TGIFImage() { FTimer->SetEnabled(false); }

// ---- loading ---------------------------------------------------------------------------

bool TGIFImage::LoadFromFile(const QString& path) {
  QFile file(path);
  if (!QFileInfo::exists(path)) {
    Clear();
    FLastError = QStringLiteral("GIF: the file does not exist");
    return false;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    Clear();
    FLastError = QStringLiteral("GIF: the file cannot be opened");
    return false;
  }
  return LoadFromStream(file);
}

bool TGIFImage::LoadFromStream(QIODevice& stream) {
  std::vector<std::uint8_t> data;
  try {
    const qint64 known = stream.isSequential() ? 0 : stream.size() - stream.pos();
    if (known > MaxFileBytes) {
      Clear();
      FLastError = QStringLiteral("GIF: the file is too large");
      return false;
    }
    char buffer[65536];
    for (;;) {
      const qint64 n = stream.read(buffer, sizeof buffer);
      if (n <= 0) break;
      if (qint64(data.size()) + n > MaxFileBytes) {
        Clear();
        FLastError = QStringLiteral("GIF: the file is too large");
        return false;
      }
      data.insert(data.end(), buffer, buffer + n);
    }
  } catch (const std::exception&) {
    Clear();
    FLastError = QStringLiteral("GIF: out of memory");
    return false;
  }
  return LoadFromData(std::move(data));
}

bool TGIFImage::LoadFromData(std::vector<std::uint8_t> data) {
  Clear();
  FData = std::move(data);
  try {
    TGIFParseOptions options;
    options.FirstImageOnly = FFirstImageOnly;
    if (OnProgress) {
      options.Progress = [this](std::uint64_t processed, std::uint64_t total, int percent) {
        bool keep = true;
        OnProgress(this, std::int64_t(processed), std::int64_t(total), percent, keep);
        return keep;
      };
    }
    TGIFAnimation animation;
    const TGIFParseResult result = GIFParse(FData.data(), FData.size(), options, animation);
    if (!result.Ok()) {
      Clear();
      FLastError = QString::fromStdString(result.Message);
      return false;
    }
    FPlayer.Load(std::move(animation));
  } catch (const std::exception& e) {
    Clear();
    FLastError = QStringLiteral("GIF: ") + QString::fromLocal8Bit(e.what());
    return false;
  }

  const TGIFFrame& first = FPlayer.Animation().Frames.front();
  if (!first.Clip.Empty()) {
    QImage bitmap(first.Clip.Width, first.Clip.Height, QImage::Format_Indexed8);
    int colors = std::max(first.ColorCount, 1);
    for (std::uint8_t v : first.Pixels) colors = std::max(colors, int(v) + 1);
    QList<QRgb> table(first.Palette.begin(), first.Palette.begin() + colors);
    bitmap.setColorTable(table);
    for (int y = 0; y < first.Clip.Height; ++y)
      std::copy_n(first.Pixels.data() + std::size_t(y) * first.Clip.Width, first.Clip.Width,
                  bitmap.scanLine(y));
    FFirstFrameBitmap = bitmap;
  }

  if (FAutoSize) resize(LogicalWidth(), LogicalHeight());
  FTimer->SetInterval(1);
  Changing();
  FPlayer.DrawFirstFrame();
  Change();
  RefreshDisplay();
  if (isVisible()) FPlayer.SyncTimerToState();
  ApplyTimer();
  return true;
}

void TGIFImage::Clear() {
  FTimer->SetEnabled(false);
  FPlayer.Clear();
  FData.clear();
  FData.shrink_to_fit();
  FFirstFrameBitmap = QImage();
  FDisplay = QImage();
  FLastError.clear();
  RefreshDisplay();
}

void TGIFImage::WriteData(QIODevice& stream) const {
  const auto n = static_cast<std::uint32_t>(FData.size());
  const char length[4] = {char(n & 0xFF), char((n >> 8) & 0xFF), char((n >> 16) & 0xFF),
                          char((n >> 24) & 0xFF)};
  stream.write(length, 4);
  if (n) stream.write(reinterpret_cast<const char*>(FData.data()), qint64(n));
}

bool TGIFImage::ReadData(QIODevice& stream) {
  unsigned char length[4];
  if (stream.read(reinterpret_cast<char*>(length), 4) != 4) {
    Clear();
    FLastError = QStringLiteral("GIF: the stored data is truncated");
    return false;
  }
  const std::uint32_t n = length[0] | (length[1] << 8) | (length[2] << 16) | (std::uint32_t(length[3]) << 24);
  if (n == 0) {
    Clear();
    return true;
  }
  if (qint64(n) > MaxFileBytes) {
    Clear();
    FLastError = QStringLiteral("GIF: the file is too large");
    return false;
  }
  const QByteArray bytes = stream.read(qint64(n));  // only what the stream really holds
  if (bytes.size() != qsizetype(n)) {
    Clear();
    FLastError = QStringLiteral("GIF: the stored data is truncated");
    return false;
  }
  return LoadFromData(std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// ---- animation -------------------------------------------------------------------------

void TGIFImage::ApplyTimer() {
  FTimer->SetInterval(FPlayer.Interval());
  FTimer->SetEnabled(FPlayer.TimerEnabled());
}

void TGIFImage::TimerTick() {
  if (!FPlayer.BeginTick()) return;
  Changing();
  const TGIFPlayer::TTickOutcome outcome = FPlayer.FinishTick();
  if (outcome.Redraw) RefreshDisplay();
  ApplyTimer();
  Change();
  if (outcome.Wrapped && OnWrapAnimation) OnWrapAnimation(this);
}

void TGIFImage::SetAnimate(bool value) {
  if (value == FPlayer.Animate()) return;
  if (FPlayer.SetAnimate(value)) RefreshDisplay();
  ApplyTimer();
}

void TGIFImage::SetLoop(bool value) {
  FPlayer.SetLoop(value);
  ApplyTimer();
}

void TGIFImage::SetSpeed(int value) {
  FPlayer.SetSpeed(value);
  ApplyTimer();
}

void TGIFImage::SetCurrentFrame(int value) {
  if (!FPlayer.CanShowFrame(value)) return;
  Changing();
  FPlayer.ShowFrame(value);
  RefreshDisplay();
  Change();
}

bool TGIFImage::Threaded() const { return FTimer->Threaded(); }
void TGIFImage::SetThreaded(bool value) { FTimer->SetThreaded(value); }
QThread::Priority TGIFImage::ThreadPriority() const { return FTimer->ThreadPriority(); }
void TGIFImage::SetThreadPriority(QThread::Priority value) { FTimer->SetThreadPriority(value); }

// ---- appearance ------------------------------------------------------------------------

void TGIFImage::SetAutoSize(bool value) {
  FAutoSize = value;
  if (value && Loaded()) resize(LogicalWidth(), LogicalHeight());
}

void TGIFImage::SetCenter(bool value) { FModes.Center = value; RefreshDisplay(); }
void TGIFImage::SetOpaque(bool value) { FOpaque = value; RefreshDisplay(); }
void TGIFImage::SetStretch(bool value) { FModes.Stretch = value; RefreshDisplay(); }
void TGIFImage::SetStretchRatio(bool value) { FModes.StretchRatio = value; RefreshDisplay(); }
void TGIFImage::SetTile(bool value) { FModes.Tile = value; RefreshDisplay(); }
void TGIFImage::SetColor(const QColor& value) { FColor = value; RefreshDisplay(); }

bool TGIFImage::CoversOpaquely() const {
  if (!isVisible()) return false;
  // Without Opaque, pixels no frame has covered (or a frame disposed of) let the background
  // through.
  if (!FOpaque) return false;
  if (!Loaded()) return FOpaque;  // an empty opaque control fills itself
  if (GIFTiling(width(), height(), LogicalWidth(), LogicalHeight(), FModes)) return true;
  const TGIFRect r = GIFPlacement(width(), height(), LogicalWidth(), LogicalHeight(), FModes);
  return r.Left <= 0 && r.Top <= 0 && r.Right() >= width() && r.Bottom() >= height();
}

void TGIFImage::RefreshDisplay() {
  setAttribute(Qt::WA_OpaquePaintEvent, CoversOpaquely());
  update();
}

void TGIFImage::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  setAttribute(Qt::WA_OpaquePaintEvent, CoversOpaquely());
}

QImage TGIFImage::DisplayImage() const {
  const TGIFComposer& c = FPlayer.Composer();
  if (c.Empty()) return {};
  if (FDisplayGeneration != c.Generation() || FDisplay.isNull()) {
    FDisplay = QImage(c.Width(), c.Height(), QImage::Format_ARGB32_Premultiplied);
    if (FDisplay.isNull()) return {};
    c.ToPremultiplied(reinterpret_cast<std::uint32_t*>(FDisplay.bits()));
    FDisplayGeneration = c.Generation();
  }
  return FDisplay;
}

QImage TGIFImage::Composite() const { return DisplayImage().convertToFormat(QImage::Format_ARGB32); }

std::vector<QRgb> TGIFImage::Palette() const {
  if (!Loaded() || !isVisible()) return {};
  int frame = FPlayer.ShownFrame();
  if (frame < 1 || frame > FrameCount()) frame = 1;
  const TGIFFrame& f = FPlayer.Animation().Frames[frame - 1];
  return std::vector<QRgb>(f.Palette.begin(), f.Palette.begin() + std::max(f.ColorCount, 1));
}

void TGIFImage::DrawPicture(QPainter& painter, const QImage& image) {
  const int w = image.width(), h = image.height();
  if (GIFTiling(width(), height(), w, h, FModes)) {
    for (int y = 0; y < height(); y += h)
      for (int x = 0; x < width(); x += w) painter.drawImage(QPoint(x, y), image);
    return;
  }
  const TGIFRect r = GIFPlacement(width(), height(), w, h, FModes);
  if (GIFStretching(width(), height(), w, h, FModes))
    painter.drawImage(QRect(r.Left, r.Top, r.Width, r.Height), image);
  else
    painter.drawImage(QPoint(r.Left, r.Top), image);
}

void TGIFImage::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  if (FOpaque) painter.fillRect(rect(), FColor);
  const QImage image = DisplayImage();
  if (!image.isNull() && image.width() > 0 && image.height() > 0) {
    const bool tiled = GIFTiling(width(), height(), image.width(), image.height(), FModes);
    const TGIFRect r = GIFPlacement(width(), height(), image.width(), image.height(), FModes);
    const QRect target = tiled ? rect() : QRect(r.Left, r.Top, r.Width, r.Height) & rect();
    if (FDoubleBuffered && !target.isEmpty()) {
      // Compose the placement rectangle off-screen, then put it on the control at once.
      QImage buffer(target.size(), QImage::Format_ARGB32_Premultiplied);
      buffer.fill(Qt::transparent);
      QPainter off(&buffer);
      off.translate(-target.topLeft());
      DrawPicture(off, image);
      off.end();
      painter.drawImage(target.topLeft(), buffer);
    } else {
      DrawPicture(painter, image);
    }
  }
  painter.end();
  FPlayer.SyncTimerToState();
  ApplyTimer();
}
