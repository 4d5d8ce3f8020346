// Rotation, flips and the faded border.
#include <gtest/gtest.h>

#include <cmath>

#include "tests/imaging/TestImages.h"
#include "imaging/PGraphic.h"

namespace {

TRGB Marker(int x, int y) { return RGBColor(x & 0xFF, y & 0xFF, (x * 7 + y * 13) & 0xFF); }

void MakeMarked(TPixelGraphic& g, int w, int h) {
  g.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) g.SetPixel(x, y, Marker(x, y));
}

TEST(Rotate, QuarterTurnsAreExactWithSwappedSize) {
  TPixelGraphic src;
  MakeMarked(src, 100, 50);
  for (double angle : {90.0, 180.0, 270.0, -90.0, 450.0, 0.0}) {
    TPixelGraphic dst;
    dst.Rotate(true, src, angle);  // Interpolate is on: quarter turns ignore it
    const int turns = ((static_cast<int>(angle) / 90) % 4 + 4) % 4;
    ASSERT_EQ(dst.Width(), turns % 2 ? 50 : 100) << angle;
    ASSERT_EQ(dst.Height(), turns % 2 ? 100 : 50) << angle;
    for (int y = 0; y < dst.Height(); ++y)
      for (int x = 0; x < dst.Width(); ++x) {
        int sx = x, sy = y;
        if (turns == 1) sx = y, sy = 49 - x;
        if (turns == 2) sx = 99 - x, sy = 49 - y;
        if (turns == 3) sx = 99 - y, sy = x;
        ASSERT_EQ(dst.Pixel(x, y), Marker(sx, sy)) << angle << " at " << x << "," << y;
      }
  }
  // Clockwise: the source's top-left corner moves to the top-right.
  TPixelGraphic dst;
  dst.Rotate(true, src, 90);
  EXPECT_EQ(dst.Pixel(49, 0), Marker(0, 0));
}

TEST(Rotate, AnyAngleKeepsTheCentreAndTheBoundingBox) {
  TPixelGraphic src, dst;
  src.SetSize(41, 21, pf24Bit);
  FillConstant(src, RGBColor(200, 10, 10));
  dst.SetBackGroundColor(RGBColor(0, 0, 255));
  dst.Rotate(true, src, 30);
  const double c = std::cos(M_PI / 6), s = std::sin(M_PI / 6);
  EXPECT_EQ(dst.Width(), static_cast<int>(std::ceil(41 * c) - std::floor(-21 * s)));
  EXPECT_EQ(dst.Height(), static_cast<int>(std::ceil(41 * s + 21 * c)));
  EXPECT_EQ(dst.Pixel(dst.Width() / 2, dst.Height() / 2), RGBColor(200, 10, 10));
  EXPECT_EQ(dst.Pixel(0, 0), 0u);  // new size: zero-filled, outside the picture
}

TEST(Rotate, WithoutResizeTheCornersStay) {
  TPixelGraphic src, dst;
  src.SetSize(40, 40, pf24Bit);
  FillConstant(src, RGBColor(255, 255, 255));
  dst.SetSize(40, 40, pf24Bit);
  FillConstant(dst, RGBColor(1, 2, 3));
  dst.Rotate(false, src, 45);
  EXPECT_EQ(dst.Pixel(0, 0), RGBColor(1, 2, 3));
  EXPECT_EQ(dst.Pixel(39, 39), RGBColor(1, 2, 3));
  EXPECT_EQ(dst.Pixel(20, 20), RGBColor(255, 255, 255));
  // Interpolated edges blend with the target's own colour.
  bool blended = false;
  for (int x = 0; x < 40; ++x) {
    const TRGB p = dst.Pixel(x, 3);
    blended = blended || (p != RGBColor(1, 2, 3) && p != RGBColor(255, 255, 255));
  }
  EXPECT_TRUE(blended);
}

TEST(Rotate, PaletteTargetsAndSelfRotation) {
  TPixelGraphic src, dst;
  MakePhotoLike(src, 30, 20);
  dst.SetSize(1, 1, pf8Bit);
  dst.SetPaletteIdent(pSpecial216);
  dst.Rotate(true, src, 17.5);
  EXPECT_GT(dst.Width(), 30);
  src.Rotate(true, src, 90);
  EXPECT_EQ(src.Width(), 20);
  EXPECT_EQ(src.Height(), 30);
}

