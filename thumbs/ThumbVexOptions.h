// TfrmThumbVexOptions: "ThumbVex Options", the sheet creator's settings on four pages (Basic,
// Background, Border FX, Title/Footer). They are read when a sheet is generated.
#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

#include "thumbs/core/SheetOptions.h"

class QCheckBox;
class QFontComboBox;
class QLineEdit;
class QPushButton;
class QSlider;
class QSpinBox;

// A button showing its colour; a click opens the colour dialog.
class TColorButton;

class TfrmThumbVexOptions : public QDialog {
 public:
  TfrmThumbVexOptions();
  TSheetOptions Options() const;
  // Where "..." starts: the shipped backgrounds beside the program, else the user's own.
  static QString BackgroundsFolder();
  // Checks the size field as leaving it does: a value out of range shows the range message,
  // the field is reset to 96 and gets the focus back. True when the value is in range.
  bool CheckSize();

  QLineEdit* eSize;
  QSpinBox* eCols;
  QSpinBox* eHSpace;
  QSpinBox* eVSpace;
  TColorButton* cbtnBGColor;
  TColorButton* cbtnFontColor;
  QCheckBox* cbIncFileNames;
  QCheckBox* cbAutoSharpen;
  QSlider* tbSharpeningFactor;
  QCheckBox* cbUseBGImage;
  QLineEdit* eBGImage;
  QCheckBox* cbAddBorder;
  TColorButton* cbtnBorderColor;
  QCheckBox* cbDropShadow;
  QCheckBox* cbBevel;
  QCheckBox* cbTitle;
  QFontComboBox* fcbTitle;
  TColorButton* cbtnTitleColor;
  QSpinBox* eTitleSize;
  QLineEdit* eTitle;
  QCheckBox* cbFooter;
  QFontComboBox* fcbFooter;
  TColorButton* cbtnFooterColor;
  QSpinBox* eFooterSize;
  QLineEdit* eFooter;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BasicPage();
  QWidget* BackgroundPage();
  QWidget* BorderPage();
  QWidget* TitlePage();
  void ChooseBackground();
};

class TColorButton : public QWidget {
 public:
  TColorButton(const QString& objectName, QColor color, QWidget* parent = nullptr);
  QColor Color() const { return FColor; }
  void SetColor(const QColor& color);
  TRGB RGB() const;
  QPushButton* Button() const { return FButton; }

 private:
  QPushButton* FButton;
  QColor FColor;
};
