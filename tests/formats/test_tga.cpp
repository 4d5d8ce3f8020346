#include "tests/formats/FormatTestUtil.h"
#include "tests/formats/GoldenUtil.h"
#include "imaging/formats/TGAFormat.h"

namespace {

class TGATest : public FormatTest {};

TBytes TGAHeader(int mapType, int imageType, int mapLength, int entrySize, int w, int h,
                 int depth, int descriptor = 0, int idLength = 0, int mapFirst = 0) {
  TBytes b = {static_cast<std::uint8_t>(idLength), static_cast<std::uint8_t>(mapType),
              static_cast<std::uint8_t>(imageType)};
  Put16(b, static_cast<unsigned>(mapFirst));
  Put16(b, static_cast<unsigned>(mapLength));
  b.push_back(static_cast<std::uint8_t>(entrySize));
  Put16(b, 0);
  Put16(b, 0);
  Put16(b, static_cast<unsigned>(w));
  Put16(b, static_cast<unsigned>(h));
  b.push_back(static_cast<std::uint8_t>(depth));
  b.push_back(static_cast<std::uint8_t>(descriptor));
  return b;
}

TEST_F(TGATest, GoldenFilesFromNetpbm) {
  for (const char* name : {"nb_rgb.tga", "nb_rgb_raw.tga", "nb_cmap.tga"}) {
    SCOPED_TRACE(name);
    TPixelGraphic image;
    LoadBytes(image, ReadFileBytes(DataPath(name)), "tga");
    ExpectPattern(image);
  }
}

TEST_F(TGATest, PixelDepthsAndOrientation) {
  TPixelGraphic image;
  // 16-bit channels are widened by bit replication: 31 -> 255, 16 -> 132, 1 -> 8.
  TBytes f16 = TGAHeader(0, 2, 0, 0, 2, 1, 16);
  Put16(f16, 0x7FFF);
  Put16(f16, (16 << 10) | (1 << 5));
  LoadBytes(image, f16, "tga");
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(255, 255, 255));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(132, 8, 0));

  // Top row first and right to left: the first stored pixel is the top right one.
  TBytes f24 = TGAHeader(0, 2, 0, 0, 2, 2, 24, 0x30);
  f24.insert(f24.end(), {1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4});
  LoadBytes(image, f24, "tga");
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(1, 1, 1));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(2, 2, 2));
  EXPECT_EQ(image.PixelColor(1, 1), RGBColor(3, 3, 3));
  EXPECT_EQ(image.PixelColor(0, 1), RGBColor(4, 4, 4));

  // 32 bits: the fourth byte is ignored; bottom row first by default.
  TBytes f32 = TGAHeader(0, 2, 0, 0, 1, 2, 32);
  f32.insert(f32.end(), {10, 20, 30, 0, 40, 50, 60, 0});
  LoadBytes(image, f32, "tga");
  EXPECT_EQ(image.PixelColor(0, 1), RGBColor(30, 20, 10));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(60, 50, 40));

  // Grey without a colour map.
  TBytes grey = TGAHeader(0, 3, 0, 0, 1, 1, 8);
  grey.push_back(77);
  LoadBytes(image, grey, "tga");
  EXPECT_EQ(image.PaletteIdent(), pGray256);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(77, 77, 77));
}

