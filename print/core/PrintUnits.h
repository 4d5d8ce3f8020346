// Margins and other page distances are kept in inches or centimetres; the pages themselves are
// laid out in the reference device's pixels.
#pragma once

enum class TUnits { unInches, unCentimeters };

// Units per inch: 1.0 for inches, 2.54 for centimetres.
double UnitFactor(TUnits units);

// round(resolution x value / unit factor), halves to even. Results beyond the int range
// (a corrupt value) are clamped to it.
int UnitsToPixels(double value, int resolution, TUnits units);
// pixels / resolution x unit factor (0 for a resolution of 0 or less).
double PixelsToUnits(int pixels, int resolution, TUnits units);
