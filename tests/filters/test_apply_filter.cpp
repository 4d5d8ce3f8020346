// ApplyFilter: the palette and pixel routes, in-place refusal, progress and abort, threads.
#include <gtest/gtest.h>

#include <typeinfo>

#include "tests/filters/FilterTestUtil.h"
#include "imaging/filters/ApplyFilter.h"
#include "imaging/filters/ChannelFilters.h"
#include "imaging/filters/ConvFilter.h"
#include "imaging/filters/FilterTables.h"
#include "imaging/filters/PointFilters.h"

namespace {

// Records the events of an image.
struct TEventLog {
  int Starts = 0, Ends = 0, Changes = 0;
  std::vector<std::pair<int, int>> Steps;
  int AbortAfter = -1;  // row whose progress event asks to abort

  void Attach(TPixelGraphic& g) {
    g.OnPixelGraphicProgressStart = [this](TPixelGraphic&) { ++Starts; };
    g.OnPixelGraphicProgressEnd = [this](TPixelGraphic&) { ++Ends; };
    g.OnPixelGraphicChange = [this](TPixelGraphic&) { ++Changes; };
    g.OnPixelGraphicProgress = [this](TPixelGraphic&, int step, int max, bool& abort) {
      Steps.emplace_back(step, max);
      if (step == AbortAfter) abort = true;
    };
  }
};

TEST(ApplyFilter, NonPointFilterInPlaceIsRefused) {
  TPixelGraphic g;
  MakeVaried(g, 8, 6);
  const auto before = Colors(g);
  TEventLog log;
  log.Attach(g);
  TConvFilter conv;
  try {
    ApplyFilter(g, conv, g);
    FAIL() << "no error";
  } catch (const EPGFilter& e) {
    EXPECT_STREQ(e.what(), "Cannot apply this filter to a source that is identical to the target");
  }
  EXPECT_EQ(Colors(g), before);
  EXPECT_EQ(log.Changes, 0);
  EXPECT_EQ(log.Starts, 0);
}

TEST(ApplyFilter, PaletteImageInPlaceGetsAnInvertedPalette) {
  TPixelGraphic g;
  MakeVariedPalette(g, 9, 5, 200);
  const auto indexes = RawPixels(g);
  const auto palette = g.Palette();
  TEventLog log;
  log.Attach(g);
  TNegativeFilter neg;
  ApplyFilter(g, neg, g);
  EXPECT_EQ(RawPixels(g), indexes);
  ASSERT_EQ(g.PaletteCount(), 200);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(g.PaletteColor(i), palette[i] ^ 0xFFFFFF);
  EXPECT_EQ(log.Changes, 1);
  EXPECT_EQ(log.Starts, 0);  // the palette route raises no progress
}

TEST(ApplyFilter, TrueColorInPlaceInvertsEveryPixel) {
  TPixelGraphic g;
  MakeVaried(g, 13, 7);
  const auto before = Colors(g);
  TEventLog log;
  log.Attach(g);
  TNegativeFilter neg;
  ApplyFilter(g, neg, g);
  const auto after = Colors(g);
  for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(after[i], before[i] ^ 0xFFFFFF);
  EXPECT_EQ(log.Changes, 1);
  EXPECT_EQ(log.Starts, 1);
  EXPECT_EQ(log.Ends, 1);
  ASSERT_EQ(log.Steps.size(), 7u);
  for (int y = 0; y < 7; ++y) EXPECT_EQ(log.Steps[y], std::make_pair(y, 6));
}

TEST(ApplyFilter, FourBitSourceIntoEightBitTakesThePaletteRoute) {
  TPixelGraphic src;
  src.SetSize(7, 3, pf4Bit);
  src.SetPaletteIdent(pSys16);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 7; ++x) src.SetPixel(x, y, static_cast<TRGB>((x + y * 5) % 16));
  TPixelGraphic dst;
  dst.SetSize(1, 1, pf8Bit);
  TGrayScaleFilter gray;
  ApplyFilter(dst, gray, src);
  EXPECT_EQ(dst.PixelFormat(), pf8Bit);
  EXPECT_EQ(dst.Width(), 7);
  EXPECT_EQ(RawPixels(dst), RawPixels(src));
  ASSERT_EQ(dst.PaletteCount(), 16);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(dst.PaletteColor(i), gray.FilterColor(src.PaletteColor(i)));
  // The source is untouched.
  EXPECT_EQ(src.PaletteIdent(), pSys16);
}

