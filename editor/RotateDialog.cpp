#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "editor/EditDialogs.h"
#include "editor/KeyFilter.h"

TfRotate::TfRotate(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Rotate");
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint);
  auto* grid = new QGridLayout(this);
  eAngle = new QLineEdit("0");
  eAngle->setObjectName("eAngle");
  new TKeyFilter(eAngle, IsDigitKey);
  auto* label = new QLabel("&Angle:");
  label->setBuddy(eAngle);
  rbClockwise = new QRadioButton("Clockwise");
  rbCounterClockwise = new QRadioButton("Counter Clockwise");
  rbClockwise->setChecked(true);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  OkButton = buttons->button(QDialogButtonBox::Ok);
  grid->addWidget(label, 0, 0);
  grid->addWidget(eAngle, 0, 1);
  grid->addWidget(new QLabel(QString::fromUtf8("\u00b0")), 0, 2);
  grid->addWidget(rbClockwise, 1, 0, 1, 3);
  grid->addWidget(rbCounterClockwise, 2, 0, 1, 3);
  grid->addWidget(buttons, 3, 0, 1, 3);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(eAngle, &QLineEdit::textChanged, this, [this] { Changed(); });
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

std::optional<int> TfRotate::ClockwiseDegrees() const {
  return ClockwiseAngle(eAngle->text().toStdString(), rbClockwise->isChecked());
}

void TfRotate::Changed() { OkButton->setEnabled(ClockwiseDegrees().has_value()); }
