// Median cut and octree palettes.
#include <gtest/gtest.h>

#include <set>

#include "tests/imaging/TestImages.h"
#include "imaging/PGraphic.h"
#include "imaging/StandardPalettes.h"

namespace {

TEST(MedianCut, ThreeColoursPlusSystemColours) {
  TPixelGraphic src, dst;
  src.SetSize(3, 2, pf24Bit);
  src.SetPixel(0, 0, RGBColor(255, 0, 0));
  src.SetPixel(1, 0, RGBColor(0, 0, 255));
  src.SetPixel(2, 0, RGBColor(0, 255, 0));
  for (int x = 0; x < 3; ++x) src.SetPixel(x, 1, RGBColor(255, 0, 0));
  dst.SetSize(3, 2, pf8Bit);
  MakeOptimizedPalette(dst, src, 252, true);
  ASSERT_EQ(dst.PaletteCount(), 19);
  // Entries are the weighted means of cell centres.
  std::set<TRGB> firstThree(dst.Palette().begin(), dst.Palette().begin() + 3);
  EXPECT_EQ(firstThree, (std::set<TRGB>{RGBColor(252, 2, 4), RGBColor(4, 2, 252),
                                        RGBColor(4, 254, 4)}));
  const auto sys = SystemColors16();
  for (int i = 0; i < 16; ++i) EXPECT_EQ(dst.PaletteColor(3 + i), sys[i]);
}

TEST(MedianCut, EmptySourceOrTooFewColoursGiveSystemColours) {
  TPixelGraphic empty, dst;
  dst.SetSize(4, 4, pf8Bit);
  MakeOptimizedPalette(dst, empty, 252, true);
  EXPECT_EQ(dst.PaletteIdent(), pSys16);
  EXPECT_EQ(dst.PaletteCount(), 16);
  TPixelGraphic photo;
  MakePhotoLike(photo, 10, 10);
  MakeOptimizedPalette(dst, photo, 10, true);  // 10 - 16 < 1
  EXPECT_EQ(dst.PaletteCount(), 10);
  EXPECT_EQ(dst.PaletteColor(9), SystemColors16()[9]);
}

TEST(MedianCut, SplitsUntilTheWantedCountAndMapsWell) {
  TPixelGraphic photo, dst, back;
  MakePhotoLike(photo, 160, 120);
  dst.SetSize(160, 120, pf8Bit);
  int rows = 0;
  dst.OnPixelGraphicProgress = [&](TPixelGraphic&, int step, int max, bool&) {
    EXPECT_EQ(step, rows++);
    EXPECT_EQ(max, 119);
  };
  MakeOptimizedPalette(dst, photo, 236, false);
  EXPECT_EQ(rows, 120);
  EXPECT_EQ(dst.PaletteCount(), 236);
  dst.OnPixelGraphicProgress = nullptr;
  dst.Dither = false;
  dst.CopyFrom(photo);
  back.SetSize(160, 120, pf24Bit);
  back.CopyFrom(dst);
  // Fitted to the picture, it beats the uniform 216-colour cube.
  TPixelGraphic cube, cubeBack;
  cube.SetSize(160, 120, pf8Bit);
  cube.SetPaletteIdent(pSpecial216);
  cube.Dither = false;
  cube.CopyFrom(photo);
  cubeBack.SetSize(160, 120, pf24Bit);
  cubeBack.CopyFrom(cube);
  EXPECT_LT(MeanColorError(photo, back), MeanColorError(photo, cubeBack));

  TPixelGraphic two;
  two.SetSize(160, 120, pf1Bit);
  MakeOptimizedPalette(two, photo, 2, false);
  EXPECT_EQ(two.PaletteCount(), 2);
  EXPECT_NE(two.PaletteColor(0), two.PaletteColor(1));
}

TEST(MedianCut, AbortBuildsFromTheRowsSeen) {
  TPixelGraphic src, dst;
  src.SetSize(4, 4, pf24Bit);
  FillConstant(src, RGBColor(0, 0, 0));
  for (int x = 0; x < 4; ++x) src.SetPixel(x, 3, RGBColor(255, 255, 255));
  dst.SetSize(4, 4, pf8Bit);
  dst.OnPixelGraphicProgress = [](TPixelGraphic&, int, int, bool& abort) { abort = true; };
  MakeOptimizedPalette(dst, src, 16, false);
  ASSERT_EQ(dst.PaletteCount(), 1);  // only the black top row was counted
  EXPECT_EQ(dst.PaletteColor(0), RGBColor(4, 2, 4));
}

TEST(Octree, ReducesPaletteSourcesAndAlwaysTerminates) {
  TPixelGraphic grey;
  grey.SetSize(256, 4, pf8Bit);
  grey.SetPaletteIdent(pGray256);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 256; ++x) grey.SetPixel(x, y, static_cast<TRGB>(x));
  for (int colors : {2, 4, 16, 100}) {
    TPixelGraphic dst;
    dst.SetSize(1, 1, pf8Bit);
    MakeOptimizedPalette(dst, grey, colors, false);
    EXPECT_GE(dst.PaletteCount(), 1) << colors;
    EXPECT_LE(dst.PaletteCount(), colors) << colors;
    // Means of grey colours stay grey and span dark to light.
    for (TRGB c : dst.Palette()) EXPECT_TRUE(RedOf(c) == GreenOf(c) && GreenOf(c) == BlueOf(c));
  }

