#include "editor/core/ZoomSteps.h"

#include <cmath>

namespace {

// Factors are kept on whole tenths so that repeated steps do not drift past the limits.
double Tenths(double factor) { return std::round(factor * 10.0) / 10.0; }

}  // namespace

double ZoomToolIn(double factor) { return factor < 3.0 ? Tenths(factor + 0.2) : factor; }

double ZoomToolOut(double factor) { return factor > 0.3 ? Tenths(factor - 0.2) : factor; }
