// The kernel builders of TConvFilter: a base kernel from a distribution shape, and the five
// kernels the program offers derived from it.
#include <cmath>
#include <limits>
#include <numbers>
#include <string>

#include "imaging/PGMessageIds.h"
#include "imaging/filters/ConvFilter.h"

namespace {

[[noreturn]] void RaiseOutOfRange(const char* property) {
  PGRaise<EPGConvFilter>(pgmOutOfRange, std::string("TConvFilter.") + property);
}

// Strengths and deviations must be positive: both divide.
void CheckPositive(double value, const char* property, double least = 0.0) {
  if (!std::isfinite(value) || !(value > least)) RaiseOutOfRange(property);
}

// Round (halves to even) of a value that must fit a weight.
std::int64_t RoundWeight(double v, const char* property) {
  const double r = std::nearbyint(v);
  if (!(std::fabs(r) <= std::numeric_limits<std::int32_t>::max())) RaiseOutOfRange(property);
  return static_cast<std::int64_t>(r);
}

std::int32_t CheckedWeight(std::int64_t v, const char* property) {
  if (v > std::numeric_limits<std::int32_t>::max() || v < -std::numeric_limits<std::int32_t>::max())
    RaiseOutOfRange(property);
  return static_cast<std::int32_t>(v);
}

double Distribution(TDistributionShape shape, double sigma, double x) {
  x = std::fabs(x);
  switch (shape) {
    case dsGaussian:
      return std::exp(-x * x / (2 * sigma * sigma)) / (sigma * std::sqrt(2 * std::numbers::pi));
    case dsTent: {
      const double a = std::sqrt(6.0) * sigma;
      return x <= a ? 1 / a - x / (a * a) : 0.0;
    }
    default: {
      const double a = std::sqrt(3.0) * sigma;
      return x <= a ? 1 / (2 * a) : 0.0;
    }
  }
}

struct TBaseKernel {
  int r = 0;
  int size = 1;
  std::vector<std::int32_t> weights;
  std::int64_t sum = 0;
  std::int32_t centre = 0;
  std::int32_t& At(int col, int row) { return weights[static_cast<std::size_t>(row) * size + col]; }
};

TBaseKernel MakeDistribution(TDistributionShape shape, bool useDistance, double sigma) {
  // Below a hundredth the centre value itself no longer exists in floating point.
  CheckPositive(sigma, "StdDeviation", 0.01 - 1e-12);
  const double f0 = Distribution(shape, sigma, 0);
  // The radius: the first distance whose weight vanishes, minus one.
  int k = 0;
  const int limit = (TConvFilter::kMaxKernelSize + 1) / 2;
  for (;; ++k) {
    if (k > limit) RaiseOutOfRange("StdDeviation");
    const double fk = Distribution(shape, sigma, k);
    if (shape == dsRect ? fk == 0.0 : std::nearbyint(16 * fk / f0) == 0.0) break;
  }
  TBaseKernel kernel;
  kernel.r = k - 1;
  kernel.size = 2 * kernel.r + 1;
  kernel.weights.assign(static_cast<std::size_t>(kernel.size) * kernel.size, 0);
  for (int row = 0; row < kernel.size; ++row)
    for (int col = 0; col < kernel.size; ++col) {
      const double dx = col - kernel.r, dy = row - kernel.r;
      const double d = std::sqrt(dx * dx + dy * dy);
      double w;
      if (shape == dsRect)
        w = useDistance ? (Distribution(shape, sigma, d) > 0 ? 1 : 0) : 1;
      else if (useDistance)
        w = std::nearbyint(16 * Distribution(shape, sigma, d) / f0);
      else
        w = std::nearbyint(16 * Distribution(shape, sigma, dx) * Distribution(shape, sigma, dy) /
                           (f0 * f0));
      kernel.At(col, row) = static_cast<std::int32_t>(w);
      kernel.sum += kernel.At(col, row);
    }
  kernel.centre = kernel.At(kernel.r, kernel.r);
  return kernel;
}

void Negate(TBaseKernel& kernel) {
  for (std::int32_t& w : kernel.weights) w = -w;
}

}  // namespace

