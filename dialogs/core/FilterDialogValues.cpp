#include "dialogs/core/FilterDialogValues.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "imaging/filters/FilterTables.h"

namespace {

TSliderDesc Slider(const std::string& caption, int captionWidth, int min, int max, int ticks,
                   int neutral, int position) {
  TSliderDesc s;
  s.Shown = true;
  s.Min = min;
  s.Max = max;
  s.Ticks = ticks;
  s.Neutral = neutral;
  s.CaptionWidth = captionWidth;
  s.Caption = caption;
  s.Position = position;
  return s;
}

std::string TwoDecimals(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.2f", v);
  return buf;
}

}  // namespace

TSliderDesc ShiftSlider(const std::string& caption, int captionWidth) {
  TSliderDesc s = Slider(caption, captionWidth, kShiftMin, kShiftMax, 10, 0, 0);
  s.LeftLabel = "-100%";
  s.CentreLabel = std::string(kPlusMinus) + "0%";
  s.RightLabel = "+100%";
  return s;
}

TSliderDesc HueSlider(const std::string& caption, int captionWidth) {
  TSliderDesc s = Slider(caption, captionWidth, kHueMin, kHueMax, 15, 0, 0);
  s.LeftLabel = std::string("-180") + kDegree;
  s.CentreLabel = std::string(kPlusMinus) + "0" + kDegree;
  s.RightLabel = std::string("+180") + kDegree;
  return s;
}

TSliderDesc FactorSlider(const std::string& caption, int captionWidth) {
  TSliderDesc s = Slider(caption, captionWidth, kFactorMin, kFactorMax, 100, 0, 0);
  s.LeftLabel = "0.20";
  s.CentreLabel = "1.00";
  s.RightLabel = "5.00";
  return s;
}

TSliderDesc DeviationSlider(const std::string& caption, int captionWidth, int position) {
  TSliderDesc s = Slider(caption, captionWidth, 40, 130, 10, 75, position);
  s.LeftLabel = "0.40";
  s.RightLabel = "1.30";
  return s;
}

TSliderDesc RadiusSlider(const std::string& caption, int captionWidth, int position) {
  TSliderDesc s = Slider(caption, captionWidth, 50, 500, 50, 250, position);
  s.LeftLabel = "0.50";
  s.RightLabel = "5.00";
  return s;
}

TSliderDesc StrengthSlider(const std::string& caption, int captionWidth, int min, int max,
                           int neutral, int position) {
  TSliderDesc s = Slider(caption, captionWidth, min, max, min == 10 ? 10 : 100, neutral,
                         position);
  s.LeftLabel = StrengthText(min);
  s.RightLabel = StrengthText(max);
  return s;
}

std::string SignedValueText(int value, const std::string& unit) {
  if (value > 0) return "+" + std::to_string(value) + unit;
  if (value == 0) return std::string(kPlusMinus) + "0" + unit;
  return std::to_string(value) + unit;
}

std::string FactorValueText(int position) { return TwoDecimals(ShownFactor(position)); }

std::string HundredthsText(int position) { return TwoDecimals(position / 100.0); }

std::string StrengthText(int value) { return std::to_string(value) + "%"; }

void PreviewSourceSize(int width, int height, int areaW, int areaH, int& w, int& h) {
  w = std::max(width, 0);
  h = std::max(height, 0);
  if (w == 0 || h == 0) {
    w = h = 0;
    return;
  }
  if (areaW < 1 || areaH < 1 || (w <= areaW && h <= areaH)) return;
  // Relatively wider than the area: the width fills it.
  if (static_cast<double>(w) * areaH > static_cast<double>(areaW) * h) {
    h = static_cast<int>(std::nearbyint(static_cast<double>(height) * areaW / width));
    w = areaW;
  } else {
    w = static_cast<int>(std::nearbyint(static_cast<double>(width) * areaH / height));
    h = areaH;
  }
  w = std::max(w, 1);
  h = std::max(h, 1);
}
