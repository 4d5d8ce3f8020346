#include "editor/SaveOptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "imaging/formats/FormatSettings.h"
#include "platform/Messages.h"
#include "platform/Settings.h"

namespace {

// The radio order of the JPEG methods and the library's numbers for them.
constexpr int kMethodOfRadio[3] = {1, 0, 2};

int RadioOfMethod(int method) {
  for (int i = 0; i < 3; ++i)
    if (kMethodOfRadio[i] == method) return i;
  return 1;
}

template <std::size_t N>
int CheckedIndex(const std::array<QRadioButton*, N>& radios) {
  for (std::size_t i = 0; i < N; ++i)
    if (radios[i]->isChecked()) return static_cast<int>(i);
  return 0;
}

// Two radios in a group of their own.
std::pair<QRadioButton*, QRadioButton*> RadioPair(QLayout* into, const char* a, const char* b) {
  auto* first = new QRadioButton(a);
  auto* second = new QRadioButton(b);
  auto* group = new QButtonGroup(first);
  group->addButton(first);
  group->addButton(second);
  into->addWidget(first);
  into->addWidget(second);
  return {first, second};
}

QLineEdit* NumberEdit(int width = 48) {
  auto* e = new QLineEdit;
  e->setMaximumWidth(width);
  return e;
}

const QString kStoreGroup = "SaveOptions/";

}  // namespace

