// TFastBMP and the effects: noise, spray, emboss, mosaic, fisheye, swirl, and the bevel,
// pencil and posterize compositions.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "tests/filters/FilterTestUtil.h"
#include "imaging/filters/Compositions.h"
#include "imaging/filters/FastBMP.h"
#include "imaging/filters/FastBilinear.h"

namespace {

TFastBMP Varied(int w, int h, std::uint32_t seed = 1) {
  TPixelGraphic g;
  MakeVaried(g, w, h, seed);
  return TFastBMP(g);
}

std::array<std::uint8_t, 3> At(const TFastBMP& b, int x, int y) {
  const std::uint8_t* p = b.Row(y) + static_cast<std::size_t>(x) * 3;
  return {p[0], p[1], p[2]};
}

bool SamePixels(const TFastBMP& a, const TFastBMP& b) {
  if (a.Width() != b.Width() || a.Height() != b.Height()) return false;
  for (int y = 0; y < a.Height(); ++y)
    if (std::memcmp(a.Row(y), b.Row(y), static_cast<std::size_t>(a.Width()) * 3) != 0) return false;
  return true;
}

TEST(FastBMP, LayoutAndRoundTrip) {
  TFastBMP b(5, 3);
  EXPECT_EQ(b.Padding(), 1);
  EXPECT_EQ(b.Stride(), 16u);
  EXPECT_EQ(b.Size(), 48u);
  EXPECT_EQ(b.Row(1), b.Bits() + 16);  // rows top to bottom

  TPixelGraphic pal;
  MakeVariedPalette(pal, 7, 4, 50);
  const TFastBMP fromPalette(pal);
  TPixelGraphic back;
  fromPalette.AssignTo(back);
  EXPECT_EQ(back.PixelFormat(), pf24Bit);
  EXPECT_EQ(Colors(back), Colors(pal));
  EXPECT_EQ(At(fromPalette, 3, 2)[2], RedOf(pal.PixelColor(3, 2)));

  TFastBMP copy(fromPalette);
  EXPECT_TRUE(SamePixels(copy, fromPalette));
  EXPECT_NE(copy.Row(0), fromPalette.Row(0));
}

TEST(FastEffects, AmountZeroChangesNothing) {
  const TFastBMP original = Varied(17, 9);
  TFxRandom random(3);
  TFastBMP a(original);
  a.AddColorNoise(0, random);
  a.AddMonoNoise(0, random);
  a.Mosaic(0, 0);
  a.Mosaic(5, 0);
  EXPECT_TRUE(SamePixels(a, original));
  TFastBMP sprayed;
  original.SprayInto(sprayed, 0, random);
  EXPECT_TRUE(SamePixels(sprayed, original));
  // Mosaic blocks of one pixel sample themselves.
  a.Mosaic(1, 1);
  EXPECT_TRUE(SamePixels(a, original));
}

TEST(FastEffects, MonoNoiseKeepsGreyColourNoiseDoesNot) {
  TPixelGraphic g;
  g.SetSize(40, 30, pf24Bit);
  FillColor(g, RGBColor(120, 120, 120));
  TFastBMP mono(g), colour(g);
  TFxRandom random(11);
  mono.AddMonoNoise(60, random);
  colour.AddColorNoise(60, random);
  int changed = 0, tinted = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) {
      const auto m = At(mono, x, y);
      ASSERT_EQ(m[0], m[1]);
      ASSERT_EQ(m[1], m[2]);
      ASSERT_GE(m[0], 90);
      ASSERT_LE(m[0], 149);  // 120 + 0..59 - 30
      changed += m[0] != 120;
      const auto c = At(colour, x, y);
      tinted += c[0] != c[1] || c[1] != c[2];
    }
  EXPECT_GT(changed, 1000);
  EXPECT_GT(tinted, 1000);
  // Noise near the ends of the scale is clamped.
  TPixelGraphic white;
  white.SetSize(8, 8, pf24Bit);
  FillColor(white, 0xFFFFFF);
  TFastBMP w(white);
  w.AddColorNoise(100, random);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) EXPECT_GE(At(w, x, y)[0], 205);
}

TEST(FastEffects, SprayTakesNearbyPixels) {
  // Columns of distinct colours: every sprayed pixel comes from at most amount - 1 columns
  // away (the radius is below amount).
  TFastBMP src(50, 20);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) src.Row(y)[x * 3] = static_cast<std::uint8_t>(x), src.Row(y)[x * 3 + 1] = static_cast<std::uint8_t>(y);
  TFastBMP dst;
  TFxRandom random(1);
  src.SprayInto(dst, 6, random);
  ASSERT_EQ(dst.Width(), 50);
  int moved = 0;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 50; ++x) {
      const auto p = At(dst, x, y);
      EXPECT_LE(std::abs(p[0] - x), 5);
      EXPECT_LE(std::abs(p[1] - y), 5);
      moved += p[0] != x || p[1] != y;
    }
  EXPECT_GT(moved, 500);
  // The same seed gives the same picture.
  TFastBMP again;
  TFxRandom same(1);
  src.SprayInto(again, 6, same);
  EXPECT_TRUE(SamePixels(again, dst));
}

