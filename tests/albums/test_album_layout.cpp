// Album page layout: cells, pictures fitted inside the border, captions and pagination.
#include <gtest/gtest.h>

#include "albums/core/AlbumDocument.h"
#include "albums/core/AlbumLayout.h"
#include "files/FilePaths.h"

namespace {

// US Letter at 600 dpi with 1-inch margins.
TAlbumPageArea Letter600() { return {5100, 6600, 600, 600, 600, 600}; }

}  // namespace

TEST(AlbumLayout, CellsSplitTheAreaInsideTheMarginsRowByRow) {
  const std::vector<TCellRect> cells = AlbumCells(Letter600(), 3, 2);
  ASSERT_EQ(cells.size(), 6u);
  EXPECT_EQ(cells[0], (TCellRect{600, 600, 2550, 2400}));
  EXPECT_EQ(cells[1], (TCellRect{2550, 600, 4500, 2400}));
  EXPECT_EQ(cells[2], (TCellRect{600, 2400, 2550, 4200}));
  EXPECT_EQ(cells[5], (TCellRect{2550, 4200, 4500, 6000}));
  // Division leaves the remainder at the right and bottom.
  const std::vector<TCellRect> odd = AlbumCells({1000, 1000, 0, 0, 0, 0}, 3, 3);
  EXPECT_EQ(odd.back(), (TCellRect{666, 666, 999, 999}));
  // Rows and columns are brought into 1..6 (a damaged album never divides by zero or makes
  // more than 36 cells); margins that leave no room give no cells.
  EXPECT_EQ(AlbumCells(Letter600(), 0, 2).size(), 2u);
  EXPECT_EQ(AlbumCells(Letter600(), 40, 40).size(), 36u);
  EXPECT_TRUE(AlbumCells({5100, 6600, 3000, 600, 3000, 600}, 3, 2).empty());
}

TEST(AlbumLayout, PicturesAreFittedInsideTheBorderAndCentred) {
  const TCellRect cell = AlbumCells(Letter600(), 3, 2)[0];  // 1950 x 1800
  const auto landscape = FitPictureInCell(cell, 150, 3000, 2000);
  ASSERT_TRUE(landscape);
  EXPECT_EQ(landscape->Width(), 1650);
  EXPECT_EQ(landscape->Height(), 1100);
  EXPECT_EQ(landscape->Left - cell.Left, 150);
  EXPECT_EQ(cell.Right - landscape->Right, 150);
  EXPECT_EQ(landscape->Top - cell.Top, 350);
  EXPECT_EQ(cell.Bottom - landscape->Bottom, 350);

  const TCellRect wide{0, 0, 1500, 1200};
  EXPECT_EQ(FitPictureInCell(wide, 150, 3000, 2000), (TCellRect{150, 200, 1350, 1000}));
  const auto portrait = FitPictureInCell(wide, 150, 2000, 3000);
  EXPECT_EQ(portrait->Width(), 600);
  EXPECT_EQ(portrait->Height(), 900);
  // 700 / 1.5 = 466.67 rounds to 467.
  const auto low = FitPictureInCell({0, 0, 1500, 1000}, 150, 2000, 3000);
  EXPECT_EQ(low->Width(), 467);
  EXPECT_EQ(low->Height(), 700);
  // Halves round to even: 1001 x 0.5 = 500.5 -> 500; 1003 x 0.5 = 501.5 -> 502.
  EXPECT_EQ(FitPictureInCell({0, 0, 1001, 2000}, 0, 2, 1)->Height(), 500);
  EXPECT_EQ(FitPictureInCell({0, 0, 1003, 2000}, 0, 2, 1)->Height(), 502);
}

TEST(AlbumLayout, CellsNoLargerThanTwiceTheBorderAndEmptyPicturesAreSkipped) {
  EXPECT_FALSE(FitPictureInCell({0, 0, 300, 1000}, 150, 100, 100));
  EXPECT_FALSE(FitPictureInCell({0, 0, 1000, 299}, 150, 100, 100));
  EXPECT_FALSE(FitPictureInCell({0, 0, 1000, 1000}, 150, 0, 100));
  EXPECT_FALSE(FitPictureInCell({0, 0, 1000, 1000}, 150, 100, -1));
  // A very wide picture still gets a row of pixels, inside the cell.
  const auto thin = FitPictureInCell({0, 0, 1000, 1000}, 10, 100000, 1);
  ASSERT_TRUE(thin);
  EXPECT_EQ(thin->Height(), 1);
  EXPECT_EQ(thin->Width(), 980);
}

TEST(AlbumLayout, CaptionsAreCentredOneAndAHalfLinesAboveTheCellBottom) {
  const TCellRect cell{600, 600, 2550, 2400};
  const TCaptionPlace place = CaptionPlace(cell, 301, 51);
  EXPECT_EQ(place.Left, 1575 - 150);
  EXPECT_EQ(place.Top, 2400 - 76);  // 76.5 rounds to even
  EXPECT_EQ(CaptionPlace(cell, 300, 50).Top, 2400 - 75);

  const TAlbumEntry entry{"/photos/2024/beach.jpg", "Beach"};
  EXPECT_EQ(CaptionTextOf(entry, TCaptionOption::coNone), "");
  EXPECT_EQ(CaptionTextOf(entry, TCaptionOption::coFilename), "beach.jpg");
  EXPECT_EQ(CaptionTextOf(entry, TCaptionOption::coCaption), "Beach");
  EXPECT_EQ(CaptionTextOf({"C:\\pics\\a.jpg", ""}, TCaptionOption::coFilename), "a.jpg");
}

TEST(AlbumLayout, EntriesFillPagesCellByCell) {
  EXPECT_EQ(AlbumPageCount(7, 6), 2);
  EXPECT_EQ(AlbumPageCount(6, 6), 1);
  EXPECT_EQ(AlbumPageCount(0, 6), 1);
  EXPECT_EQ(AlbumPageCount(60, 1), 60);
  EXPECT_EQ(AlbumSlotOf(5, 6).Page, 0);
  EXPECT_EQ(AlbumSlotOf(5, 6).Cell, 5);
  EXPECT_EQ(AlbumSlotOf(6, 6).Page, 1);
  EXPECT_EQ(AlbumSlotOf(6, 6).Cell, 0);
}

TEST(AlbumEntries, NamesAndFoldersAreRecognised) {
  EXPECT_TRUE(IsAviPath("/v/movie.AVI"));
  EXPECT_TRUE(IsAviPath("/v/movie.avi2"));
  EXPECT_FALSE(IsAviPath("/v/avi.jpg"));
  EXPECT_FALSE(IsAviPath("/v.avi/movie"));
  EXPECT_TRUE(IsMetafilePath("/a/chart.wmf"));
  EXPECT_TRUE(IsMetafilePath("/a/chart.Emf"));
  EXPECT_FALSE(IsMetafilePath("/a/chart.png"));
  EXPECT_EQ(JoinPath("/", "photo.jpg"), "/photo.jpg");
  EXPECT_EQ(JoinPath("/home/u", "photo.jpg"), "/home/u/photo.jpg");
  EXPECT_EQ(JoinPath("/home/u/", "photo.jpg"), "/home/u/photo.jpg");
  EXPECT_EQ(ParseSetting(" 12 ", 10, 500), 12);
  EXPECT_EQ(ParseSetting("12x", 10, 500), std::nullopt);
  EXPECT_EQ(ParseSetting("9", 10, 500), std::nullopt);
  EXPECT_EQ(NewAlbumSettings().Font.Color, 0);
  EXPECT_EQ(TAlbumSettings().Font.Color, kWindowTextColor);
}
