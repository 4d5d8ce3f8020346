// Command sequences on fixture pictures: rotations, flips, crop, undo and the effects.
#include <gtest/gtest.h>

#include <set>

#include "dialogs/core/FilterDialogs.h"
#include "editor/core/PictureEditor.h"
#include "imaging/filters/PointFilters.h"
#include "tests/editor/EditorTestUtil.h"

namespace {

struct EditorFixture : testing::Test {
  TPlainTarget target;
  TPictureEditor editor{target};
  void Load(std::unique_ptr<TPixelGraphic> p) { target.FPicture = std::move(p); }
  TPixelGraphic& Doc() { return *target.FPicture; }
};

TEST_F(EditorFixture, QuarterTurnsTurnTheContentAndSwapTheSides) {
  Load(PositionPicture(200, 100));
  auto original = std::make_unique<TPixelGraphic>();
  original->Assign(&Doc());

  ASSERT_EQ(editor.Rotate(270), TEditOutcome::Done);  // "90 Degrees CCW"
  auto ccw = std::make_unique<TPixelGraphic>();
  ccw->Assign(&Doc());
  EXPECT_EQ(ccw->Width(), 100);
  EXPECT_EQ(ccw->Height(), 200);
  // The top-right corner comes to the top-left.
  EXPECT_EQ(ccw->Pixel(0, 0), original->Pixel(199, 0));
  EXPECT_EQ(ccw->Pixel(0, 199), original->Pixel(0, 0));

  Load(std::move(original));
  for (int i = 0; i < 3; ++i) ASSERT_EQ(editor.Rotate(90), TEditOutcome::Done);
  EXPECT_TRUE(SamePixels(Doc(), *ccw));
  EXPECT_EQ(editor.Undo().Caption(), "Undo Rotate");
}

TEST_F(EditorFixture, RotationKeepsThePaletteOfIndexedPictures) {
  Load(IndexedPicture(30, 20));
  const std::vector<TRGB> palette = Doc().Palette();
  ASSERT_EQ(editor.Rotate(180), TEditOutcome::Done);
  EXPECT_EQ(Doc().PixelFormat(), pf8Bit);
  EXPECT_EQ(Doc().Palette(), palette);
  EXPECT_EQ(Doc().Pixel(0, 0), static_cast<TRGB>((29 + 3 * 19) % 256));
}

TEST_F(EditorFixture, ArbitraryAngleEnlargesToHoldTheTurnedPicture) {
  Load(PositionPicture(100, 50));
  ASSERT_EQ(editor.Rotate(330), TEditOutcome::Done);
  EXPECT_GT(Doc().Width(), 100);
  EXPECT_GT(Doc().Height(), 50);
}

TEST_F(EditorFixture, CropOfAnIndexedPictureKeepsPaletteAndIndexes) {
  Load(IndexedPicture(40, 30));
  const std::vector<TRGB> palette = Doc().Palette();
  ASSERT_EQ(editor.Crop(true, {3, 4, 10, 5}), TCropOutcome::Done);
  ASSERT_EQ(Doc().Width(), 10);
  ASSERT_EQ(Doc().Height(), 5);
  EXPECT_EQ(Doc().PixelFormat(), pf8Bit);
  EXPECT_EQ(Doc().Palette(), palette);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 10; ++x)
      ASSERT_EQ(Doc().Pixel(x, y), static_cast<TRGB>((x + 3 + 3 * (y + 4)) % 256));
  EXPECT_EQ(editor.Undo().Caption(), "Undo Crop");
}

TEST_F(EditorFixture, CropOfOneAndFourBitPicturesAtOddColumns) {
  for (TPixelFormat f : {pf1Bit, pf4Bit}) {
    auto g = std::make_unique<TPixelGraphic>();
    g->SetSize(21, 9, f);
    const int levels = f == pf1Bit ? 2 : 16;
    for (int y = 0; y < 9; ++y)
      for (int x = 0; x < 21; ++x) g->SetPixel(x, y, static_cast<TRGB>((x * 5 + y) % levels));
    Load(std::move(g));
    ASSERT_EQ(editor.Crop(true, {3, 2, 11, 4}), TCropOutcome::Done);
    for (int y = 0; y < 4; ++y)
      for (int x = 0; x < 11; ++x)
        ASSERT_EQ(Doc().Pixel(x, y), static_cast<TRGB>(((x + 3) * 5 + y + 2) % levels));
  }
}

