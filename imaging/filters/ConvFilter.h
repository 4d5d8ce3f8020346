// TConvFilter: an integer weight kernel slid over the source image, normalised by the weights
// that fall inside the image, then scaled and offset. A new filter is the identity.
//
// Near the borders the cells outside the image are left out of both the weighted sum and the
// weight total (nothing is mirrored or padded); when the remaining weights sum to 0 the raw
// weighted sum is used. Sums are 64-bit, so any kernel of 32-bit weights is summed exactly.
#pragma once

#include <cstdint>
#include <vector>

#include "imaging/filters/Filter.h"

enum TDistributionShape : std::uint8_t { dsGaussian, dsTent, dsRect };

class TConvFilter : public TPGFilter {
 public:
  static constexpr int kMaxKernelSize = 99;

  TConvFilter();
  TConvFilter(const TConvFilter& other);
  TConvFilter& operator=(const TConvFilter& other);
  ~TConvFilter() override;
  std::unique_ptr<TPGFilter> Clone() const override;

  void Prepare(const TPixelGraphic& source) override;
  TRGB FilterPixel(int x, int y) const override;
  void Finish() override;
  void FilterRow(int y, std::uint8_t* bgr) const override;

  // Kernel size 1..99; a new size sets every weight to 0. EPGConvFilter ("TConvFilter.Width
  // out of range") outside 1..99, the kernel unchanged.
  int KernelWidth() const { return FWidth; }
  int KernelHeight() const { return FHeight; }
  void SetKernelWidth(int width);
  void SetKernelHeight(int height);
  // Weight at kernel column `col`, row `row`; EPGConvFilter ("X, Y index out of range")
  // outside the kernel.
  std::int32_t Weight(int col, int row) const;
  void SetWeight(int col, int row, std::int32_t weight);

  // Offset from the target pixel to the image position under kernel column 0 and row 0.
  int OriginX = 0;
  int OriginY = 0;
  double Offset = 0.0;  // added after scaling, in percent of 255
  double Factor = 1.0;  // multiplies the normalised sum

  // The base kernel of smooth, sharpen, detail and contour: a (2r + 1)-square kernel of the
  // distribution with the given standard deviation, centre weight 16 (1 for dsRect).
  void BuildDistribution(TDistributionShape shape, bool useDistance, double stdDeviation);
  // P % blur and (100 - P) % unfiltered pixel.
  void BuildSmooth(TDistributionShape shape, bool useDistance, double percent,
                   double stdDeviation);
  void BuildSharpen(TDistributionShape shape, bool useDistance, double percent,
                    double stdDeviation);
  void BuildDetail(TDistributionShape shape, bool useDistance, double percent,
                   double stdDeviation);
  // Lines where pixels are darker (white background) than their neighbourhood; Factor is the
  // strength P itself, negative on the black background.
  void BuildContour(TDistributionShape shape, bool useDistance, bool whiteBackground,
                    double percent, double stdDeviation);
  // A ring kernel of the given radius: an out-of-focus blur.
  void BuildBlur(double percent, double radius);
  // The builders raise EPGConvFilter ("TConvFilter.Percent out of range", ".StdDeviation",
  // ".Radius") for a strength or deviation that is not above 0, a negative radius, or values
  // that make the kernel larger than 99 cells or its weights larger than 32 bits; the kernel is
  // then unchanged.

 private:
  struct TPrepared;
  void SetKernel(int width, int height, std::vector<std::int32_t> weights, int origin);
  std::uint8_t FinalValue(std::int64_t sum, std::int64_t total) const;
  void PixelAt(int x, int y, std::uint8_t* bgr) const;

  int FWidth = 1;
  int FHeight = 1;
  std::vector<std::int32_t> FWeights;  // row-major: FWeights[row * FWidth + col]
  std::unique_ptr<TPrepared> FPrepared;  // between Prepare and Finish
};
