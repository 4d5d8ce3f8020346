#include "imaging/filters/FilterTables.h"

#include <algorithm>
#include <cmath>

void SetShiftTable(TChannelTable& table, int v) {
  const int shift = v * 255 / 100;
  for (int i = 0; i < 256; ++i)
    table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(std::clamp(i + shift, 0, 255));
}

void SetHueTable(TChannelTable& table, int degrees) {
  const int shift = degrees * 256 / 360;
  for (int i = 0; i < 256; ++i) {
    int v = i + shift;
    while (v < 0) v += 256;
    while (v > 255) v -= 256;
    table[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v);
  }
}

double FactorOfPosition(int position) { return std::pow(5.0, position / 100.0); }

int PositionOfFactor(double factor) {
  if (!(factor >= 0.2)) factor = 0.2;  // also NaN
  if (factor > 5.0) factor = 5.0;
  const double v = std::nearbyint(std::log(factor) * 100.0 / std::log(5.0));
  return std::clamp(static_cast<int>(v), kFactorMin, kFactorMax);
}

double ShownFactor(int position) {
  return std::nearbyint(FactorOfPosition(position) * 100.0) / 100.0;
}

int WrapHuePosition(int degrees) {
  degrees %= 360;
  if (degrees > 180) degrees -= 360;
  if (degrees < -180) degrees += 360;
  return degrees;
}

int ClampPosition(int value, int min, int max) { return std::clamp(value, min, max); }

int HundredthsPosition(double value, int min, int max) {
  const double lo = min / 100.0, hi = max / 100.0;
  if (!(value >= lo)) value = lo;
  if (value > hi) value = hi;
  return std::clamp(static_cast<int>(std::nearbyint(value * 100.0)), min, max);
}

void ConfigureShiftFilter(TXXXFilter& filter, int v1, int v2, int v3) {
  SetShiftTable(filter.T1, ClampPosition(v1, kShiftMin, kShiftMax));
  SetShiftTable(filter.T2, ClampPosition(v2, kShiftMin, kShiftMax));
  SetShiftTable(filter.T3, ClampPosition(v3, kShiftMin, kShiftMax));
}

void ConfigureHueFilter(TXXXFilter& filter, int hue, int v2, int v3) {
  SetHueTable(filter.T1, WrapHuePosition(hue));
  SetShiftTable(filter.T2, ClampPosition(v2, kShiftMin, kShiftMax));
  SetShiftTable(filter.T3, ClampPosition(v3, kShiftMin, kShiftMax));
}

void ConfigureBCGFilter(TBCGFilter& filter, int brightness, int contrastPosition,
                        int gammaPosition, bool useY) {
  filter.Brightness = ClampPosition(brightness, kShiftMin, kShiftMax);
  filter.Contrast = FactorOfPosition(ClampPosition(contrastPosition, kFactorMin, kFactorMax));
  filter.Gamma = FactorOfPosition(ClampPosition(gammaPosition, kFactorMin, kFactorMax));
  filter.UseY = useY;
  filter.BuildTable();
}
