// TThumbListModel: the items of the explorer's list `LV2`: one row per file with its name,
// size, type and modification texts, and the thumbnail built for it, kept by file name so
// that sorting or a late result never attaches a thumbnail to the wrong file.
#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QPixmap>
#include <vector>

#include "thumbs/core/ThumbEntries.h"

class TThumbListModel : public QAbstractTableModel {
 public:
  explicit TThumbListModel(QObject* parent = nullptr);

  // Replaces the items (thumbnails are discarded); the folder ends with a separator.
  void Fill(const QString& folder, std::vector<TThumbEntry> entries);
  QString Folder() const { return FFolder; }
  const TThumbEntry& Entry(int row) const { return FEntries[static_cast<std::size_t>(row)]; }
  QString NameOf(int row) const;
  QString PathOf(int row) const { return FFolder + NameOf(row); }
  int RowOf(const QString& name) const;
  // Sorts by the column with stored values; selections follow their files.
  void SortBy(int column, bool ascending);

  // Thumbnails, kept by file name.
  // Without `notify` the views learn of it with the next NotifyThumbnails (batched repaints).
  void SetThumbnail(const QString& name, const QPixmap& thumbnail, bool notify = true);
  void NotifyThumbnails();
  void ClearThumbnails();
  bool HasThumbnail(const QString& name) const { return FThumbs.contains(name); }
  int ThumbnailCount() const { return static_cast<int>(FThumbs.size()); }
  // Decorations are shown in the Thumbnails view only.
  void SetShowThumbnails(bool show);

  static QString ModifiedText(std::int64_t nanoseconds);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QModelIndexList& indexes) const override;

 private:
  QString FFolder;
  std::vector<TThumbEntry> FEntries;
  QHash<QString, QPixmap> FThumbs;
  bool FShowThumbs = false;
};