TEST(ApplyFilter, PaletteRouteMatchesPixelRoute) {
  // The same picture as palette image (palette route) and as 24-bit image (pixel route) gives
  // the same colours through every point filter.
  TPixelGraphic pal;
  MakeVariedPalette(pal, 23, 11, 256);
  TPixelGraphic rgb;
  rgb.SetSize(23, 11, pf24Bit);
  rgb.CopyFrom(pal);
  TNegativeFilter neg;
  TGrayScaleFilter gray;
  TBCGFilter bcg;
  ConfigureBCGFilter(bcg, 15, 30, -20, true);
  TRGBFilter rgbf;
  ConfigureShiftFilter(rgbf, 10, -20, 30);
  TCMYFilter cmy;
  ConfigureShiftFilter(cmy, -5, 25, 0);
  TYCbCrFilter ycc;
  ConfigureShiftFilter(ycc, 10, 20, -30);
  THLSFilter hls;
  ConfigureHueFilter(hls, 77, -10, 40);
  THSVFilter hsv;
  ConfigureHueFilter(hsv, -120, 30, -15);
  for (TPGFilter* f : std::initializer_list<TPGFilter*>{&neg, &gray, &bcg, &rgbf, &cmy, &ycc, &hls, &hsv}) {
    TPixelGraphic a, b;
    a.Assign(&pal);
    b.Assign(&rgb);
    ApplyFilter(a, *f, a);
    ApplyFilter(b, *f, b);
    EXPECT_EQ(a.PixelFormat(), pf8Bit);
    EXPECT_EQ(Colors(a), Colors(b)) << typeid(*f).name();
  }
}

TEST(ApplyFilter, TrueColorIntoPaletteIsDitheredInSerpentineOrder) {
  TPixelGraphic src;
  MakeVaried(src, 31, 9);
  TNegativeFilter neg;
  TPixelGraphic dst;
  dst.SetSize(1, 1, pf8Bit);
  dst.SetPaletteIdent(pSpecial216);
  ApplyFilter(dst, neg, src);
  // The same as dithering the filtered picture with the image model's own serpentine writer.
  TPixelGraphic filtered;
  ApplyFilter(filtered, neg, src);
  TPixelGraphic expected;
  expected.SetSize(31, 9, pf8Bit);
  expected.SetPaletteIdent(pSpecial216);
  expected.BeginDither();
  for (int y = 0; y < 9; ++y) {
    expected.NextDitherRow();
    for (int i = 0; i < 31; ++i) {
      const int x = (y & 1) ? 30 - i : i;
      const TRGB c = filtered.PixelColor(x, y);
      expected.SetPixelDithered(x, y, RedOf(c), GreenOf(c), BlueOf(c));
    }
  }
  expected.EndDither();
  EXPECT_EQ(RawPixels(dst), RawPixels(expected));

  // Without dithering every pixel is the nearest entry.
  TPixelGraphic plain;
  plain.SetSize(1, 1, pf8Bit);
  plain.SetPaletteIdent(pSpecial216);
  plain.Dither = false;
  ApplyFilter(plain, neg, src);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 31; ++x)
      ASSERT_EQ(plain.Pixel(x, y), plain.ColorToIndex(filtered.PixelColor(x, y)));
}

TEST(ApplyFilter, EmptyImagesOnlyNotify) {
  TPixelGraphic src, dst;
  TEventLog log;
  log.Attach(dst);
  TConvFilter conv;
  ApplyFilter(dst, conv, src);
  EXPECT_TRUE(dst.Empty());
  EXPECT_EQ(log.Changes, 1);
  EXPECT_EQ(log.Starts, 0);
  TNegativeFilter neg;
  ApplyFilter(src, neg, src);
  EXPECT_TRUE(src.Empty());
}

