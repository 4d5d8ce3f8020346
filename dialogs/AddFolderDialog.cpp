#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/FileDialogs.h"
#include "files/FileOps.h"
#include "platform/Messages.h"

TfDirAdd::TfDirAdd() : FFolder(new QLabel), FNewFolder(new QLineEdit) {
  setObjectName("TfDirAdd");
  setWindowTitle("Add New Folder");
  FNewFolder->setObjectName("NewFolder");
  FNewFolder->setMinimumWidth(280);
  auto* form = new QFormLayout;
  form->addRow("Current Directory : ", FFolder);
  form->addRow("New Folder : ", FNewFolder);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(buttons);
}

void TfDirAdd::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FNewFolder->setFocus();
}

QString TfDirAdd::Run(QWidget* parent, const QString& folder) {
  FFolder->setText(folder);
  FNewFolder->clear();
  if (exec() != QDialog::Accepted) return {};
  std::string reason;
  const std::string made =
      AddFolder(folder.toStdString(), FNewFolder->text().toStdString(), &reason);
  if (made.empty()) {
    ShowWarning(this, "Cannot create directory");
    return {};
  }
  return QString::fromStdString(made);
}