void TConvFilter::BuildDistribution(TDistributionShape shape, bool useDistance,
                                    double stdDeviation) {
  TBaseKernel k = MakeDistribution(shape, useDistance, stdDeviation);
  SetKernel(k.size, k.size, std::move(k.weights), -k.r);
  Offset = 0;
  Factor = 1.0;
}

void TConvFilter::BuildSmooth(TDistributionShape shape, bool useDistance, double percent,
                              double stdDeviation) {
  CheckPositive(percent, "Percent");
  TBaseKernel k = MakeDistribution(shape, useDistance, stdDeviation);
  const std::int64_t extra = RoundWeight((100 / percent - 1) * static_cast<double>(k.sum), "Percent");
  k.At(k.r, k.r) = CheckedWeight(k.centre + extra, "Percent");
  SetKernel(k.size, k.size, std::move(k.weights), -k.r);
  Offset = 0;
  Factor = 1.0;
}

void TConvFilter::BuildSharpen(TDistributionShape shape, bool useDistance, double percent,
                               double stdDeviation) {
  CheckPositive(percent, "Percent");
  TBaseKernel k = MakeDistribution(shape, useDistance, stdDeviation);
  const std::int64_t centre = RoundWeight(100 / percent * static_cast<double>(k.sum), "Percent");
  Negate(k);
  k.At(k.r, k.r) = CheckedWeight(centre, "Percent");
  SetKernel(k.size, k.size, std::move(k.weights), -k.r);
  Offset = 0;
  Factor = 1.0;
}

void TConvFilter::BuildDetail(TDistributionShape shape, bool useDistance, double percent,
                              double stdDeviation) {
  CheckPositive(percent, "Percent");
  TBaseKernel k = MakeDistribution(shape, useDistance, stdDeviation);
  const std::int64_t centre =
      RoundWeight(100 / percent * static_cast<double>(k.sum - k.centre + 1), "Percent");
  Negate(k);
  k.At(k.r, k.r) = CheckedWeight(centre, "Percent");
  SetKernel(k.size, k.size, std::move(k.weights), -k.r);
  Offset = 0;
  Factor = 1.0;
}

void TConvFilter::BuildContour(TDistributionShape shape, bool useDistance, bool whiteBackground,
                               double percent, double stdDeviation) {
  CheckPositive(percent, "Percent");
  TBaseKernel k = MakeDistribution(shape, useDistance, stdDeviation);
  const std::int64_t centre = k.sum - k.centre + 1;  // the kernel sums to 1
  Negate(k);
  k.At(k.r, k.r) = CheckedWeight(centre, "Percent");
  SetKernel(k.size, k.size, std::move(k.weights), -k.r);
  Offset = whiteBackground ? 100 : 0;
  Factor = whiteBackground ? percent : -percent;
}

void TConvFilter::BuildBlur(double percent, double radius) {
  CheckPositive(percent, "Percent");
  if (!std::isfinite(radius) || radius < 0) RaiseOutOfRange("Radius");
  const double c = std::nearbyint(radius);
  if (2 * c + 1 > kMaxKernelSize) RaiseOutOfRange("Radius");
  const int r = static_cast<int>(c), size = 2 * r + 1;
  std::vector<std::int32_t> weights(static_cast<std::size_t>(size) * size, 0);
  for (int degree = 0; degree < 360; ++degree) {
    const double t = degree * std::numbers::pi / 180;
    const int dx = static_cast<int>(std::nearbyint(radius * std::sin(t)));
    const int dy = static_cast<int>(std::nearbyint(radius * std::cos(t)));
    ++weights[static_cast<std::size_t>(r + dy) * size + (r + dx)];
  }
  std::int32_t& centre = weights[static_cast<std::size_t>(r) * size + r];
  centre = CheckedWeight(centre + RoundWeight((100 / percent - 1) * 360, "Percent"), "Percent");
  SetKernel(size, size, std::move(weights), -r);
  Offset = 0;
  Factor = 1.0;
}
