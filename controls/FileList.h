// TFileListModel: the files of one folder that match a mask, in name order, with a selection
// set and a current position. The selection and the position live in the model's own
// selection model, which every list view of the model shares: what a view shows is the
// model's state, never a copy of it.
#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QString>
#include <QStringList>

#include "controls/FolderListing.h"

class QItemSelectionModel;

class TFileListModel : public QAbstractListModel {
 public:
  explicit TFileListModel(QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

  // The selection and the current position; give it to the view (QAbstractItemView::
  // setSelectionModel) so that the view shows and edits exactly this state.
  QItemSelectionModel* Selection() const { return FSelection; }

  // Patterns separated by ";" ("*.jpg;*.gif"); extensions match without regard to case.
  // An empty mask lists nothing. Re-reads the folder.
  void SetMask(const QString& mask);
  // As SetMask, leaving the list as it is (the caller lists the folder again).
  void ChangeMask(const QString& mask);
  QString Mask() const { return FMask; }
  // Re-reads: the position becomes entry 0 and nothing is selected.
  void SetFolder(const QString& folder);
  QString Folder() const { return FFolder; }
  void Reread();
  // For a folder listed elsewhere (TFolderLister): the folder becomes `folder`, the list
  // `names` (already in list order, matched with NameMask()), as Reread would leave it.
  void SetFolderListed(const QString& folder, QStringList names);
  const TNameMask& NameMask() const { return FNameMask; }
  // An incremental listing: the folder becomes `folder` with an empty list, and the names
  // arrive in runs that follow each other in list order. The position rests on entry 0 once
  // there is one; the rows already there keep their selection.
  void BeginListing(const QString& folder);
  void AppendListed(const QStringList& names);

  int Count() const { return static_cast<int>(FNames.size()); }
  const QStringList& Names() const { return FNames; }
  // Folder + "/" + name; empty for an index outside the list.
  QString PathOf(int index) const;
  // -1 exactly when the list is empty.
  int Position() const;
  void SetPosition(int index);
  bool IsSelected(int index) const;
  void SetSelected(int index, bool on);
  void ClearSelection();
  bool AnySelected() const;
  // The selected entries in list order.
  QList<int> SelectedRows() const;
  // Selects an entry and makes it current (as the program does).
  void MakeCurrent(int index);
  // The entry at the position when it is selected, else -1.
  int CurrentIndex() const;
  QString CurrentFile() const;
  // Exact name first; without an exact match, ignoring case. -1 when absent.
  int Find(const QString& name) const;

  // Slideshow steps: deselect the current entry, select the next (or previous) with
  // wrap-around and make it current. False for an empty list.
  bool StepNext();
  bool StepPrevious();

 private:
  bool Matches(const QString& name) const;

  QItemSelectionModel* FSelection;
  QString FFolder;
  QString FMask;
  QStringList FPatterns;
  TNameMask FNameMask;
  QStringList FNames;
};
