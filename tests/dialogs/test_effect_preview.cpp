// The effect window's arithmetic without a window: names, preview sizes and places, slider
// steps on the preview copies, the effect at full size.
#include <gtest/gtest.h>

#include <memory>

#include "dialogs/core/EffectPreview.h"

namespace {

std::unique_ptr<TPixelGraphic> Stripes(int w, int h) {
  auto holder = std::make_unique<TPixelGraphic>();
  TPixelGraphic& image = *holder;
  image.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, (x % 3 == 0) ? 0x00FFFFFFu : 0x00204080u);
  return holder;
}

bool SameBits(const TFastBMP& a, const TFastBMP& b) {
  return a.Width() == b.Width() && a.Height() == b.Height() &&
         std::equal(a.Bits(), a.Bits() + a.Size(), b.Bits());
}

}  // namespace

TEST(EffectPreview, NamesSizesAndPlaces) {
  EXPECT_EQ(EffectName(1), "Spray Paint");
  EXPECT_EQ(EffectName(2), "Monochrome Noise");
  EXPECT_EQ(EffectName(3), "Color Noise");
  EXPECT_EQ(EffectName(4), "Mosaic");
  EXPECT_EQ(EffectName(5), "");
  int w = 0, h = 0, x = 0, y = 0;
  EffectPreviewSize(1000, 300, w, h);  // 240 / 3.333 = 72
  EXPECT_EQ(w, 240);
  EXPECT_EQ(h, 72);
  EffectPreviewOrigin(w, h, x, y);
  EXPECT_EQ(x, 5);
  EXPECT_EQ(y, 84 + 5);
  EffectPreviewSize(300, 400, w, h);
  EXPECT_EQ(w, 180);
  EXPECT_EQ(h, 240);
  EffectPreviewSize(50, 50, w, h);  // small pictures are enlarged to the preview
  EXPECT_EQ(w, 240);
  EXPECT_EQ(h, 240);
  EffectPreviewSize(100000, 2, w, h);  // never 0
  EXPECT_EQ(h, 1);
  EffectPreviewSize(0, 0, w, h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
  TPixelGraphic empty;
  EXPECT_TRUE(MakeEffectPreview(empty).Empty());
}

TEST(EffectPreview, SliderStepsStartFromThePristineCopy) {
  auto image_holder = Stripes(480, 240);
  const TPixelGraphic& image = *image_holder;
  const TFastBMP pristine = MakeEffectPreview(image);
  ASSERT_EQ(pristine.Width(), 240);
  ASSERT_EQ(pristine.Height(), 120);
  TFxRandom random(7);
  for (int tag = 1; tag <= 4; ++tag) {
    TFastBMP working = pristine;
    ApplyEffectStep(pristine, working, tag, 30, random);
    EXPECT_FALSE(SameBits(working, pristine)) << tag;
    ApplyEffectStep(pristine, working, tag, 0, random);  // back to 0: the picture again
    EXPECT_TRUE(SameBits(working, pristine)) << tag;
  }
  // Mosaic 4 repeated does not pile up: it starts from the pristine pixels each time.
  TFastBMP once = pristine, twice = pristine;
  ApplyEffectStep(pristine, once, efxMosaic, 4, random);
  ApplyEffectStep(pristine, twice, efxMosaic, 7, random);
  ApplyEffectStep(pristine, twice, efxMosaic, 4, random);
  EXPECT_TRUE(SameBits(once, twice));
}

TEST(EffectPreview, FullSizeEffect) {
  auto image_holder = Stripes(10, 4);
  TPixelGraphic& image = *image_holder;
  ApplyEffectToImage(image, efxMosaic, 4, 1);
  EXPECT_EQ(image.PixelFormat(), pf24Bit);
  EXPECT_EQ(image.Pixel(8, 0), image.Pixel(9, 0));  // the last block takes column 9
  EXPECT_EQ(image.Pixel(9, 0), 0x00FFFFFFu);

  TPixelGraphic grey;
  grey.SetSize(20, 20, pf24Bit);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) grey.SetPixel(x, y, 0x00808080u);
  ApplyEffectToImage(grey, efxMonoNoise, 80, 3);
  bool changed = false;
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const TRGB c = grey.Pixel(x, y);
      EXPECT_EQ(c & 0xFF, (c >> 16) & 0xFF);
      changed |= c != 0x00808080u;
    }
  EXPECT_TRUE(changed);

  TPixelGraphic pal;  // a palette picture becomes 24-bit with the effect
  pal.SetSize(16, 16, pf8Bit);
  ApplyEffectToImage(pal, efxSprayPaint, 5, 9);
  EXPECT_EQ(pal.PixelFormat(), pf24Bit);
  TPixelGraphic empty;
  ApplyEffectToImage(empty, efxColorNoise, 50, 1);
  EXPECT_TRUE(empty.Empty());
}
