// Filter dialog components without a window: property clamps, value texts, Cancel, the
// window layout and the preview sizes.
#include <gtest/gtest.h>

#include <atomic>

#include "dialogs/core/FilterDialogLayout.h"
#include "dialogs/core/FilterDialogs.h"
#include "dialogs/core/FilterPreview.h"
#include "imaging/filters/ApplyFilter.h"

namespace {

TRGB FilterOne(TPGFilter& filter, TRGB colour) { return filter.FilterColor(colour); }

std::unique_ptr<TPixelGraphic> Gradient(int w, int h) {
  auto image = std::make_unique<TPixelGraphic>();
  image->SetSize(w, h, pf24Bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      image->SetPixel(x, y, static_cast<TRGB>((x * 255 / std::max(w - 1, 1)) |
                                              ((y * 255 / std::max(h - 1, 1)) << 8) | (90 << 16)));
  return image;
}

}  // namespace

TEST(FilterDialogValues, ClampsAndStoredPositions) {
  THSVFilterDialog hsv;
  hsv.SetH(190);
  EXPECT_EQ(hsv.H(), -170);
  hsv.SetH(-190);
  EXPECT_EQ(hsv.H(), 170);
  hsv.SetH(720 + 45);
  EXPECT_EQ(hsv.H(), 45);
  hsv.SetS(250);
  EXPECT_EQ(hsv.S(), 100);

  TRGBFilterDialog rgb;
  rgb.SetRed(-300);
  rgb.SetGreen(40);
  EXPECT_EQ(rgb.Red(), -100);
  EXPECT_EQ(rgb.Green(), 40);

  TBCGFilterDialog bcg;
  bcg.SetContrast(10);
  EXPECT_EQ(bcg.Sliders()[1].Position, 100);
  EXPECT_DOUBLE_EQ(bcg.Contrast(), 5.0);
  bcg.SetGamma(0.01);
  EXPECT_EQ(bcg.Sliders()[2].Position, -100);
  EXPECT_DOUBLE_EQ(bcg.Gamma(), 0.2);
  bcg.SetGamma(2.0);  // ln 2 / ln 5 = 0.4307
  EXPECT_EQ(bcg.Sliders()[2].Position, 43);
  EXPECT_DOUBLE_EQ(bcg.Gamma(), 2.0);
  bcg.SetBrightness(130);
  EXPECT_EQ(bcg.Brightness(), 100);

  TSharpenFilterDialog sharpen;
  sharpen.SetStdDeviation(0.1);
  EXPECT_DOUBLE_EQ(sharpen.StdDeviation(), 0.40);
  sharpen.SetStdDeviation(9);
  EXPECT_DOUBLE_EQ(sharpen.StdDeviation(), 1.30);
  sharpen.SetPercent(5);
  EXPECT_EQ(sharpen.Percent(), 10);

  TContourFilterDialog contour;
  contour.SetPercent(5000);
  EXPECT_EQ(contour.Percent(), 1000);
  contour.SetPercent(20);
  EXPECT_EQ(contour.Percent(), 100);

  TBlurFilterDialog blur;
  blur.SetRadius(0.1);
  EXPECT_DOUBLE_EQ(blur.Radius(), 0.5);
  blur.SetRadius(3.456);
  EXPECT_DOUBLE_EQ(blur.Radius(), 3.46);
}

TEST(FilterDialogValues, DefaultsOfEveryDialog) {
  EXPECT_EQ(TSharpenFilterDialog().Percent(), 50);
  EXPECT_DOUBLE_EQ(TSharpenFilterDialog().StdDeviation(), 0.75);
  EXPECT_EQ(TDetailFilterDialog().Percent(), 75);
  EXPECT_DOUBLE_EQ(TSmoothFilterDialog().StdDeviation(), 1.30);
  EXPECT_EQ(TSmoothFilterDialog().Percent(), 100);
  TContourFilterDialog contour;
  EXPECT_DOUBLE_EQ(contour.StdDeviation(), 1.00);
  EXPECT_EQ(contour.DistributionShape(), dsRect);
  EXPECT_FALSE(contour.BlackBk());
  EXPECT_DOUBLE_EQ(TBlurFilterDialog().Radius(), 2.50);
  EXPECT_TRUE(TGrayScaleFilterDialog().RGBWeighting());
  EXPECT_FALSE(TBCGFilterDialog().UseY());
  EXPECT_EQ(TSharpenFilterDialog().DistributionShape(), dsGaussian);
  EXPECT_TRUE(TSharpenFilterDialog().UseDistance());

  EXPECT_EQ(TBCGFilterDialog().WindowCaption(), "Brightness, Contrast, Gamma Filter");
  EXPECT_EQ(TYCbCrFilterDialog().Sliders()[1].Caption, "Cb");
  EXPECT_EQ(TSharpenFilterDialog().Sliders()[0].Caption, "Std. deviation");
  EXPECT_EQ(TBlurFilterDialog().Sliders()[0].CaptionWidth, 50);
  EXPECT_EQ(TBCGFilterDialog().Sliders()[0].CaptionWidth, 55);
  EXPECT_EQ(TCMYFilterDialog().Sliders()[2].CaptionWidth, 14);
  const TSliderDesc hue = THLSFilterDialog().Sliders()[0];
  EXPECT_EQ(hue.Min, -180);
  EXPECT_EQ(hue.Ticks, 15);
  EXPECT_EQ(hue.LeftLabel, "-180\u00b0");
  EXPECT_EQ(hue.CentreLabel, "\u00b10\u00b0");
  const TSliderDesc strength = TContourFilterDialog().Sliders()[1];
  EXPECT_EQ(strength.Ticks, 100);
  EXPECT_EQ(strength.RightLabel, "1000%");
  EXPECT_EQ(strength.CentreLabel, "");
}

TEST(FilterDialogValues, ValueTexts) {
  THLSFilterDialog hls;
  hls.SetH(25);
  hls.SetL(0);
  hls.SetS(-7);
  EXPECT_EQ(hls.FormatValue(0), "+25\u00b0");
  EXPECT_EQ(hls.FormatValue(1), "\u00b10%");
  EXPECT_EQ(hls.FormatValue(2), "-7%");
  TBCGFilterDialog bcg;
  bcg.ChangeFromWindow({0, 43, -100}, false, false);
  EXPECT_EQ(bcg.FormatValue(1), "2.00");  // 5^0.43 = 1.998
  EXPECT_EQ(bcg.FormatValue(2), "0.20");
  TSharpenFilterDialog sharpen;
  EXPECT_EQ(sharpen.FormatValue(0), "0.75");
  EXPECT_EQ(sharpen.FormatValue(1), "50%");
  EXPECT_EQ(sharpen.FormatValue(2), "");
}

TEST(FilterDialogValues, ColourSettersReconfigureOthersWaitForTheWindow) {
  TRGBFilterDialog rgb;
  rgb.SetRed(100);  // at once
  EXPECT_EQ(FilterOne(rgb.Filter(), 0x00101010), 0x001010FFu);

  TBCGFilterDialog bcg;
  auto& f = dynamic_cast<TBCGFilter&>(bcg.Filter());
  bcg.SetBrightness(50);  // only stored
  EXPECT_EQ(f.Brightness, 0);
  // Execute configures the filter with what the window shows (OK without touching anything).
  bcg.BeginExecute();
  EXPECT_EQ(f.Brightness, 50);
  bcg.EndExecute(true);
  EXPECT_EQ(f.Brightness, 50);

  TSharpenFilterDialog sharpen;
  auto& conv = dynamic_cast<TConvFilter&>(sharpen.Filter());
  const int before = conv.KernelWidth();
  sharpen.SetStdDeviation(1.3);
  EXPECT_EQ(conv.KernelWidth(), before);
  sharpen.SetUseDistance(true);  // reconfigures with the stored deviation
  EXPECT_GT(conv.KernelWidth(), before);
}

TEST(FilterDialogValues, CancelAfterSeveralChangesRestoresValuesAndFilter) {
  TBCGFilterDialog bcg;
  bcg.SetBrightness(20);
  bcg.SetContrast(2.0);
  bcg.BeginExecute();
  auto& f = dynamic_cast<TBCGFilter&>(bcg.Filter());
  const auto table = f.Table();
  bcg.ChangeFromWindow({-60, 0, 0}, false, true);
  bcg.ChangeFromWindow({80, -100, 70}, false, false);
  EXPECT_EQ(f.Brightness, 80);
  bcg.EndExecute(false);
  EXPECT_EQ(bcg.Brightness(), 20);
  EXPECT_DOUBLE_EQ(bcg.Contrast(), 2.0);
  EXPECT_FALSE(bcg.UseY());
  EXPECT_EQ(f.Brightness, 20);
  EXPECT_EQ(f.Table(), table);

  TContourFilterDialog contour;
  contour.BeginExecute();
  contour.SetDistributionShape(dsGaussian);
  contour.ChangeFromWindow({40, 900, 0}, false, true);
  EXPECT_TRUE(contour.BlackBk());
  contour.EndExecute(false);
  EXPECT_FALSE(contour.BlackBk());
  EXPECT_EQ(contour.DistributionShape(), dsRect);
  EXPECT_EQ(contour.Percent(), 100);
  TConvFilter expected;
  expected.BuildContour(dsRect, true, true, 100, 1.0);
  auto& got = dynamic_cast<TConvFilter&>(contour.Filter());
  ASSERT_EQ(got.KernelWidth(), expected.KernelWidth());
  EXPECT_DOUBLE_EQ(got.Factor, expected.Factor);
  for (int r = 0; r < got.KernelHeight(); ++r)
    for (int c = 0; c < got.KernelWidth(); ++c) EXPECT_EQ(got.Weight(c, r), expected.Weight(c, r));
}

TEST(FilterDialogLayout, PositionsOfTheControls) {
  TBCGFilterDialog bcg;
  std::array<TSliderDesc, 3> s = bcg.Sliders();
  TFilterDialogLayout l = LayoutFilterDialog(s, bcg.Check(), bcg.Radio(), true);
  EXPECT_EQ(l.ClientWidth, 10 + 55 + 240 + 32 + 10 + 140 + 10);
  EXPECT_EQ(l.Sliders[2].Track.Y, 110);
  EXPECT_EQ(l.Sliders[1].Labels[2].X, 10 + 55 + 160);
  EXPECT_EQ(l.Sliders[0].Value.X, 10 + 55 + 240);
  EXPECT_EQ(l.Preview.X, l.ClientWidth - 10 - 140);
  EXPECT_EQ(l.Radio1.X, 10 + 55 + 6);
  EXPECT_EQ(l.Radio2.X, 10 + 55 + 112);
  EXPECT_EQ(l.Radio1.Y, 160);
  EXPECT_EQ(l.GroupCaption.Y, 161);
  EXPECT_EQ(l.SeparatorY, 160 + kButtonLineHeight + 10);
  EXPECT_EQ(l.Ok.X, l.ClientWidth / 2 - 95);
  EXPECT_EQ(l.ClientHeight, l.SeparatorY + 12 + 24 + 10);

  TNegativeFilterDialog negative;  // preview only
  l = LayoutFilterDialog(negative.Sliders(), negative.Check(), negative.Radio(), true);
  EXPECT_EQ(l.ClientWidth, 2 * 40 + 140);
  EXPECT_EQ(l.Preview.X, 40);
  EXPECT_EQ(l.SeparatorY, 160);

  TContourFilterDialog contour;  // two sliders and the radio pair under them
  l = LayoutFilterDialog(contour.Sliders(), contour.Check(), contour.Radio(), false);
  EXPECT_EQ(l.ClientWidth, 10 + 75 + 240 + 32 + 10);
  EXPECT_EQ(l.Radio1.Y, 115);
  EXPECT_EQ(l.SeparatorY, 115 + kButtonLineHeight + 10);
  EXPECT_FALSE(l.HasPreview);
}

TEST(FilterPreview, SourceSizes) {
  int w = 0, h = 0;
  PreviewSourceSize(1000, 500, 136, 136, w, h);
  EXPECT_EQ(w, 136);
  EXPECT_EQ(h, 68);
  PreviewSourceSize(100, 80, 136, 136, w, h);
  EXPECT_EQ(w, 100);
  EXPECT_EQ(h, 80);
  PreviewSourceSize(300, 600, 136, 136, w, h);
  EXPECT_EQ(w, 68);
  EXPECT_EQ(h, 136);
  PreviewSourceSize(10000, 3, 136, 136, w, h);  // never rounds to 0
  EXPECT_EQ(w, 136);
  EXPECT_EQ(h, 1);
  PreviewSourceSize(0, 0, 136, 136, w, h);
  EXPECT_EQ(w, 0);
  EXPECT_EQ(h, 0);
}

TEST(FilterPreview, BuildersResampleFilterAndStop) {
  auto image = Gradient(400, 200);
  std::atomic<bool> stop{false};
  auto source = BuildFilterPreviewSource(*image, 136, 68, stop);
  ASSERT_TRUE(source);
  EXPECT_EQ(source->Width(), 136);
  EXPECT_EQ(source->PixelFormat(), pf24Bit);
  TNegativeFilter negative;
  auto result = BuildFilterPreviewResult(*source, negative, stop);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->Width(), 136);
  EXPECT_EQ(result->Pixel(3, 7), source->Pixel(3, 7) ^ 0x00FFFFFFu);

  TPixelGraphic empty;
  auto none = BuildFilterPreviewSource(empty, 0, 0, stop);
  ASSERT_TRUE(none);
  EXPECT_EQ(none->Width(), 0);
  auto emptyResult = BuildFilterPreviewResult(*none, negative, stop);
  ASSERT_TRUE(emptyResult);

  stop = true;
  EXPECT_FALSE(BuildFilterPreviewSource(*image, 136, 68, stop));
  EXPECT_FALSE(BuildFilterPreviewResult(*source, negative, stop));
}
