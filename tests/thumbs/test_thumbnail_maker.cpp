#include <gtest/gtest.h>

#include "tests/thumbs/ThumbsTestUtil.h"
#include "imaging/formats/JPEGScaledLoad.h"
#include "thumbs/core/ThumbGeometry.h"
#include "thumbs/core/ThumbnailMaker.h"

#include <fstream>

using namespace thumbs_test;

namespace {

const TRGB kListColor = RGBColor(254, 255, 230);
const TRGB kPicture = RGBColor(10, 60, 200);

// The bounding box of the pixels that differ from the background.
struct TBox {
  int Left = 1 << 30, Top = 1 << 30, Right = -1, Bottom = -1;
};
TBox PictureBox(const TPixelGraphic& cell, TRGB background) {
  TBox b;
  for (int y = 0; y < cell.Height(); ++y)
    for (int x = 0; x < cell.Width(); ++x)
      if (cell.PixelColor(x, y) != background) {
        b.Left = std::min(b.Left, x), b.Top = std::min(b.Top, y);
        b.Right = std::max(b.Right, x), b.Bottom = std::max(b.Bottom, y);
      }
  return b;
}

void ExpectCell(const TThumbnailCell& c, int x, int y, int w, int h) {
  ASSERT_TRUE(c.Cell);
  EXPECT_EQ(c.Cell->Width(), 64);
  EXPECT_EQ(c.Cell->Height(), 64);
  EXPECT_EQ(c.Thumb.Width, w);
  EXPECT_EQ(c.Thumb.Height, h);
  const TBox b = PictureBox(*c.Cell, kListColor);
  EXPECT_EQ(b.Left, x);
  EXPECT_EQ(b.Top, y);
  EXPECT_EQ(b.Right, x + w - 1);
  EXPECT_EQ(b.Bottom, y + h - 1);
  EXPECT_EQ(c.Cell->PixelColor(x + w / 2, y + h / 2), kPicture);
  EXPECT_EQ(c.Cell->PixelColor(63, 63), kListColor);
}

}  // namespace

TEST(ThumbGeometry, ExplorerKeepsSmallPicturesAndScalesTheRest) {
  EXPECT_EQ(ExplorerThumbSize(200, 100, 64).Width, 64);
  EXPECT_EQ(ExplorerThumbSize(200, 100, 64).Height, 32);
  EXPECT_EQ(ExplorerThumbSize(100, 200, 64).Width, 32);
  EXPECT_EQ(ExplorerThumbSize(50, 40, 64).Width, 50);
  EXPECT_EQ(ExplorerThumbSize(50, 40, 64).Height, 40);
  // Both sides must be below the size to keep it: 63 x 64 is resampled, trunc(63/64 x 64).
  EXPECT_EQ(ExplorerThumbSize(63, 64, 64).Width, 63);
  EXPECT_EQ(ExplorerThumbSize(63, 64, 64).Height, 64);
  // Exact in integers where floating point would give 62.99...
  EXPECT_EQ(ExplorerThumbSize(300, 49, 64).Height, 10);
}

TEST(ThumbGeometry, ThinStripsKeepAtLeastOnePixel) {
  EXPECT_EQ(ExplorerThumbSize(5000, 2, 64).Height, 1);
  EXPECT_EQ(ExplorerThumbSize(5000, 2, 64).Width, 64);
  EXPECT_EQ(ExplorerThumbSize(1, 40000, 96).Width, 1);
  EXPECT_EQ(SheetThumbSize(20000, 1, 30).Height, 1);
  EXPECT_EQ(SheetThumbSize(50, 40, 96).Height, 76);  // small pictures grow on the sheet
  EXPECT_EQ(SheetThumbSize(300, 150, 96).Height, 48);
  EXPECT_EQ(ExplorerThumbSize(0, 10, 64).Width, 0);
}

