#include "app/PrefsDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/ViewingPrefsPage.h"
#include "app/ShellCommands.h"
#include "platform/Settings.h"

namespace {

std::string ReadStored(const std::string& name, const std::string& fallback) {
  return ReadSetting(QString::fromStdString(name), QString::fromStdString(fallback)).toStdString();
}

void WriteStored(const std::string& name, const std::string& value) {
  WriteSetting(QString::fromStdString(name), QString::fromStdString(value));
}

}  // namespace

TfPrefs::TfPrefs() : FTabs(new QTabWidget) {
  setObjectName("TfPrefs");
  setWindowTitle("Preferences");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  FTabs->addTab(BuildEditorsTab(), "Editors");
  FTabs->addTab(BuildDeletionsTab(), "Deletions");
  FViewing = new TViewingPrefsPage;
  FTabs->addTab(FViewing, "Viewing");
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(FTabs);
  layout->addWidget(buttons);
}

QWidget* TfPrefs::BuildEditorsTab() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  const auto& names = FileTypeNames();
  for (int i = 0; i < kFileTypeCount; ++i) {
    const QString type = QString::fromLatin1(names[i].data(), names[i].size());
    FTypes[i] = new QCheckBox(type);
    FTypes[i]->setToolTip("List files of this type");
    FEditors[i] = new QLineEdit;
    FEditors[i]->setMinimumWidth(260);
    FEditors[i]->setPlaceholderText("External editor program");
    // Ten rows look alike to a screen reader: each edit and button names its type.
    FEditors[i]->setAccessibleName(type + " editor program");
    FLocate[i] = new QPushButton("Locate");
    FLocate[i]->setAccessibleName("Locate the " + type + " editor");
    connect(FLocate[i], &QPushButton::clicked, this, [this, i] { Locate(i); });
    grid->addWidget(FTypes[i], i, 0);
    grid->addWidget(FEditors[i], i, 1);
    grid->addWidget(FLocate[i], i, 2);
  }
  FAssociate = new QPushButton("Associate");
  FAssociate->setObjectName("Associate");
  FAssociate->setToolTip("Open the ticked file types with Lumivex from the desktop");
  connect(FAssociate, &QPushButton::clicked, this, [this] { AssociateTypes(this, Current().FileTypes); });
  grid->addWidget(FAssociate, kFileTypeCount, 0, 1, 3, Qt::AlignLeft);
  return page;
}

QWidget* TfPrefs::BuildDeletionsTab() {
  auto* page = new QWidget;
  auto* layout = new QVBoxLayout(page);
  auto* group = new QGroupBox("Deleting a file will");
  auto* choices = new QVBoxLayout(group);
  FRecycle = new QRadioButton("Move it to the ReCycle Bin");
  FPermanent = new QRadioButton("Permanently delete it from your disk (can not be restored)");
  choices->addWidget(FRecycle);
  choices->addWidget(FPermanent);
  FConfirm = new QCheckBox("Confirm Before Deleting Files");
  layout->addWidget(group);
  layout->addWidget(FConfirm);
  layout->addStretch(1);
  return page;
}

void TfPrefs::showEvent(QShowEvent* event) {
  Load();
  QDialog::showEvent(event);
}

void TfPrefs::Load() {
  const TPreferences p = TPreferences::Read(ReadStored);
  for (int i = 0; i < kFileTypeCount; ++i) {
    FTypes[i]->setChecked(p.FileTypes[i]);
    FEditors[i]->setText(QString::fromStdString(p.Editors[i]));
  }
  (p.DeletePermanently ? FPermanent : FRecycle)->setChecked(true);
  FConfirm->setChecked(p.ConfirmDeletions);
  FViewing->Load();
}

TPreferences TfPrefs::Current() const {
  TPreferences p;
  for (int i = 0; i < kFileTypeCount; ++i) {
    p.FileTypes[i] = FTypes[i]->isChecked();
    p.Editors[i] = FEditors[i]->text().toStdString();
  }
  p.DeletePermanently = FPermanent->isChecked();
  p.ConfirmDeletions = FConfirm->isChecked();
  return p;
}

void TfPrefs::accept() {
  Current().Write(WriteStored);
  FViewing->Save();
  QDialog::accept();
}

void TfPrefs::Locate(int type) {
  const QString chosen = QFileDialog::getOpenFileName(this, "Locate", FEditors[type]->text());
  if (!chosen.isEmpty()) FEditors[type]->setText(chosen);
}
