// Listing a folder's files that match a mask, in list order (name order ignoring case), on the
// calling thread or on a background job so that a folder of 100,000 files never holds up the
// window: a short folder is listed on the spot, a long one is read and sorted by the job and
// handed over in batches, one batch per turn of the event loop.
#pragma once

#include <QList>
#include <QObject>
#include <QRegularExpression>
#include <QStringList>
#include <QTimer>
#include <atomic>
#include <deque>
#include <functional>
#include <memory>

class TBackgroundJob;

// Mask patterns made ready once: "*.ext" as a suffix, any other as an expression.
struct TNameMask {
  QStringList Suffixes;
  QList<QRegularExpression> Expressions;

  // Patterns separated by ";"; extensions match without regard to case.
  static TNameMask Parse(const QString& mask);
  bool Matches(const QString& name) const;
  bool Empty() const { return Suffixes.isEmpty() && Expressions.isEmpty(); }
};

// The matching file names of `folder` in list order; empty when `stop` is set on the way.
QStringList ListFolderNames(const QString& folder, const TNameMask& mask,
                            const std::atomic<bool>* stop = nullptr);

// Name order ignoring case, exact order between names that differ only in case.
void SortFileNames(QStringList& names);

class TFolderLister : public QObject {
 public:
  using TListed = std::function<void(const QString& folder, const QStringList& names)>;
  using TBatch = std::function<void(const QStringList& names)>;
  using TDone = std::function<void()>;
  TFolderLister();
  ~TFolderLister() override;
  // Lists on a background job; `listed` is called on this object's thread with all the names.
  // A listing still running is cancelled.
  void Start(const QString& folder, const TNameMask& mask, TListed listed);
  // Lists incrementally: `batch` gets consecutive runs of the names in list order, then
  // `done` is called once. A folder of at most SyncLimit entries is listed on the spot (both
  // callbacks run before List returns); a longer one on a background job, its batches of at
  // most BatchSize names arriving one per turn of the event loop. A listing still running is
  // cancelled.
  void List(const QString& folder, const TNameMask& mask, TBatch batch, TDone done);
  // Stops the listing; nothing more of it arrives.
  void Cancel();
  bool Busy() const { return FJob != nullptr || !FQueue.empty() || FDoneQueued; }
  QString Folder() const { return FFolder; }

  int SyncLimit = 1000;
  int BatchSize = 4000;

 protected:
  bool event(QEvent* event) override;

 private:
  void StartJob(const QString& folder, const TNameMask& mask);
  // Hands the next queued batch (or the end) to the callbacks.
  void Deliver();

  std::unique_ptr<TBackgroundJob> FJob;
  TBatch FBatch;
  TDone FDone;
  QString FFolder;
  unsigned FOrder = 0;
  std::deque<QStringList> FQueue;  // batches in, not yet handed over
  bool FDoneQueued = false;
  QTimer FDeliver;  // one batch per turn of the event loop
};
