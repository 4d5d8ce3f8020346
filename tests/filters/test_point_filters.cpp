// The point colour filters, their colour-space conversions and the tables the dialogs set.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>

#include "tests/filters/FilterTestUtil.h"
#include "imaging/filters/ChannelFilters.h"
#include "imaging/filters/FilterTables.h"
#include "imaging/filters/PointFilters.h"

namespace {

TRGB Filtered(TPGFilter& f, TRGB c) {
  TPixelGraphic g;
  g.SetSize(1, 1, pf24Bit);
  f.Prepare(g);
  const TRGB out = f.FilterColor(c);
  f.Finish();
  return out;
}

TEST(PointFilters, NegativeAndGreyscale) {
  TNegativeFilter neg;
  EXPECT_EQ(neg.FilterColor(RGBColor(0, 100, 255)), RGBColor(255, 155, 0));
  EXPECT_TRUE(neg.IsPointFilter());

  TGrayScaleFilter gray;
  EXPECT_TRUE(gray.RGBWeighting);
  // 299 x 255 x 3 div 1000 = 228, div 3 = 76.
  EXPECT_EQ(gray.FilterColor(RGBColor(255, 0, 0)), RGBColor(76, 76, 76));
  EXPECT_EQ(gray.FilterColor(RGBColor(255, 255, 255)), RGBColor(255, 255, 255));
  gray.RGBWeighting = false;
  EXPECT_EQ(gray.FilterColor(RGBColor(255, 0, 0)), RGBColor(85, 85, 85));
  EXPECT_EQ(gray.FilterColor(RGBColor(10, 20, 31)), RGBColor(20, 20, 20));
}

TEST(PointFilters, BCGTable) {
  TBCGFilter f;
  // A new filter lifts by 1 % of 255: 128 + 2.55 = 130.55 -> 131.
  EXPECT_EQ(Filtered(f, RGBColor(128, 0, 255)), RGBColor(131, 3, 255));

  f.Brightness = 0;
  f.BuildTable();
  for (int i = 0; i < 256; ++i) EXPECT_EQ(f.Table()[i], i) << i;

  f.Brightness = 100;
  f.BuildTable();
  for (int i = 0; i < 256; ++i) EXPECT_EQ(f.Table()[i], 255) << i;

  f.Brightness = 0;
  f.Contrast = 5.0;
  f.BuildTable();
  EXPECT_EQ(f.Table()[0], 0);  // -510 clamped
  EXPECT_EQ(f.Table()[255], 255);
  EXPECT_EQ(f.Table()[128], 130);  // (128 - 127.5) x 5 + 127.5 = 130

  // Gamma: 0 to the power is 0, any base to the power 0 is 1.
  f.Contrast = 1.0;
  f.Gamma = 2.0;
  f.BuildTable();
  EXPECT_EQ(f.Table()[0], 0);
  EXPECT_EQ(f.Table()[128], 64);  // 255 x (128/255)^2 = 64.25
  f.Gamma = 0;
  f.BuildTable();
  EXPECT_EQ(f.Table()[0], 255);
  EXPECT_EQ(f.Table()[17], 255);
}

TEST(PointFilters, RoundingHalvesToEven) {
  TBCGFilter f;
  f.Brightness = 10;  // + 25.5: every entry falls on a half
  f.BuildTable();
  EXPECT_EQ(f.Table()[0], 26);   // 25.5
  EXPECT_EQ(f.Table()[1], 26);   // 26.5
  EXPECT_EQ(f.Table()[2], 28);   // 27.5
  EXPECT_EQ(f.Table()[3], 28);   // 28.5
  EXPECT_EQ(f.Table()[228], 254);  // 253.5
  EXPECT_EQ(f.Table()[229], 254);  // 254.5
  EXPECT_EQ(f.Table()[230], 255);

  f.Brightness = -10;
  f.BuildTable();
  EXPECT_EQ(f.Table()[25], 0);  // -0.5 -> 0
  EXPECT_EQ(f.Table()[26], 0);  // 0.5 -> 0
  EXPECT_EQ(f.Table()[27], 2);  // 1.5 -> 2
}

TEST(PointFilters, BCGOnLuminanceOnly) {
  TBCGFilter f;
  f.Brightness = 0;
  f.UseY = true;
  // The identity table gives back every grey and (nearly) every colour.
  for (int v = 0; v < 256; v += 15) EXPECT_EQ(Filtered(f, RGBColor(v, v, v)), RGBColor(v, v, v));
  f.Brightness = 20;
  const TRGB c = Filtered(f, RGBColor(100, 100, 100));
  EXPECT_EQ(c, RGBColor(151, 151, 151));  // 100 + 51
  // A colour keeps its colour differences: every channel moves by the same amount.
  const TRGB d = Filtered(f, RGBColor(200, 100, 50));
  EXPECT_EQ(RedOf(d) - 200, GreenOf(d) - 100);
  EXPECT_EQ(GreenOf(d) - 100, BlueOf(d) - 50);
}

TEST(ChannelFilters, IdentityTablesKeepEveryColour) {
  TRGBFilter rgb;
  TCMYFilter cmy;
  THLSFilter hls;
  THSVFilter hsv;
  TPGFilter* exact[] = {&rgb, &cmy, &hls, &hsv};
  for (TPGFilter* f : exact)
    for (int r = 0; r < 256; r += 5)
      for (int g = 0; g < 256; g += 7)
        for (int b = 0; b < 256; b += 3)
          ASSERT_EQ(f->FilterColor(RGBColor(r, g, b)), RGBColor(r, g, b))
              << ColorText(RGBColor(r, g, b));
  // The three-decimal YCbCr constants are not exact inverses; the error stays within one.
  TYCbCrFilter ycc;
  for (int r = 0; r < 256; r += 17)
    for (int g = 0; g < 256; g += 17)
      for (int b = 0; b < 256; b += 17) {
        const TRGB o = ycc.FilterColor(RGBColor(r, g, b));
        EXPECT_LE(std::abs(RedOf(o) - r), 1);
        EXPECT_LE(std::abs(GreenOf(o) - g), 1);
        EXPECT_LE(std::abs(BlueOf(o) - b), 1);
      }
}

TEST(ChannelFilters, ShiftTablesAndChannels) {
  TChannelTable t;
  SetShiftTable(t, -1);  // -255 div 100 = -2, truncated toward zero
  EXPECT_EQ(t[0], 0);
  EXPECT_EQ(t[2], 0);
  EXPECT_EQ(t[3], 1);
  SetShiftTable(t, 50);  // +127
  EXPECT_EQ(t[0], 127);
  EXPECT_EQ(t[128], 255);

  TRGBFilter rgb;
  ConfigureShiftFilter(rgb, 100, 0, -100);
  EXPECT_EQ(rgb.FilterColor(RGBColor(10, 20, 30)), RGBColor(255, 20, 0));

  // Cyan up makes red down.
  TCMYFilter cmy;
  ConfigureShiftFilter(cmy, 20, 0, 0);
  EXPECT_EQ(cmy.FilterColor(RGBColor(100, 100, 100)), RGBColor(49, 100, 100));  // 255-(155+51)

  TYCbCrFilter ycc;
  ConfigureShiftFilter(ycc, 20, 0, 0);
  EXPECT_EQ(ycc.FilterColor(RGBColor(100, 100, 100)), RGBColor(151, 151, 151));
}

TEST(ChannelFilters, HueTables) {
  TChannelTable t;
  SetHueTable(t, 180);
  EXPECT_EQ(t[0], 128);
  EXPECT_EQ(t[128], 0);
  SetHueTable(t, -45);  // -32
  EXPECT_EQ(t[0], 224);
  EXPECT_EQ(t[40], 8);

  THSVFilter hsv;
  ConfigureHueFilter(hsv, 180, 0, 0);
  // Hue 0 (red) becomes 180 (cyan); hue 90 becomes 270.
  EXPECT_EQ(hsv.FilterColor(RGBColor(255, 0, 0)), RGBColor(0, 255, 255));
  EXPECT_EQ(hsv.FilterColor(RGBColor(128, 255, 0)), RGBColor(127, 0, 255));
  THLSFilter hls;
  ConfigureHueFilter(hls, 180, 0, 0);
  EXPECT_EQ(hls.FilterColor(RGBColor(255, 0, 0)), RGBColor(0, 255, 255));
  // A turn of 120 degrees: red to green (within the table's 1.4-degree steps).
  ConfigureHueFilter(hls, 120, 0, 0);
  const TRGB g = hls.FilterColor(RGBColor(255, 0, 0));
  EXPECT_EQ(BlueOf(g), 0);
  EXPECT_EQ(GreenOf(g), 255);
  EXPECT_LE(RedOf(g), 8);
}

TEST(ChannelFilters, GreysStayGrey) {
  THLSFilter hls;
  THSVFilter hsv;
  for (TXXXFilter* f : {static_cast<TXXXFilter*>(&hls), static_cast<TXXXFilter*>(&hsv)}) {
    SetHueTable(f->T1, 77);
    SetShiftTable(f->T2, 30);
    SetShiftTable(f->T3, 60);
  }
  // HLS: T3 is saturation; the grey gets only the lightness shift.
  EXPECT_EQ(hls.FilterColor(RGBColor(100, 100, 100)), RGBColor(176, 176, 176));
  // HSV: T2 is saturation, T3 value (+153).
  EXPECT_EQ(hsv.FilterColor(RGBColor(100, 100, 100)), RGBColor(253, 253, 253));
  EXPECT_EQ(hsv.FilterColor(RGBColor(0, 0, 0)), RGBColor(153, 153, 153));
  // A colour whose saturation is shifted to 0 becomes grey.
  SetShiftTable(hsv.T1, 0);
  SetShiftTable(hsv.T2, -100);
  SetShiftTable(hsv.T3, 0);
  EXPECT_EQ(hsv.FilterColor(RGBColor(200, 50, 50)), RGBColor(200, 200, 200));
}

TEST(ColorSpaces, ConversionsAndTheirErrors) {
  const THLS a = RGBToHLS(1, 0, 0);
  EXPECT_DOUBLE_EQ(a.H, 0);
  EXPECT_DOUBLE_EQ(a.L, 0.5);
  EXPECT_DOUBLE_EQ(a.S, 1);
  EXPECT_EQ(RGBToHLS(0.3, 0.3, 0.3).H, kUndefinedHue);
  const THSV b = RGBToHSV(0, 0, 1);
  EXPECT_DOUBLE_EQ(b.H, 240);
  // Ties between maxima go to red first, then green.
  EXPECT_DOUBLE_EQ(RGBToHSV(1, 1, 0).H, 60);
  EXPECT_DOUBLE_EQ(RGBToHSV(0, 1, 1).H, 180);

  try {
    HLSToRGB(30, 0.5, 0);
    FAIL() << "no error";
  } catch (const EPGSaturationHue& e) {
    EXPECT_STREQ(e.what(), "Saturation=0 and Hue defined");
  }
  EXPECT_THROW(HSVToRGB(0, 0, 0.5), EPGSaturationHue);
  EXPECT_EQ(HSVToRGB(kUndefinedHue, 0, 0.25).R, 0.25);
}

TEST(ColorSpaces, UndefinedHueWithSaturationTakesConstantTime) {
  // The undefined hue (1e10) reduced below 360 one subtraction at a time would loop about
  // 28 million times per call.
  const auto start = std::chrono::steady_clock::now();
  double sum = 0;
  for (int i = 0; i < 1000; ++i) {
    const TRGBf c = HSVToRGB(kUndefinedHue, 0.5, 0.5);
    const TRGBf d = HLSToRGB(kUndefinedHue, 0.5, 0.5);
    sum += c.R + d.R;
  }
  EXPECT_TRUE(std::isfinite(sum));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  // A hue of 725 degrees is 5 degrees.
  const TRGBf e = HSVToRGB(725, 1, 1), f = HSVToRGB(5, 1, 1);
  EXPECT_DOUBLE_EQ(e.G, f.G);
  const TRGBf g = HSVToRGB(-90, 1, 1), h = HSVToRGB(270, 1, 1);
  EXPECT_DOUBLE_EQ(g.R, h.R);
}

TEST(FilterTables, DialogPositionsAndClamps) {
  EXPECT_EQ(WrapHuePosition(190), -170);
  EXPECT_EQ(WrapHuePosition(-190), 170);
  EXPECT_EQ(WrapHuePosition(180), 180);
  EXPECT_EQ(PositionOfFactor(10), 100);
  EXPECT_EQ(PositionOfFactor(0.01), -100);
  EXPECT_EQ(PositionOfFactor(1), 0);
  EXPECT_EQ(PositionOfFactor(2), 43);
  EXPECT_DOUBLE_EQ(ShownFactor(43), 2.00);  // 5^0.43 = 1.998
  EXPECT_DOUBLE_EQ(FactorOfPosition(100), 5.0);
  EXPECT_EQ(HundredthsPosition(0.1, 40, 130), 40);
  EXPECT_EQ(HundredthsPosition(0.755, 40, 130), 76);
  EXPECT_EQ(HundredthsPosition(9, 50, 500), 500);

  TBCGFilter f;
  ConfigureBCGFilter(f, 250, 43, -100, true);
  EXPECT_EQ(f.Brightness, 100);
  EXPECT_DOUBLE_EQ(f.Contrast, std::pow(5.0, 0.43));  // exact, not the shown 2.00
  EXPECT_DOUBLE_EQ(f.Gamma, 0.2);
  EXPECT_TRUE(f.UseY);
}

TEST(PointFilters, CloneKeepsSettingsButNotTheRun) {
  TBCGFilter f;
  f.Brightness = 30;
  f.UseY = true;
  TPixelGraphic g;
  g.SetSize(2, 2, pf24Bit);
  f.Prepare(g);
  auto copy = f.Clone();
  f.Finish();
  auto* bcg = dynamic_cast<TBCGFilter*>(copy.get());
  ASSERT_NE(bcg, nullptr);
  EXPECT_EQ(bcg->Brightness, 30);
  EXPECT_TRUE(bcg->UseY);
  THSVFilter hsv;
  SetHueTable(hsv.T1, 90);
  auto h = hsv.Clone();
  EXPECT_EQ(h->FilterColor(RGBColor(255, 0, 0)), hsv.FilterColor(RGBColor(255, 0, 0)));
}

}  // namespace
