// TConvFilter: kernels, border renormalisation, builders and the row loops.
#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "tests/filters/FilterTestUtil.h"
#include "imaging/filters/ApplyFilter.h"
#include "imaging/filters/ConvFilter.h"

namespace {

std::vector<std::int32_t> Kernel(const TConvFilter& f) {
  std::vector<std::int32_t> k;
  for (int row = 0; row < f.KernelHeight(); ++row)
    for (int col = 0; col < f.KernelWidth(); ++col) k.push_back(f.Weight(col, row));
  return k;
}

std::int64_t Sum(const TConvFilter& f) {
  std::int64_t s = 0;
  for (std::int32_t w : Kernel(f)) s += w;
  return s;
}

// The definition, pixel by pixel through the colour accessor, with exact rational rounding
// of sum / total (Factor 1, Offset 0).
TRGB Reference(const TConvFilter& f, const TPixelGraphic& src, int x, int y) {
  std::int64_t n = 0, r = 0, g = 0, b = 0;
  for (int i = 0; i < f.KernelHeight(); ++i)
    for (int j = 0; j < f.KernelWidth(); ++j) {
      const int sx = x + f.OriginX + j, sy = y + f.OriginY + i;
      if (sx < 0 || sy < 0 || sx >= src.Width() || sy >= src.Height()) continue;
      const std::int64_t k = f.Weight(j, i);
      const TRGB c = src.PixelColor(sx, sy);
      n += k;
      r += k * RedOf(c);
      g += k * GreenOf(c);
      b += k * BlueOf(c);
    }
  auto value = [&](std::int64_t v) {
    const double q = n != 0 ? static_cast<double>(v) / static_cast<double>(n) : static_cast<double>(v);
    return static_cast<int>(std::clamp(std::nearbyint(f.Factor * q + f.Offset * 255 * 0.01), 0.0, 255.0));
  };
  return RGBColor(value(r), value(g), value(b));
}

TEST(ConvFilter, NewFilterIsTheIdentity) {
  TConvFilter f;
  EXPECT_EQ(f.KernelWidth(), 1);
  EXPECT_EQ(f.Weight(0, 0), 1);
  EXPECT_FALSE(f.IsPointFilter());
  EXPECT_EQ(f.FilterColor(RGBColor(1, 2, 3)), RGBColor(1, 2, 3));
  TPixelGraphic src, dst;
  MakeVaried(src, 19, 7);
  ApplyFilter(dst, f, src);
  EXPECT_EQ(Colors(dst), Colors(src));
  EXPECT_EQ(dst.PixelFormat(), pf24Bit);
}

TEST(ConvFilter, KernelAccessAndSizes) {
  TConvFilter f;
  f.SetKernelWidth(3);
  EXPECT_EQ(Kernel(f), std::vector<std::int32_t>(3, 0));
  f.SetWeight(2, 0, -7);
  f.SetKernelWidth(3);  // the same size keeps the weights
  EXPECT_EQ(f.Weight(2, 0), -7);
  f.SetKernelHeight(2);
  EXPECT_EQ(Kernel(f), std::vector<std::int32_t>(6, 0));
  try {
    f.Weight(3, 0);
    FAIL();
  } catch (const EPGConvFilter& e) {
    EXPECT_STREQ(e.what(), "X, Y index out of range");
  }
  EXPECT_THROW(f.SetWeight(0, -1, 1), EPGConvFilter);
  try {
    f.SetKernelWidth(100);
    FAIL();
  } catch (const EPGConvFilter& e) {
    EXPECT_STREQ(e.what(), "TConvFilter.Width out of range");
  }
  try {
    f.SetKernelHeight(0);
    FAIL();
  } catch (const EPGConvFilter& e) {
    EXPECT_STREQ(e.what(), "TConvFilter.Height out of range");
  }
  EXPECT_EQ(f.KernelWidth(), 3);
  EXPECT_EQ(f.KernelHeight(), 2);
}

TEST(ConvFilter, DistributionKernels) {
  TConvFilter f;
  const std::vector<std::int32_t> gauss{3, 7, 3, 7, 16, 7, 3, 7, 3};
  f.BuildDistribution(dsGaussian, true, 0.75);
  EXPECT_EQ(Kernel(f), gauss);
  EXPECT_EQ(Sum(f), 56);
  EXPECT_EQ(f.OriginX, -1);
  EXPECT_EQ(f.OriginY, -1);
  f.BuildDistribution(dsGaussian, false, 0.75);
  EXPECT_EQ(Kernel(f), gauss);
  f.BuildDistribution(dsTent, true, 0.75);
  EXPECT_EQ(Kernel(f), (std::vector<std::int32_t>{4, 7, 4, 7, 16, 7, 4, 7, 4}));
  f.BuildDistribution(dsRect, true, 1.0);
  EXPECT_EQ(Kernel(f), std::vector<std::int32_t>(9, 1));
  f.BuildDistribution(dsRect, true, 0.75);  // a = 1.30 leaves the corners (1.41) out
  EXPECT_EQ(Kernel(f), (std::vector<std::int32_t>{0, 1, 0, 1, 1, 1, 0, 1, 0}));
  f.BuildDistribution(dsGaussian, true, 1.3);
  EXPECT_EQ(f.KernelWidth(), 7);
  EXPECT_EQ(f.Weight(3, 3), 16);
  EXPECT_EQ(Sum(f), 172);
  f.BuildDistribution(dsTent, true, 0.4);
  EXPECT_EQ(Kernel(f), std::vector<std::int32_t>{16});
  EXPECT_EQ(f.OriginX, 0);
}

TEST(ConvFilter, BordersRenormaliseOverTheCellsInside) {
  TConvFilter f;
  f.BuildDistribution(dsGaussian, true, 0.75);
  TPixelGraphic src, dst;
  src.SetSize(3, 3, pf24Bit);
  src.SetPixel(0, 0, RGBColor(200, 0, 0));
  src.SetPixel(1, 0, RGBColor(100, 0, 0));
  src.SetPixel(0, 1, RGBColor(50, 0, 0));
  src.SetPixel(1, 1, RGBColor(10, 0, 33));
  ApplyFilter(dst, f, src);
  // (16 x 200 + 7 x 100 + 7 x 50 + 3 x 10) / 33 = 129.7; blue 3 x 33 / 33 = 3.
  EXPECT_EQ(dst.PixelColor(0, 0), RGBColor(130, 0, 3));
  // A zero-sum kernel near a border: the raw sum is used when the inside weights cancel.
  TConvFilter edge;
  edge.SetKernelWidth(3);
  edge.OriginX = -1;
  edge.OriginY = 0;
  edge.SetWeight(0, 0, -1);
  edge.SetWeight(2, 0, 1);
  TPixelGraphic row, out;
  row.SetSize(3, 1, pf24Bit);
  row.SetPixel(0, 0, RGBColor(10, 10, 10));
  row.SetPixel(1, 0, RGBColor(20, 20, 20));
  row.SetPixel(2, 0, RGBColor(90, 90, 90));
  ApplyFilter(out, edge, row);
  EXPECT_EQ(out.PixelColor(1, 0), RGBColor(80, 80, 80));   // total 0: raw 90 - 10
  EXPECT_EQ(out.PixelColor(0, 0), RGBColor(20, 20, 20));   // only the +1 cell: 20 / 1
  EXPECT_EQ(out.PixelColor(2, 0), RGBColor(20, 20, 20));   // only the -1 cell: -20 / -1
}

TEST(ConvFilter, Builders) {
  TConvFilter f;
  f.BuildSmooth(dsGaussian, true, 100, 0.75);
  EXPECT_EQ(Kernel(f), (std::vector<std::int32_t>{3, 7, 3, 7, 16, 7, 3, 7, 3}));
  f.BuildSmooth(dsGaussian, true, 50, 0.75);
  EXPECT_EQ(f.Weight(1, 1), 16 + 56);
  f.BuildSharpen(dsGaussian, true, 50, 0.75);
  EXPECT_EQ(Kernel(f), (std::vector<std::int32_t>{-3, -7, -3, -7, 112, -7, -3, -7, -3}));
  f.BuildDetail(dsGaussian, true, 100, 0.75);
  EXPECT_EQ(f.Weight(1, 1), 41);  // 56 - 16 + 1
  EXPECT_EQ(Sum(f), 1);
  f.BuildContour(dsRect, true, true, 792, 1.16);
  EXPECT_EQ(Sum(f), 1);
  EXPECT_DOUBLE_EQ(f.Offset, 100);
  EXPECT_DOUBLE_EQ(f.Factor, 792);
  f.BuildContour(dsRect, true, false, 300, 1.0);
  EXPECT_DOUBLE_EQ(f.Offset, 0);
  EXPECT_DOUBLE_EQ(f.Factor, -300);
  EXPECT_EQ(Kernel(f), (std::vector<std::int32_t>{-1, -1, -1, -1, 9, -1, -1, -1, -1}));

  f.BuildBlur(100, 2.5);  // Round(2.5) = 2: a 5 x 5 ring
  EXPECT_EQ(f.KernelWidth(), 5);
  EXPECT_EQ(Sum(f), 360);
  EXPECT_EQ(f.Weight(2, 2), 0);
  EXPECT_EQ(f.OriginX, -2);
  f.BuildBlur(50, 2.5);
  EXPECT_EQ(f.Weight(2, 2), 360);
  f.BuildBlur(100, 0.5);
  EXPECT_EQ(Kernel(f), std::vector<std::int32_t>{360});
}

TEST(ConvFilter, BuildersRefuseValuesThatDivideByZero) {
  TConvFilter f;
  f.BuildSharpen(dsGaussian, true, 50, 0.75);
  const auto before = Kernel(f);
  auto message = [&](auto build) {
    try {
      build();
    } catch (const EPGConvFilter& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message([&] { f.BuildSmooth(dsGaussian, true, 0, 1.0); }),
            "TConvFilter.Percent out of range");
  EXPECT_EQ(message([&] { f.BuildSharpen(dsTent, true, 50, 0); }),
            "TConvFilter.StdDeviation out of range");
  EXPECT_EQ(message([&] { f.BuildDetail(dsRect, false, 50, -1); }),
            "TConvFilter.StdDeviation out of range");
  EXPECT_EQ(message([&] { f.BuildContour(dsRect, true, true, 0, 1); }),
            "TConvFilter.Percent out of range");
  EXPECT_EQ(message([&] { f.BuildBlur(0, 2.0); }), "TConvFilter.Percent out of range");
  EXPECT_EQ(message([&] { f.BuildBlur(100, -1); }), "TConvFilter.Radius out of range");
  EXPECT_EQ(message([&] { f.BuildBlur(100, 60); }), "TConvFilter.Radius out of range");
  EXPECT_EQ(message([&] { f.BuildSmooth(dsGaussian, true, 1e-9, 1.0); }),
            "TConvFilter.Percent out of range");
  EXPECT_EQ(message([&] { f.BuildSmooth(dsGaussian, true, 100, 1e6); }),
            "TConvFilter.StdDeviation out of range");
  EXPECT_EQ(message([&] { f.BuildSharpen(dsGaussian, true, std::nan(""), 1.0); }),
            "TConvFilter.Percent out of range");
  EXPECT_EQ(Kernel(f), before);
}

TEST(ConvFilter, ContourOnUniformGrey) {
  TPixelGraphic src;
  src.SetSize(12, 9, pf24Bit);
  FillColor(src, RGBColor(128, 128, 128));
  TConvFilter f;
  for (bool white : {true, false}) {
    f.BuildContour(dsRect, true, white, 100, 1.0);
    TPixelGraphic dst;
    ApplyFilter(dst, f, src);
    for (TRGB c : Colors(dst)) ASSERT_EQ(c, white ? 0xFFFFFFu : 0u);
  }
}

TEST(ConvFilter, HugeWeightsAreSummedIn64Bits) {
  // Weight sums of this kernel overflow 32 bits at every pixel.
  TConvFilter f;
  f.SetKernelWidth(3);
  f.SetKernelHeight(3);
  f.OriginX = f.OriginY = -1;
  const std::int32_t big = std::numeric_limits<std::int32_t>::max();
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) f.SetWeight(j, i, big);
  TPixelGraphic src, dst;
  MakeVaried(src, 9, 6);
  ApplyFilter(dst, f, src);
  // Equal weights: the plain mean of the cells inside.
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 9; ++x) {
      TConvFilter mean;
      mean.SetKernelWidth(3);
      mean.SetKernelHeight(3);
      mean.OriginX = mean.OriginY = -1;
      for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) mean.SetWeight(j, i, 1);
      ASSERT_EQ(dst.PixelColor(x, y), Reference(mean, src, x, y)) << x << "," << y;
    }
}