TfrmFileSaveOptions::TfrmFileSaveOptions(QWidget* parent) : QDialog(parent) {
  setWindowTitle("File Save Options");
  auto* grid = new QGridLayout(this);
  grid->addWidget(BuildJPEG(), 0, 0);
  grid->addWidget(BuildTIFF(), 0, 1, 3, 1);
  grid->addWidget(BuildPXM(), 1, 0);
  grid->addWidget(BuildGeneral(), 2, 0);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  grid->addWidget(buttons, 3, 0, 1, 2);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

QWidget* TfrmFileSaveOptions::BuildJPEG() {
  auto* box = new QGroupBox("JPG");
  auto* row = new QHBoxLayout(box);
  auto methods = [](const char* title, std::array<QRadioButton*, 3>& radios) {
    auto* group = new QGroupBox(title);
    auto* column = new QVBoxLayout(group);
    const char* captions[3] = {"Integer, fast", "Integer, precise", "Floating point"};
    for (int i = 0; i < 3; ++i) {
      radios[static_cast<std::size_t>(i)] = new QRadioButton(captions[i]);
      column->addWidget(radios[static_cast<std::size_t>(i)]);
    }
    return group;
  };
  auto* write = methods("Write", rbJPEGWrite);
  auto* writeColumn = static_cast<QVBoxLayout*>(write->layout());
  eQuality = NumberEdit();
  auto* quality = new QHBoxLayout;
  auto* qualityLabel = new QLabel("&Quality (0...100)");
  qualityLabel->setBuddy(eQuality);
  quality->addWidget(qualityLabel);
  quality->addWidget(eQuality);
  writeColumn->addLayout(quality);
  cbProgressive = new QCheckBox("Progressive");
  writeColumn->addWidget(cbProgressive);
  row->addWidget(write);
  row->addWidget(methods("Read", rbJPEGRead), 0, Qt::AlignTop);
  return box;
}

QWidget* TfrmFileSaveOptions::BuildPXM() {
  auto* box = new QGroupBox("PBM, PGM, PPM");
  auto* column = new QVBoxLayout(box);
  std::tie(rbBinary, rbASCII) = RadioPair(column, "Write binary", "Write ASCII");
  return box;
}

QWidget* TfrmFileSaveOptions::BuildTIFF() {
  auto* box = new QGroupBox("TIF");
  auto* column = new QVBoxLayout(box);
  auto titled = [column](const char* title) {
    auto* group = new QGroupBox(title);
    column->addWidget(group);
    return new QHBoxLayout(group);
  };
  std::tie(rbNone, rbPackBits) = RadioPair(titled("Write compression"), "None", "PackBits");
  std::tie(rbRGB, rbCMYK) = RadioPair(titled("Write true color as "), "RGB", "CMYK");
  std::tie(rbBlackIsZero, rbWhiteIsZero) =
      RadioPair(titled("Grayscale (2, 16, 256)"), "BlackIsZero", "WhiteIsZero");
  std::tie(rbIntel, rbMotorola) = RadioPair(titled("Byte order"), "I", "M");
  auto* resolution = new QGroupBox("Resolution");
  auto* resGrid = new QGridLayout(resolution);
  const char* units[3] = {"No unit", "Inch", "Centimeter"};
  for (int i = 0; i < 3; ++i) {
    rbUnit[static_cast<std::size_t>(i)] = new QRadioButton(units[i]);
    resGrid->addWidget(rbUnit[static_cast<std::size_t>(i)], 0, i);
  }
  eXNum = NumberEdit(64);
  eXDen = NumberEdit(64);
  eYNum = NumberEdit(64);
  eYDen = NumberEdit(64);
  auto fraction = [resGrid](int row, const char* label, QLineEdit* num, QLineEdit* den) {
    auto* line = new QHBoxLayout;
    line->addWidget(num);
    line->addWidget(new QLabel("/"));
    line->addWidget(den);
    line->addStretch(1);
    resGrid->addWidget(new QLabel(label), row, 0);
    resGrid->addLayout(line, row, 1, 1, 2);
  };
  fraction(1, "Horiz.:", eXNum, eXDen);
  fraction(2, "Vert.:", eYNum, eYDen);
  column->addWidget(resolution);
  column->addStretch(1);
  return box;
}

QWidget* TfrmFileSaveOptions::BuildGeneral() {
  auto* box = new QGroupBox("General");
  auto* grid = new QGridLayout(box);
  eScreenGamma = NumberEdit(64);
  auto* label = new QLabel("Screen &Gamma");
  label->setBuddy(eScreenGamma);
  grid->addWidget(label, 0, 0);
  grid->addWidget(eScreenGamma, 0, 1, Qt::AlignLeft);
  cbGammaOnRead = new QCheckBox("Gamma correction on read");
  cbWriteGamma = new QCheckBox("Write Gamma");
  grid->addWidget(cbGammaOnRead, 1, 0, 1, 2);
  grid->addWidget(cbWriteGamma, 2, 0, 1, 2);
  return box;
}

TSaveOptionsForm TfrmFileSaveOptions::Form() const {
  TSaveOptionsForm f;
  f.JPEGWriteDCTMethod = kMethodOfRadio[CheckedIndex(rbJPEGWrite)];
  f.JPEGWriteQuality = eQuality->text().toStdString();
  f.JPEGWriteProgressive = cbProgressive->isChecked();
  f.JPEGReadDCTMethod = kMethodOfRadio[CheckedIndex(rbJPEGRead)];
  f.PXMWriteBinary = rbBinary->isChecked();
  f.TIFFPackBits = rbPackBits->isChecked();
  f.TIFFWriteCMYK = rbCMYK->isChecked();
  f.TIFFWriteWhiteIsZero = rbWhiteIsZero->isChecked();
  f.TIFFWriteMotorola = rbMotorola->isChecked();
  f.TIFFResolutionUnit = CheckedIndex(rbUnit);
  f.XNumerator = eXNum->text().toStdString();
  f.XDenominator = eXDen->text().toStdString();
  f.YNumerator = eYNum->text().toStdString();
  f.YDenominator = eYDen->text().toStdString();
  f.ScreenGamma = eScreenGamma->text().toStdString();
  f.GammaCorrectionOnRead = cbGammaOnRead->isChecked();
  f.WriteGamma = cbWriteGamma->isChecked();
  return f;
}

void TfrmFileSaveOptions::ShowForm(const TSaveOptionsForm& f) {
  rbJPEGWrite[static_cast<std::size_t>(RadioOfMethod(f.JPEGWriteDCTMethod))]->setChecked(true);
  eQuality->setText(QString::fromStdString(f.JPEGWriteQuality));
  cbProgressive->setChecked(f.JPEGWriteProgressive);
  rbJPEGRead[static_cast<std::size_t>(RadioOfMethod(f.JPEGReadDCTMethod))]->setChecked(true);
  (f.PXMWriteBinary ? rbBinary : rbASCII)->setChecked(true);
  (f.TIFFPackBits ? rbPackBits : rbNone)->setChecked(true);
  (f.TIFFWriteCMYK ? rbCMYK : rbRGB)->setChecked(true);
  (f.TIFFWriteWhiteIsZero ? rbWhiteIsZero : rbBlackIsZero)->setChecked(true);
  (f.TIFFWriteMotorola ? rbMotorola : rbIntel)->setChecked(true);
  const int unit = f.TIFFResolutionUnit >= 0 && f.TIFFResolutionUnit <= 2 ? f.TIFFResolutionUnit : 1;
  rbUnit[static_cast<std::size_t>(unit)]->setChecked(true);
  eXNum->setText(QString::fromStdString(f.XNumerator));
  eXDen->setText(QString::fromStdString(f.XDenominator));
  eYNum->setText(QString::fromStdString(f.YNumerator));
  eYDen->setText(QString::fromStdString(f.YDenominator));
  eScreenGamma->setText(QString::fromStdString(f.ScreenGamma));
  cbGammaOnRead->setChecked(f.GammaCorrectionOnRead);
  cbWriteGamma->setChecked(f.WriteGamma);
}

bool TfrmFileSaveOptions::Execute() {
  ShowForm(ReadSaveOptions());
  return exec() == QDialog::Accepted;
}

void TfrmFileSaveOptions::accept() {
  const std::string message = ApplySaveOptions(Form());
  // What was taken before a refused field stays taken, so it is stored either way.
  Store();
  if (!message.empty()) {
    ShowError(this, QString::fromStdString(message));
    return;  // the dialog stays open with the text as typed, to be put right

  }
  QDialog::accept();
}

void TfrmFileSaveOptions::LoadStored() {
  RestoreSaveOptions([](const std::string& name) -> std::optional<std::string> {
    const QString value = ReadSetting(kStoreGroup + QString::fromStdString(name), QString());
    if (value.isEmpty()) return std::nullopt;
    return value.toStdString();
  });
}

void TfrmFileSaveOptions::Store() {
  for (const std::string& name : SaveOptionSettingNames())
    WriteSetting(kStoreGroup + QString::fromStdString(name),
                 QString::fromStdString(FormatSettingValue(name)));
}