TEST(FastEffects, EmbossPartners) {
  TPixelGraphic g;
  g.SetSize(6, 5, pf24Bit);
  FillColor(g, RGBColor(90, 40, 200));
  TFastBMP flat(g);
  flat.Emboss();
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) ASSERT_EQ(At(flat, x, y), (std::array<std::uint8_t, 3>{127, 127, 127}));

  const TFastBMP original = Varied(6, 5, 4);
  TFastBMP e(original);
  e.Emboss();
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 6; ++x) {
      // Rows above the last two: the pixel one down and one right (the last column: straight
      // below); the last two rows: pixel (1, 4) as it was.
      const auto q = y < 3 ? At(original, std::min(x + 1, 5), y + 1) : At(original, 1, 4);
      const auto p = At(original, x, y);
      for (int c = 0; c < 3; ++c) ASSERT_EQ(At(e, x, y)[c], ((255 - q[c]) + p[c]) / 2) << x << "," << y;
    }
  // One pixel wide or one row high: the nearest pixel stands in.
  TFastBMP column = Varied(1, 4);
  const TFastBMP columnBefore(column);
  column.Emboss();
  EXPECT_EQ(At(column, 0, 3)[0], ((255 - At(columnBefore, 0, 3)[0]) + At(columnBefore, 0, 3)[0]) / 2);
  TFastBMP row = Varied(4, 1);
  row.Emboss();
  EXPECT_EQ(row.Height(), 1);
}

TEST(FastEffects, MosaicBlocks) {
  const TFastBMP original = Varied(10, 7, 6);
  TFastBMP m(original);
  m.Mosaic(4, 4);
  // Blocks start at columns 0, 4, 8; samples at +2 (4 div 2 + 4 mod 2), the last block's at
  // 8 + 2 = 10 limited to 9; rows likewise (4 + 2 = 6).
  const int sampleCol[] = {2, 2, 2, 2, 6, 6, 6, 6, 9, 9};
  const int sampleRow[] = {2, 2, 2, 2, 6, 6, 6};
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 10; ++x) ASSERT_EQ(At(m, x, y), At(original, sampleCol[x], sampleRow[y])) << x << "," << y;
  TFastBMP odd(original);
  odd.Mosaic(3, 7);  // 3 div 2 + 3 mod 2 = 2; 7 div 2 + 1 = 4
  EXPECT_EQ(At(odd, 0, 0), At(original, 2, 4));
  EXPECT_EQ(At(odd, 9, 6), At(original, 9, 4));
}

TEST(FastEffects, FisheyeAndSwirlCentres) {
  const TFastBMP even = Varied(20, 16, 2);
  TFastBMP out;
  Fisheye(even, out, 1.0f);
  EXPECT_EQ(At(out, 10, 8), At(even, 10, 8));  // the exact centre (w x 0.5, h x 0.5)
  const TFastBMP odd = Varied(21, 15, 2);
  Swirl(odd, out, 100);
  EXPECT_EQ(At(out, 10, 7), At(odd, 10, 7));  // the centre pixel maps to itself
  // Swirl turns the centre region by a quarter turn: the pixel one right of the centre comes
  // from one below it (plus a little of the twist).
  TFastBMP big = Varied(41, 41, 7);
  Swirl(big, out, 1000000);
  EXPECT_EQ(At(out, 21, 20), At(big, 20, 21));
}

TEST(FastEffects, BilinearSamplingWrapsAround) {
  // One row of four pixels with blue 0, 40, 80, 120 (and a second row alike).
  TFastBMP src(4, 2);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) src.Row(y)[x * 3] = static_cast<std::uint8_t>(40 * x);
  auto blue = [&](float sx) {
    std::uint8_t out[3];
    fxdetail::SampleBilinear(src, sx, 0, out);
    return static_cast<int>(out[0]);
  };
  EXPECT_EQ(blue(1.0f), 40);
  EXPECT_EQ(blue(1.25f), 50);
  // Near the right edge the second column is column 0.
  EXPECT_EQ(blue(3.5f), 60);     // (120 + 0) / 2
  EXPECT_EQ(blue(3.75f), 30);    // 120 x 0.25
  // Beyond the right edge: the column wraps (5 -> 1).
  EXPECT_EQ(blue(5.25f), 50);
  // Negative positions: truncation toward zero, the weights exchanged, and columns below 0
  // wrapping to width - ((-ix) mod width) - 1.
  EXPECT_EQ(blue(-0.25f), 30);   // column 0 x 0.25 + column 1 x 0.75
  EXPECT_EQ(blue(-1.5f), 100);   // ix -1 -> column 2, second column 3: (80 + 120) / 2
  EXPECT_EQ(blue(-4.0f), 0);     // ix -4 -> column 3, but its weight 0 (exchanged) goes to 0
  // Positions thrown far out, even infinite or undefined ones, still pick a pixel.
  std::uint8_t out[3];
  fxdetail::SampleBilinear(src, 1e30f, std::nanf(""), out);
  fxdetail::SampleBilinear(src, -std::numeric_limits<float>::infinity(), 1e9f, out);
  SUCCEED();
}

