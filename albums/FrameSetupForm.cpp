#include "albums/FrameSetupForm.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* NumberBox(QWidget* parent, const char* name, int min, int max, int step) {
  auto* box = new QSpinBox(parent);
  box->setObjectName(QLatin1String(name));
  box->setRange(min, max);
  box->setSingleStep(step);
  box->setAccelerated(true);
  return box;
}

}  // namespace

TfAPrefs::TfAPrefs(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("fAPrefs"));
  setWindowTitle(QStringLiteral("Frame Setup"));
  FRows = NumberBox(this, "Rows", kMinCells, kMaxCells, 1);
  FCols = NumberBox(this, "Cols", kMinCells, kMaxCells, 1);
  FBorder = NumberBox(this, "Border", kMinBorder, kMaxBorder, kBorderStep);
  FBorder->setToolTip(QStringLiteral("Space around each picture inside its cell, in printer dots"));
  FPrintFrames = new QCheckBox(QStringLiteral("Print Frames"), this);
  FPrintFrames->setObjectName(QStringLiteral("cbPrintFrames"));

  auto* grid = new QFormLayout;
  grid->addRow(QStringLiteral("Rows"), FRows);
  grid->addRow(QStringLiteral("Cols"), FCols);
  grid->addRow(QStringLiteral("Frame Border"), FBorder);
  grid->addRow(FPrintFrames);

  auto* captions = new QGroupBox(QStringLiteral("Caption Options"), this);
  captions->setObjectName(QStringLiteral("rgCaption"));
  FCaption = new QButtonGroup(this);
  auto* captionLayout = new QVBoxLayout(captions);
  const char* const names[] = {"None", "Filename", "Caption"};
  for (int i = 0; i < 3; ++i) {
    auto* button = new QRadioButton(QLatin1String(names[i]), captions);
    FCaption->addButton(button, i);
    captionLayout->addWidget(button);
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  auto* top = new QHBoxLayout;
  top->addLayout(grid);
  top->addWidget(captions);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(buttons);
  setFixedSize(sizeHint());
}

void TfAPrefs::Show(const TAlbumSettings& s) {
  FRows->setValue(s.Rows);
  FCols->setValue(s.Cols);
  FBorder->setValue(s.Border);
  FPrintFrames->setChecked(s.PrintFrames);
  FCaption->button(static_cast<int>(s.Caption))->setChecked(true);
}

void TfAPrefs::Store(TAlbumSettings& s) const {
  s.Rows = FRows->value();
  s.Cols = FCols->value();
  s.Border = FBorder->value();
  s.PrintFrames = FPrintFrames->isChecked();
  s.Caption = static_cast<TCaptionOption>(std::max(0, FCaption->checkedId()));
}

void TfAPrefs::Edit(TAlbumSettings& settings) {
  Show(settings);
  exec();  // the dialog has only OK; closing it keeps what was set as well
  Store(settings);
}
