#include <QCheckBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "editor/EditDialogs.h"
#include "editor/KeyFilter.h"

TfrmResize::TfrmResize(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Resize");
  // A title but no title-bar buttons.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
  auto* column = new QVBoxLayout(this);
  auto* old = new QGroupBox("Original Size");
  auto* oldGrid = new QGridLayout(old);
  lOldWidth = new QLabel;
  lOldHeight = new QLabel;
  oldGrid->addWidget(new QLabel("Width:"), 0, 0);
  oldGrid->addWidget(lOldWidth, 0, 1);
  oldGrid->addWidget(new QLabel("Height:"), 1, 0);
  oldGrid->addWidget(lOldHeight, 1, 1);
  auto* fresh = new QGroupBox("New Size");
  auto* newGrid = new QGridLayout(fresh);
  eNewWidth = new QLineEdit;
  eNewWidth->setObjectName("eNewWidth");
  eNewHeight = new QLineEdit;
  eNewHeight->setObjectName("eNewHeight");
  for (QLineEdit* e : {eNewWidth, eNewHeight}) {
    new TKeyFilter(e, IsSizeEditKey);
    e->installEventFilter(this);  // focus out
    connect(e, &QLineEdit::textEdited, this, [this, e](const QString& t) {
      (e == eNewWidth ? FValues.SetWidthText(t.toStdString())
                      : FValues.SetHeightText(t.toStdString()));
      OkButton->setEnabled(FValues.OkEnabled());
    });
  }
  auto* wLabel = new QLabel("&Width:");
  wLabel->setBuddy(eNewWidth);
  auto* hLabel = new QLabel("&Height:");
  hLabel->setBuddy(eNewHeight);
  newGrid->addWidget(wLabel, 0, 0);
  newGrid->addWidget(eNewWidth, 0, 1);
  newGrid->addWidget(hLabel, 1, 0);
  newGrid->addWidget(eNewHeight, 1, 1);
  cbConstrain = new QCheckBox("Constrain Proportions");
  cbConstrain->setChecked(true);
  connect(cbConstrain, &QCheckBox::toggled, this, [this](bool on) { FValues.Constrain = on; });
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  OkButton = buttons->button(QDialogButtonBox::Ok);
  column->addWidget(old);
  column->addWidget(fresh);
  column->addWidget(cbConstrain);
  column->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

void TfrmResize::SetPictureSize(int width, int height) {
  FValues.Reset(width, height);
  lOldWidth->setText(QString::number(width));
  lOldHeight->setText(QString::number(height));
  ShowValues();
}

bool TfrmResize::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut && (watched == eNewWidth || watched == eNewHeight))
    EditLeft(static_cast<QLineEdit*>(watched));
  return QDialog::eventFilter(watched, event);
}

void TfrmResize::EditLeft(QLineEdit* edit) {
  if (edit == eNewWidth)
    FValues.WidthLeft();
  else
    FValues.HeightLeft();
  ShowValues();
}

void TfrmResize::accept() {
  // Enter presses OK without leaving the edit: the proportion follows all the same.
  if (QWidget* focused = focusWidget(); focused == eNewWidth || focused == eNewHeight)
    EditLeft(static_cast<QLineEdit*>(focused));
  if (!FValues.OkEnabled()) return;
  QDialog::accept();
}

void TfrmResize::ShowValues() {
  eNewWidth->setText(QString::fromStdString(FValues.WidthText()));
  eNewHeight->setText(QString::fromStdString(FValues.HeightText()));
  OkButton->setEnabled(FValues.OkEnabled());
}