TEST_F(EditorFixture, SelectionPartlyOutsideIsCutToThePicture) {
  Load(PositionPicture(50, 40));
  ASSERT_EQ(editor.Crop(true, {-10, 30, 25, 100}), TCropOutcome::Done);
  EXPECT_EQ(Doc().Width(), 15);
  EXPECT_EQ(Doc().Height(), 10);
  EXPECT_EQ(Doc().Pixel(0, 0), RGBColor(0, 30, 30));
}

TEST_F(EditorFixture, SelectionWhollyOutsideCropsNothingAndKeepsUndo) {
  Load(PositionPicture(50, 40));
  ASSERT_EQ(editor.FlipVertical(), TEditOutcome::Done);
  const int takes = target.Takes;
  EXPECT_EQ(editor.Crop(true, {60, 0, 10, 10}), TCropOutcome::Outside);
  EXPECT_EQ(editor.Crop(true, {-2000000000, -2000000000, 2000000000, 10}), TCropOutcome::Outside);
  EXPECT_EQ(editor.Crop(false, {0, 0, 10, 10}), TCropOutcome::NoSelection);
  EXPECT_EQ(target.Takes, takes);
  EXPECT_EQ(Doc().Width(), 50);
  EXPECT_EQ(editor.Undo().Caption(), "Undo Flip Vertical");
}

TEST_F(EditorFixture, UndoAfterTwoCommandsRestoresTheStateBeforeTheSecond) {
  Load(PositionPicture(20, 10));
  ASSERT_EQ(editor.FlipHorizontal(), TEditOutcome::Done);
  auto afterFirst = std::make_unique<TPixelGraphic>();
  afterFirst->Assign(&Doc());
  ASSERT_EQ(editor.Rotate(90), TEditOutcome::Done);
  EXPECT_EQ(editor.Undo().Caption(), "Undo Rotate");
  ASSERT_TRUE(editor.UndoLast());
  EXPECT_TRUE(SamePixels(Doc(), *afterFirst));
  EXPECT_FALSE(editor.Undo().Enabled());
  EXPECT_EQ(editor.Undo().Caption(), "Undo");
  EXPECT_FALSE(editor.UndoLast());  // one level only
  EXPECT_TRUE(SamePixels(Doc(), *afterFirst));
}

TEST_F(EditorFixture, CommandsWithoutAPictureDoNothing) {
  EXPECT_EQ(editor.Rotate(90), TEditOutcome::Nothing);
  EXPECT_EQ(editor.Posterize(), TEditOutcome::Nothing);
  EXPECT_EQ(editor.Crop(true, {0, 0, 5, 5}), TCropOutcome::NoPicture);
  EXPECT_FALSE(editor.Undo().Enabled());
}

TEST_F(EditorFixture, PosterizeGivesFourBitsWithAtMostEightColours) {
  for (auto* make : {+[] { return PositionPicture(64, 48); }, +[] { return IndexedPicture(64, 48); }}) {
    Load(make());
    ASSERT_EQ(editor.Posterize(), TEditOutcome::Done);
    EXPECT_EQ(Doc().PixelFormat(), pf4Bit);
    EXPECT_LE(Doc().PaletteCount(), 8);
    std::set<TRGB> used;
    for (int y = 0; y < Doc().Height(); ++y)
      for (int x = 0; x < Doc().Width(); ++x) used.insert(Doc().Pixel(x, y));
    EXPECT_LE(used.size(), 8u);
    EXPECT_EQ(editor.Undo().Caption(), "Undo Posterize");
  }
}

TEST_F(EditorFixture, BevelDepthFollowsTheWidth) {
  auto narrow = IndexedPicture(33, 20);
  auto narrowColours = std::make_unique<TPixelGraphic>();
  narrowColours->Assign(narrow.get());
  Load(std::move(narrow));
  ASSERT_EQ(editor.Bevel(), TEditOutcome::Done);
  EXPECT_EQ(Doc().PixelFormat(), pf24Bit);  // only a true-colour copy of itself
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 33; ++x) ASSERT_EQ(Doc().Pixel(x, y), narrowColours->PixelColor(x, y));
  EXPECT_TRUE(editor.Undo().Enabled());

  auto wide = std::make_unique<TPixelGraphic>();
  wide->SetSize(100, 20, pf24Bit);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 100; ++x) wide->SetPixel(x, y, RGBColor(128, 128, 128));
  Load(std::move(wide));
  ASSERT_EQ(editor.Bevel(), TEditOutcome::Done);
  EXPECT_NE(Doc().Pixel(2, 10), RGBColor(128, 128, 128));   // inside the 3-pixel band
  EXPECT_EQ(Doc().Pixel(3, 10), RGBColor(128, 128, 128));   // beyond it
}

