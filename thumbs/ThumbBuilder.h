// TThumbBuilder: the explorer's thumbnail build. The cells are made by a worker pool off the
// user-interface thread and arrive as posted events that own their picture; each names its
// file and its order, so results of an earlier build, folder or size are dropped and a result
// always lands on its own file, however the list was sorted meanwhile.
#pragma once

#include <QObject>
#include <QPixmap>
#include <QStringList>
#include <functional>
#include <memory>

#include "imaging/PGTypes.h"

class TThumbnailCache;
class TThumbnailMaker;
class TThumbnailPool;

class TThumbBuilder : public QObject {
 public:
  explicit TThumbBuilder(QObject* parent = nullptr);
  ~TThumbBuilder() override;

  // The shared thumbnail cache is used unless the setting "ThumbnailCache" is "0".
  static bool CacheEnabled();
  // Turns the shared cache on or off (stops a running build) and stores the setting.
  void SetCacheEnabled(bool enabled);

  // Starts building the cells of the files (names in the folder, which ends with a separator).
  void Start(const QString& folder, const QStringList& names, int side, TRGB background);
  // The files the user sees, nearest first: built before the others.
  void Prioritize(const QStringList& names);
  // Stops the build; results still on their way are dropped.
  void Stop();
  bool Running() const { return FRunning; }
  int Done() const { return FDone; }
  int Total() const { return FTotal; }

  // A cell arrived (null pixmap: it could not be made).
  std::function<void(const QString& name, const QPixmap& cell)> OnThumbnail;
  // After each cell: how many are done of how many, and the file's name.
  std::function<void(int done, int total, const QString& name)> OnProgress;
  // Every cell of the build has arrived.
  std::function<void()> OnFinished;

 protected:
  void customEvent(QEvent* event) override;

 private:
  std::unique_ptr<TThumbnailCache> FCache;
  std::unique_ptr<TThumbnailMaker> FMaker;
  std::unique_ptr<TThumbnailPool> FPool;
  QString FFolder;
  std::uint64_t FOrder = 0;
  bool FRunning = false;
  int FDone = 0;
  int FTotal = 0;
};