TEST(Flip, MirrorsEveryFormat) {
  for (TPixelFormat f : {pf1Bit, pf4Bit, pf8Bit, pf24Bit}) {
    TPixelGraphic g;
    g.SetSize(5, 3, f);
    const TRGB mask = f == pf1Bit ? 1 : f == pf4Bit ? 15 : f == pf8Bit ? 255 : 0xFFFFFF;
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) g.SetPixel(x, y, (Marker(x, y) * 31 + x) & mask);
    g.FlipHorizontal();
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) ASSERT_EQ(g.Pixel(x, y), (Marker(4 - x, y) * 31 + 4 - x) & mask);
    g.FlipHorizontal();
    g.FlipVertical();
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x) ASSERT_EQ(g.Pixel(x, y), (Marker(x, 2 - y) * 31 + x) & mask);
  }
}

TEST(Flip, EventsForThinImagesAndAbortByColumn) {
  TPixelGraphic g;
  MakeMarked(g, 1, 4);
  int changes = 0, starts = 0, ends = 0;
  g.OnPixelGraphicChange = [&](TPixelGraphic&) { ++changes; };
  g.OnPixelGraphicProgressStart = [&](TPixelGraphic&) { ++starts; };
  g.OnPixelGraphicProgressEnd = [&](TPixelGraphic&) { ++ends; };
  g.FlipHorizontal();
  EXPECT_EQ(g.Pixel(0, 3), Marker(0, 3));
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(starts, 1);
  EXPECT_EQ(ends, 1);

  TPixelGraphic v;
  MakeMarked(v, 3, 4);
  v.OnPixelGraphicProgress = [](TPixelGraphic&, int step, int max, bool& abort) {
    EXPECT_EQ(max, 2);
    abort = step == 0;
  };
  v.FlipVertical();
  EXPECT_EQ(v.Pixel(0, 0), Marker(0, 3));
  EXPECT_EQ(v.Pixel(1, 0), Marker(1, 0));  // stopped after the first column
}

TEST(AddBorder, RectangleFadesFromTheEdge) {
  TPixelGraphic src, dst;
  src.SetSize(100, 100, pf24Bit);
  FillConstant(src, RGBColor(0, 0, 0));
  dst.AddBorder(false, 20, src, RGBColor(255, 255, 255));
  EXPECT_EQ(dst.Pixel(0, 50), RGBColor(255, 255, 255));
  EXPECT_EQ(dst.Pixel(19, 50), RGBColor(0, 0, 0));
  EXPECT_EQ(dst.Pixel(99, 50), RGBColor(255, 255, 255));
  EXPECT_EQ(dst.Pixel(50, 50), 0u);
  // Halfway in: f = floor(9 * 1024 / 19) = 485, 255 * 485 >> 10 = 120.
  EXPECT_EQ(dst.Pixel(10, 50), RGBColor(120, 120, 120));
  // Corners blend twice: top, then left.
  const int top = (255 * 485) >> 10;
  const int both = (top * (1024 - 485) + 255 * 485) >> 10;
  EXPECT_EQ(dst.Pixel(10, 10), RGBColor(both, both, both));

  dst.AddBorder(false, 1, src, RGBColor(9, 9, 9));
  EXPECT_EQ(dst.Pixel(50, 50), RGBColor(9, 9, 9));
}

TEST(AddBorder, EllipseFillsOutsideWithTheColour) {
  TPixelGraphic src, dst;
  src.SetSize(60, 40, pf24Bit);
  FillConstant(src, RGBColor(10, 20, 30));
  dst.AddBorder(true, 5, src, RGBColor(255, 0, 0));
  EXPECT_EQ(dst.Pixel(0, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(dst.Pixel(59, 39), RGBColor(255, 0, 0));
  EXPECT_EQ(dst.Pixel(30, 20), RGBColor(10, 20, 30));
  EXPECT_EQ(dst.Pixel(0, 20), RGBColor(255, 0, 0));  // on the ellipse, distance 0
  EXPECT_EQ(dst.Pixel(10, 20), RGBColor(10, 20, 30));
}

TEST(AddBorder, PaletteTargetDithersAndSelfSource) {
  TPixelGraphic src, dst;
  MakePhotoLike(src, 20, 2);  // too low for a border: all colour
  dst.SetSize(1, 1, pf1Bit);
  dst.SetPaletteIdent(pBlackWhite);
  dst.AddBorder(false, 5, src, RGBColor(128, 128, 128));
  int white = 0;
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 20; ++x) white += static_cast<int>(dst.Pixel(x, y));
  EXPECT_NEAR(white, 20, 3);  // half of 40, dithered
  MakePhotoLike(src, 30, 30);
  const TRGB centre = src.Pixel(15, 15);
  src.AddBorder(false, 4, src, 0);
  EXPECT_EQ(src.Pixel(15, 15), centre);
  EXPECT_EQ(src.Pixel(0, 15), 0u);
}

}  // namespace