TEST_F(EditorFixture, ResizeGivesATrueColourPictureOfTheNewSize) {
  Load(IndexedPicture(40, 30));
  ASSERT_EQ(editor.Resize(20, 15), TEditOutcome::Done);
  EXPECT_EQ(Doc().Width(), 20);
  EXPECT_EQ(Doc().Height(), 15);
  EXPECT_EQ(Doc().PixelFormat(), pf24Bit);
  EXPECT_EQ(editor.Undo().Caption(), "Undo Resize");
}

TEST_F(EditorFixture, BorderPaintsTheEdgeInTheChosenColour) {
  Load(PositionPicture(40, 30));
  ASSERT_EQ(editor.Border(false, 5, RGBColor(255, 0, 0)), TEditOutcome::Done);
  EXPECT_EQ(Doc().Width(), 40);
  EXPECT_EQ(Doc().PixelColor(0, 0), RGBColor(255, 0, 0));
  EXPECT_EQ(Doc().PixelColor(0, 15), RGBColor(255, 0, 0));
  EXPECT_EQ(Doc().PixelColor(20, 15), RGBColor(20, 15, (20 * 7 + 15) & 0xFF));
  EXPECT_EQ(editor.Undo().Caption(), "Undo Border");
}

TEST_F(EditorFixture, ColourResolutionFixedAndOptimisedPalettes) {
  Load(PositionPicture(32, 32));
  TColorRezChoice gray;
  gray.Depth = TColorDepth::Bits8;
  gray.Palette8 = TColorRezPalette::Gray256;
  ASSERT_EQ(editor.ColorResolution(gray), TEditOutcome::Done);
  EXPECT_EQ(Doc().PixelFormat(), pf8Bit);
  EXPECT_EQ(Doc().PaletteIdent(), pGray256);

  TColorRezChoice optimized;
  optimized.Depth = TColorDepth::Bits4;
  optimized.Palette4 = TColorRezPalette::Optimized4;
  optimized.Count4 = 5;
  Load(PositionPicture(32, 32));
  ASSERT_EQ(editor.ColorResolution(optimized), TEditOutcome::Done);
  EXPECT_EQ(Doc().PixelFormat(), pf4Bit);
  EXPECT_LE(Doc().PaletteCount(), 5);

  TColorRezChoice system = optimized;
  system.Depth = TColorDepth::Bits8;
  system.Palette8 = TColorRezPalette::Optimized8;
  system.Count8 = 252;
  system.IncludeSystemColors = true;
  Load(PositionPicture(32, 32));
  ASSERT_EQ(editor.ColorResolution(system), TEditOutcome::Done);
  EXPECT_EQ(Doc().PixelFormat(), pf8Bit);
  EXPECT_EQ(editor.Undo().Caption(), "Undo Color Resolution");

  // Stopped while the palette is made: the picture stays.
  Load(PositionPicture(32, 32));
  TPixelGraphic* before = target.FPicture.get();
  EXPECT_EQ(editor.ColorResolution(system, [](int step, int) { return step >= 4; }),
            TEditOutcome::Aborted);
  EXPECT_EQ(target.FPicture.get(), before);
  EXPECT_EQ(Doc().PixelFormat(), pf24Bit);
}

