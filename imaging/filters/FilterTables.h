// What the filter dialogs write into the filters: channel tables from slider positions, the
// factor scale of contrast and gamma, and the clamps of the dialogs' properties. The command
// line uses the same functions, so both configure a filter alike.
#pragma once

#include "imaging/filters/ChannelFilters.h"
#include "imaging/filters/PointFilters.h"

// Slider ranges.
inline constexpr int kShiftMin = -100, kShiftMax = 100;  // channel shifts and brightness
inline constexpr int kHueMin = -180, kHueMax = 180;      // hue in degrees
inline constexpr int kFactorMin = -100, kFactorMax = 100;  // contrast and gamma positions

// T[i] = i + v x 255 div 100 (truncating), limited to 0..255; v in -100..100.
void SetShiftTable(TChannelTable& table, int v);
// T[i] = i + v x 256 div 360 brought into 0..255; v in degrees -180..180.
void SetHueTable(TChannelTable& table, int degrees);

// Contrast and gamma: slider position v in -100..100 stands for the factor 5^(v / 100).
double FactorOfPosition(int position);
// The position of a factor: limited to 0.2..5.0, Round(ln(x) x 100 / ln 5), limited to the
// slider range.
int PositionOfFactor(double factor);
// The factor as shown and read back: 5^(v / 100) rounded to two decimals.
double ShownFactor(int position);

// A hue in degrees brought into -180..180 by adding or subtracting 360.
int WrapHuePosition(int degrees);
// A slider position limited to its range.
int ClampPosition(int value, int min, int max);
// Values kept in hundredths (standard deviation, radius): limited to min..max (in
// hundredths), stored as Round(x x 100).
int HundredthsPosition(double value, int min, int max);

// RGB, CMY and YCbCr: three shift tables.
void ConfigureShiftFilter(TXXXFilter& filter, int v1, int v2, int v3);
// HLS (hue, L, S) and HSV (hue, S, V): a hue table and two shift tables.
void ConfigureHueFilter(TXXXFilter& filter, int hue, int v2, int v3);
// Brightness in percent, contrast and gamma as slider positions.
void ConfigureBCGFilter(TBCGFilter& filter, int brightness, int contrastPosition,
                        int gammaPosition, bool useY);
