// The filter dialog components: each owns one configured filter and the descriptors of the
// window that sets it (sliders, check box, radio pair, caption). The window itself is built by
// the Qt layer (dialogs/FilterDialogForm.h) from these descriptors; everything here runs
// without a screen.
//
// Properties are kept as slider positions. Setting a colour-space value, DistributionShape or
// UseDistance reconfigures the filter at once; the other setters only store the value, and
// the filter follows at the next change in the window, when Execute starts, or when Cancel
// restores the values.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "dialogs/core/FilterDialogValues.h"
#include "imaging/filters/ChannelFilters.h"
#include "imaging/filters/ConvFilter.h"
#include "imaging/filters/PointFilters.h"

class TFilterDialog {
 public:
  virtual ~TFilterDialog() = default;
  TFilterDialog(const TFilterDialog&) = delete;
  TFilterDialog& operator=(const TFilterDialog&) = delete;

  // The owned, configured filter; valid until the dialog goes.
  TPGFilter& Filter() { return *FFilter; }
  const TPGFilter& Filter() const { return *FFilter; }

  const std::array<TSliderDesc, 3>& Sliders() const { return FSliders; }
  const TCheckDesc& Check() const { return FCheck; }
  const TRadioDesc& Radio() const { return FRadio; }
  const std::string& WindowCaption() const { return FCaption; }
  bool HasPreview() const { return FPreview; }

  // The steps of Execute around the window: BeginExecute saves the values, loads the texts and
  // configures the filter with the values shown; EndExecute(false) restores the saved values
  // and reconfigures the filter.
  void BeginExecute();
  void EndExecute(bool ok);

  // The window's change handler: every shown slider's position, the check box and whether
  // the second radio button is checked; then the filter is configured.
  void ChangeFromWindow(const std::array<int, 3>& positions, bool checked, bool secondRadio);
  // The text right of slider k (0..2).
  std::string FormatValue(int k) const;

  // A new filter of the dialog's kind, and writing the current values into one.
  virtual std::unique_ptr<TPGFilter> CreateFilter() const = 0;
  virtual void ConfigureFilter(TPGFilter& filter) const = 0;

 protected:
  TFilterDialog() = default;
  // Called by the constructor of each dialog class: texts, the filter, its configuration.
  void Initialize(bool preview);
  void Reconfigure() { ConfigureFilter(*FFilter); }

  virtual void LoadCaptions() = 0;
  virtual std::string FormatValue1() const { return {}; }
  virtual std::string FormatValue2() const { return {}; }
  virtual std::string FormatValue3() const { return {}; }
  virtual void SaveValues();
  virtual void RestoreValues();

  // Replaces slider k's descriptor, keeping its position.
  void SetSlider(int k, TSliderDesc desc);
  int Position(int k) const { return FSliders[static_cast<std::size_t>(k)].Position; }
  void SetPosition(int k, int value);  // limited to the slider's range

  TCheckDesc FCheck;
  TRadioDesc FRadio;
  std::string FCaption;

 private:
  std::array<TSliderDesc, 3> FSliders;
  bool FPreview = false;
  std::unique_ptr<TPGFilter> FFilter;
  std::array<int, 3> FSavedPositions{};
  bool FSavedChecked = false, FSavedSecond = false;
};

// Colour filters with a live preview of the result.
class TPreviewFilterDialog : public TFilterDialog {
 public:
  TPaletteIdent Palette8BitSys24BitGraphic = pOptimized252Sys16;
  TPaletteIdent Palette8BitSys8BitGraphic = pOptimized252Sys16;
  // Colours 0x00BBGGRR; -1 stands for the button-face and button-shadow colours.
  std::int64_t ProgressClockBkColor = -1;
  std::int64_t ProgressClockLineColor = -1;
  bool ProgressClockVisible = false;
};

