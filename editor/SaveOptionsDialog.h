// TfrmFileSaveOptions ("File Save Options"): the library-wide load and save settings. It fills
// itself from the settings before showing and takes them back on OK; the settings it edits
// are kept in the settings store between runs.
#pragma once

#include <QDialog>
#include <array>

#include "editor/core/SaveOptions.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

class TfrmFileSaveOptions : public QDialog {
 public:
  explicit TfrmFileSaveOptions(QWidget* parent = nullptr);

  // Fills the controls from the settings, shows the dialog modally; true after OK.
  bool Execute();
  // The controls as a form, and the form shown in the controls.
  TSaveOptionsForm Form() const;
  void ShowForm(const TSaveOptionsForm& form);

  // The edited settings from and to the settings store.
  static void LoadStored();
  static void Store();

  std::array<QRadioButton*, 3> rbJPEGWrite{};  // "Integer, fast", "Integer, precise", "Floating point"
  std::array<QRadioButton*, 3> rbJPEGRead{};
  QLineEdit* eQuality = nullptr;
  QCheckBox* cbProgressive = nullptr;
  QRadioButton* rbBinary = nullptr;
  QRadioButton* rbASCII = nullptr;
  QRadioButton* rbNone = nullptr;
  QRadioButton* rbPackBits = nullptr;
  QRadioButton* rbRGB = nullptr;
  QRadioButton* rbCMYK = nullptr;
  QRadioButton* rbBlackIsZero = nullptr;
  QRadioButton* rbWhiteIsZero = nullptr;
  QRadioButton* rbIntel = nullptr;
  QRadioButton* rbMotorola = nullptr;
  std::array<QRadioButton*, 3> rbUnit{};  // "No unit", "Inch", "Centimeter"
  QLineEdit* eXNum = nullptr;
  QLineEdit* eXDen = nullptr;
  QLineEdit* eYNum = nullptr;
  QLineEdit* eYDen = nullptr;
  QLineEdit* eScreenGamma = nullptr;
  QCheckBox* cbGammaOnRead = nullptr;
  QCheckBox* cbWriteGamma = nullptr;

 protected:
  void accept() override;

 private:
  QWidget* BuildJPEG();
  QWidget* BuildPXM();
  QWidget* BuildTIFF();
  QWidget* BuildGeneral();
};
