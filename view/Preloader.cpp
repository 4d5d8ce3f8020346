#include "view/Preloader.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFileInfo>

#include "platform/BackgroundJob.h"
#include "view/ReadAhead.h"

namespace {

// A picture read ahead (null when it could not be kept), or the end of a job.
class TReadAheadEvent : public QEvent {
 public:
  static const QEvent::Type kType;
  TReadAheadEvent(unsigned order, QString path, QDateTime stamp, TDisplayPicture picture)
      : QEvent(kType), Order(order), Path(std::move(path)), Stamp(std::move(stamp)),
        TrueSize(picture.TrueWidth, picture.TrueHeight), Picture(std::move(picture.Picture)) {}
  unsigned Order;
  QString Path;
  QDateTime Stamp;
  QSize TrueSize;
  std::unique_ptr<TPixelGraphic> Picture;
};

const QEvent::Type TReadAheadEvent::kType = static_cast<QEvent::Type>(QEvent::registerEventType());

QDateTime StampOf(const QString& path) { return QFileInfo(path).lastModified(); }

}  // namespace

TPreloader::TPreloader(std::size_t maxPictures, std::size_t maxBytes)
    : FCache(maxPictures, maxBytes) {}

TPreloader::~TPreloader() { StopJob(); }

std::vector<std::string> TPreloader::WantedPaths() const {
  std::vector<std::string> paths;
  for (const QString& p : FWanted) paths.push_back(p.toStdString());
  return paths;
}

void TPreloader::Want(const QStringList& paths) {
  FWanted = paths;
  FCache.KeepOnly(WantedPaths());
  for (auto it = FStamps.begin(); it != FStamps.end();)
    it = FWanted.contains(it.key()) ? std::next(it) : FStamps.erase(it);
  for (auto it = FTrueSizes.begin(); it != FTrueSizes.end();)
    it = FWanted.contains(it.key()) ? std::next(it) : FTrueSizes.erase(it);
  if (FJob && FWanted.contains(FReading)) return;  // the picture being read is still wanted
  StopJob();
  StartNext();
}

void TPreloader::Cancel() {
  StopJob();
  FWanted.clear();
  FCache.Clear();
  FStamps.clear();
  FTrueSizes.clear();
}

std::unique_ptr<TPixelGraphic> TPreloader::Take(const QString& path, QSize* trueSize) {
  auto picture = FCache.Take(path.toStdString());
  const QDateTime stamp = FStamps.take(path);
  const QSize size = FTrueSizes.take(path);
  if (trueSize) *trueSize = picture ? (size.isValid() ? size : QSize(picture->Width(), picture->Height())) : QSize();
  if (picture && stamp != StampOf(path)) return nullptr;  // changed on disk since
  return picture;
}

void TPreloader::StopJob() {
  ++FOrder;  // whatever the stopped job still posts is dropped
  if (FJob) FJob->Stop();
  FJob.reset();
  FReading.clear();
}

void TPreloader::StartNext() {
  if (FJob) return;
  for (const QString& path : FWanted) {
    if (FCache.Contains(path.toStdString())) continue;
    // What the cache holds for other wanted pictures stays; the new one must fit beside it,
    // so that the pictures kept and the one being read never pass the bounds together.
    if (FCache.Count() >= FCache.MaxPictures()) return;
    const std::size_t budget = FCache.FreeBytes();
    const unsigned order = ++FOrder;
    const TRGB background = Background;
    const TDisplayAdjustments adjust = Adjust;
    FReading = path;
    FJob = std::make_unique<TBackgroundJob>(this);
    TBackgroundJob* job = FJob.get();
    FJob->Start([job, order, path, budget, background, adjust] {
      const QDateTime stamp = StampOf(path);
      TDisplayPicture picture =
          ReadAheadForDisplay(path.toStdString(), budget, job->StopFlag(), background, adjust);
      job->Post(std::make_unique<TReadAheadEvent>(order, path, stamp, std::move(picture)));
    });
    return;
  }
}

bool TPreloader::event(QEvent* event) {
  if (event->type() != TReadAheadEvent::kType) return QObject::event(event);
  TBackgroundJob::AcceptPosted();
  auto* done = static_cast<TReadAheadEvent*>(event);
  if (done->Order != FOrder) return true;  // from a job stopped since
  if (FJob) FJob->Wait();
  FJob.reset();
  FReading.clear();
  const bool wanted = FWanted.contains(done->Path);
  const bool reduced = done->Picture && done->TrueSize != QSize(done->Picture->Width(), done->Picture->Height());
  if (wanted && done->Picture && FCache.Put(done->Path.toStdString(), std::move(done->Picture))) {
    FStamps.insert(done->Path, done->Stamp);
    if (reduced) FTrueSizes.insert(done->Path, done->TrueSize);
  }
  // A picture that could not be read or kept is not tried again until it is wanted anew.
  if (wanted && !FCache.Contains(done->Path.toStdString())) FWanted.removeAll(done->Path);
  StartNext();
  return true;
}

void TPreloader::WaitIdle() {
  while (FJob) {
    TBackgroundJob* job = FJob.get();
    job->Wait();
    QCoreApplication::sendPostedEvents(this, TReadAheadEvent::kType);
    if (FJob.get() == job) {  // the work ended without posting: move on
      FJob.reset();
      FReading.clear();
      StartNext();
    }
  }
}