TEST(FastEffects, FisheyeOnTallPicturesKeepsTheRim) {
  // Taller than 1.73 x the width: the corners lie on or beyond the lens rim.
  const TFastBMP tall = Varied(10, 40, 8);
  TFastBMP out;
  Fisheye(tall, out, 1.0f);
  EXPECT_EQ(At(out, 0, 0), At(tall, 0, 0));
  EXPECT_EQ(At(out, 9, 39), At(tall, 9, 39));
  // A lens smaller than a pixel leaves the picture as it is.
  Fisheye(tall, out, 1e-6f);
  EXPECT_TRUE(SamePixels(out, tall));
}

TEST(FastEffects, EmptyPicturesStayEmpty) {
  TFastBMP empty, out;
  TFxRandom random(1);
  empty.AddColorNoise(50, random);
  empty.AddMonoNoise(50, random);
  empty.Emboss();
  empty.Mosaic(3, 3);
  empty.SprayInto(out, 10, random);
  EXPECT_TRUE(out.Empty());
  Fisheye(empty, out, 1.0f);
  Swirl(empty, out, 10);
  EXPECT_TRUE(out.Empty());
  TPixelGraphic g;
  ApplyBevel(g, 5);
  EXPECT_TRUE(g.Empty());
}

TEST(FastEffects, ProgressCanStopAnEffect) {
  const TFastBMP src = Varied(10, 10);
  TFastBMP out;
  int rows = 0;
  EXPECT_FALSE(Swirl(src, out, 50, [&](int row, int last) {
    EXPECT_EQ(last, 9);
    ++rows;
    return row == 3;
  }));
  EXPECT_EQ(rows, 4);
}

TEST(Compositions, BevelEdges) {
  TPixelGraphic g;
  g.SetSize(10, 8, pf24Bit);
  FillColor(g, RGBColor(200, 100, 40));
  ApplyBevel(g, 2);
  EXPECT_EQ(g.PixelColor(5, 0), RGBColor(255, 150, 60));  // x 1.5, at most 255
  EXPECT_EQ(g.PixelColor(5, 7), RGBColor(150, 75, 30));   // x 0.75
  EXPECT_EQ(g.PixelColor(0, 4), RGBColor(250, 125, 50));  // x 1.25
  EXPECT_EQ(g.PixelColor(9, 4), RGBColor(170, 85, 34));   // x 0.85
  EXPECT_EQ(g.PixelColor(1, 1), RGBColor(255, 150, 60));  // level 1 top
  EXPECT_EQ(g.PixelColor(5, 4), RGBColor(200, 100, 40));  // inside the band: untouched
  // Only while y < h - i - 2: the right edge's two lowest pixels of level 0 stay.
  EXPECT_EQ(g.PixelColor(9, 6), RGBColor(200, 100, 40));
  EXPECT_EQ(DefaultBevelDepth(1000), 30);

  TPixelGraphic pal;
  pal.SetSize(4, 4, pf8Bit);
  EXPECT_THROW(ApplyBevel(pal, 1), EPixelGraphic);
}

TEST(Compositions, BevelDeeperThanThePictureStaysInside) {
  // Depth beyond half the picture would reach past the opposite edge.
  for (auto [w, h] : {std::pair{3, 100}, std::pair{100, 3}, std::pair{1, 1}, std::pair{2, 7}}) {
    TPixelGraphic g;
    g.SetSize(w, h, pf24Bit);
    FillColor(g, RGBColor(100, 100, 100));
    ApplyBevel(g, 1000);
    EXPECT_EQ(g.Width(), w);
  }
}

TEST(Compositions, PencilAndPosterize) {
  TPixelGraphic src;
  src.SetSize(30, 20, pf24Bit);
  FillColor(src, RGBColor(180, 180, 180));
  for (int y = 5; y < 15; ++y) src.SetPixel(10, y, RGBColor(20, 20, 20));  // a dark line
  TPixelGraphic pencil;
  PencilDrawing(pencil, src);
  EXPECT_EQ(pencil.PixelFormat(), pf24Bit);
  EXPECT_EQ(pencil.PixelColor(25, 2), 0xFFFFFFu);  // flat areas are white paper
  const TRGB line = pencil.PixelColor(10, 10);
  EXPECT_EQ(RedOf(line), GreenOf(line));
  EXPECT_LT(RedOf(line), 100);
  PencilDrawing(src, src);  // in place through a copy
  EXPECT_EQ(Colors(src), Colors(pencil));

  TPixelGraphic photo;
  MakeVaried(photo, 40, 30);
  TPixelGraphic poster;
  Posterize(poster, photo);
  EXPECT_EQ(poster.PixelFormat(), pf4Bit);
  EXPECT_LE(poster.PaletteCount(), 8);
  EXPECT_FALSE(poster.Dither);
  EXPECT_FALSE(poster.RGBWeighting());
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x) ASSERT_LT(static_cast<int>(poster.Pixel(x, y)), poster.PaletteCount());
}

}  // namespace
