// The file list of the browser: the regular files of one folder matching a mask, in name
// order, with a selection set and a current position.
#pragma once

#include <QString>
#include <QStringList>
#include <vector>

class TFileListModel {
 public:
  // Patterns separated by ";" ("*.jpg;*.gif"); extensions match without regard to case.
  // An empty mask lists nothing. Re-reads the folder.
  void SetMask(const QString& mask);
  QString Mask() const { return FMask; }
  // Re-reads: the position becomes entry 0 and nothing is selected.
  void SetFolder(const QString& folder);
  QString Folder() const { return FFolder; }
  void Reread();

  int Count() const { return static_cast<int>(FNames.size()); }
  const QStringList& Names() const { return FNames; }
  QString PathOf(int index) const;
  // -1 when the list is empty.
  int Position() const { return FPosition; }
  void SetPosition(int index);
  bool IsSelected(int index) const;
  void SetSelected(int index, bool on);
  void ClearSelection();
  bool AnySelected() const;
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

  QString FFolder;
  QString FMask;
  QStringList FPatterns;
  QStringList FNames;
  std::vector<bool> FSelected;
  int FPosition = -1;
};
