// Listing a folder's files that match a mask, in list order (name order ignoring case), on the
// calling thread or on a background job so that a folder of 100,000 files never holds up the
// window: the names arrive in one event once read and sorted.
#pragma once

#include <QList>
#include <QObject>
#include <QRegularExpression>
#include <QStringList>
#include <atomic>
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
  TFolderLister();
  ~TFolderLister() override;
  // Lists on a background job; `listed` is called on this object's thread. A listing still
  // running is cancelled.
  void Start(const QString& folder, const TNameMask& mask, TListed listed);
  // Stops the listing; its result never arrives.
  void Cancel();
  bool Busy() const { return FJob != nullptr; }
  QString Folder() const { return FFolder; }

 protected:
  bool event(QEvent* event) override;

 private:
  std::unique_ptr<TBackgroundJob> FJob;
  TListed FListed;
  QString FFolder;
  unsigned FOrder = 0;
};
