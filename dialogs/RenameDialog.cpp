#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/FileDialogs.h"
#include "files/FileOps.h"
#include "platform/Messages.h"

TfRename::TfRename() : lOldName(new QLabel), Edit1(new QLineEdit) {
  setObjectName("TfRename");
  setWindowTitle("Rename File");
  lOldName->setObjectName("lOldName");
  Edit1->setObjectName("Edit1");
  Edit1->setMinimumWidth(280);
  auto* form = new QFormLayout;
  form->addRow("Old Name: ", lOldName);
  form->addRow("New Name:", Edit1);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

bool TfRename::Run(QWidget* parent, const QString& folder, const QString& oldName) {
  lOldName->setText(oldName);
  Edit1->setText(oldName);
  Edit1->selectAll();
  Edit1->setFocus();
  if (exec() != QDialog::Accepted) return false;
  const QString newName = Edit1->text();
  if (newName == oldName) return false;
  std::string reason;
  if (!RenameEntry(folder.toStdString(), oldName.toStdString(), newName.toStdString(), &reason)) {
    ShowError(this, "Error changing name");
    return false;
  }
  return true;
}