TEST_F(TGATest, ColourMaps) {
  TPixelGraphic image;
  // 300 entries: the first 256 become the palette, the rest is skipped.
  TBytes big = TGAHeader(1, 1, 300, 24, 1, 1, 8);
  for (int i = 0; i < 300; ++i)
    big.insert(big.end(), {static_cast<std::uint8_t>(i), 0, static_cast<std::uint8_t>(i >> 8)});
  big.push_back(255);
  LoadBytes(image, big, "tga");
  EXPECT_EQ(image.PaletteCount(), 256);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0, 0, 255));

  // A map in a true-colour file is skipped (15-bit entries take 2 bytes each).
  TBytes skipped = TGAHeader(1, 2, 3, 15, 1, 1, 24);
  skipped.insert(skipped.end(), {9, 9, 9, 9, 9, 9, 1, 2, 3});
  LoadBytes(image, skipped, "tga");
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(3, 2, 1));

  // A map that starts at index 2 colours indexes 2 and up.
  TBytes offset = TGAHeader(1, 1, 1, 24, 1, 1, 8, 0, 0, 2);
  offset.insert(offset.end(), {5, 6, 7, 2});
  LoadBytes(image, offset, "tga");
  EXPECT_EQ(image.PaletteCount(), 3);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(7, 6, 5));

  // 16-bit map entries.
  TBytes map16 = TGAHeader(1, 1, 1, 16, 1, 1, 8);
  Put16(map16, 0x7C00);
  map16.push_back(0);
  LoadBytes(image, map16, "tga");
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(255, 0, 0));
  // 15-bit map entries take 2 bytes each.
  TBytes map15 = TGAHeader(1, 1, 2, 15, 1, 1, 8);
  Put16(map15, 0x001F);
  Put16(map15, 0x03E0);
  map15.push_back(1);
  LoadBytes(image, map15, "tga");
  EXPECT_EQ(image.PaletteCount(), 2);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0, 255, 0));
}

// 32-bit files with alpha written by ImageMagick, grey with alpha written by Pillow, each
// against Pillow's decode composited onto black.
TEST_F(TGATest, AlphaFilesFromImageMagickAndPillow) {
  ExpectMatchesReference("im_rgba32.tga", "im_rgba32.tga.ppm", 0, 1);
  ExpectMatchesReference("im_rgba32_rle.tga", "im_rgba32_rle.tga.ppm", 0, 1);
  ExpectMatchesReference("pil_la.tga", "pil_la.tga.ppm", 0, 1);
  ExpectMatchesReference("pil_la_rle.tga", "pil_la_rle.tga.ppm", 0, 1);
}

TEST_F(TGATest, AlphaIsBlendedOntoTheBackgroundColour) {
  TPixelGraphic image;
  image.SetBackGroundColor(RGBColor(255, 255, 255));
  // 32 bits with 8 attribute bits: the fourth byte is alpha.
  TBytes f32 = TGAHeader(0, 2, 0, 0, 2, 1, 32, 0x08);
  f32.insert(f32.end(), {50, 100, 200, 128, 1, 2, 3, 255});
  LoadBytes(image, f32, "tga");
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(227, 177, 152));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(3, 2, 1));
  // Alpha that is 0 everywhere was never set: the picture stays opaque.
  f32[18 + 3] = 0;
  f32[18 + 7] = 0;
  LoadBytes(image, f32, "tga");
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(200, 100, 50));
  // 16 bits with one attribute bit: a clear bit is transparent.
  TBytes f16 = TGAHeader(0, 2, 0, 0, 2, 1, 16, 0x01);
  Put16(f16, 0x001F);
  Put16(f16, 0x801F);
  LoadBytes(image, f16, "tga");
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(255, 255, 255));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(0, 0, 255));
  // Without attribute bits the top bit means nothing.
  f16[17] = 0;
  LoadBytes(image, f16, "tga");
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0, 0, 255));
  // Grey with alpha is blended onto the background's grey level, stays a grey image.
  image.SetBackGroundColor(RGBColor(90, 120, 150));
  TBytes la = TGAHeader(0, 3, 0, 0, 1, 1, 16, 0x08);
  la.insert(la.end(), {200, 0});
  LoadBytes(image, la, "tga");
  EXPECT_EQ(image.PixelFormat(), pf8Bit);
  EXPECT_EQ(image.PaletteIdent(), pGray256);
  EXPECT_EQ(image.Pixel(0, 0), 200u);  // alpha 0 everywhere: opaque
  la.insert(la.end() - 2, {10, 255});
  la[12] = 2;
  LoadBytes(image, la, "tga");
  EXPECT_EQ(image.Pixel(0, 0), 10u);
  EXPECT_EQ(image.Pixel(1, 0), 120u);
}

