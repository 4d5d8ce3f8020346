#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "editor/EditDialogs.h"

namespace {

struct TPaletteEntry {
  TColorRezPalette Palette;
  const char* Caption;
};

const TPaletteEntry kPalettes1[] = {{TColorRezPalette::BlackWhite, "Black&&White"},
                                    {TColorRezPalette::Optimized1, "Optimized"}};
const TPaletteEntry kPalettes4[] = {{TColorRezPalette::Gray4, "Grayscale 4"},
                                    {TColorRezPalette::SysGray4, "Grayscale 4 (system)"},
                                    {TColorRezPalette::Gray16, "Grayscale 16"},
                                    {TColorRezPalette::System16, "System 16"},
                                    {TColorRezPalette::Optimized4, "Optimized"}};
const TPaletteEntry kPalettes8[] = {{TColorRezPalette::Gray236, "Grayscale 236"},
                                    {TColorRezPalette::Gray256, "Grayscale 256"},
                                    {TColorRezPalette::Special125, "Special 125"},
                                    {TColorRezPalette::Special216, "Special 216"},
                                    {TColorRezPalette::Special252, "Special 252"},
                                    {TColorRezPalette::Optimized8, "Optimized"}};

const char* const kDepthCaptions[] = {
    "1 bit per pixel (max. 2 colors)", "4 bits per pixel (max 16 colors)",
    "8 bits per pixel (max 256 colors)", "24 bits per pixel (true-color)"};

}  // namespace

TfrmColorRez::TfrmColorRez(QWidget* parent) : QDialog(parent) {
  setWindowTitle("Color Resolution");
  auto* column = new QVBoxLayout(this);
  column->addWidget(BuildDepths());
  column->addWidget(BuildPalettes());
  auto* checks = new QHBoxLayout;
  cbDither = new QCheckBox("Dithering");
  cbRGBWeighting = new QCheckBox("RGB weighting");
  checks->addWidget(cbDither);
  checks->addWidget(cbRGBWeighting);
  checks->addStretch(1);
  column->addLayout(checks);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  OkButton = buttons->button(QDialogButtonBox::Ok);
  column->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(cbDither, &QCheckBox::toggled, this, [this](bool on) { FValues.SetDither(on); });
  connect(cbRGBWeighting, &QCheckBox::toggled, this,
          [this](bool on) { FValues.SetRGBWeighting(on); });
  ShowValues();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TfrmColorRez::BuildDepths() {
  auto* box = new QGroupBox("Color depth");
  auto* column = new QVBoxLayout(box);
  for (int i = 0; i < 4; ++i) {
    FDepths[static_cast<std::size_t>(i)] = new QRadioButton(kDepthCaptions[i]);
    column->addWidget(FDepths[static_cast<std::size_t>(i)]);
    connect(FDepths[static_cast<std::size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
      if (!on || FShowing) return;
      FValues.SetDepth(static_cast<TColorDepth>(i));
      ShowValues();
    });
  }
  return box;
}

QWidget* TfrmColorRez::BuildPalettes() {
  auto* row = new QWidget;
  auto* boxes = new QHBoxLayout(row);
  boxes->setContentsMargins(0, 0, 0, 0);
  auto group = [this](const char* title, const TPaletteEntry* entries, int n) {
    auto* box = new QGroupBox(title);
    auto* column = new QVBoxLayout(box);
    for (int i = 0; i < n; ++i) {
      auto* radio = new QRadioButton(entries[i].Caption);
      // Each group keeps its own choice, so the radios are not auto-exclusive across groups.
      radio->setAutoExclusive(false);
      FPalettes[static_cast<std::size_t>(entries[i].Palette)] = radio;
      column->addWidget(radio);
      const TColorRezPalette palette = entries[i].Palette;
      connect(radio, &QRadioButton::clicked, this, [this, palette] {
        FValues.ChoosePalette(palette);
        ShowValues();
      });
    }
    return std::make_pair(box, column);
  };
  auto [box1, column1] = group("1 bit", kPalettes1, 2);
  column1->addStretch(1);
  auto [box4, column4] = group("4 bits", kPalettes4, 5);
  eCount4 = new QLineEdit("16");
  eCount4->setObjectName("eCount4");
  column4->addWidget(new QLabel("Colors (2...16)"));
  column4->addWidget(eCount4);
  column4->addStretch(1);
  auto [box8, column8] = group("8 bits", kPalettes8, 6);
  cbSystemColors = new QCheckBox("Include 16 system colors");
  eCount8 = new QLineEdit("252");
  eCount8->setObjectName("eCount8");
  column8->addWidget(cbSystemColors);
  column8->addWidget(new QLabel("Colors (2...256)"));
  column8->addWidget(eCount8);
  boxes->addWidget(box1);
  boxes->addWidget(box4);
  boxes->addWidget(box8);
  connect(eCount4, &QLineEdit::textEdited, this, [this](const QString& t) {
    FValues.SetCount4Text(t.toStdString());
    ShowValues();
  });
  connect(eCount8, &QLineEdit::textEdited, this, [this](const QString& t) {
    FValues.SetCount8Text(t.toStdString());
    ShowValues();
  });
  connect(cbSystemColors, &QCheckBox::clicked, this, [this](bool on) {
    FValues.SetIncludeSystemColors(on);
    ShowValues();
  });
  return row;
}

QRadioButton* TfrmColorRez::DepthButton(TColorDepth depth) const {
  return FDepths[static_cast<std::size_t>(depth)];
}

QRadioButton* TfrmColorRez::PaletteButton(TColorRezPalette palette) const {
  return FPalettes[static_cast<std::size_t>(palette)];
}

void TfrmColorRez::ShowValues() {
  FShowing = true;
  const TColorRezChoice& c = FValues.Choice();
  DepthButton(c.Depth)->setChecked(true);
  for (std::size_t i = 0; i < FPalettes.size(); ++i) {
    const auto p = static_cast<TColorRezPalette>(i);
    FPalettes[i]->setChecked(p == c.Palette1 || p == c.Palette4 || p == c.Palette8);
  }
  cbSystemColors->setChecked(c.IncludeSystemColors);
  cbDither->setChecked(c.Dither);
  cbRGBWeighting->setChecked(c.RGBWeighting);
  if (eCount4->text().toStdString() != FValues.Count4Text())
    eCount4->setText(QString::fromStdString(FValues.Count4Text()));
  if (eCount8->text().toStdString() != FValues.Count8Text())
    eCount8->setText(QString::fromStdString(FValues.Count8Text()));
  OkButton->setEnabled(FValues.OkEnabled());
  FShowing = false;
}
