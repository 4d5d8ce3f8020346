// The effect window offscreen: caption, the preview built on showing, the slider by keyboard,
// OK and Cancel, the copies freed on closing.
#include <gtest/gtest.h>

#include <memory>

#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

#include "dialogs/EffectWindow.h"

namespace {

std::unique_ptr<TPixelGraphic> Picture(int w, int h) {
  auto holder = std::make_unique<TPixelGraphic>();
  TPixelGraphic& image = *holder;
  image.SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) image.SetPixel(x, y, static_cast<TRGB>((x * 5) & 0xFF) | 0x00300000u);
  return holder;
}

}  // namespace

TEST(EffectWindow, PreviewFollowsTheSliderAndOkAppliesItsPosition) {
  auto image_holder = Picture(600, 300);
  TPixelGraphic& image = *image_holder;
  TfrmNewEFX window;
  window.SetImage(&image);
  window.SetEffect(efxMosaic);
  EXPECT_EQ(window.windowTitle(), "Mosaic");
  EXPECT_EQ(window.TrackBar1->value(), 0);
  EXPECT_EQ(window.TrackBar1->accessibleName(), "Amount");
  EXPECT_EQ(window.size(), QSize(252, 321));

  QTimer::singleShot(0, [&] {
    EXPECT_EQ(window.Working().Width(), 240);
    EXPECT_EQ(window.Working().Height(), 120);
    QTest::keyClick(window.TrackBar1, Qt::Key_PageUp);  // 10
    EXPECT_EQ(window.Amount(), 10);
    // The preview shows mosaic 10 of the pristine copy.
    TFastBMP expected = window.Pristine();
    expected.Mosaic(10, 10);
    EXPECT_TRUE(std::equal(expected.Bits(), expected.Bits() + expected.Size(), window.Working().Bits()));
    QTest::mouseClick(window.BitBtn1, Qt::LeftButton);
  });
  ASSERT_EQ(window.exec(), QDialog::Accepted);
  EXPECT_TRUE(window.Working().Empty());  // closing freed the copies
  auto full_holder = Picture(600, 300);
  TPixelGraphic& full = *full_holder;
  window.ApplyTo(full);
  EXPECT_EQ(full.Pixel(0, 0), full.Pixel(9, 9));
  EXPECT_NE(full.Pixel(0, 0), Picture(600, 300)->Pixel(0, 0));

  window.SetEffect(efxColorNoise);  // shown again: a new preview, the slider at 0
  EXPECT_EQ(window.windowTitle(), "Color Noise");
  QTimer::singleShot(0, [&] {
    EXPECT_EQ(window.Amount(), 0);
    EXPECT_FALSE(window.Working().Empty());
    window.TrackBar1->setValue(60);
    QTest::keyClick(&window, Qt::Key_Escape);
  });
  EXPECT_EQ(window.exec(), QDialog::Rejected);
}

TEST(EffectWindow, NoPictureShowsNoPreview) {
  TfrmNewEFX window;
  window.SetEffect(efxSprayPaint);
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(window.Working().Empty());
    window.TrackBar1->setValue(40);
    QTest::mouseClick(window.BitBtn2, Qt::LeftButton);
  });
  EXPECT_EQ(window.exec(), QDialog::Rejected);
}
