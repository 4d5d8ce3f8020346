#include "dialogs/core/FilterDialogs.h"

#include <algorithm>

#include "imaging/filters/FilterTables.h"

// ---- TFilterDialog -----------------------------------------------------------------------

void TFilterDialog::Initialize(bool preview) {
  FPreview = preview;
  LoadCaptions();
  FFilter = CreateFilter();
  Reconfigure();
}

void TFilterDialog::SetSlider(int k, TSliderDesc desc) {
  TSliderDesc& s = FSliders[static_cast<std::size_t>(k)];
  if (s.Shown) desc.Position = std::clamp(s.Position, desc.Min, desc.Max);
  s = std::move(desc);
}

void TFilterDialog::SetPosition(int k, int value) {
  TSliderDesc& s = FSliders[static_cast<std::size_t>(k)];
  s.Position = ClampPosition(value, s.Min, s.Max);
}

void TFilterDialog::SaveValues() {
  for (std::size_t k = 0; k < 3; ++k) FSavedPositions[k] = FSliders[k].Position;
  FSavedChecked = FCheck.Checked;
  FSavedSecond = FRadio.SecondChecked;
}

void TFilterDialog::RestoreValues() {
  for (std::size_t k = 0; k < 3; ++k) FSliders[k].Position = FSavedPositions[k];
  FCheck.Checked = FSavedChecked;
  FRadio.SecondChecked = FSavedSecond;
}

void TFilterDialog::BeginExecute() {
  SaveValues();
  LoadCaptions();
  Reconfigure();  // values set through properties since the last change count from here
}

void TFilterDialog::EndExecute(bool ok) {
  if (ok) return;
  RestoreValues();
  Reconfigure();
}

void TFilterDialog::ChangeFromWindow(const std::array<int, 3>& positions, bool checked,
                                     bool secondRadio) {
  for (int k = 0; k < 3; ++k)
    if (FSliders[static_cast<std::size_t>(k)].Shown)
      SetPosition(k, positions[static_cast<std::size_t>(k)]);
  if (FCheck.Shown) FCheck.Checked = checked;
  if (FRadio.Shown) FRadio.SecondChecked = secondRadio;
  Reconfigure();
}

std::string TFilterDialog::FormatValue(int k) const {
  switch (k) {
    case 0: return FormatValue1();
    case 1: return FormatValue2();
    case 2: return FormatValue3();
    default: return {};
  }
}

// ---- colour-space dialogs -------------------------------------------------------------------

void TXXXFilterDialog::SetValue(int k, int value) {
  SetPosition(k, value);
  Reconfigure();
}

void TXXXFilterDialog::ConfigureFilter(TPGFilter& filter) const {
  auto& f = dynamic_cast<TXXXFilter&>(filter);
  if (HasHue())
    ConfigureHueFilter(f, Position(0), Position(1), Position(2));
  else
    ConfigureShiftFilter(f, Position(0), Position(1), Position(2));
}

std::string TXXXFilterDialog::FormatValue1() const {
  return SignedValueText(Position(0), HasHue() ? kDegree : "%");
}
std::string TXXXFilterDialog::FormatValue2() const { return SignedValueText(Position(1), "%"); }
std::string TXXXFilterDialog::FormatValue3() const { return SignedValueText(Position(2), "%"); }

void TXXXFilterDialog::LoadChannelCaptions(const char* c1, const char* c2, const char* c3) {
  SetSlider(0, HasHue() ? HueSlider(c1, 14) : ShiftSlider(c1, 14));
  SetSlider(1, ShiftSlider(c2, 14));
  SetSlider(2, ShiftSlider(c3, 14));
}

void TRGBFilterDialog::LoadCaptions() {
  FCaption = "RGB Filter";
  LoadChannelCaptions("R", "G", "B");
}
std::unique_ptr<TPGFilter> TRGBFilterDialog::CreateFilter() const {
  return std::make_unique<TRGBFilter>();
}

void TCMYFilterDialog::LoadCaptions() {
  FCaption = "CMY Filter";
  LoadChannelCaptions("C", "M", "Y");
}
std::unique_ptr<TPGFilter> TCMYFilterDialog::CreateFilter() const {
  return std::make_unique<TCMYFilter>();
}