TEST(ThumbnailMaker, CellsLandAtTheirOffsetsOnTheListColour) {
  ExpectCell(TThumbnailMaker::MakeFromPicture(*Solid(200, 100, kPicture), 64, kListColor), 0, 0,
             64, 32);
  ExpectCell(TThumbnailMaker::MakeFromPicture(*Solid(100, 200, kPicture), 64, kListColor), 16,
             0, 32, 64);
  ExpectCell(TThumbnailMaker::MakeFromPicture(*Solid(50, 40, kPicture), 64, kListColor), 7, 0,
             50, 40);
  ExpectCell(TThumbnailMaker::MakeFromPicture(*Solid(63, 64, kPicture), 64, kListColor), 0, 0,
             63, 64);
  ExpectCell(TThumbnailMaker::MakeFromPicture(*Solid(3000, 2, kPicture), 64, kListColor), 0, 0,
             64, 1);
}

TEST(ThumbnailMaker, FilesOfEveryKindGiveTheSameCells) {
  TTempFolder dir;
  for (const char* ext : {"bmp", "png", "tga"}) {
    SCOPED_TRACE(ext);
    const TThumbnailMaker maker;
    ExpectCell(maker.Make(WriteSolid(dir.Path() / (std::string("w.") + ext), 200, 100, kPicture),
                          64, kListColor),
               0, 0, 64, 32);
    ExpectCell(maker.Make(WriteSolid(dir.Path() / (std::string("s.") + ext), 50, 40, kPicture),
                          64, kListColor),
               7, 0, 50, 40);
  }
}

TEST(ThumbnailMaker, JPEGsDecodeAtTheSmallestScaleCoveringTheThumbnail) {
  TTempFolder dir;
  const std::string jpeg = WriteSolid(dir.Path() / "big.jpg", 1600, 1200, RGBColor(0, 128, 255));
  TPixelGraphic p;
  auto at = [&](int side) {
    return LoadJPEGScaled(jpeg, p, [&](int w, int h) { return ExplorerThumbSize(w, h, side); });
  };
  TJPEGScaledResult r = at(128);
  EXPECT_EQ(r.FullWidth, 1600);
  EXPECT_EQ(r.FullHeight, 1200);
  EXPECT_EQ(r.ScaleNum, 1);
  EXPECT_EQ(p.Width(), 200);
  r = at(256);  // 200 x 150 is below 256 x 192: 2/8 gives 400 x 300
  EXPECT_EQ(r.ScaleNum, 2);
  EXPECT_EQ(p.Width(), 400);
  const TThumbnailCell cell = TThumbnailMaker().Make(jpeg, 64, kListColor);
  EXPECT_FALSE(cell.Placeholder);
  EXPECT_EQ(cell.Thumb.Width, 64);
  EXPECT_EQ(cell.Thumb.Height, 48);
  const TRGB c = cell.Cell->PixelColor(32, 20);
  EXPECT_NEAR(RedOf(c), 0, 6);
  EXPECT_NEAR(GreenOf(c), 128, 6);
  EXPECT_NEAR(BlueOf(c), 255, 6);
  EXPECT_EQ(cell.Cell->PixelColor(32, 50), kListColor);
}

TEST(ThumbnailMaker, UnreadableFilesGetThePlaceholder) {
  TTempFolder dir;
  { std::ofstream(dir / "broken.jpg") << "\xFF\xD8 not really a jpeg"; }
  { std::ofstream(dir / "text.bmp") << "hello"; }
  for (const std::string& path : std::vector<std::string>{dir / "broken.jpg", dir / "text.bmp", dir / "missing.png"}) {
    SCOPED_TRACE(path);
    const TThumbnailCell cell = TThumbnailMaker().Make(path, 64, kListColor);
    EXPECT_TRUE(cell.Placeholder);
    ASSERT_TRUE(cell.Cell);
    EXPECT_EQ(cell.Thumb.Width, 64);  // the 80 x 80 question mark, reduced
    EXPECT_EQ(cell.Thumb.Height, 64);
  }
  // A JPEG header claiming a picture far larger than the file could hold is refused quickly.
  std::string header = "\xFF\xD8\xFF\xC0";
  header += std::string("\x00\x11\x08\xFF\xFF\xFF\xFF\x03\x01\x22\x00\x02\x11\x01\x03\x11\x01", 17);
  { std::ofstream(dir / "huge.jpg", std::ios::binary) << header; }
  TPixelGraphic p;
  EXPECT_THROW(LoadJPEGScaled(dir / "huge.jpg", p, [](int, int) { return TThumbSize{64, 64}; }),
               EPixelGraphic);
}
