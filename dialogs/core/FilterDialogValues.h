// What the filter dialogs show: slider descriptors with their ranges and scale labels, the
// value texts right of the sliders, and the size of the preview source.
#pragma once

#include <string>

// One slider of a filter dialog.
struct TSliderDesc {
  bool Shown = false;
  int Min = 0, Max = 0, Ticks = 1, Neutral = 0;
  int CaptionWidth = 14;
  std::string Caption;
  std::string LeftLabel, CentreLabel, RightLabel;
  int ValueWidth = 32;
  int Position = 0;
};

struct TCheckDesc {
  bool Shown = false;
  std::string Caption;
  bool Checked = false;
};

// Two radio buttons; the first is checked unless SecondChecked.
struct TRadioDesc {
  bool Shown = false;
  std::string Caption1, Caption2;
  bool SecondChecked = false;
  std::string GroupCaption;  // drawn at the left of the pair, when not empty
};

// The sign and degree texts of the message table.
inline constexpr const char* kPlusMinus = "\u00b1";
inline constexpr const char* kDegree = "\u00b0";

// The slider kinds with their ranges, ticks, neutral marks and scale labels.
TSliderDesc ShiftSlider(const std::string& caption, int captionWidth);   // -100..100 %
TSliderDesc HueSlider(const std::string& caption, int captionWidth);     // -180..180 degrees
TSliderDesc FactorSlider(const std::string& caption, int captionWidth);  // 0.20 .. 5.00
TSliderDesc DeviationSlider(const std::string& caption, int captionWidth, int position);
TSliderDesc RadiusSlider(const std::string& caption, int captionWidth, int position);
TSliderDesc StrengthSlider(const std::string& caption, int captionWidth, int min, int max,
                           int neutral, int position);

// "+12%", "±0%", "-5%" (unit "%" or the degree sign).
std::string SignedValueText(int value, const std::string& unit);
// The factor 5^(v / 100) with two decimals ("2.00" for 43).
std::string FactorValueText(int position);
// Hundredths with two decimals ("0.75" for 75).
std::string HundredthsText(int position);
// "50%".
std::string StrengthText(int value);

// The size of the preview source for an image in an area: the image's own size when it fits,
// else fitted keeping the aspect ratio (Round); never 0 in a direction unless the image is
// empty (0 x 0).
void PreviewSourceSize(int width, int height, int areaW, int areaH, int& w, int& h);
