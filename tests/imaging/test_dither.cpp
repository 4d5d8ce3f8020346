// Error diffusion: the limit table, rounding, serpentine order and colour fidelity.
#include <gtest/gtest.h>

#include "tests/imaging/TestImages.h"
#include "imaging/DitherMath.h"
#include "imaging/PGraphic.h"

namespace {

TEST(DitherLimit, SoftKneeTable) {
  const auto t = BuildDitherLimitTable(32, true);
  auto T = [&](int e) { return t[static_cast<std::size_t>(e + 255)]; };
  EXPECT_EQ(T(15), 15);
  EXPECT_EQ(T(16), 16);
  EXPECT_EQ(T(20), 18);
  EXPECT_EQ(T(47), 31);
  EXPECT_EQ(T(48), 32);
  EXPECT_EQ(T(100), 32);
  EXPECT_EQ(T(-20), -18);
  EXPECT_EQ(T(0), 0);

  const auto hard = BuildDitherLimitTable(32, false);
  EXPECT_EQ(hard[255 + 20], 20);
  EXPECT_EQ(hard[255 + 200], 32);
  const auto open = BuildDitherLimitTable(255, false);
  EXPECT_EQ(open[255 + 254], 254);
  EXPECT_EQ(open[0], -255);
  const auto none = BuildDitherLimitTable(0, true);
  EXPECT_EQ(none[255 + 100], 0);
}

TEST(DitherLimit, AccumulatorRounding) {
  EXPECT_EQ(DitherRoundError(-8), -1);
  EXPECT_EQ(DitherRoundError(8), 1);
  EXPECT_EQ(DitherRoundError(-7), 0);
  EXPECT_EQ(DitherRoundError(7), 0);
  EXPECT_EQ(DitherRoundError(700), 44);
  EXPECT_EQ(DitherRoundError(-24), -2);
}

TEST(Dithering, ErrorMovesAheadInTheWalkingDirection) {
  // Two grey-100 pixels into black and white: the first goes black, its error (+100, 7/16 of
  // it ahead) lifts the second above the middle.
  TPixelGraphic src, dst;
  src.SetSize(2, 2, pf24Bit);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 2; ++x) src.SetPixel(x, y, RGBColor(100, 100, 100));
  dst.SetSize(2, 2, pf1Bit);
  dst.SetPaletteIdent(pBlackWhite);
  dst.CopyFrom(src);
  EXPECT_EQ(dst.Pixel(0, 0), 0u);
  EXPECT_EQ(dst.Pixel(1, 0), 1u);
  // Row 1 runs right to left: x = 1 is visited first.
  TPixelGraphic flat;
  flat.SetSize(3, 2, pf1Bit);
  flat.SetPaletteIdent(pBlackWhite);
  flat.BeginDither();
  flat.NextDitherRow();
  flat.NextDitherRow();
  flat.SetPixelDithered(2, 1, 100, 100, 100);
  flat.SetPixelDithered(1, 1, 100, 100, 100);
  flat.SetPixelDithered(0, 1, 100, 100, 100);
  flat.EndDither();
  EXPECT_EQ(flat.Pixel(2, 1), 0u);
  EXPECT_EQ(flat.Pixel(1, 1), 1u);
}

TEST(Dithering, MidGreyBecomesHalfWhite) {
  TPixelGraphic src, dst, plain;
  src.SetSize(64, 64, pf24Bit);
  FillConstant(src, RGBColor(128, 128, 128));
  for (TPixelGraphic* g : {&dst, &plain}) {
    g->SetSize(64, 64, pf1Bit);
    g->SetPaletteIdent(pBlackWhite);
  }
  plain.Dither = false;
  dst.CopyFrom(src);
  plain.CopyFrom(src);
  int white = 0, plainWhite = 0;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      white += static_cast<int>(dst.Pixel(x, y));
      plainWhite += static_cast<int>(plain.Pixel(x, y));
    }
  EXPECT_NEAR(white, 64 * 64 / 2, 64 * 64 / 50);
  EXPECT_TRUE(plainWhite == 0 || plainWhite == 64 * 64);
}

// A photo-like picture converted to every palette kind and back stays close.
TEST(Dithering, PhotoThroughEveryPaletteKindStaysClose) {
  TPixelGraphic photo;
  MakePhotoLike(photo, 96, 64);
  struct Case {
    TPaletteIdent ident;
    TPixelFormat format;
    double blockLimit;
  };
  const Case cases[] = {{pBlackWhite, pf1Bit, 40},  {pSysGray4, pf4Bit, 40}, {pSys16, pf4Bit, 25},
                        {pGray4, pf4Bit, 40},       {pGray16, pf4Bit, 40},   {pGray236, pf8Bit, 40},
                        {pGray256, pf8Bit, 40},     {pSpecial125, pf8Bit, 8}, {pSpecial216, pf8Bit, 6},
                        {pSpecial252, pf8Bit, 8}};
  for (const Case& c : cases) {
    TPixelGraphic reduced, back;
    reduced.SetSize(photo.Width(), photo.Height(), c.format);
    reduced.SetPaletteIdent(c.ident);
    reduced.CopyFrom(photo);
    back.SetSize(photo.Width(), photo.Height(), pf24Bit);
    back.CopyFrom(reduced);
    const double err = BlockMeanError(photo, back, 4);
    if (reduced.IsGray()) {
      // Grey palettes keep the brightness; compare against the grey of the photo.
      TPixelGraphic grey;
      grey.SetSize(photo.Width(), photo.Height(), pf8Bit);
      grey.SetPaletteIdent(pGray256);
      grey.Dither = false;
      grey.CopyFrom(photo);
      EXPECT_LT(BlockMeanError(grey, back, 4), 8) << int(c.ident);
    } else {
      EXPECT_LT(err, c.blockLimit) << int(c.ident);
    }
  }
}

}  // namespace
