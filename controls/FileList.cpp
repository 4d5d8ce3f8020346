#include "controls/FileList.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

TFileListModel::TFileListModel(QObject* parent)
    : QAbstractListModel(parent), FSelection(new QItemSelectionModel(this, this)) {}

int TFileListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : Count();
}

QVariant TFileListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= Count()) return {};
  if (role == Qt::DisplayRole || role == Qt::ToolTipRole) return FNames[index.row()];
  return {};
}

void TFileListModel::SetMask(const QString& mask) {
  ChangeMask(mask);
  Reread();
}

void TFileListModel::ChangeMask(const QString& mask) {
  FMask = mask;
  FPatterns.clear();
  for (const QString& p : mask.split(';', Qt::SkipEmptyParts)) FPatterns << p.trimmed();
  FNameMask = TNameMask::Parse(mask);
}

void TFileListModel::SetFolder(const QString& folder) {
  FFolder = folder;
  Reread();
}

bool TFileListModel::Matches(const QString& name) const { return FNameMask.Matches(name); }

void TFileListModel::Reread() {
  SetFolderListed(FFolder, FPatterns.isEmpty() ? QStringList() : ListFolderNames(FFolder, FNameMask));
}

void TFileListModel::SetFolderListed(const QString& folder, QStringList names) {
  FFolder = folder;
  // The reset clears the selection and the position; the position then rests on entry 0.
  beginResetModel();
  FNames = std::move(names);
  endResetModel();
  if (!FNames.isEmpty()) FSelection->setCurrentIndex(index(0), QItemSelectionModel::NoUpdate);
}

void TFileListModel::BeginListing(const QString& folder) { SetFolderListed(folder, {}); }

void TFileListModel::AppendListed(const QStringList& names) {
  if (names.isEmpty()) return;
  const int first = Count();
  beginInsertRows(QModelIndex(), first, first + static_cast<int>(names.size()) - 1);
  FNames += names;
  endInsertRows();
  if (first == 0) FSelection->setCurrentIndex(index(0), QItemSelectionModel::NoUpdate);
}

QString TFileListModel::PathOf(int row) const {
  if (row < 0 || row >= Count()) return {};
  QString folder = FFolder;
  if (!folder.endsWith('/')) folder += '/';
  return folder + FNames[row];
}

int TFileListModel::Position() const {
  if (FNames.isEmpty()) return -1;
  const QModelIndex current = FSelection->currentIndex();
  return current.isValid() ? current.row() : 0;
}

void TFileListModel::SetPosition(int row) {
  if (row >= 0 && row < Count()) FSelection->setCurrentIndex(index(row), QItemSelectionModel::NoUpdate);
}

bool TFileListModel::IsSelected(int row) const {
  return row >= 0 && row < Count() && FSelection->isSelected(index(row));
}

void TFileListModel::SetSelected(int row, bool on) {
  if (row >= 0 && row < Count())
    FSelection->select(index(row), on ? QItemSelectionModel::Select : QItemSelectionModel::Deselect);
}

void TFileListModel::ClearSelection() { FSelection->clearSelection(); }

bool TFileListModel::AnySelected() const { return FSelection->hasSelection(); }

QList<int> TFileListModel::SelectedRows() const {
  QList<int> rows;
  for (const QModelIndex& i : FSelection->selectedIndexes()) rows << i.row();
  std::sort(rows.begin(), rows.end());
  return rows;
}

void TFileListModel::MakeCurrent(int row) {
  if (row < 0 || row >= Count()) return;
  FSelection->setCurrentIndex(index(row), QItemSelectionModel::Select);
}

int TFileListModel::CurrentIndex() const {
  const int position = Position();
  return IsSelected(position) ? position : -1;
}

QString TFileListModel::CurrentFile() const { return PathOf(CurrentIndex()); }

int TFileListModel::Find(const QString& name) const {
  const int exact = static_cast<int>(FNames.indexOf(name));
  if (exact >= 0) return exact;
  for (int i = 0; i < Count(); ++i)
    if (FNames[i].compare(name, Qt::CaseInsensitive) == 0) return i;
  return -1;
}

bool TFileListModel::StepNext() {
  if (Count() == 0) return false;
  const int position = Position();
  SetSelected(position, false);
  MakeCurrent(position < Count() - 1 ? position + 1 : 0);
  return true;
}

bool TFileListModel::StepPrevious() {
  if (Count() == 0) return false;
  const int position = Position();
  SetSelected(position, false);
  MakeCurrent(position > 0 ? position - 1 : Count() - 1);
  return true;
}
