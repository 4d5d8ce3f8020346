#include "print/core/PrintUnits.h"

#include <cmath>
#include <limits>

double UnitFactor(TUnits units) { return units == TUnits::unCentimeters ? 2.54 : 1.0; }

int UnitsToPixels(double value, int resolution, TUnits units) {
  // nearbyint rounds halves to even in the default rounding mode.
  const double pixels = std::nearbyint(resolution * value / UnitFactor(units));
  if (std::isnan(pixels)) return 0;
  constexpr double lo = std::numeric_limits<int>::min(), hi = std::numeric_limits<int>::max();
  if (pixels <= lo) return std::numeric_limits<int>::min();
  if (pixels >= hi) return std::numeric_limits<int>::max();
  return static_cast<int>(pixels);
}

double PixelsToUnits(int pixels, int resolution, TUnits units) {
  if (resolution <= 0) return 0.0;
  return static_cast<double>(pixels) / resolution * UnitFactor(units);
}
