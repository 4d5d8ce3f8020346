#include "print/GoPageForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

TGoPageForm::TGoPageForm(int pageCount, int currentNumber, QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Go to Page Number"));
  setObjectName(QStringLiteral("GoPageForm"));
  auto* layout = new QFormLayout(this);
  FNumber = new QSpinBox(this);
  FNumber->setObjectName(QStringLiteral("PageNumber"));
  FNumber->setRange(1, std::max(1, pageCount));
  FNumber->setValue(currentNumber);
  FNumber->setSuffix(QStringLiteral(" of %1").arg(pageCount));
  FNumber->selectAll();
  layout->addRow(QStringLiteral("&Page number:"), FNumber);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  layout->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  setFixedSize(sizeHint());
}

int TGoPageForm::PageNumber() const { return FNumber->value(); }