TEST(ConvFilter, RowLoopsMatchTheDefinition) {
  // Random kernels, origins and sizes (also larger than the picture), against the direct
  // definition; the row loops group equal rows and mirrored columns.
  std::mt19937 rng(5);
  TPixelGraphic src;
  MakeVaried(src, 37, 23, 3);
  TPixelGraphic pal;
  MakeVariedPalette(pal, 37, 23, 100);
  for (int trial = 0; trial < 60; ++trial) {
    TConvFilter f;
    const int kw = 1 + static_cast<int>(rng() % 9), kh = 1 + static_cast<int>(rng() % 9);
    f.SetKernelWidth(trial == 0 ? 45 : kw);
    f.SetKernelHeight(kh);
    f.OriginX = -static_cast<int>(rng() % (f.KernelWidth() + 2));
    f.OriginY = -static_cast<int>(rng() % (kh + 2));
    const bool symmetric = trial % 2 == 0;
    for (int i = 0; i < kh; ++i)
      for (int j = 0; j < f.KernelWidth(); ++j) {
        const int w = static_cast<int>(rng() % 21) - 6;
        f.SetWeight(j, i, w);
        if (symmetric) {
          f.SetWeight(f.KernelWidth() - 1 - j, i, w);
          f.SetWeight(j, kh - 1 - i, w);
          f.SetWeight(f.KernelWidth() - 1 - j, kh - 1 - i, w);
        }
      }
    const TPixelGraphic& source = trial % 3 == 0 ? pal : src;
    TPixelGraphic dst;
    ApplyFilter(dst, f, source);
    for (int y = 0; y < 23; ++y)
      for (int x = 0; x < 37; ++x)
        ASSERT_EQ(dst.PixelColor(x, y), Reference(f, source, x, y))
            << "trial " << trial << " at " << x << "," << y;
    // FilterPixel gives the same colours as the rows.
    f.Prepare(source);
    EXPECT_EQ(f.FilterPixel(5, 7), dst.PixelColor(5, 7));
    f.Finish();
  }
}

TEST(ConvFilter, SmoothAtFullStrengthIsTheBaseBlur) {
  TPixelGraphic src;
  MakeVaried(src, 30, 20);
  TConvFilter base, smooth;
  base.BuildDistribution(dsGaussian, true, 1.3);
  smooth.BuildSmooth(dsGaussian, true, 100, 1.3);
  TPixelGraphic a, b;
  ApplyFilter(a, base, src);
  ApplyFilter(b, smooth, src);
  EXPECT_EQ(Colors(a), Colors(b));
}

}  // namespace
