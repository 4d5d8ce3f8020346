#include <gtest/gtest.h>

#include <fstream>

#include "tests/thumbs/ThumbsTestUtil.h"
#include "thumbs/core/SheetBuilder.h"
#include "thumbs/core/SheetEffects.h"
#include "thumbs/core/SheetLayout.h"

using namespace thumbs_test;

namespace {

// Text 6 pixels per character and 10 high; drawing only records.
class TFakeText : public TSheetText {
 public:
  struct TDraw {
    std::string Text;
    int X, Y;
    TSheetRect Clip;
  };
  int TextWidth(const TSheetFont&, const std::string& t) override { return 6 * int(t.size()); }
  int TextHeight(const TSheetFont& f, const std::string&) override { return f.Points + 2; }
  void DrawText(TPixelGraphic&, const TSheetFont&, int x, int y, const std::string& t,
                const TSheetRect& clip) override {
    Draws.push_back({t, x, y, clip});
  }
  std::vector<TDraw> Draws;
};

TSheetOptions Plain() {
  TSheetOptions o;
  o.AutoSharpen = false;
  o.AddBorder = false;
  o.DropShadow = false;
  return o;
}

}  // namespace

TEST(SheetLayout, SevenEntriesInSixColumns) {
  const TSheetLayout l = LayoutSheet(TSheetOptions{}, 7, 0, 0);
  EXPECT_EQ(l.Rows, 2);
  EXPECT_EQ(l.SizeText(), "ThumbVex size : 716 X 282");
  EXPECT_EQ(l.CellOrigin(6).X, 20);
  EXPECT_EQ(l.CellOrigin(6).Y, 146);
  EXPECT_EQ(l.CellOrigin(5).X, 20 + 5 * 116);
  // A 300 x 150 thumbnail (96 x 48) stands on the bottom of its cell.
  EXPECT_EQ(l.ThumbOrigin(0, {96, 48}).Y, 20 + 48);
  // A title band moves every row down and makes the sheet higher by as much.
  const TSheetLayout t = LayoutSheet(TSheetOptions{}, 7, 44, 0);
  EXPECT_EQ(t.Height, 282 + 44);
  EXPECT_EQ(t.CellOrigin(6).Y, 146 + 44);
  EXPECT_EQ(SheetTextBand(32), 44);
}

TEST(SheetLayout, FileNamesCentredOrStartingLeftOfTheCell) {
  const TSheetLayout l = LayoutSheet(TSheetOptions{}, 7, 0, 0);
  EXPECT_EQ(l.NameOrigin(1, 60).X, 136 + 48 - 30);
  EXPECT_EQ(l.NameOrigin(1, 60).Y, 20 + 96 + 4);
  EXPECT_EQ(l.NameOrigin(1, 116).X, 136 - 10);  // not narrower than HS + S
  const TSheetRect clip = l.NameClip(1);
  EXPECT_EQ(clip.Left, 126);
  EXPECT_EQ(clip.Right, 136 + 96 + 10);
  EXPECT_EQ(clip.Bottom - clip.Top, 20);
}

TEST(SheetLayout, ValuesOutOfRangeGiveTheRangeMessage) {
  TSheetOptions o;
  o.Size = 25;
  try {
    LayoutSheet(o, 7, 0, 0);
    FAIL();
  } catch (const ESheetError& e) {
    EXPECT_STREQ(e.what(), "Invalid value. Enter a value between 30 and 900");
  }
  o = {};
  o.Cols = 0;  // never a division by zero
  EXPECT_THROW(LayoutSheet(o, 7, 0, 0), ESheetError);
  o = {};
  o.VSpace = 101;
  EXPECT_THROW(CheckSheetOptions(o), ESheetError);
  EXPECT_THROW(LayoutSheet(TSheetOptions{}, 0, 0, 0), ESheetError);
}

