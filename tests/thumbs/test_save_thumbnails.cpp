#include <gtest/gtest.h>

#include "tests/thumbs/ThumbsTestUtil.h"
#include "thumbs/core/SaveThumbnails.h"

using namespace thumbs_test;

TEST(SaveThumbnails, WritesScaledCopiesWithThePrefix) {
  TTempFolder dir;
  std::filesystem::create_directory(dir.Path() / "out");
  const std::vector<std::string> pictures = {
      WriteSolid(dir.Path() / "beach.bmp", 300, 150, RGBColor(0, 0, 255)),
      WriteSolid(dir.Path() / "tiny.png", 20, 10, RGBColor(0, 255, 0)),
      dir / "gone.jpg"};
  TSaveThumbsOptions o;
  o.MaxSide = 96;
  o.Extension = "png";
  o.Folder = dir / "out";
  const TSaveThumbsReport r = SaveThumbnails(pictures, o);
  EXPECT_EQ(r.Written, 2);
  EXPECT_EQ(r.Failed, (std::vector<std::string>{dir / "gone.jpg"}));
  TPixelGraphic t;
  LoadFromFile(t, dir / "out/thm_beach.png");
  EXPECT_EQ(t.Width(), 96);
  EXPECT_EQ(t.Height(), 48);
  LoadFromFile(t, dir / "out/thm_tiny.png");
  EXPECT_EQ(t.Width(), 20);  // small pictures are not enlarged
}

TEST(SaveThumbnails, NeverReplacesThePictures) {
  TTempFolder dir;
  const std::string beach = WriteSolid(dir.Path() / "beach.bmp", 300, 150, RGBColor(0, 0, 255));
  const auto before = std::filesystem::file_size(beach);
  TSaveThumbsOptions o;
  o.Extension = "bmp";
  o.Folder = dir.Path().string();
  o.Prefix = "";
  EXPECT_THROW(SaveThumbnails({beach}, o), ESaveThumbsError);
  o.Folder = dir.Path().string() + "/.";  // the same folder by another name
  EXPECT_THROW(SaveThumbnails({beach}, o), ESaveThumbsError);
  EXPECT_EQ(std::filesystem::file_size(beach), before);
  o.Folder = dir / "missing";
  EXPECT_THROW(SaveThumbnails({beach}, o), ESaveThumbsError);
  // With a prefix the same folder is fine.
  o.Folder = dir.Path().string();
  o.Prefix = "small_";
  EXPECT_EQ(SaveThumbnails({beach}, o).Written, 1);
  EXPECT_EQ(std::filesystem::file_size(beach), before);
  EXPECT_TRUE(std::filesystem::exists(dir / "small_beach.bmp"));
}