TEST_F(TGATest, RunLengthPacketsMayCrossRows) {
  // One run of 3 pixels and one raw packet of 1 over a 2 x 2 image.
  TBytes f = TGAHeader(0, 10, 0, 0, 2, 2, 24, 0x20);
  f.insert(f.end(), {0x82, 1, 2, 3, 0x00, 4, 5, 6});
  TPixelGraphic image;
  LoadBytes(image, f, "tga");
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(3, 2, 1));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(3, 2, 1));
  EXPECT_EQ(image.PixelColor(0, 1), RGBColor(3, 2, 1));
  EXPECT_EQ(image.PixelColor(1, 1), RGBColor(6, 5, 4));

  f.resize(f.size() - 2);
  EXPECT_PG_ERROR(LoadBytes(image, f, "tga"), EPGTGAFileFormatReader,
                  "TGA: Unexpected end of file");
}

TEST_F(TGATest, BadFilesAreRefused) {
  TPixelGraphic image;
  EXPECT_PG_ERROR(LoadBytes(image, TGAHeader(0, 2, 0, 0, 1, 1, 15), "tga"),
                  EPGTGAFileFormatReader, "TGA: Not supported subformat");
  EXPECT_PG_ERROR(LoadBytes(image, TGAHeader(1, 1, 2, 8, 1, 1, 8), "tga"),
                  EPGTGAFileFormatReader, "TGA: Not supported subformat");
  EXPECT_PG_ERROR(LoadBytes(image, TGAHeader(0, 3, 0, 0, 1, 1, 24), "tga"),
                  EPGTGAFileFormatReader, "TGA: Not supported subformat");
  EXPECT_PG_ERROR(LoadBytes(image, TGAHeader(0, 2, 0, 0, 4, 4, 24), "tga"),
                  EPGTGAFileFormatReader, "TGA: Unexpected end of file");
  EXPECT_PG_ERROR(LoadBytes(image, TGAHeader(0, 10, 0, 0, 65535, 65535, 24), "tga"),
                  EPGTGAFileFormatReader, "TGA: Image size out of range");
  EXPECT_PG_ERROR(LoadBytes(image, TBytes{0, 0, 2}, "tga"), EPGTGAFileFormatReader,
                  "TGA: Unexpected end of file");
  // Zero height: an empty image, nothing read.
  LoadBytes(image, TGAHeader(0, 2, 0, 0, 5, 0, 24), "tga");
  EXPECT_TRUE(image.Empty());
}

TEST_F(TGATest, WriterAndInfo) {
  TPixelGraphic image;
  image.SetSize(2, 2, pf8Bit);
  image.SetPaletteCount(3);
  image.SetPaletteColor(2, RGBColor(1, 2, 3));
  image.SetPixel(1, 0, 2);
  const TBytes file = SaveBytes(image, "tga");
  EXPECT_EQ(file.size(), 18u + 9 + 4);
  TPixelGraphic back;
  LoadBytes(back, file, "tga");
  EXPECT_EQ(back.PaletteCount(), 3);
  EXPECT_EQ(back.PixelColor(1, 0), RGBColor(1, 2, 3));

  TPixelGraphic rgb;
  FillPattern(rgb);
  LoadBytes(back, SaveBytes(rgb, "tga"), "tga");
  ExpectPattern(back);

  TTGAFileFormatReader reader;
  TPGMemoryStream s(TGAHeader(0, 11, 0, 0, 3, 4, 8));
  const TPGFileInfo info = reader.GetInfo(s, 0, CaptureFormatContext());
  EXPECT_EQ(info.VersionText, "Run-length encoded");
  EXPECT_EQ(info.DescriptionText, "\"Black-and-white\"");
  EXPECT_EQ(info.ColorsText, "256");
  TPGMemoryStream t(TGAHeader(0, 5, 0, 0, 3, 4, 8));
  EXPECT_PG_ERROR(reader.GetInfo(t, 0, CaptureFormatContext()), EPGTGAFileFormatReader,
                  "TGA: Invalid value for ImageType");
}

}  // namespace
