// The open and save dialogs without a window: filters from the registry, extensions of the
// filter entries, the save dialog's names and the information lines.
#include <gtest/gtest.h>

#include <filesystem>

#include "dialogs/core/OpenSaveTypes.h"
#include "dialogs/core/PreviewBoxGeometry.h"
#include "imaging/formats/LoadSave.h"

namespace fs = std::filesystem;

TEST(OpenSaveTypes, FiltersFromTheRegistry) {
  const auto save = SaveFileTypes();
  EXPECT_EQ(FilterString(save),
            "BMP - Bitmap|*.bmp|JPG - JPEG (JFIF compliant)|*.jpg|PBM - Portable Bitmap|*.pbm|"
            "PGM - Portable Graymap|*.pgm|PNG - Portable Network Graphics|*.png|"
            "PPM - Portable Pixelmap|*.ppm|TGA - Truevision Targa|*.tga|"
            "TIF - Tagged Image File Format|*.tif");
  EXPECT_EQ(FileTypeExtension(save, 1), "bmp");
  EXPECT_EQ(FileTypeExtension(save, 8), "tif");
  EXPECT_EQ(FileTypeExtension(save, 9), "");
  EXPECT_EQ(FileTypeExtension(save, 0), "");

  const auto open = OpenFileTypes();
  const std::string s = FilterString(open);
  EXPECT_EQ(s.rfind("Image files|*.bmp; *.dib; ", 0), 0u) << s;
  EXPECT_NE(s.find("|BMP - Bitmap|*.bmp|DIB - Bitmap|*.dib|JIF - JPEG (JFIF compliant)|*.jif|"),
            std::string::npos) << s;
  EXPECT_NE(s.find("TIFF - Tagged Image File Format|*.tiff|All files|*.*"), std::string::npos);
  EXPECT_EQ(FileTypeExtension(open, 1), "");  // the combined entry
  EXPECT_EQ(FileTypeExtension(open, 2), "bmp");
  EXPECT_EQ(FileTypeExtension(open, static_cast<int>(open.size())), "");  // all files
  // Every reader's pattern is in the combined entry, sorted by extension.
  EXPECT_EQ(open.front().Patterns.size(), open.size() - 2);
  EXPECT_TRUE(std::is_sorted(open.front().Patterns.begin(), open.front().Patterns.end()));

  TFileFormatReaderList none;
  EXPECT_EQ(FilterString(OpenFileTypes(none)), "All files|*.*");
}

TEST(OpenSaveTypes, SaveNamesFollowTheType) {
  const auto save = SaveFileTypes();
  EXPECT_EQ(FileTypeIndexForName(save, "/x/holiday.JPG"), 2);
  EXPECT_EQ(FileTypeIndexForName(save, "/x/holiday"), 0);
  EXPECT_EQ(FileTypeIndexForName(save, "/x.y/holiday"), 0);
  EXPECT_EQ(FileTypeIndexForName(save, "notes.txt"), 0);

  EXPECT_EQ(NameWithTypeExtension("/x/picture", "png"), "/x/picture.png");
  EXPECT_EQ(NameWithTypeExtension("/x/picture.tif", "png"), "/x/picture.tif");
  EXPECT_EQ(NameWithTypeExtension("", "bmp"), "");  // never ".bmp"
  EXPECT_EQ(NameWithTypeExtension("/x.d/picture", "png"), "/x.d/picture.png");

  EXPECT_EQ(RenameForType("picture.tif", "/home/u/pics", "png"), "picture.png");
  EXPECT_EQ(RenameForType("picture", "/home/u/pics", "png"), "picture.png");
  EXPECT_EQ(RenameForType("/home/u/pics/picture.tif", "/home/u/pics/", "png"), "picture.png");
  EXPECT_EQ(RenameForType("/tmp/other/picture.tif", "/home/u/pics", "jpg"),
            "/tmp/other/picture.jpg");
  EXPECT_EQ(RenameForType("sub/a.b.tif", "/home/u", "bmp"), "/home/u/sub/a.b.bmp");
  const std::string longName(400, 'n');  // no fixed path length
  EXPECT_EQ(RenameForType(longName + ".tif", "/d", "png"), longName + ".png");
}

TEST(OpenSaveTypes, InformationLinesOfAnEightBitBitmap) {
  const fs::path dir = fs::temp_directory_path() / "lumivex_dialogs_info";
  fs::create_directories(dir);
  const std::string file = (dir / "pal8.bmp").string();
  TPixelGraphic image;
  image.SetSize(64, 48, pf8Bit);
  image.SetPaletteIdent(pGray256);
  SaveToFile(image, file);
  TPGFileInfoResult info;
  ASSERT_TRUE(GetFileInfo(file, 0, info));
  const auto lines = FileInfoLines(info);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0], "Bitmap");
  EXPECT_EQ(lines[1].rfind("Windows", 0), 0u) << lines[1];
  EXPECT_EQ(lines[2], "64x48x256 8 bit");

  TPGFileInfoResult many;
  many.FormatDescription = "GIF";
  many.Width = 10;
  many.Height = 5;
  many.ColorsText = "16";
  many.BitsPerPixel = 4;
  many.ImageCount = 3;
  EXPECT_EQ(FileInfoLines(many).back(), "10x5x16 4 bit, 3");
  fs::remove_all(dir);
}

TEST(PreviewBoxGeometry, PicturesFittedAndCentredInTheBox) {
  TPreviewRect r = PreviewBoxImageRect(32, 32, 184, 170);  // an icon: its own size, centred
  EXPECT_EQ(r.W, 32);
  EXPECT_EQ(r.H, 32);
  EXPECT_EQ(r.X, (184 - 32) / 2);
  EXPECT_EQ(r.Y, (170 - 32) / 2);
  r = PreviewBoxImageRect(1600, 1200, 184, 170);  // reduced to the box less 4 pixels
  EXPECT_EQ(r.W, 180);
  EXPECT_EQ(r.H, 135);
  r = PreviewBoxImageRect(1200, 1600, 184, 170);
  EXPECT_EQ(r.H, 166);
  EXPECT_EQ(r.W, 124);  // trunc(166 x 0.75)
  r = PreviewBoxImageRect(20000, 3, 184, 170);  // never 0
  EXPECT_EQ(r.W, 180);
  EXPECT_EQ(r.H, 1);
  r = PreviewBoxImageRect(0, 0, 184, 170);
  EXPECT_EQ(r.W, 0);
}

TEST(PreviewBoxGeometry, ClockHands) {
  TClockHands c = ProgressClockHands(1, 0);  // both hands at twelve
  EXPECT_EQ(c.HourX, 7);
  EXPECT_EQ(c.HourY, 1);
  EXPECT_EQ(c.MinuteX, 7);
  EXPECT_EQ(c.MinuteY, 0);
  c = ProgressClockHands(1, 25);  // minute hand at three
  EXPECT_EQ(c.MinuteX, 14);
  EXPECT_EQ(c.MinuteY, 7);
  c = ProgressClockHands(4, 0);  // hour hand at three
  EXPECT_EQ(c.HourX, 13);
  EXPECT_EQ(c.HourY, 7);
}