TEST(ApplyFilter, AbortStopsAfterTheRowAndKeepsTheRest) {
  TPixelGraphic src;
  MakeVaried(src, 40, 20);
  TBCGFilter bcg;
  ConfigureBCGFilter(bcg, 40, 0, 0, false);
  for (int threads : {1, 2, 3}) {
    TPixelGraphic g;
    g.Assign(&src);
    TEventLog log;
    log.AbortAfter = 6;
    log.Attach(g);
    TPGFilterOptions options;
    options.Threads = threads;
    ApplyFilter(g, bcg, g, options);
    EXPECT_EQ(log.Steps.size(), 7u) << threads;
    EXPECT_EQ(log.Ends, 1);
    EXPECT_EQ(log.Changes, 1);
    for (int y = 0; y < 20; ++y)
      for (int x = 0; x < 40; ++x) {
        const TRGB want = y <= 6 ? bcg.FilterColor(src.PixelColor(x, y)) : src.PixelColor(x, y);
        ASSERT_EQ(g.PixelColor(x, y), want) << threads << " " << x << "," << y;
      }
  }
}

TEST(ApplyFilter, ThreadsGiveTheSameResult) {
  TPixelGraphic src;
  MakeVaried(src, 517, 301, 9);
  TConvFilter conv;
  conv.BuildSmooth(dsGaussian, true, 60, 1.3);
  THSVFilter hsv;
  ConfigureHueFilter(hsv, 33, 20, -10);
  for (TPGFilter* f : std::initializer_list<TPGFilter*>{&conv, &hsv}) {
    TPixelGraphic one;
    TPGFilterOptions single;
    single.Threads = 1;
    ApplyFilter(one, *f, src, single);
    for (int threads : {2, 3, 8}) {
      for (bool withProgress : {false, true}) {
        TPixelGraphic many;
        TEventLog log;
        if (withProgress) log.Attach(many);
        TPGFilterOptions options;
        options.Threads = threads;
        ApplyFilter(many, *f, src, options);
        EXPECT_EQ(Colors(many), Colors(one)) << threads;
        if (withProgress) {
          ASSERT_EQ(log.Steps.size(), 301u);
          for (int y = 0; y < 301; ++y) EXPECT_EQ(log.Steps[y].first, y);
        }
      }
    }
    // Into a palette destination the colours are computed on threads, written in order.
    TPixelGraphic pal1, pal2;
    for (TPixelGraphic* p : {&pal1, &pal2}) {
      p->SetSize(1, 1, pf8Bit);
      p->SetPaletteIdent(pSpecial252);
    }
    ApplyFilter(pal1, *f, src, single);
    TPGFilterOptions two;
    two.Threads = 2;
    ApplyFilter(pal2, *f, src, two);
    EXPECT_EQ(RawPixels(pal1), RawPixels(pal2));
  }
}

// A filter whose rows fail: the error reaches the caller and the run is closed.
class TFailingFilter : public TPGPointFilter {
 public:
  std::unique_ptr<TPGFilter> Clone() const override { return std::make_unique<TFailingFilter>(); }
  TRGB FilterColor(TRGB c) const override { return c; }
  void FilterRow(int y, std::uint8_t* bgr) const override {
    if (y == 150) throw EPixelGraphic("row failed");
    TPGPointFilter::FilterRow(y, bgr);
  }
  void Finish() override {
    ++Finished;
    TPGPointFilter::Finish();
  }
  int Finished = 0;
};

TEST(ApplyFilter, ErrorsCloseTheRun) {
  TPixelGraphic src;
  MakeVaried(src, 600, 500);
  for (int threads : {1, 2}) {
    TPixelGraphic dst;
    TEventLog log;
    log.Attach(dst);
    TFailingFilter f;
    TPGFilterOptions options;
    options.Threads = threads;
    EXPECT_THROW(ApplyFilter(dst, f, src, options), EPixelGraphic);
    EXPECT_EQ(f.Finished, 1);
    EXPECT_EQ(log.Starts, 1);
    EXPECT_EQ(log.Ends, 1);
    EXPECT_EQ(dst.UpdateCount(), 0);
  }
}

}  // namespace
