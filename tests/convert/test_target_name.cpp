#include <gtest/gtest.h>

#include "convert/core/ResizeSharpen.h"
#include "convert/core/TargetName.h"

TEST(ConvertedName, ReplacesTheExtensionOfTheFileNameOnly) {
  EXPECT_EQ(ConvertedName("/pics.old/photo.bmp", "jpg"), "/pics.old/photo.jpg");
  EXPECT_EQ(ConvertedName("/a/photo.tar.BMP", "png"), "/a/photo.tar.png");
  EXPECT_EQ(ConvertedName("photo.bmp", "bmp"), "photo.bmp");
}

TEST(ConvertedName, NamesWithoutAnExtensionKeepTheirName) {
  EXPECT_EQ(ConvertedName("/pics.old/photo", "jpg"), "/pics.old/photo.jpg");
  EXPECT_EQ(ConvertedName("/a/.profile", "tif"), "/a/.profile.tif");
  EXPECT_EQ(ConvertedName("noext", "gif"), "noext.gif");
}

TEST(BangName, PutsTheMarkInFrontOfTheFileName) {
  EXPECT_EQ(BangName("/a.b/c/photo.bmp"), "/a.b/c/!photo.bmp");
  EXPECT_EQ(BangName("/a/!photo.bmp"), "/a/!!photo.bmp");
  EXPECT_EQ(BangName("photo.bmp"), "!photo.bmp");
}

TEST(FitSize, KeepsTheAspectRatioAndNeverEnlargesOrReachesZero) {
  int w = 0, h = 0;
  FitSize(3000, 2000, 600, 600, w, h);
  EXPECT_EQ(w, 600);
  EXPECT_EQ(h, 400);
  FitSize(2000, 3000, 1920, 1920, w, h);
  EXPECT_EQ(w, 1280);
  EXPECT_EQ(h, 1920);
  FitSize(300, 200, 1920, 1920, w, h);
  EXPECT_EQ(w, 300);
  EXPECT_EQ(h, 200);
  FitSize(10000, 2, 100, 100, w, h);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 1);
  FitSize(2000000000, 2000000000, 7, 5, w, h);
  EXPECT_EQ(w, 5);
  EXPECT_EQ(h, 5);
}

namespace {

// Left half dark, right half light.
void Edge(int w, int h, TPixelGraphic& image) {
  image.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.SetPixelColor(x, y, x < w / 2 ? 0x404040 : 0xC0C0C0);
}

int Red(const TPixelGraphic& image, int x, int y) { return RedOf(image.PixelColor(x, y)); }

}  // namespace

TEST(ResizeForConversion, ResamplesToTheSizeAndSharpensEdgesOnly) {
  TPixelGraphic source, plain, sharp, tiny;
  Edge(80, 40, source);
  ResizeForConversion(source, 40, 20, smPrecise, false, plain);
  ResizeForConversion(source, 40, 20, smPrecise, true, sharp);
  ASSERT_EQ(plain.Width(), 40);
  ASSERT_EQ(plain.Height(), 20);
  EXPECT_EQ(plain.PixelFormat(), pf24Bit);
  ASSERT_EQ(sharp.Width(), 40);
  // Far from the edge both are the flat colours.
  EXPECT_NEAR(Red(sharp, 2, 10), 0x40, 1);
  EXPECT_NEAR(Red(sharp, 37, 10), 0xC0, 1);
  // Beside the edge the sharpened picture overshoots: darker on the dark side, lighter on
  // the light side.
  EXPECT_LT(Red(sharp, 19, 10), Red(plain, 19, 10));
  EXPECT_GT(Red(sharp, 20, 10), Red(plain, 20, 10));
  ResizeForConversion(source, 0, 0, smFast, true, tiny);
  EXPECT_EQ(tiny.Width(), 1);
  EXPECT_EQ(tiny.Height(), 1);
}
