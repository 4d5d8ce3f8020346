#include <QColorDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/EditDialogs.h"
#include "editor/KeyFilter.h"

TfrmBorder::TfrmBorder(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Border Options");
  auto* grid = new QGridLayout(this);
  auto* shape = new QGroupBox(" Shape ");
  auto* shapes = new QVBoxLayout(shape);
  rbRectangle = new QRadioButton("Rectangle");
  rbEllipse = new QRadioButton("Ellipse");
  rbRectangle->setChecked(true);
  shapes->addWidget(rbRectangle);
  shapes->addWidget(rbEllipse);
  eWidth = new QLineEdit("20");
  eWidth->setObjectName("eWidth");
  new TKeyFilter(eWidth, IsDigitKey);
  auto* widthLabel = new QLabel("&Width (pixels)");
  widthLabel->setBuddy(eWidth);
  pColor = new QPushButton;
  pColor->setObjectName("pColor");
  pColor->setFixedSize(48, 24);
  pColor->setToolTip("Click to choose the border colour");
  auto* colorLabel = new QLabel("&Color");
  colorLabel->setBuddy(pColor);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  OkButton = buttons->button(QDialogButtonBox::Ok);
  grid->addWidget(shape, 0, 0, 1, 2);
  grid->addWidget(widthLabel, 1, 0);
  grid->addWidget(eWidth, 1, 1);
  grid->addWidget(colorLabel, 2, 0);
  grid->addWidget(pColor, 2, 1, Qt::AlignLeft);
  grid->addWidget(buttons, 3, 0, 1, 2);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(pColor, &QPushButton::clicked, this, [this] { ChooseColor(); });
  connect(eWidth, &QLineEdit::textChanged, this, [this] { Changed(); });
  SetColor(Qt::white);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

bool TfrmBorder::Elliptic() const { return rbEllipse->isChecked(); }

std::optional<int> TfrmBorder::BorderWidthPixels() const {
  return BorderWidth(eWidth->text().toStdString());
}

void TfrmBorder::SetColor(const QColor& color) {
  FColor = color;
  pColor->setStyleSheet(QString("background-color: %1; border: 1px solid gray;").arg(color.name()));
}

void TfrmBorder::ChooseColor() {
  const QColor chosen = QColorDialog::getColor(FColor, this, "Color");
  if (chosen.isValid()) SetColor(chosen);
}

void TfrmBorder::Changed() { OkButton->setEnabled(BorderWidthPixels().has_value()); }
