#include "controls/FolderListing.h"

#include <QDirIterator>
#include <QEvent>
#include <algorithm>
#include <vector>

#include "platform/BackgroundJob.h"

namespace {

class TListedEvent : public QEvent {
 public:
  static const QEvent::Type kType;
  TListedEvent(unsigned order, QString folder, QStringList names)
      : QEvent(kType), Order(order), Folder(std::move(folder)), Names(std::move(names)) {}
  unsigned Order;
  QString Folder;
  QStringList Names;
};

const QEvent::Type TListedEvent::kType = static_cast<QEvent::Type>(QEvent::registerEventType());

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

TFolderLister::TFolderLister() = default;

TFolderLister::~TFolderLister() { Cancel(); }

void TFolderLister::Start(const QString& folder, const TNameMask& mask, TListed listed) {
  Cancel();
  FListed = std::move(listed);
  FFolder = folder;
  const unsigned order = ++FOrder;
  FJob = std::make_unique<TBackgroundJob>(this);
  TBackgroundJob* job = FJob.get();
  FJob->Start([job, order, folder, mask] {
    QStringList names = ListFolderNames(folder, mask, &job->StopFlag());
    if (!job->StopRequested())
      job->Post(std::make_unique<TListedEvent>(order, folder, std::move(names)));
  });
}

void TFolderLister::Cancel() {
  ++FOrder;
  if (FJob) FJob->Stop();
  FJob.reset();
  FFolder.clear();
}

bool TFolderLister::event(QEvent* event) {
  if (event->type() != TListedEvent::kType) return QObject::event(event);
  TBackgroundJob::AcceptPosted();
  auto* listed = static_cast<TListedEvent*>(event);
  if (listed->Order != FOrder) return true;  // cancelled since
  if (FJob) FJob->Wait();
  FJob.reset();
  FFolder.clear();
  if (FListed) FListed(listed->Folder, listed->Names);
  return true;
}
