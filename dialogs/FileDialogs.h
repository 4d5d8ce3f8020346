// The dialogs of the file commands. Each is created once and reused; each call fills it,
// shows it modally and does the one file operation it stands for through the file routines.
#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;

// "Rename File": the old name and an edit for the new one.
class TfRename : public QDialog {
 public:
  TfRename();
  // Shows the dialog for `oldName`; on OK renames folder/oldName to the edit's text without
  // replacing anything. Failures show "Error changing name". True when a rename happened.
  bool Run(QWidget* parent, const QString& folder, const QString& oldName);
  QLabel* OldName() const { return lOldName; }
  QLineEdit* NewName() const { return Edit1; }

 private:
  QLabel* lOldName;
  QLineEdit* Edit1;
};

// "File attributes": name, folder and last change of a file with its four attributes;
// read-only (the owner's write permission) can be changed, hidden (a leading dot) is shown,
// archive and system have no meaning here and are shown disabled.
class TFileAttrForm : public QDialog {
 public:
  TFileAttrForm();
  enum class TResult { Cancelled, Unchanged, Written, Failed };
  TResult Run(QWidget* parent, const QString& folder, const QString& name);
  QCheckBox* ReadOnlyBox() const { return FBoxes[0]; }
  QCheckBox* ArchiveBox() const { return FBoxes[1]; }
  QCheckBox* SystemBox() const { return FBoxes[2]; }
  QCheckBox* HiddenBox() const { return FBoxes[3]; }
  QLabel* ChangeDate() const { return FChangeDate; }

 private:
  QLabel* FFileDirName;
  QLabel* FFilePathName;
  QLabel* FChangeDate;
  QCheckBox* FBoxes[4];
};

// "Add New Folder": the current folder and an edit for the new folder's name.
class TfDirAdd : public QDialog {
 public:
  TfDirAdd();
  // On OK creates the folder (warning "Cannot create directory" on failure); returns the new
  // folder's path, "" when cancelled or failed.
  QString Run(QWidget* parent, const QString& folder);
  QLineEdit* NewFolder() const { return FNewFolder; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QLabel* FFolder;
  QLineEdit* FNewFolder;
};