// The three-channel colour-space dialogs.
class TXXXFilterDialog : public TPreviewFilterDialog {
 public:
  // Slider k's value; setting it limits it to the range and reconfigures the filter.
  int Value(int k) const { return Position(k); }
  void SetValue(int k, int value);
  void ConfigureFilter(TPGFilter& filter) const override;

 protected:
  virtual bool HasHue() const { return false; }
  std::string FormatValue1() const override;
  std::string FormatValue2() const override;
  std::string FormatValue3() const override;
  void LoadChannelCaptions(const char* c1, const char* c2, const char* c3);
};

class TRGBFilterDialog : public TXXXFilterDialog {
 public:
  TRGBFilterDialog() { Initialize(true); }
  int Red() const { return Value(0); }
  int Green() const { return Value(1); }
  int Blue() const { return Value(2); }
  void SetRed(int v) { SetValue(0, v); }
  void SetGreen(int v) { SetValue(1, v); }
  void SetBlue(int v) { SetValue(2, v); }
  std::unique_ptr<TPGFilter> CreateFilter() const override;

 protected:
  void LoadCaptions() override;
};

class TCMYFilterDialog : public TXXXFilterDialog {
 public:
  TCMYFilterDialog() { Initialize(true); }
  int Cyan() const { return Value(0); }
  int Magenta() const { return Value(1); }
  int Yellow() const { return Value(2); }
  void SetCyan(int v) { SetValue(0, v); }
  void SetMagenta(int v) { SetValue(1, v); }
  void SetYellow(int v) { SetValue(2, v); }
  std::unique_ptr<TPGFilter> CreateFilter() const override;

 protected:
  void LoadCaptions() override;
};

class TYCbCrFilterDialog : public TXXXFilterDialog {
 public:
  TYCbCrFilterDialog() { Initialize(true); }
  int Y() const { return Value(0); }
  int Cb() const { return Value(1); }
  int Cr() const { return Value(2); }
  void SetY(int v) { SetValue(0, v); }
  void SetCb(int v) { SetValue(1, v); }
  void SetCr(int v) { SetValue(2, v); }
  std::unique_ptr<TPGFilter> CreateFilter() const override;

 protected:
  void LoadCaptions() override;
};

class THLSFilterDialog : public TXXXFilterDialog {
 public:
  THLSFilterDialog() { Initialize(true); }
  int H() const { return Value(0); }
  int L() const { return Value(1); }
  int S() const { return Value(2); }
  void SetH(int degrees);  // brought into -180..180 first
  void SetL(int v) { SetValue(1, v); }
  void SetS(int v) { SetValue(2, v); }
  std::unique_ptr<TPGFilter> CreateFilter() const override;

 protected:
  bool HasHue() const override { return true; }
  void LoadCaptions() override;
};

class THSVFilterDialog : public TXXXFilterDialog {
 public:
  THSVFilterDialog() { Initialize(true); }
  int H() const { return Value(0); }
  int S() const { return Value(1); }
  int V() const { return Value(2); }
  void SetH(int degrees);  // brought into -180..180 first
  void SetS(int v) { SetValue(1, v); }
  void SetV(int v) { SetValue(2, v); }
  std::unique_ptr<TPGFilter> CreateFilter() const override;

 protected:
  bool HasHue() const override { return true; }
  void LoadCaptions() override;
};

class TBCGFilterDialog : public TPreviewFilterDialog {
 public:
  TBCGFilterDialog() { Initialize(true); }
  int Brightness() const { return Position(0); }
  void SetBrightness(int v) { SetPosition(0, v); }
  // 0.2..5.0, kept as the slider position; read back rounded to two decimals.
  double Contrast() const;
  void SetContrast(double factor);
  double Gamma() const;
  void SetGamma(double factor);
  bool UseY() const { return FRadio.SecondChecked; }
  void SetUseY(bool v) { FRadio.SecondChecked = v; }
  std::unique_ptr<TPGFilter> CreateFilter() const override;
  void ConfigureFilter(TPGFilter& filter) const override;

