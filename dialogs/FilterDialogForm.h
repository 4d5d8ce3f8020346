// TFilterDialogForm: the modal window of a filter dialog, built in code from the dialog's
// descriptors, with the live preview of the colour filters. ExecuteFilterDialog is the
// dialogs' Execute: it shows the window modally and returns true on OK; after Cancel the
// values before the call are back and the filter is configured with them.
#pragma once

#include <QDialog>
#include <array>
#include <memory>

#include "dialogs/core/FilterDialogs.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QSlider;
class QTimer;
class TPGImage;
class TCreateSrcPGThread;
class TCreateDestPGThread;

class TFilterDialogForm : public QDialog {
 public:
  // `image` (previewed for preview dialogs; nullptr for none) must not change while the window
  // exists.
  TFilterDialogForm(TFilterDialog& dialog, const TPixelGraphic* image, QWidget* parent = nullptr);
  ~TFilterDialogForm() override;

  static constexpr int kPreviewDelayMs = 100;

  QSlider* Slider(int k) const { return FSliders[static_cast<std::size_t>(k)]; }
  QLabel* ValueLabel(int k) const { return FValues[static_cast<std::size_t>(k)]; }
  QCheckBox* CheckBox() const { return FCheck; }
  QRadioButton* Radio(int i) const { return FRadios[static_cast<std::size_t>(i)]; }
  QPushButton* OkButton() const { return FOk; }
  QPushButton* CancelButton() const { return FCancel; }
  TPGImage* Preview() const { return FPreview; }

  // For tests and benchmarks: the preview's progress.
  bool SourceReady() const { return FSourceReady; }
  int PreviewSourceWidth() const { return FSourceW; }
  int PreviewSourceHeight() const { return FSourceH; }
  int DestJobsStarted() const { return FDestStarted; }
  int ResultsShown() const { return FResultsShown; }

 protected:
  void customEvent(QEvent* event) override;

 private:
  void BuildControls();
  void StartSource(const TPixelGraphic& image);
  void Changed();
  void TimerFired();
  void RefreshValueTexts();

  TFilterDialog& FDialog;
  std::array<QSlider*, 3> FSliders{};
  std::array<QLabel*, 3> FValues{};
  QCheckBox* FCheck = nullptr;
  std::array<QRadioButton*, 2> FRadios{};
  QPushButton* FOk = nullptr;
  QPushButton* FCancel = nullptr;
  TPGImage* FPreview = nullptr;
  QTimer* FTimer = nullptr;

  std::unique_ptr<TPixelGraphic> FSource;
  int FSourceW = 0, FSourceH = 0;
  bool FSourceReady = false;
  unsigned FOrder = 0;
  int FDestStarted = 0;
  int FResultsShown = 0;
  std::unique_ptr<TCreateSrcPGThread> FSourceJob;
  std::unique_ptr<TCreateDestPGThread> FDestJob;
};

// Shows the dialog's window modally over `parent`; `image` is previewed by preview dialogs.
bool ExecuteFilterDialog(TFilterDialog& dialog, const TPixelGraphic* image = nullptr,
                         QWidget* parent = nullptr);
