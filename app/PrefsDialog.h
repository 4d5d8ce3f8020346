// TfPrefs: the user's preferences — which picture types the lists show, an external editor
// per type, and how files are deleted. Showing reloads the stored values; OK writes them.
#pragma once

#include <QDialog>

#include "files/Preferences.h"

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TViewingPrefsPage;

class TfPrefs : public QDialog {
 public:
  TfPrefs();
  // What the dialog shows now.
  TPreferences Current() const;
  QCheckBox* TypeBox(int type) const { return FTypes[type]; }
  QLineEdit* EditorEdit(int type) const { return FEditors[type]; }
  QPushButton* LocateButton(int type) const { return FLocate[type]; }
  QRadioButton* RecycleChoice() const { return FRecycle; }
  QRadioButton* PermanentChoice() const { return FPermanent; }
  QCheckBox* ConfirmBox() const { return FConfirm; }
  QTabWidget* Tabs() const { return FTabs; }
  TViewingPrefsPage* ViewingPage() const { return FViewing; }
  QPushButton* AssociateButton() const { return FAssociate; }
  // OK: writes the values shown.
  void accept() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  QWidget* BuildEditorsTab();
  QWidget* BuildDeletionsTab();
  void Load();
  void Locate(int type);

  QTabWidget* FTabs;
  QCheckBox* FTypes[kFileTypeCount] = {};
  QLineEdit* FEditors[kFileTypeCount] = {};
  QPushButton* FLocate[kFileTypeCount] = {};
  QRadioButton* FRecycle = nullptr;
  QRadioButton* FPermanent = nullptr;
  QCheckBox* FConfirm = nullptr;
  TViewingPrefsPage* FViewing = nullptr;
  QPushButton* FAssociate = nullptr;
};