 protected:
  void LoadCaptions() override;
  std::string FormatValue1() const override;
  std::string FormatValue2() const override;
  std::string FormatValue3() const override;
};

class TGrayScaleFilterDialog : public TPreviewFilterDialog {
 public:
  TGrayScaleFilterDialog() { FCheck.Checked = true; Initialize(true); }
  bool RGBWeighting() const { return FCheck.Checked; }
  void SetRGBWeighting(bool v) { FCheck.Checked = v; }
  std::unique_ptr<TPGFilter> CreateFilter() const override;
  void ConfigureFilter(TPGFilter& filter) const override;

 protected:
  void LoadCaptions() override;
};

class TNegativeFilterDialog : public TPreviewFilterDialog {
 public:
  TNegativeFilterDialog() { Initialize(true); }
  std::unique_ptr<TPGFilter> CreateFilter() const override;
  void ConfigureFilter(TPGFilter&) const override {}

 protected:
  void LoadCaptions() override;
};

// The convolution dialogs: no preview; the caller applies the filter into a new image.
class TConvFilterDialog : public TFilterDialog {
 public:
  std::unique_ptr<TPGFilter> CreateFilter() const override;
  TDistributionShape DistributionShape() const { return FShape; }
  void SetDistributionShape(TDistributionShape v);
  bool UseDistance() const { return FUseDistance; }
  void SetUseDistance(bool v);
  // 10..100 (Contour 100..1000).
  int Percent() const { return Position(1); }
  void SetPercent(int v) { SetPosition(1, v); }

 protected:
  TConvFilterDialog(TDistributionShape shape) : FShape(shape) {}
  std::string FormatValue1() const override;
  std::string FormatValue2() const override;
  void SaveValues() override;
  void RestoreValues() override;

 private:
  TDistributionShape FShape;
  bool FUseDistance = true;
  TDistributionShape FSavedShape = dsGaussian;
  bool FSavedUseDistance = true;
};

// Sharpen, Detail, Smooth and Contour: slider 1 is the standard deviation.
class TDeviationFilterDialog : public TConvFilterDialog {
 public:
  double StdDeviation() const { return Position(0) / 100.0; }
  void SetStdDeviation(double v);  // limited to 0.4..1.3

 protected:
  TDeviationFilterDialog(TDistributionShape shape) : TConvFilterDialog(shape) {}
  void LoadDeviationCaptions(const char* caption, int deviation, int strengthNeutral,
                             int strengthMin, int strengthMax, int strength);
};

class TSharpenFilterDialog : public TDeviationFilterDialog {
 public:
  TSharpenFilterDialog();
  void ConfigureFilter(TPGFilter& filter) const override;

 protected:
  void LoadCaptions() override;
};

class TDetailFilterDialog : public TDeviationFilterDialog {
 public:
  TDetailFilterDialog();
  void ConfigureFilter(TPGFilter& filter) const override;

 protected:
  void LoadCaptions() override;
};

class TSmoothFilterDialog : public TDeviationFilterDialog {
 public:
  TSmoothFilterDialog();
  void ConfigureFilter(TPGFilter& filter) const override;

 protected:
  void LoadCaptions() override;
};

class TContourFilterDialog : public TDeviationFilterDialog {
 public:
  TContourFilterDialog();
  bool BlackBk() const { return FRadio.SecondChecked; }
  void SetBlackBk(bool v) { FRadio.SecondChecked = v; }
  void ConfigureFilter(TPGFilter& filter) const override;

 protected:
  void LoadCaptions() override;
};

class TBlurFilterDialog : public TConvFilterDialog {
 public:
  TBlurFilterDialog();
  double Radius() const { return Position(0) / 100.0; }
  void SetRadius(double v);  // limited to 0.5..5.0
  void ConfigureFilter(TPGFilter& filter) const override;

 protected:
  void LoadCaptions() override;
};
