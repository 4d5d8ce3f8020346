#include <QCheckBox>
#include <QDateTime>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

#include "dialogs/FileDialogs.h"
#include "files/FileAttributes.h"
#include "files/FilePaths.h"
#include "platform/Messages.h"

TFileAttrForm::TFileAttrForm()
    : FFileDirName(new QLabel), FFilePathName(new QLabel), FChangeDate(new QLabel) {
  setObjectName("TFileAttrForm");
  setWindowTitle("File attributes");
  FFileDirName->setObjectName("FileDirName");
  FFilePathName->setObjectName("FilePathName");
  FChangeDate->setObjectName("ChangeDate");
  auto* form = new QFormLayout;
  form->addRow("File name : ", FFileDirName);
  form->addRow("Path :", FFilePathName);
  form->addRow("Last change :", FChangeDate);
  auto* group = new QGroupBox("Attributes");
  auto* boxes = new QVBoxLayout(group);
  const char* captions[4] = {"&Read Only", "&Archive", "&System", "&Hidden"};
  for (int i = 0; i < 4; ++i) {
    FBoxes[i] = new QCheckBox(captions[i]);
    boxes->addWidget(FBoxes[i]);
  }
  // Only the owner's write permission means something that can be changed here.
  for (int i = 1; i < 4; ++i) FBoxes[i]->setEnabled(false);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(group);
  layout->addWidget(buttons);
}

TFileAttrForm::TResult TFileAttrForm::Run(QWidget* parent, const QString& folder,
                                          const QString& name) {
  const std::string path = JoinPath(folder.toStdString(), name.toStdString());
  TFileAttributeInfo info;
  if (!ReadFileAttributes(path, info)) {
    ShowError(parent, "Cannot read the attributes of " + QString::fromStdString(path));
    return TResult::Failed;
  }
  FFileDirName->setText(name);
  FFilePathName->setText(folder);
  const QDateTime changed = QDateTime::fromSecsSinceEpoch(info.LastChange);
  const QLocale locale;
  FChangeDate->setText(locale.toString(changed.date(), QLocale::ShortFormat) + ' ' +
                       locale.toString(changed.time(), QLocale::LongFormat));
  const TFileAttributes& a = info.Attributes;
  FBoxes[0]->setChecked(a.ReadOnly);
  FBoxes[1]->setChecked(a.Archive);
  FBoxes[2]->setChecked(a.System);
  FBoxes[3]->setChecked(a.Hidden);
  if (exec() != QDialog::Accepted) return TResult::Cancelled;
  TFileAttributes wanted = a;
  wanted.ReadOnly = FBoxes[0]->isChecked();
  std::string reason;
  switch (WriteFileAttributes(path, a, wanted, &reason)) {
    case TAttributeWrite::Unchanged: return TResult::Unchanged;
    case TAttributeWrite::Written: return TResult::Written;
    case TAttributeWrite::Failed: break;
  }
  ShowError(parent, "Cannot change the attributes of " + QString::fromStdString(path) + ": " +
                        QString::fromStdString(reason));
  return TResult::Failed;
}
