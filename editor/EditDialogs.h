// The editor's four parameter dialogs. Each is made once with the editor and keeps its values
// between uses; the editor reads them after OK and runs the command itself.
#pragma once

#include <QColor>
#include <QDialog>
#include <array>

#include "editor/core/ColorRezValues.h"
#include "editor/core/EditDialogValues.h"

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// Arbitrary rotation: an angle and a direction.
class TfRotate : public QDialog {
 public:
  explicit TfRotate(QWidget* parent = nullptr);
  QLineEdit* eAngle = nullptr;
  QRadioButton* rbClockwise = nullptr;
  QRadioButton* rbCounterClockwise = nullptr;
  QPushButton* OkButton = nullptr;
  // The clockwise angle the editor turns by; nullopt while the angle is empty.
  std::optional<int> ClockwiseDegrees() const;

 private:
  void Changed();
};

// Border: shape, width in pixels and colour.
class TfrmBorder : public QDialog {
 public:
  explicit TfrmBorder(QWidget* parent = nullptr);
  QRadioButton* rbRectangle = nullptr;
  QRadioButton* rbEllipse = nullptr;
  QLineEdit* eWidth = nullptr;
  QPushButton* pColor = nullptr;
  QPushButton* OkButton = nullptr;
  bool Elliptic() const;
  std::optional<int> BorderWidthPixels() const;
  QColor Color() const { return FColor; }
  void SetColor(const QColor& color);

 private:
  void ChooseColor();
  void Changed();
  QColor FColor = Qt::white;
};

// Colour resolution: depth, palette, counts, dithering and weighting.
class TfrmColorRez : public QDialog {
 public:
  explicit TfrmColorRez(QWidget* parent = nullptr);
  const TColorRezValues& Values() const { return FValues; }
  QRadioButton* DepthButton(TColorDepth depth) const;
  QRadioButton* PaletteButton(TColorRezPalette palette) const;
  QLineEdit* eCount4 = nullptr;
  QLineEdit* eCount8 = nullptr;
  QCheckBox* cbSystemColors = nullptr;
  QCheckBox* cbDither = nullptr;
  QCheckBox* cbRGBWeighting = nullptr;
  QPushButton* OkButton = nullptr;

 private:
  QWidget* BuildDepths();
  QWidget* BuildPalettes();
  void ShowValues();
  TColorRezValues FValues;
  std::array<QRadioButton*, 4> FDepths{};
  std::array<QRadioButton*, 13> FPalettes{};
  bool FShowing = false;
};

// Resize: the old size as labels, the new size, constrain proportions.
class TfrmResize : public QDialog {
 public:
  explicit TfrmResize(QWidget* parent = nullptr);
  // Old and new size := the picture's size.
  void SetPictureSize(int width, int height);
  QLabel* lOldWidth = nullptr;
  QLabel* lOldHeight = nullptr;
  QLineEdit* eNewWidth = nullptr;
  QLineEdit* eNewHeight = nullptr;
  QCheckBox* cbConstrain = nullptr;
  QPushButton* OkButton = nullptr;
  const TResizeValues& Values() const { return FValues; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void accept() override;

 private:
  void EditLeft(QLineEdit* edit);
  void ShowValues();
  TResizeValues FValues;
};