void TYCbCrFilterDialog::LoadCaptions() {
  FCaption = "YCbCr Filter";
  LoadChannelCaptions("Y", "Cb", "Cr");
}
std::unique_ptr<TPGFilter> TYCbCrFilterDialog::CreateFilter() const {
  return std::make_unique<TYCbCrFilter>();
}

void THLSFilterDialog::SetH(int degrees) { SetValue(0, WrapHuePosition(degrees)); }
void THLSFilterDialog::LoadCaptions() {
  FCaption = "HLS Filter";
  LoadChannelCaptions("H", "L", "S");
}
std::unique_ptr<TPGFilter> THLSFilterDialog::CreateFilter() const {
  return std::make_unique<THLSFilter>();
}

void THSVFilterDialog::SetH(int degrees) { SetValue(0, WrapHuePosition(degrees)); }
void THSVFilterDialog::LoadCaptions() {
  FCaption = "HSV Filter";
  LoadChannelCaptions("H", "S", "V");
}
std::unique_ptr<TPGFilter> THSVFilterDialog::CreateFilter() const {
  return std::make_unique<THSVFilter>();
}

// ---- brightness, contrast, gamma ----------------------------------------------------------

double TBCGFilterDialog::Contrast() const { return ShownFactor(Position(1)); }
void TBCGFilterDialog::SetContrast(double factor) { SetPosition(1, PositionOfFactor(factor)); }
double TBCGFilterDialog::Gamma() const { return ShownFactor(Position(2)); }
void TBCGFilterDialog::SetGamma(double factor) { SetPosition(2, PositionOfFactor(factor)); }

std::unique_ptr<TPGFilter> TBCGFilterDialog::CreateFilter() const {
  return std::make_unique<TBCGFilter>();
}

void TBCGFilterDialog::ConfigureFilter(TPGFilter& filter) const {
  ConfigureBCGFilter(dynamic_cast<TBCGFilter&>(filter), Position(0), Position(1), Position(2),
                     UseY());
}

void TBCGFilterDialog::LoadCaptions() {
  FCaption = "Brightness, Contrast, Gamma Filter";
  SetSlider(0, ShiftSlider("Brightness", 55));
  SetSlider(1, FactorSlider("Contrast", 55));
  SetSlider(2, FactorSlider("Gamma", 55));
  FRadio.Shown = true;
  FRadio.Caption1 = "RGB";
  FRadio.Caption2 = "Y";
  FRadio.GroupCaption = "Apply on";
}

std::string TBCGFilterDialog::FormatValue1() const { return SignedValueText(Position(0), "%"); }
std::string TBCGFilterDialog::FormatValue2() const { return FactorValueText(Position(1)); }
std::string TBCGFilterDialog::FormatValue3() const { return FactorValueText(Position(2)); }

// ---- greyscale and negative ---------------------------------------------------------------

std::unique_ptr<TPGFilter> TGrayScaleFilterDialog::CreateFilter() const {
  return std::make_unique<TGrayScaleFilter>();
}
void TGrayScaleFilterDialog::ConfigureFilter(TPGFilter& filter) const {
  dynamic_cast<TGrayScaleFilter&>(filter).RGBWeighting = RGBWeighting();
}
void TGrayScaleFilterDialog::LoadCaptions() {
  FCaption = "Grayscale Filter";
  FCheck.Shown = true;
  FCheck.Caption = "RGB weighting";
}

std::unique_ptr<TPGFilter> TNegativeFilterDialog::CreateFilter() const {
  return std::make_unique<TNegativeFilter>();
}
void TNegativeFilterDialog::LoadCaptions() { FCaption = "Negative Filter"; }

// ---- convolution dialogs ------------------------------------------------------------------

std::unique_ptr<TPGFilter> TConvFilterDialog::CreateFilter() const {
  return std::make_unique<TConvFilter>();
}

void TConvFilterDialog::SetDistributionShape(TDistributionShape v) {
  FShape = v;
  Reconfigure();
}

