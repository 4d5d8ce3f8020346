#include "thumbs/ThumbBuilder.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>
#include <QImage>
#include <atomic>

#include "platform/PGQtImage.h"
#include "platform/Settings.h"
#include "thumbs/core/ThumbnailCache.h"
#include "thumbs/core/ThumbnailMaker.h"
#include "thumbs/core/ThumbnailPool.h"

namespace {

const QEvent::Type kThumbReady = static_cast<QEvent::Type>(QEvent::registerEventType());

// One finished cell; owns its picture.
class TThumbReadyEvent : public QEvent {
 public:
  TThumbReadyEvent(std::uint64_t order, QString path, QImage cell)
      : QEvent(kThumbReady), Order(order), Path(std::move(path)), Cell(std::move(cell)) {}
  std::uint64_t Order;
  QString Path;
  QImage Cell;
};

}  // namespace

TThumbBuilder::TThumbBuilder(QObject* parent) : QObject(parent) {
  FCache = std::make_unique<TThumbnailCache>(CacheEnabled() ? TThumbnailCache::DefaultRoot()
                                                            : std::string());
  FMaker = std::make_unique<TThumbnailMaker>(FCache.get());
  FPool = std::make_unique<TThumbnailPool>(
      *FMaker, [this](const TThumbnailJob& job, TThumbnailCell cell) {
        QImage image = cell.Cell ? PGToQImage(*cell.Cell) : QImage();
        std::atomic_thread_fence(std::memory_order_release);
        QCoreApplication::postEvent(
            this, new TThumbReadyEvent(job.Order, QString::fromStdString(job.Path), std::move(image)));
      });
}

TThumbBuilder::~TThumbBuilder() {
  FPool.reset();  // joins the workers before the receiver goes
  QCoreApplication::removePostedEvents(this, kThumbReady);
}

bool TThumbBuilder::CacheEnabled() { return ReadSetting("ThumbnailCache", "1") != "0"; }

void TThumbBuilder::SetCacheEnabled(bool enabled) {
  Stop();  // no worker reads the cache while it changes
  WriteSetting("ThumbnailCache", enabled ? "1" : "0");
  *FCache = TThumbnailCache(enabled ? TThumbnailCache::DefaultRoot() : std::string());
}

void TThumbBuilder::Start(const QString& folder, const QStringList& names, int side,
                          TRGB background) {
  Stop();
  FFolder = folder;
  FDone = 0;
  FTotal = static_cast<int>(names.size());
  FRunning = FTotal > 0;
  std::vector<std::string> paths;
  for (const QString& n : names) paths.push_back((folder + n).toStdString());
  FPool->Start(++FOrder, paths, side, background);
  if (!FRunning && OnFinished) OnFinished();
}

void TThumbBuilder::Prioritize(const QStringList& names) {
  if (!FRunning) return;
  std::vector<std::string> paths;
  for (const QString& n : names) paths.push_back((FFolder + n).toStdString());
  FPool->Prioritize(paths);
}

void TThumbBuilder::Stop() {
  FPool->Stop();
  ++FOrder;  // whatever is still on its way belongs to an old order
  FRunning = false;
}

void TThumbBuilder::customEvent(QEvent* event) {
  if (event->type() != kThumbReady) return;
  std::atomic_thread_fence(std::memory_order_acquire);
  auto* ready = static_cast<TThumbReadyEvent*>(event);
  if (!FRunning || ready->Order != FOrder) return;
  const QString name = QFileInfo(ready->Path).fileName();
  ++FDone;
  if (OnThumbnail)
    OnThumbnail(name, ready->Cell.isNull() ? QPixmap() : QPixmap::fromImage(ready->Cell));
  if (OnProgress) OnProgress(FDone, FTotal, name);
  if (FDone >= FTotal) {
    FRunning = false;
    if (OnFinished) OnFinished();
  }
}
