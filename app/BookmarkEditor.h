// TfBMEdit: reorders and deletes bookmarks.
#pragma once

#include <QDialog>
#include <QStringList>

class QListWidget;

class TfBMEdit : public QDialog {
 public:
  explicit TfBMEdit(QWidget* parent = nullptr);
  void SetEntries(const QStringList& entries);
  QStringList Entries() const;
  QListWidget* List() const { return FList; }
  void Up();
  void Down();
  void Delete();

 private:
  QListWidget* FList;
};