TEST_F(EditorFixture, PointFilterInPlaceAndItsAbort) {
  Load(PositionPicture(16, 40));
  TNegativeFilter negative;
  ASSERT_EQ(editor.PointFilter("Negative", negative), TEditOutcome::Done);
  EXPECT_EQ(Doc().Pixel(3, 4), RGBColor(255 - 3, 255 - 4, 255 - ((3 * 7 + 4) & 0xFF)));
  EXPECT_EQ(editor.Undo().Caption(), "Undo Negative");

  Load(PositionPicture(16, 40));
  const auto outcome = editor.PointFilter("Negative", negative, [](int step, int) { return step >= 9; });
  EXPECT_EQ(outcome, TEditOutcome::Aborted);
  EXPECT_EQ(Doc().Pixel(0, 9), RGBColor(255, 255 - 9, 255 - 9));  // filtered up to the abort
  EXPECT_EQ(Doc().Pixel(0, 10), RGBColor(0, 10, 10));              // the rest as it was
  EXPECT_TRUE(editor.Undo().Enabled());
  EXPECT_FALSE(Doc().OnPixelGraphicProgress);  // the command's hook is gone
}

TEST_F(EditorFixture, ConvolutionByResultAndItsAbortKeepsThePicture) {
  TSharpenFilterDialog sharpen;
  Load(PositionPicture(30, 60));
  auto original = std::make_unique<TPixelGraphic>();
  original->Assign(&Doc());
  TPixelGraphic* before = target.FPicture.get();
  int reports = 0;
  const auto outcome = editor.Convolution("Sharpen", sharpen.Filter(), [&](int, int) {
    return ++reports == 5;
  });
  EXPECT_EQ(outcome, TEditOutcome::Aborted);
  EXPECT_EQ(target.FPicture.get(), before);
  EXPECT_TRUE(SamePixels(Doc(), *original));
  EXPECT_EQ(editor.Undo().Caption(), "Undo Sharpen");

  ASSERT_EQ(editor.Convolution("Sharpen", sharpen.Filter()), TEditOutcome::Done);
  EXPECT_NE(target.FPicture.get(), before);
  EXPECT_FALSE(SamePixels(Doc(), *original));
}

TEST_F(EditorFixture, FastEffectsAndPencilGiveTrueColourPictures) {
  for (TFastEffect e : {TFastEffect::Emboss, TFastEffect::Fisheye, TFastEffect::Swirl}) {
    Load(IndexedPicture(40, 30));
    ASSERT_EQ(editor.FastEffect(e), TEditOutcome::Done);
    EXPECT_EQ(Doc().PixelFormat(), pf24Bit);
    EXPECT_EQ(Doc().Width(), 40);
    EXPECT_EQ(editor.Undo().Caption(), std::string("Undo ") + FastEffectName(e));
  }
  Load(PositionPicture(40, 30));
  ASSERT_EQ(editor.Pencil(), TEditOutcome::Done);
  EXPECT_EQ(Doc().PixelFormat(), pf24Bit);
  const TRGB c = Doc().PixelColor(10, 10);
  EXPECT_EQ(RedOf(c), GreenOf(c));  // grey
  EXPECT_EQ(editor.Undo().Caption(), "Undo Pencil Draw");
  TPixelGraphic* drawn = target.FPicture.get();
  EXPECT_EQ(editor.Pencil([](int step, int) { return step >= 3; }), TEditOutcome::Aborted);
  EXPECT_EQ(target.FPicture.get(), drawn);  // stopped: the picture stays
}

TEST_F(EditorFixture, EffectWindowEffectsUseTheirNames) {
  Load(PositionPicture(40, 30));
  ASSERT_EQ(editor.Effect(4, 5, 1), TEditOutcome::Done);
  EXPECT_EQ(editor.Undo().Caption(), "Undo Mosaic");
  ASSERT_EQ(editor.Effect(2, 50, 1), TEditOutcome::Done);
  EXPECT_EQ(editor.Undo().Caption(), "Undo Monochrome Noise");
  EXPECT_EQ(editor.Effect(9, 5, 1), TEditOutcome::Nothing);
  EXPECT_EQ(editor.Undo().Caption(), "Undo Monochrome Noise");
}

TEST(ProgressClock, ShowsAtMostEvery50Milliseconds) {
  TProgressClock clock;
  EXPECT_EQ(clock.Report(1, 10, 1000), 10);
  EXPECT_EQ(clock.Report(2, 10, 1040), -1);
  EXPECT_EQ(clock.Report(3, 10, 1051), 30);
  EXPECT_EQ(clock.Report(3, 0, 5000), -1);
  clock.Reset();
  EXPECT_EQ(clock.Report(999, 1000, 51), 99);
}

}  // namespace
