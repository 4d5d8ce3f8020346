#include "controls/FolderListing.h"

#include <QDirIterator>
#include <QEvent>
#include <algorithm>
#include <vector>

#include "platform/BackgroundJob.h"

namespace {

// A batch of sorted names; the last one of a listing says so.
class TBatchEvent : public QEvent {
 public:
  static const QEvent::Type kType;
  TBatchEvent(unsigned order, QStringList names, bool last)
      : QEvent(kType), Order(order), Names(std::move(names)), Last(last) {}
  unsigned Order;
  QStringList Names;
  bool Last;
};

const QEvent::Type TBatchEvent::kType = static_cast<QEvent::Type>(QEvent::registerEventType());

// The matching names of a folder of at most `limit` entries, sorted; nothing when the folder
// holds more (`complete` tells which).
QStringList ListShortFolder(const QString& folder, const TNameMask& mask, int limit, bool& complete) {
  QStringList names;
  complete = true;
  if (folder.isEmpty() || mask.Empty()) return names;
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  for (int seen = 0; it.hasNext(); ++seen) {
    if (seen >= limit) {
      complete = false;
      return {};
    }
    it.next();
    const QString name = it.fileName();
    if (mask.Matches(name)) names << name;
  }
  SortFileNames(names);
  return names;
}

}  // namespace

TNameMask TNameMask::Parse(const QString& mask) {
  TNameMask m;
  for (const QString& p : mask.split(';', Qt::SkipEmptyParts)) {
    const QString pattern = p.trimmed();
    const QString tail = pattern.mid(1);
    if (pattern.startsWith('*') && !tail.contains('*') && !tail.contains('?') && !tail.contains('['))
      m.Suffixes << tail;
    else
      m.Expressions << QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern),
                                          QRegularExpression::CaseInsensitiveOption);
  }
  return m;
}

bool TNameMask::Matches(const QString& name) const {
  for (const QString& suffix : Suffixes)
    if (name.endsWith(suffix, Qt::CaseInsensitive)) return true;
  for (const QRegularExpression& re : Expressions)
    if (re.match(name).hasMatch()) return true;
  return false;
}

void SortFileNames(QStringList& names) {
  // The folded keys are made once, not in every comparison.
  std::vector<std::pair<QString, qsizetype>> keys;
  keys.reserve(static_cast<std::size_t>(names.size()));
  for (qsizetype i = 0; i < names.size(); ++i) keys.emplace_back(names[i].toCaseFolded(), i);
  std::sort(keys.begin(), keys.end(), [&names](const auto& a, const auto& b) {
    const int c = QString::compare(a.first, b.first, Qt::CaseSensitive);
    return c != 0 ? c < 0 : names[a.second] < names[b.second];
  });
  QStringList sorted;
  sorted.reserve(names.size());
  for (const auto& key : keys) sorted << names[key.second];
  names = std::move(sorted);
}

QStringList ListFolderNames(const QString& folder, const TNameMask& mask,
                            const std::atomic<bool>* stop) {
  QStringList names;
  if (folder.isEmpty() || mask.Empty()) return names;
  // Names only: the directory entries carry their type, so no file is examined one by one.
  QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
  while (it.hasNext()) {
    it.next();
    if (stop && (names.size() & 1023) == 0 && *stop) return {};
    const QString name = it.fileName();
    if (mask.Matches(name)) names << name;
  }
  SortFileNames(names);
  return names;
}

TFolderLister::TFolderLister() {
  FDeliver.setInterval(0);
  connect(&FDeliver, &QTimer::timeout, this, [this] { Deliver(); });
}

TFolderLister::~TFolderLister() { Cancel(); }

void TFolderLister::Start(const QString& folder, const TNameMask& mask, TListed listed) {
  Cancel();
  auto all = std::make_shared<QStringList>();
  FBatch = [all](const QStringList& names) { *all += names; };
  FDone = [all, folder, listed = std::move(listed)] {
    if (listed) listed(folder, *all);
  };
  FFolder = folder;
  StartJob(folder, mask);
}

void TFolderLister::List(const QString& folder, const TNameMask& mask, TBatch batch, TDone done) {
  Cancel();
  bool complete = false;
  const QStringList names = ListShortFolder(folder, mask, SyncLimit, complete);
  if (complete) {
    if (batch && !names.isEmpty()) batch(names);
    if (done) done();
    return;
  }
  FBatch = std::move(batch);
  FDone = std::move(done);
  FFolder = folder;
  StartJob(folder, mask);
}

void TFolderLister::StartJob(const QString& folder, const TNameMask& mask) {
  const unsigned order = ++FOrder;
  const qsizetype size = std::max(1, BatchSize);
  FJob = std::make_unique<TBackgroundJob>(this);
  TBackgroundJob* job = FJob.get();
  FJob->Start([job, order, folder, mask, size] {
    const QStringList names = ListFolderNames(folder, mask, &job->StopFlag());
    for (qsizetype at = 0; at < names.size() && !job->StopRequested(); at += size)
      job->Post(std::make_unique<TBatchEvent>(order, names.mid(at, size), false));
    job->Post(std::make_unique<TBatchEvent>(order, QStringList(), true));
  });
}

void TFolderLister::Cancel() {
  ++FOrder;
  if (FJob) FJob->Stop();
  FJob.reset();
  FDeliver.stop();
  FQueue.clear();
  FDoneQueued = false;
  FBatch = nullptr;
  FDone = nullptr;
  FFolder.clear();
}

bool TFolderLister::event(QEvent* event) {
  if (event->type() != TBatchEvent::kType) return QObject::event(event);
  TBackgroundJob::AcceptPosted();
  auto* batch = static_cast<TBatchEvent*>(event);
  if (batch->Order != FOrder) return true;  // cancelled since
  // Taking a batch in is cheap; handing it over waits for the next turn of the loop, so that
  // batches posted faster than they are shown never pile up into one long stop.
  if (batch->Last) {
    FDoneQueued = true;
    if (FJob) FJob->Wait();
    FJob.reset();
  } else {
    FQueue.push_back(std::move(batch->Names));
  }
  if (!FDeliver.isActive()) FDeliver.start();
  return true;
}

void TFolderLister::Deliver() {
  if (!FQueue.empty()) {
    const QStringList names = std::move(FQueue.front());
    FQueue.pop_front();
    const unsigned order = FOrder;
    if (FBatch) FBatch(names);
    if (order != FOrder) return;  // the callback started another listing
    if (!FQueue.empty()) return;
  }
  if (!FDoneQueued) {
    FDeliver.stop();
    return;
  }
  FDeliver.stop();
  FDoneQueued = false;
  TDone done = std::move(FDone);
  FBatch = nullptr;
  FDone = nullptr;
  FFolder.clear();
  if (done) done();
}
