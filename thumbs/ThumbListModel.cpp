#include "thumbs/ThumbListModel.h"

#include <QDateTime>
#include <QLocale>
#include <QMimeData>
#include <QUrl>
#include <algorithm>
#include <numeric>

TThumbListModel::TThumbListModel(QObject* parent) : QAbstractTableModel(parent) {}

void TThumbListModel::Fill(const QString& folder, std::vector<TThumbEntry> entries) {
  beginResetModel();
  FFolder = folder;
  FEntries = std::move(entries);
  FThumbs.clear();
  endResetModel();
}

QString TThumbListModel::NameOf(int row) const {
  return QString::fromStdString(Entry(row).Name);
}

int TThumbListModel::RowOf(const QString& name) const {
  const std::string key = name.toStdString();
  for (std::size_t i = 0; i < FEntries.size(); ++i)
    if (FEntries[i].Name == key) return static_cast<int>(i);
  return -1;
}

void TThumbListModel::SortBy(int column, bool ascending) {
  emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
  std::vector<int> order(FEntries.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    const int c = CompareThumbEntries(FEntries[a], FEntries[b], column);
    return ascending ? c < 0 : c > 0;
  });
  std::vector<TThumbEntry> sorted;
  std::vector<int> newRowOf(FEntries.size());
  for (std::size_t i = 0; i < order.size(); ++i) {
    sorted.push_back(std::move(FEntries[order[i]]));
    newRowOf[order[i]] = static_cast<int>(i);
  }
  FEntries = std::move(sorted);
  const QModelIndexList before = persistentIndexList();
  QModelIndexList after;
  for (const QModelIndex& i : before) after << index(newRowOf[i.row()], i.column());
  changePersistentIndexList(before, after);
  emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void TThumbListModel::SetThumbnail(const QString& name, const QPixmap& thumbnail, bool notify) {
  FThumbs.insert(name, thumbnail);
  if (!notify) return;
  const int row = RowOf(name);
  if (row >= 0) emit dataChanged(index(row, 0), index(row, 0), {Qt::DecorationRole});
}

void TThumbListModel::ClearThumbnails() {
  FThumbs.clear();
  if (!FEntries.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

void TThumbListModel::NotifyThumbnails() {
  if (!FEntries.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::DecorationRole});
}

void TThumbListModel::SetShowThumbnails(bool show) {
  if (FShowThumbs == show) return;
  FShowThumbs = show;
  if (!FEntries.empty()) emit dataChanged(index(0, 0), index(rowCount() - 1, 0));
}

QString TThumbListModel::ModifiedText(std::int64_t nanoseconds) {
  const QDateTime t = QDateTime::fromMSecsSinceEpoch(nanoseconds / 1000000);
  return QLocale().toString(t.date(), QLocale::ShortFormat) + t.time().toString(" h:mm AP");
}

int TThumbListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(FEntries.size());
}

int TThumbListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 4;
}

QVariant TThumbListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  const TThumbEntry& e = Entry(index.row());
  if (role == Qt::DisplayRole) {
    switch (index.column()) {
      case tcName: return QString::fromStdString(e.Name);
      case tcSize: return QString::fromStdString(e.SizeText());
      case tcType: return QString::fromStdString(e.TypeText());
      default: return ModifiedText(e.Modified);
    }
  }
  if (role == Qt::TextAlignmentRole && index.column() == tcSize)
    return QVariant(Qt::AlignRight | Qt::AlignVCenter);
  if (role == Qt::DecorationRole && index.column() == tcName && FShowThumbs) {
    const auto found = FThumbs.constFind(QString::fromStdString(e.Name));
    if (found != FThumbs.constEnd()) return *found;
  }
  if (role == Qt::ToolTipRole) return PathOf(index.row());
  return {};
}

QVariant TThumbListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole) return {};
  static const char* const captions[] = {"Name", "Size", "Type", "Modified"};
  return section >= 0 && section < 4 ? QString(captions[section]) : QVariant();
}

Qt::ItemFlags TThumbListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled |
         Qt::ItemNeverHasChildren;
}

QStringList TThumbListModel::mimeTypes() const { return {"text/uri-list"}; }

// The selected files as file URLs, in list order.
QMimeData* TThumbListModel::mimeData(const QModelIndexList& indexes) const {
  std::vector<int> rows;
  for (const QModelIndex& i : indexes)
    if (i.isValid()) rows.push_back(i.row());
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  QList<QUrl> urls;
  for (int r : rows) urls << QUrl::fromLocalFile(PathOf(r));
  auto* data = new QMimeData;
  data->setUrls(urls);
  return data;
}