  TPixelGraphic three;  // black, white and blue: a known endless-loop case
  three.SetSize(3, 1, pf8Bit);
  three.SetPaletteCount(3);
  three.SetPaletteColor(0, RGBColor(0, 0, 0));
  three.SetPaletteColor(1, RGBColor(255, 255, 255));
  three.SetPaletteColor(2, RGBColor(0, 0, 255));
  for (int x = 0; x < 3; ++x) three.SetPixel(x, 0, static_cast<TRGB>(x));
  // The three colours part at the root: two colours can only merge all three.
  for (int colors : {1, 2}) {
    TPixelGraphic dst;
    dst.SetSize(1, 1, pf8Bit);
    MakeOptimizedPalette(dst, three, colors, false);
    ASSERT_EQ(dst.PaletteCount(), 1);
    EXPECT_EQ(dst.PaletteColor(0), RGBColor(85, 85, 170));
  }
  TPixelGraphic dst;
  dst.SetSize(1, 1, pf8Bit);
  MakeOptimizedPalette(dst, three, 16, false);  // enough room: the colours themselves
  EXPECT_EQ(std::set<TRGB>(dst.Palette().begin(), dst.Palette().end()),
            (std::set<TRGB>{RGBColor(0, 0, 0), RGBColor(255, 255, 255), RGBColor(0, 0, 255)}));
}

TEST(OptimizedPalette, PhotoIntoOptimised252WithDitheringStaysClose) {
  TPixelGraphic photo, dst, back;
  MakePhotoLike(photo, 200, 150);
  dst.SetSize(200, 150, pf8Bit);
  MakeOptimizedPalette(dst, photo, 252, true);
  EXPECT_EQ(dst.PaletteCount(), 252);
  dst.CopyFrom(photo);
  back.SetSize(200, 150, pf24Bit);
  back.CopyFrom(dst);
  // Dithering trades per-pixel error for a better average over small areas.
  TPixelGraphic plain, plainBack;
  plain.SetSize(200, 150, pf8Bit);
  plain.CopyPalette(dst);
  plain.Dither = false;
  plain.CopyFrom(photo);
  plainBack.SetSize(200, 150, pf24Bit);
  plainBack.CopyFrom(plain);
  EXPECT_LT(BlockMeanError(photo, back, 4), BlockMeanError(photo, plainBack, 4));
  EXPECT_LT(BlockMeanError(photo, back, 4), 6.0);
}

}  // namespace
