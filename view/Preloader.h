// TPreloader: reads the pictures the user is likely to step to next on a background job, one
// after the other, and keeps them in a bounded cache until the view takes one. A new wish
// list drops pictures no longer wanted; a folder change stops the work and empties the cache.
#pragma once

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QSize>
#include <QStringList>
#include <memory>

#include "imaging/PGraphic.h"
#include "view/PreloadCache.h"
#include "view/ReadAhead.h"

class TBackgroundJob;

class TPreloader : public QObject {
 public:
  explicit TPreloader(std::size_t maxPictures = TPreloadCache::kMaxPictures,
                      std::size_t maxBytes = TPreloadCache::kMaxBytes);
  ~TPreloader() override;

  // The pictures to read now, most needed first; work on any other picture stops.
  void Want(const QStringList& paths);
  // Stops the work and forgets every picture (a folder change, the switch turned off).
  void Cancel();
  // The picture read for `path`, handed over; null when it is not ready or the file changed
  // since it was read.
  std::unique_ptr<TPixelGraphic> Take(const QString& path, QSize* trueSize = nullptr);

  TRGB Background = 0;  // handed to every picture read
  TDisplayAdjustments Adjust;  // applied to every picture read
  const TPreloadCache& Cache() const { return FCache; }
  bool Working() const { return FJob != nullptr; }
  QString Reading() const { return FReading; }
  // Waits for the running work and takes in what it posted (tests and benchmarks).
  void WaitIdle();

 protected:
  bool event(QEvent* event) override;

 private:
  void StopJob();
  void StartNext();
  std::vector<std::string> WantedPaths() const;

  TPreloadCache FCache;
  QStringList FWanted;
  QHash<QString, QDateTime> FStamps;  // when each kept file was last changed, as read
  QHash<QString, QSize> FTrueSizes;   // of pictures kept at a reduced scale
  std::unique_ptr<TBackgroundJob> FJob;
  QString FReading;
  unsigned FOrder = 0;  // numbers each job; results of an older job are dropped
};
