// Stretched copies in each quality, region copies and their clipping.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "tests/imaging/TestImages.h"
#include "imaging/PGraphic.h"

namespace {

// A one-row grey picture from values.
void Row(TPixelGraphic& g, const std::vector<int>& values) {
  g.SetSize(static_cast<int>(values.size()), 1, pf24Bit);
  for (std::size_t x = 0; x < values.size(); ++x)
    g.SetPixel(static_cast<int>(x), 0, RGBColor(values[x], values[x], values[x]));
}

std::vector<int> Stretched(const std::vector<int>& values, int width, TStretchMode mode) {
  TPixelGraphic src, dst;
  Row(src, values);
  dst.SetSize(width, 1, pf24Bit);
  dst.StretchMode = mode;
  dst.CopyFrom(src);
  std::vector<int> out;
  for (int x = 0; x < width; ++x) out.push_back(RedOf(dst.Pixel(x, 0)));
  return out;
}

TEST(StretchTaps, FastPicksOnePixel) {
  EXPECT_EQ(Stretched({10, 20, 30, 40}, 2, smFast), (std::vector<int>{10, 30}));
  EXPECT_EQ(Stretched({0, 100}, 4, smFast), (std::vector<int>{0, 0, 100, 100}));
}

TEST(StretchTaps, ReductionAveragesOrInterpolates) {
  EXPECT_EQ(Stretched({10, 20, 30, 40}, 2, smPrecise), (std::vector<int>{15, 35}));
  EXPECT_EQ(Stretched({10, 20, 30, 40}, 2, smMedium), (std::vector<int>{15, 35}));
  // Area average over 3 -> 2: weights 2 and 1, then 1 and 2 (divisor 3, truncating).
  EXPECT_EQ(Stretched({0, 90, 200}, 2, smPrecise), (std::vector<int>{30, 163}));
}

TEST(StretchTaps, EnlargementAveragesOrInterpolates) {
  EXPECT_EQ(Stretched({0, 100}, 4, smMedium), (std::vector<int>{0, 0, 100, 100}));
  EXPECT_EQ(Stretched({0, 100}, 4, smPrecise), (std::vector<int>{0, 25, 75, 100}));
  EXPECT_EQ(Stretched({0, 100}, 3, smMedium), (std::vector<int>{0, 50, 100}));
}

TEST(StretchTaps, VerticalAxisMatchesHorizontal) {
  TPixelGraphic src, dst;
  src.SetSize(1, 2, pf24Bit);
  src.SetPixel(0, 0, 0);
  src.SetPixel(0, 1, RGBColor(100, 100, 100));
  dst.SetSize(1, 4, pf24Bit);
  dst.CopyFrom(src);
  const int expected[] = {0, 25, 75, 100};
  for (int y = 0; y < 4; ++y) EXPECT_EQ(RedOf(dst.Pixel(0, y)), expected[y]);
}

TEST(Stretch, ConstantPicturesStayConstantInEveryMode) {
  const std::pair<int, int> sizes[] = {{7, 5}, {1, 1}, {13, 31}, {40, 3}, {64, 64}};
  for (TStretchMode mode : {smFast, smMedium, smPrecise})
    for (auto [sw, sh] : sizes)
      for (auto [dw, dh] : sizes) {
        TPixelGraphic src, dst;
        src.SetSize(sw, sh, pf24Bit);
        FillConstant(src, RGBColor(200, 100, 7));
        dst.SetSize(dw, dh, pf24Bit);
        dst.StretchMode = mode;
        dst.CopyFrom(src);
        for (int y = 0; y < dh; ++y)
          for (int x = 0; x < dw; ++x)
            ASSERT_EQ(dst.Pixel(x, y), RGBColor(200, 100, 7))
                << int(mode) << " " << sw << "x" << sh << "->" << dw << "x" << dh;
        // And into a palette that holds the colour exactly.
        TPixelGraphic pal;
        pal.SetSize(dw, dh, pf8Bit);
        pal.SetPaletteCount(2);
        pal.SetPaletteColor(1, RGBColor(200, 100, 7));
        pal.StretchMode = mode;
        pal.CopyFrom(src);
        for (int y = 0; y < dh; ++y)
          for (int x = 0; x < dw; ++x) ASSERT_EQ(pal.Pixel(x, y), 1u);
      }
}

TEST(Stretch, TargetRectangleHangingOffWritesOnlyTheOverlap) {
  TPixelGraphic src, dst;
  src.SetSize(2, 2, pf24Bit);
  FillConstant(src, RGBColor(50, 50, 50));
  dst.SetSize(4, 4, pf24Bit);
  dst.StretchMode = smFast;
  dst.StretchCopy(-2, 2, 4, 4, src, 0, 0, 2, 2);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(dst.Pixel(x, y), (x < 2 && y >= 2) ? RGBColor(50, 50, 50) : 0u) << x << "," << y;
}

TEST(Stretch, SourceRectanglePartlyOutsideSkipsThosePixels) {
  TPixelGraphic src, dst;
  src.SetSize(2, 1, pf24Bit);
  FillConstant(src, RGBColor(9, 9, 9));
  dst.SetSize(4, 1, pf24Bit);
  dst.SetBackGroundColor(RGBColor(1, 1, 1));
  dst.Clear();
  dst.StretchMode = smFast;
  dst.StretchCopy(0, 0, 4, 1, src, 0, 0, 4, 2);  // source columns 2..3 do not exist
  EXPECT_EQ(dst.Pixel(1, 0), RGBColor(9, 9, 9));
  EXPECT_EQ(dst.Pixel(2, 0), RGBColor(1, 1, 1));
}

TEST(Stretch, DegenerateAndHugeRectanglesAreSafe) {
  TPixelGraphic src, dst;
  src.SetSize(3, 3, pf24Bit);
  FillConstant(src, RGBColor(5, 5, 5));
  dst.SetSize(4, 4, pf24Bit);
  int changes = 0;
  dst.OnPixelGraphicChange = [&](TPixelGraphic&) { ++changes; };
  dst.StretchCopy(0, 0, 4, 4, src, 0, 0, 0, 3);   // no source width
  dst.StretchCopy(0, 0, 4, 4, src, 0, 0, -5, 3);  // negative
  EXPECT_EQ(dst.Pixel(0, 0), 0u);
  for (TStretchMode mode : {smFast, smMedium, smPrecise}) {
    dst.StretchMode = mode;
    dst.StretchCopy(0, 0, 4, 4, src, 0, 0, INT_MAX, INT_MAX);  // taps in 64 bits
    dst.StretchCopy(INT_MIN / 2, 0, INT_MAX, 4, src, 0, 0, 3, 3);
    dst.StretchCopy(0, 0, 4, 4, src, INT_MAX - 2, 0, 5, 3);
  }
  EXPECT_GT(changes, 0);
  dst.OnPixelGraphicChange = nullptr;
  dst.StretchCopy(0, 0, 4, 4, dst, 0, 0, 2, 2);  // onto itself
}

TEST(Stretch, ProgressRunsOncePerRowAndAbortStops) {
  TPixelGraphic src, dst;
  MakePhotoLike(src, 30, 20);
  dst.SetSize(10, 6, pf24Bit);
  std::vector<std::pair<int, int>> steps;
  int starts = 0, ends = 0;
  dst.OnPixelGraphicProgressStart = [&](TPixelGraphic&) { ++starts; };
  dst.OnPixelGraphicProgressEnd = [&](TPixelGraphic&) { ++ends; };
  dst.OnPixelGraphicProgress = [&](TPixelGraphic&, int s, int m, bool& abort) {
    steps.emplace_back(s, m);
    abort = s == 2;
  };
  dst.CopyFrom(src);
  EXPECT_EQ(steps, (std::vector<std::pair<int, int>>{{0, 5}, {1, 5}, {2, 5}}));
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(ends, 1);
  EXPECT_EQ(dst.Pixel(5, 5), 0u);  // rows after the abort stay as they were
}

TEST(CopyRegion, ClipsToBothImagesAndConvertsFormats) {
  TPixelGraphic src, dst;
  src.SetSize(4, 4, pf24Bit);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) src.SetPixel(x, y, RGBColor(x * 10, y * 10, 0));
  dst.SetSize(3, 3, pf24Bit);
  dst.CopyRegion(-1, 1, src, 0, 0, 4, 4);
  EXPECT_EQ(dst.Pixel(0, 1), RGBColor(10, 0, 0));
  EXPECT_EQ(dst.Pixel(2, 2), RGBColor(30, 10, 0));
  EXPECT_EQ(dst.Pixel(0, 0), 0u);
  dst.CopyRegion(0, 0, src, 3, 3, 3, 3);  // only the source's last pixel exists
  EXPECT_EQ(dst.Pixel(0, 0), RGBColor(30, 30, 0));
  EXPECT_EQ(dst.Pixel(1, 0), 0u);  // its source column lies outside the source
}

TEST(CopyRegion, PaletteTargetsMapThroughTheirPalette) {
  TPixelGraphic src, dst;
  src.SetSize(2, 1, pf24Bit);
  src.SetPixel(0, 0, RGBColor(250, 250, 250));
  src.SetPixel(1, 0, RGBColor(3, 3, 3));
  dst.SetSize(2, 1, pf1Bit);
  dst.SetPaletteIdent(pBlackWhite);
  dst.Dither = false;
  dst.CopyFrom(src);
  EXPECT_EQ(dst.Pixel(0, 0), 1u);
  EXPECT_EQ(dst.Pixel(1, 0), 0u);
  TPixelGraphic back;
  back.SetSize(2, 1, pf24Bit);
  back.CopyFrom(dst);
  EXPECT_EQ(back.Pixel(0, 0), RGBColor(255, 255, 255));
  // Pixel values beyond the palette read as its first entry.
  dst.SetPaletteCount(1);
  back.CopyFrom(dst);
  EXPECT_EQ(back.Pixel(0, 0), 0u);
}

}  // namespace
