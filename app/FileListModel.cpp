#include "app/FileListModel.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>

void TFileListModel::SetMask(const QString& mask) {
  FMask = mask;
  FPatterns.clear();
  for (const QString& p : mask.split(';', Qt::SkipEmptyParts)) FPatterns << p.trimmed();
  Reread();
}

void TFileListModel::SetFolder(const QString& folder) {
  FFolder = folder;
  Reread();
}

bool TFileListModel::Matches(const QString& name) const {
  for (const QString& p : FPatterns) {
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p),
                                QRegularExpression::CaseInsensitiveOption);
    if (re.match(name).hasMatch()) return true;
  }
  return false;
}

void TFileListModel::Reread() {
  FNames.clear();
  if (!FFolder.isEmpty() && !FPatterns.isEmpty()) {
    const QDir dir(FFolder);
    const QFileInfoList entries =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                          QDir::NoSort);
    for (const QFileInfo& info : entries)
      if (info.isFile() && Matches(info.fileName())) FNames << info.fileName();
    std::sort(FNames.begin(), FNames.end(), [](const QString& a, const QString& b) {
      const int c = QString::compare(a, b, Qt::CaseInsensitive);
      return c != 0 ? c < 0 : a < b;
    });
  }
  FSelected.assign(static_cast<std::size_t>(FNames.size()), false);
  FPosition = FNames.isEmpty() ? -1 : 0;
}

QString TFileListModel::PathOf(int index) const {
  if (index < 0 || index >= Count()) return {};
  QString folder = FFolder;
  if (!folder.endsWith('/')) folder += '/';
  return folder + FNames[index];
}

void TFileListModel::SetPosition(int index) {
  if (index >= 0 && index < Count()) FPosition = index;
}

bool TFileListModel::IsSelected(int index) const {
  return index >= 0 && index < Count() && FSelected[static_cast<std::size_t>(index)];
}

void TFileListModel::SetSelected(int index, bool on) {
  if (index >= 0 && index < Count()) FSelected[static_cast<std::size_t>(index)] = on;
}

void TFileListModel::ClearSelection() { std::fill(FSelected.begin(), FSelected.end(), false); }

bool TFileListModel::AnySelected() const {
  return std::find(FSelected.begin(), FSelected.end(), true) != FSelected.end();
}

void TFileListModel::MakeCurrent(int index) {
  if (index < 0 || index >= Count()) return;
  SetSelected(index, true);
  FPosition = index;
}

int TFileListModel::CurrentIndex() const {
  return IsSelected(FPosition) ? FPosition : -1;
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
  SetSelected(FPosition, false);
  MakeCurrent(FPosition < Count() - 1 ? FPosition + 1 : 0);
  return true;
}

bool TFileListModel::StepPrevious() {
  if (Count() == 0) return false;
  SetSelected(FPosition, false);
  MakeCurrent(FPosition > 0 ? FPosition - 1 : Count() - 1);
  return true;
}
