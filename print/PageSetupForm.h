// The page setup dialog ("Page Setup") bound to an engine: orientation, units, margins,
// header, footer and page-number options; OK applies them all or, when a field is wrong,
// none; "Set Default" stores them as the defaults every engine starts with.
#pragma once

#include <QDialog>
#include <functional>

#include "print/core/PageSetup.h"

class QAbstractButton;
class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QWidget;
class TPreviewPrinter;

class TPageSetupForm : public QDialog {
 public:
  explicit TPageSetupForm(TPreviewPrinter& engine, QWidget* parent = nullptr);

  // The fields as values; nothing (after telling the user which field is wrong) when a
  // number is not one or the margins do not fit the paper.
  std::optional<TPageSetupValues> FieldValues();
  // Fills the fields.
  void ShowValues(const TPageSetupValues& values);

  // OK: checks every field, then writes them all into the engine and closes.
  void accept() override;
  // "Set Default": asks, then stores the fields as the defaults.
  void SetDefault();

  // Asks a Yes/No/Cancel question; replaceable for tests. Returns QMessageBox's button.
  std::function<int(const QString& question)> Confirm;

 private:
  QGroupBox* BuildMargins();
  QGroupBox* BuildOrientation();
  QGroupBox* BuildTextOptions(const QString& caption, const QString& prefix, bool pageNumbers);
  void ChooseFont(TFontSpec& font, QLabel* label);
  QLineEdit* Edit(const QString& name) const;

  TPreviewPrinter& FEngine;
  TPageSetupValues FValues;
  QButtonGroup *FUnits = nullptr, *FOrientation = nullptr, *FHeaderAlign = nullptr,
               *FFooterAlign = nullptr, *FPageNumAlign = nullptr, *FPageNumPos = nullptr;
  QLabel *FHeaderFontLabel = nullptr, *FFooterFontLabel = nullptr, *FPageNumFontLabel = nullptr;
  QWidget* FOutline = nullptr;
};