void TConvFilterDialog::SetUseDistance(bool v) {
  FUseDistance = v;
  Reconfigure();
}

std::string TConvFilterDialog::FormatValue1() const { return HundredthsText(Position(0)); }
std::string TConvFilterDialog::FormatValue2() const { return StrengthText(Position(1)); }

void TConvFilterDialog::SaveValues() {
  TFilterDialog::SaveValues();
  FSavedShape = FShape;
  FSavedUseDistance = FUseDistance;
}

void TConvFilterDialog::RestoreValues() {
  TFilterDialog::RestoreValues();
  FShape = FSavedShape;
  FUseDistance = FSavedUseDistance;
}

void TDeviationFilterDialog::SetStdDeviation(double v) {
  SetPosition(0, HundredthsPosition(v, 40, 130));
}

void TDeviationFilterDialog::LoadDeviationCaptions(const char* caption, int deviation,
                                                   int strengthNeutral, int strengthMin,
                                                   int strengthMax, int strength) {
  FCaption = caption;
  SetSlider(0, DeviationSlider("Std. deviation", 75, deviation));
  SetSlider(1, StrengthSlider("Strength", 75, strengthMin, strengthMax, strengthNeutral,
                              strength));
}

TSharpenFilterDialog::TSharpenFilterDialog() : TDeviationFilterDialog(dsGaussian) {
  Initialize(false);
}
void TSharpenFilterDialog::LoadCaptions() { LoadDeviationCaptions("Sharpen", 75, 50, 10, 100, 50); }
void TSharpenFilterDialog::ConfigureFilter(TPGFilter& filter) const {
  dynamic_cast<TConvFilter&>(filter).BuildSharpen(DistributionShape(), UseDistance(), Percent(),
                                                  StdDeviation());
}

TDetailFilterDialog::TDetailFilterDialog() : TDeviationFilterDialog(dsGaussian) {
  Initialize(false);
}
void TDetailFilterDialog::LoadCaptions() { LoadDeviationCaptions("Detail", 75, 75, 10, 100, 75); }
void TDetailFilterDialog::ConfigureFilter(TPGFilter& filter) const {
  dynamic_cast<TConvFilter&>(filter).BuildDetail(DistributionShape(), UseDistance(), Percent(),
                                                 StdDeviation());
}

TSmoothFilterDialog::TSmoothFilterDialog() : TDeviationFilterDialog(dsGaussian) {
  Initialize(false);
}
void TSmoothFilterDialog::LoadCaptions() {
  LoadDeviationCaptions("Smooth", 130, 100, 10, 100, 100);
}
void TSmoothFilterDialog::ConfigureFilter(TPGFilter& filter) const {
  dynamic_cast<TConvFilter&>(filter).BuildSmooth(DistributionShape(), UseDistance(), Percent(),
                                                 StdDeviation());
}

TContourFilterDialog::TContourFilterDialog() : TDeviationFilterDialog(dsRect) {
  Initialize(false);
}
void TContourFilterDialog::LoadCaptions() {
  LoadDeviationCaptions("Contour", 100, 100, 100, 1000, 100);
  FRadio.Shown = true;
  FRadio.Caption1 = "White";
  FRadio.Caption2 = "Black";
}
void TContourFilterDialog::ConfigureFilter(TPGFilter& filter) const {
  dynamic_cast<TConvFilter&>(filter).BuildContour(DistributionShape(), UseDistance(), !BlackBk(),
                                                  Percent(), StdDeviation());
}

TBlurFilterDialog::TBlurFilterDialog() : TConvFilterDialog(dsGaussian) { Initialize(false); }
void TBlurFilterDialog::SetRadius(double v) { SetPosition(0, HundredthsPosition(v, 50, 500)); }
void TBlurFilterDialog::LoadCaptions() {
  FCaption = "Blur";
  SetSlider(0, RadiusSlider("Radius", 50, 250));
  SetSlider(1, StrengthSlider("Strength", 50, 10, 100, 100, 100));
}
void TBlurFilterDialog::ConfigureFilter(TPGFilter& filter) const {
  dynamic_cast<TConvFilter&>(filter).BuildBlur(Percent(), Radius());
}