TEST(SheetLayout, SheetsTooLargeToMakeAreRefusedWithTheirSize) {
  TSheetOptions o;
  o.Size = 900;
  o.Cols = 2;
  try {
    LayoutSheet(o, 2'000'000, 0, 0);  // 1000 million pixels high
    FAIL();
  } catch (const ESheetError& e) {
    EXPECT_NE(std::string(e.what()).find("too large"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("1860 X 930000030"), std::string::npos);
  }
}

TEST(SheetEffects, ShadowDarkensTheBackgroundBesideAndBelow) {
  auto sheet = Solid(60, 60, RGBColor(255, 255, 255));
  DrawThumbShadow(*sheet, 10, 10, {20, 20});
  EXPECT_EQ(sheet->PixelColor(16, 30), RGBColor(127, 127, 127));  // row y + th, e = 0
  EXPECT_EQ(sheet->PixelColor(16, 35), RGBColor(232, 232, 232));  // e = 5
  EXPECT_EQ(sheet->PixelColor(30, 16), RGBColor(127, 127, 127));  // column x + tw
  EXPECT_EQ(sheet->PixelColor(32, 16), RGBColor(169, 169, 169));  // e = 2: 21 x 2 + 127
  EXPECT_EQ(sheet->PixelColor(15, 30), RGBColor(255, 255, 255));  // offset by 6
  EXPECT_EQ(sheet->PixelColor(30, 15), RGBColor(255, 255, 255));
  EXPECT_EQ(sheet->PixelColor(35, 35), RGBColor(232, 232, 232));  // the corner, once
  EXPECT_EQ(sheet->PixelColor(36, 35), RGBColor(255, 255, 255));
  // Near the sheet's edge the shadow is clipped.
  DrawThumbShadow(*sheet, 50, 50, {20, 20});
}

TEST(SheetEffects, FrameIsInsideTheThumbnail) {
  auto thumb = Solid(10, 5, RGBColor(0, 0, 0));
  FrameThumb(*thumb, RGBColor(255, 0, 0));
  EXPECT_EQ(thumb->PixelColor(0, 2), RGBColor(255, 0, 0));
  EXPECT_EQ(thumb->PixelColor(9, 4), RGBColor(255, 0, 0));
  EXPECT_EQ(thumb->PixelColor(5, 2), RGBColor(0, 0, 0));
}

TEST(SheetBuilder, PlacesThumbnailsAndNamesAndSurvivesBadFiles) {
  TTempFolder dir;
  std::vector<std::string> files;
  files.push_back(WriteSolid(dir.Path() / "wide.bmp", 300, 150, RGBColor(0, 0, 255)));
  files.push_back(WriteSolid(dir.Path() / "small.png", 50, 40, RGBColor(0, 255, 0)));
  { std::ofstream(dir / "broken.bmp") << "BM not a bitmap"; }
  files.push_back(dir / "broken.bmp");
  files.push_back(WriteSolid(dir.Path() / "photo.jpg", 800, 600, RGBColor(255, 0, 0)));
  TFakeText text;
  std::vector<int> progress;
  TSheetOptions o = Plain();
  o.Cols = 2;
  const TSheetResult r = BuildSheet(files, o, text, [&](int k, int n) {
    progress.push_back(k);
    EXPECT_EQ(n, 4);
    return true;
  });
  ASSERT_TRUE(r.Sheet);
  EXPECT_EQ(r.Layout.SizeText(), "ThumbVex size : 252 X 282");
  EXPECT_EQ(progress, (std::vector<int>{0, 1, 2, 3}));
  EXPECT_EQ(r.FailedFiles, (std::vector<std::string>{dir / "broken.bmp"}));
  const TPixelGraphic& s = *r.Sheet;
  const TRGB white = RGBColor(255, 255, 255);
  EXPECT_EQ(s.PixelColor(20 + 48, 20 + 47), white);          // above the 96 x 48 thumbnail
  EXPECT_EQ(s.PixelColor(20 + 48, 20 + 48), RGBColor(0, 0, 255));
  EXPECT_EQ(s.PixelColor(136 + 48, 20 + 95), RGBColor(0, 255, 0));  // enlarged to 96 x 76
  EXPECT_EQ(s.PixelColor(136 + 48, 20 + 19), white);
  EXPECT_EQ(s.PixelColor(136 + 48, 20 + 20), RGBColor(0, 255, 0));
  for (int y = 146; y < 146 + 96; y += 5)                    // the failed cell stays empty
    for (int x = 20; x < 20 + 96; x += 5) ASSERT_EQ(s.PixelColor(x, y), white);
  const TRGB red = s.PixelColor(136 + 48, 146 + 80);
  EXPECT_GT(RedOf(red), 240);
  EXPECT_LT(GreenOf(red), 15);
  // Every entry has its name, the failed one too.
  ASSERT_EQ(text.Draws.size(), 4u);
  EXPECT_EQ(text.Draws[2].Text, "broken.bmp");
  EXPECT_EQ(text.Draws[2].Y, 146 + 96 + 4);
  EXPECT_EQ(text.Draws[2].X, 20 + 48 - 30);
}

TEST(SheetBuilder, BorderShadowTitleFooterAndBackground) {
  TTempFolder dir;
  const std::vector<std::string> files = {
      WriteSolid(dir.Path() / "a.bmp", 96, 96, RGBColor(0, 0, 0))};
  TFakeText text;
  TSheetOptions o;
  o.AutoSharpen = false;
  o.IncludeTitle = true;
  o.IncludeFooter = true;
  o.Footer = std::string(200, 'w');  // wider than the sheet
  o.UseBackgroundImage = true;
  o.BackgroundImage = dir / "missing.bmp";
  TSheetResult r = BuildSheet(files, o, text);
  const int title = SheetTextBand(26), footer = SheetTextBand(10);
  EXPECT_EQ(r.Layout.TitleBand, title);
  EXPECT_EQ(r.Layout.Height, 96 + title + footer + 60);
  EXPECT_EQ(r.BackgroundError, "Could not load Background Image file " + (dir / "missing.bmp"));
  const TPixelGraphic& s = *r.Sheet;
  EXPECT_EQ(s.PixelColor(20, title + 20), RGBColor(255, 0, 0));       // the border
  EXPECT_EQ(s.PixelColor(21, title + 21), RGBColor(0, 0, 0));
  EXPECT_EQ(s.PixelColor(20 + 96, title + 20 + 10), RGBColor(127, 127, 127));  // shadow
  ASSERT_EQ(text.Draws.size(), 3u);
  EXPECT_EQ(text.Draws[1].Text, o.Title);
  EXPECT_EQ(text.Draws[1].Y, 20);
  EXPECT_EQ(text.Draws[1].X, (716 - 6 * int(o.Title.size())) / 2);  // six columns wide
  EXPECT_EQ(text.Draws[2].Text, "Text Too Long");
  EXPECT_EQ(text.Draws[2].X, 0);
  EXPECT_EQ(text.Draws[2].Y, int(r.Layout.Height) - footer - 10);

  // A background picture is tiled from the corner.
  auto tile = Solid(7, 5, RGBColor(10, 20, 30));
  tile->SetPixelColor(0, 0, RGBColor(200, 0, 0));
  SaveToFile(*tile, dir / "tile.bmp");
  o = Plain();
  o.UseBackgroundImage = true;
  o.BackgroundImage = dir / "tile.bmp";
  r = BuildSheet(files, o, text);
  EXPECT_TRUE(r.BackgroundError.empty());
  EXPECT_EQ(r.Sheet->PixelColor(0, 0), RGBColor(200, 0, 0));
  EXPECT_EQ(r.Sheet->PixelColor(7, 5), RGBColor(200, 0, 0));
  EXPECT_EQ(r.Sheet->PixelColor(8, 5), RGBColor(10, 20, 30));
}

TEST(SheetBuilder, SharpenAndBevelKeepTheThumbnailSize) {
  TTempFolder dir;
  auto picture = Solid(120, 80, RGBColor(100, 100, 100));
  for (int x = 60; x < 120; ++x)
    for (int y = 0; y < 80; ++y) picture->SetPixelColor(x, y, RGBColor(200, 200, 200));
  SaveToFile(*picture, dir / "edge.bmp");
  auto thumb = LoadSheetThumb(dir / "edge.bmp", 96);
  EXPECT_EQ(thumb->Width(), 96);
  EXPECT_EQ(thumb->Height(), 64);
  TSheetOptions o = Plain();
  o.AutoSharpen = true;
  o.Bevel = true;
  TFakeText text;
  const TSheetResult r = BuildSheet({dir / "edge.bmp"}, o, text);
  EXPECT_TRUE(r.FailedFiles.empty());
  // The sharpened edge overshoots on both sides.
  const int y = 20 + 96 - 32;
  EXPECT_LT(RedOf(r.Sheet->PixelColor(20 + 47, y)), 100);
  EXPECT_GT(RedOf(r.Sheet->PixelColor(20 + 48, y)), 200);
  EXPECT_THROW(BuildSheet({}, o, text), ESheetError);
}
