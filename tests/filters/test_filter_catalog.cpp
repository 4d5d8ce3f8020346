// The filter catalogue: names, parameters, and every filter on pictures of extreme shapes.
#include <gtest/gtest.h>

#include "tests/filters/FilterTestUtil.h"
#include "imaging/filters/FilterCatalog.h"

namespace {

std::string ArgError(const TFilterEntry& e, const std::vector<std::string>& settings) {
  try {
    ParseFilterArgs(e, settings);
  } catch (const TFilterArgError& err) {
    return err.what();
  }
  return "no error";
}

TEST(FilterCatalog, NamesAndDefaults) {
  const char* names[] = {"negative", "grayscale", "bcg", "rgb", "cmy", "ycbcr", "hls", "hsv",
                         "smooth", "sharpen", "detail", "contour", "blur", "emboss", "fisheye",
                         "swirl", "spray", "mononoise", "colornoise", "mosaic", "bevel",
                         "pencil", "posterize"};
  const std::string list = DescribeFilters();
  for (const char* n : names) {
    ASSERT_NE(FindFilterEntry(n), nullptr) << n;
    EXPECT_NE(list.find(std::string(n) + " "), std::string::npos) << n;
  }
  EXPECT_EQ(FilterEntries().size(), std::size(names));
  EXPECT_EQ(FindFilterEntry("Negative"), nullptr);

  const TFilterArgs sharpen = ParseFilterArgs(*FindFilterEntry("sharpen"), {});
  EXPECT_DOUBLE_EQ(sharpen.Number("stddeviation"), 0.75);
  EXPECT_EQ(sharpen.Integer("percent"), 50);
  EXPECT_EQ(sharpen.Integer("distributionshape"), 0);
  EXPECT_TRUE(sharpen.Flag("usedistance"));
  EXPECT_EQ(ParseFilterArgs(*FindFilterEntry("detail"), {}).Integer("percent"), 75);
  EXPECT_DOUBLE_EQ(ParseFilterArgs(*FindFilterEntry("smooth"), {}).Number("stddeviation"), 1.30);
  const TFilterArgs contour = ParseFilterArgs(*FindFilterEntry("contour"), {});
  EXPECT_DOUBLE_EQ(contour.Number("stddeviation"), 1.00);
  EXPECT_EQ(contour.Integer("distributionshape"), 2);
  EXPECT_FALSE(contour.Flag("blackbk"));
  EXPECT_DOUBLE_EQ(ParseFilterArgs(*FindFilterEntry("blur"), {}).Number("radius"), 2.50);
  EXPECT_TRUE(ParseFilterArgs(*FindFilterEntry("grayscale"), {}).Flag("rgbweighting"));
  EXPECT_NE(list.find("  contrast            0.20..5.00          default 1.00"), std::string::npos)
      << list;
  EXPECT_NE(list.find("default 3 % of the width"), std::string::npos);
}

TEST(FilterCatalog, BadParametersNameTheKey) {
  const TFilterEntry& bcg = *FindFilterEntry("bcg");
  EXPECT_EQ(ArgError(bcg, {"brightness=101"}), "brightness: 101 is out of range -100..100");
  EXPECT_EQ(ArgError(bcg, {"contrast=0.1"}), "contrast: 0.1 is out of range 0.20..5.00");
  EXPECT_EQ(ArgError(bcg, {"gamma=abc"}), "gamma: \"abc\" is not a number");
  EXPECT_EQ(ArgError(bcg, {"usey=maybe"}), "usey: \"maybe\" is not true or false");
  EXPECT_EQ(ArgError(bcg, {"brightness=1.5"}), "brightness: \"1.5\" is not a whole number");
  EXPECT_EQ(ArgError(bcg, {"level=3"}),
            "unknown key \"level\" for bcg (keys: brightness, contrast, gamma, usey)");
  EXPECT_EQ(ArgError(bcg, {"brightness"}), "\"brightness\" is not KEY=VALUE");
  EXPECT_EQ(ArgError(*FindFilterEntry("negative"), {"x=1"}),
            "unknown key \"x\" for negative (keys: none)");
  EXPECT_EQ(ArgError(*FindFilterEntry("smooth"), {"distributionshape=box"}),
            "distributionshape: \"box\" is not one of gaussian|tent|rect");
  EXPECT_EQ(ArgError(*FindFilterEntry("contour"), {"percent=50"}),
            "percent: 50 is out of range 100..1000");
  const TFilterArgs ok = ParseFilterArgs(bcg, {"brightness=+20", "usey=yes", "gamma=2.5"});
  EXPECT_EQ(ok.Integer("brightness"), 20);
  EXPECT_TRUE(ok.Flag("usey"));
  EXPECT_FALSE(ok.IsDefault("gamma"));
  EXPECT_TRUE(ok.IsDefault("contrast"));
}

// Every filter on pictures of every depth and of extreme shapes runs cleanly and keeps the
// size; the sanitizer build checks the memory accesses.
TEST(FilterCatalog, EveryFilterOnExtremeShapes) {
  const std::pair<int, int> sizes[] = {{1, 1}, {1, 37}, {37, 1}, {2, 2}, {1000, 20}, {100, 200}};
  for (const TFilterEntry& e : FilterEntries()) {
    const TFilterArgs args = ParseFilterArgs(e, {});
    for (auto [w, h] : sizes)
      for (TPixelFormat f : {pf1Bit, pf4Bit, pf8Bit, pf24Bit}) {
        if (f != pf24Bit && w * h > 5000) continue;
        TPixelGraphic g;
        if (f == pf24Bit) {
          MakeVaried(g, w, h);
        } else {
          MakeVariedPalette(g, w, h, 256);
          TPixelGraphic p;
          p.SetSize(w, h, f);
          p.SetPaletteIdent(f == pf1Bit ? pBlackWhite : pSys16);
          p.CopyFrom(g);
          g.Assign(&p);
        }
        RunFilter(e, args, g, 7);
        ASSERT_EQ(g.Width(), w) << e.Name;
        ASSERT_EQ(g.Height(), h) << e.Name;
      }
    TPixelGraphic empty;
    RunFilter(e, args, empty, 7);
    EXPECT_TRUE(empty.Empty()) << e.Name;
  }
}

TEST(FilterCatalog, ColourFiltersKeepPalettePictures) {
  TPixelGraphic g;
  MakeVariedPalette(g, 12, 8, 64);
  const auto indexes = RawPixels(g);
  RunFilter(*FindFilterEntry("hsv"), ParseFilterArgs(*FindFilterEntry("hsv"), {"h=90"}), g, 0);
  EXPECT_EQ(g.PixelFormat(), pf8Bit);
  EXPECT_EQ(RawPixels(g), indexes);
  RunFilter(*FindFilterEntry("blur"), ParseFilterArgs(*FindFilterEntry("blur"), {}), g, 0);
  EXPECT_EQ(g.PixelFormat(), pf24Bit);
  RunFilter(*FindFilterEntry("posterize"), {}, g, 0);
  EXPECT_EQ(g.PixelFormat(), pf4Bit);
}

TEST(FilterCatalog, BevelDepthDefaultsToThreePercentOfTheWidth) {
  TPixelGraphic a, b;
  for (TPixelGraphic* g : {&a, &b}) {
    g->SetSize(200, 50, pf24Bit);
    FillColor(*g, RGBColor(100, 100, 100));
  }
  const TFilterEntry& bevel = *FindFilterEntry("bevel");
  RunFilter(bevel, ParseFilterArgs(bevel, {}), a, 0);
  RunFilter(bevel, ParseFilterArgs(bevel, {"depth=6"}), b, 0);
  EXPECT_EQ(Colors(a), Colors(b));
  EXPECT_EQ(a.PixelColor(100, 5), RGBColor(150, 150, 150));
  EXPECT_EQ(a.PixelColor(100, 6), RGBColor(100, 100, 100));
}

}  // namespace
