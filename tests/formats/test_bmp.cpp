#include <climits>

#include "tests/formats/FormatTestUtil.h"
#include "tests/formats/GoldenUtil.h"
#include "imaging/formats/BMPFormat.h"

namespace {

class BMPTest : public FormatTest {};

// A file with a 40-byte header; `pixels` follow the colour table.
TBytes InfoBMP(std::int32_t w, std::int32_t h, int bits, std::uint32_t compression,
               const TBytes& tableAndPixels, std::uint32_t imageSize = 0,
               std::uint32_t colorsUsed = 0) {
  TBytes b = {'B', 'M'};
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, 40);
  Put32(b, static_cast<std::uint32_t>(w));
  Put32(b, static_cast<std::uint32_t>(h));
  Put16(b, 1);
  Put16(b, static_cast<unsigned>(bits));
  Put32(b, compression);
  Put32(b, imageSize);
  Put32(b, 0);
  Put32(b, 0);
  Put32(b, colorsUsed);
  Put32(b, 0);
  b.insert(b.end(), tableAndPixels.begin(), tableAndPixels.end());
  return b;
}

TEST_F(BMPTest, GoldenFilesFromNetpbmAndImageMagick) {
  for (const char* name : {"nb_rgb24.bmp", "nb_pal8.bmp", "nb_os2pal8.bmp"}) {
    SCOPED_TRACE(name);
    TPixelGraphic image;
    LoadBytes(image, ReadFileBytes(DataPath(name)));
    ExpectPattern(image);
  }
  // ImageMagick's palette reduction merged black into (1, 2, 3) in its RLE8 file.
  TPixelGraphic rle;
  LoadBytes(rle, ReadFileBytes(DataPath("im_rle8.bmp")));
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(rle.PixelColor(x, y), x == 4 && y == 0 ? RGBColor(1, 2, 3) : kPattern[y][x]);
}

TEST_F(BMPTest, SixteenBitExpansion) {
  TBytes px;
  Put16(px, 0x7FFF);
  Put16(px, 0x0000);
  Put16(px, 0x0421);  // 1, 1, 1
  Put16(px, 0x4210);  // 16, 16, 16
  const TBytes file = InfoBMP(4, 1, 16, 0, px);
  TPixelGraphic image;
  LoadBytes(image, file);
  // Expansion repeats the top bits below themselves: 31 -> 255, 16 -> 132, 1 -> 8.
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(255, 255, 255));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(0, 0, 0));
  EXPECT_EQ(image.PixelColor(2, 0), RGBColor(8, 8, 8));
  EXPECT_EQ(image.PixelColor(3, 0), RGBColor(132, 132, 132));
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.BMPRead16BitExpand = false; });
  LoadBytes(image, file);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(248, 248, 248));
  EXPECT_EQ(image.PixelColor(2, 0), RGBColor(8, 8, 8));
}

TEST_F(BMPTest, BitFieldsIncludingEmptyMasks) {
  TBytes data;
  Put32(data, 0xF800);
  Put32(data, 0x07E0);
  Put32(data, 0x001F);
  Put16(data, 0x07E0);  // green 63
  Put16(data, 0);
  TPixelGraphic image;
  LoadBytes(image, InfoBMP(1, 1, 16, 3, data));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0, 255, 0));
  ChangeFormatSettings([&](TPGFormatSettings& s) { s.BMPRead16BitExpand = false; });
  LoadBytes(image, InfoBMP(1, 1, 16, 3, data));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0, 252, 0));

  // A zero mask reads as 0; the other channels are unaffected.
  TBytes zero;
  Put32(zero, 0xFF0000);
  Put32(zero, 0);
  Put32(zero, 0xFF);
  Put32(zero, 0x123456);
  LoadBytes(image, InfoBMP(1, 1, 32, 3, zero));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0x12, 0, 0x56));
}

TEST_F(BMPTest, TopDownRowsAndColourTableSizes) {
  TBytes px = {1, 2, 3, 0, 4, 5, 6, 0};  // two 1-pixel rows, padded
  TPixelGraphic image;
  LoadBytes(image, InfoBMP(1, -2, 24, 0, px));
  ASSERT_EQ(image.Height(), 2);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(3, 2, 1));
  EXPECT_EQ(image.PixelColor(0, 1), RGBColor(6, 5, 4));

  // Colours-used 16 in an 8-bit file: 64 bytes of table, then the pixels.
  TBytes data;
  for (int i = 0; i < 16; ++i) Put32(data, static_cast<std::uint32_t>(i * 0x010101));
  data.insert(data.end(), {15, 0, 0, 0});
  LoadBytes(image, InfoBMP(1, 1, 8, 0, data, 0, 16));
  EXPECT_EQ(image.PaletteCount(), 16);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(15, 15, 15));

  // More colours than the bit count addresses: the extra entries are skipped.
  TBytes over;
  Put32(over, 0);
  Put32(over, 0x00FF00);
  Put32(over, 0xFFFFFFFF);  // beyond 2 entries: must be skipped, not taken for pixels
  over.insert(over.end(), {0x40, 0, 0, 0});
  LoadBytes(image, InfoBMP(1, 1, 1, 0, over, 0, 3));
  EXPECT_EQ(image.PaletteCount(), 2);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0, 0, 0));
  EXPECT_EQ(image.Pixel(0, 0), 0u);
}

TEST_F(BMPTest, RleRunsAreBoundedByRowAndData) {
  // RLE8: a run longer than the row, an absolute run past the data's end.
  TBytes table;
  for (int i = 0; i < 256; ++i) Put32(table, static_cast<std::uint32_t>(i * 0x010101));
  TBytes rle = {200, 7, 0, 0, 0, 5, 1, 2};  // absolute run of 5 with only 2 bytes left
  TBytes file = table;
  file.insert(file.end(), rle.begin(), rle.end());
  TPixelGraphic image;
  LoadBytes(image, InfoBMP(4, 2, 8, 1, file, static_cast<std::uint32_t>(rle.size())));
  for (int x = 0; x < 4; ++x) EXPECT_EQ(image.Pixel(x, 1), 7u);  // bottom row
  EXPECT_EQ(image.Pixel(0, 0), 1u);
  EXPECT_EQ(image.Pixel(1, 0), 2u);
  EXPECT_EQ(image.Pixel(2, 0), 0u);

  // RLE4: nibbles alternate, nothing beyond the width; rows past the top are not written.
  TBytes t16;
  for (int i = 0; i < 16; ++i) Put32(t16, static_cast<std::uint32_t>(i));
  TBytes rle4 = {5, 0x12, 0, 0, 0, 0, 0, 0, 3, 0x45, 0, 1};
  TBytes f4 = t16;
  f4.insert(f4.end(), rle4.begin(), rle4.end());
  LoadBytes(image, InfoBMP(3, 1, 4, 2, f4, static_cast<std::uint32_t>(rle4.size())));
  EXPECT_EQ(image.Pixel(0, 0), 1u);
  EXPECT_EQ(image.Pixel(1, 0), 2u);
  EXPECT_EQ(image.Pixel(2, 0), 1u);

  // An image-size field far beyond the data decodes what is there.
  LoadBytes(image, InfoBMP(4, 2, 8, 1, file, 0xFFFFFFF0u));
  EXPECT_EQ(image.Pixel(0, 1), 7u);
}

TEST_F(BMPTest, InvalidHeadersRaiseTheReaderError) {
  TPixelGraphic image;
  EXPECT_PG_ERROR(LoadBytes(image, InfoBMP(4, -5, 8, 1, TBytes(1024))), EPGBMPFileFormatReader,
                  "BMP: BitmapInfoHeader.biCompression invalid");
  EXPECT_PG_ERROR(LoadBytes(image, InfoBMP(4, 4, 12, 0, TBytes(64))), EPGBMPFileFormatReader,
                  "BMP: BitmapInfoHeader.biBitCount invalid");
  EXPECT_PG_ERROR(LoadBytes(image, InfoBMP(4, INT_MIN, 24, 0, TBytes(64))),
                  EPGBMPFileFormatReader, "BMP: BitmapInfoHeader.biHeight invalid");
  EXPECT_PG_ERROR(LoadBytes(image, InfoBMP(-4, 4, 24, 0, TBytes(64))), EPGBMPFileFormatReader,
                  "BMP: BitmapInfoHeader.biWidth invalid");
  EXPECT_PG_ERROR(LoadBytes(image, InfoBMP(3000000, 2000000, 24, 0, TBytes(64))),
                  EPGBMPFileFormatReader, "BMP: Image size out of range");
  EXPECT_PG_ERROR(LoadBytes(image, InfoBMP(20000, 20000, 24, 0, TBytes(64))),
                  EPGBMPFileFormatReader, "BMP: Image size out of range");
  TBytes odd = InfoBMP(1, 1, 24, 0, TBytes(8));
  odd[14] = 100;
  EXPECT_PG_ERROR(LoadBytes(image, odd), EPGBMPFileFormatReader,
                  "BMP: Invalid size of BitmapInfoHeader/BitmapCoreHeader");
  TPGMemoryStream s(InfoBMP(1, 1, 24, 0, TBytes(4)));
  TBMPFileFormatReader reader;
  EXPECT_PG_ERROR(reader.ReadFromStream(s, image, 1, CaptureFormatContext()),
                  EPGBMPFileFormatReader, "BMP: Index invalid");
  EXPECT_PG_ERROR(reader.GetInfo(s, 1, CaptureFormatContext()), EPGBMPFileFormatReader,
                  "BMP: Invalid value for Index");
}

TEST_F(BMPTest, TruncatedPixelsStayBlackAfterAWarning) {
  TPixelGraphic image;
  {
    TWarningRecorder warnings(true);
    LoadBytes(image, InfoBMP(2, 2, 24, 0, TBytes{9, 9, 9}));
    EXPECT_EQ(warnings.Count, 1);
    EXPECT_EQ(warnings.Caption, "BMP Warning");
    EXPECT_EQ(warnings.Text, "BMP: Unexpected end of file");
  }
  EXPECT_EQ(image.PixelColor(0, 1), RGBColor(9, 9, 9));
  EXPECT_EQ(image.PixelColor(1, 1), RGBColor(0, 0, 0));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0, 0, 0));
  {
    TWarningRecorder cancelled(false);
    EXPECT_PG_ERROR(LoadBytes(image, InfoBMP(2, 2, 24, 0, TBytes{9, 9, 9})),
                    EPGBMPFileFormatReader, "BMP: Unexpected end of file");
  }
  // Bit fields and run-length data whose size field promises more than there is.
  image.ReadWarningAction = pgwaRaise;
  EXPECT_PG_ERROR(LoadBytes(image, InfoBMP(2, 2, 32, 0, TBytes(12))), EPGBMPFileFormatReader,
                  "BMP: Unexpected end of file");
  TBytes rle(256 * 4, 0);
  rle.insert(rle.end(), {2, 1, 0, 1});
  EXPECT_PG_ERROR(LoadBytes(image, InfoBMP(2, 2, 8, 1, rle, 40)), EPGBMPFileFormatReader,
                  "BMP: Unexpected end of file");
  image.ReadWarningAction = pgwaIgnore;
  LoadBytes(image, InfoBMP(2, 2, 32, 0, TBytes(12, 7)));
  EXPECT_EQ(image.PixelColor(0, 1), RGBColor(7, 7, 7));
  // Complete data gives no warning.
  TWarningRecorder none(false);
  image.ReadWarningAction = pgwaOKCancelBox;
  LoadBytes(image, InfoBMP(1, 1, 24, 0, TBytes(4, 5)));
  EXPECT_EQ(none.Count, 0);
}

// A header of `size` bytes (16 or 64: OS/2 2.x; 52, 56, 108, 124: Windows V2 to V5) whose
// first 40 bytes have the information header's layout and whose masks follow at 40.
TBytes ExtendedBMP(std::uint32_t size, std::int32_t w, std::int32_t h, int bits,
                   std::uint32_t compression, std::initializer_list<std::uint32_t> masks,
                   const TBytes& pixels) {
  TBytes b = InfoBMP(w, h, bits, compression, {});
  b[14] = static_cast<std::uint8_t>(size);
  b.resize(14 + size, 0);
  std::size_t at = 14 + 40;
  for (std::uint32_t m : masks) {
    if (at + 4 > b.size()) break;
    for (int i = 0; i < 4; ++i) b[at++] = static_cast<std::uint8_t>(m >> (8 * i));
  }
  b.insert(b.end(), pixels.begin(), pixels.end());
  return b;
}

// Version 5 headers with alpha and 5-6-5 bit fields written by ImageMagick, against its own
// decode flattened onto black.
TEST_F(BMPTest, VersionFiveFilesFromImageMagick) {
  ExpectMatchesReference("im_rgba32_v5.bmp", "im_rgba32_v5.bmp.near.ppm", 0, 1);
  ExpectMatchesReference("im_rgb565_v5.bmp", "im_rgb565_v5.bmp.ppm", 0, 0);
}

TEST_F(BMPTest, LargerHeadersWithMasksAndAlpha) {
  TPixelGraphic image;
  // Version 4 (108 bytes), 32-bit bit fields with alpha: blended onto the background colour.
  TBytes px = {50, 100, 200, 128};
  const TBytes v4 = ExtendedBMP(108, 1, 1, 32, 3, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}, px);
  LoadBytes(image, v4);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(100, 50, 25));
  image.SetBackGroundColor(RGBColor(255, 255, 255));
  LoadBytes(image, v4);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(227, 177, 152));
  // Without bit fields the header's masks do not apply: the fourth byte is not alpha.
  LoadBytes(image, ExtendedBMP(108, 1, 1, 32, 0, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}, px));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(200, 100, 50));
  // Version 2 (52 bytes, no alpha) and 3 (56 bytes) with 5-6-5 and 1-5-5-5 fields.
  TBytes white16 = {0xFF, 0xFF, 0, 0};
  LoadBytes(image, ExtendedBMP(52, 1, 1, 16, 3, {0xF800, 0x07E0, 0x001F}, white16));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(255, 255, 255));
  TBytes half = {0x1F, 0x00, 0, 0};  // blue 31, alpha bit 0
  LoadBytes(image, ExtendedBMP(56, 1, 1, 16, 3, {0x7C00, 0x03E0, 0x001F, 0x8000}, half));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(255, 255, 255));  // transparent: the background
  half[1] = 0x80;
  LoadBytes(image, ExtendedBMP(56, 1, 1, 16, 3, {0x7C00, 0x03E0, 0x001F, 0x8000}, half));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0, 0, 255));
  // Version 5, 8 bits with a palette after the 124 bytes, stored top-down.
  TBytes pal;
  Put32(pal, 0x102030);
  Put32(pal, 0x405060);
  pal.insert(pal.end(), {1, 0, 0, 0, 0, 0, 0, 0});
  TBytes v5 = ExtendedBMP(124, 1, -2, 8, 0, {}, pal);
  v5[14 + 32] = 2;  // colours used
  LoadBytes(image, v5);
  ASSERT_EQ(image.Height(), 2);
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0x40, 0x50, 0x60));
  EXPECT_EQ(image.PixelColor(0, 1), RGBColor(0x10, 0x20, 0x30));
}

TEST_F(BMPTest, OS2VersionTwoHeaders) {
  TPixelGraphic image;
  // The 16-byte form ends after the bit count.
  LoadBytes(image, ExtendedBMP(16, 1, 1, 24, 0, {}, TBytes{1, 2, 3, 0}));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(3, 2, 1));
  // The 64-byte form has 4-byte palette entries; compression 3 is Huffman coding there.
  TBytes pal;
  Put32(pal, 0x00FF00);
  Put32(pal, 0x0000FF);
  pal.insert(pal.end(), {0x40, 0, 0, 0});
  LoadBytes(image, ExtendedBMP(64, 2, 1, 1, 0, {}, pal));
  EXPECT_EQ(image.PixelColor(0, 0), RGBColor(0, 255, 0));
  EXPECT_EQ(image.PixelColor(1, 0), RGBColor(0, 0, 255));
  EXPECT_PG_ERROR(LoadBytes(image, ExtendedBMP(64, 1, 1, 16, 3, {}, TBytes(4))),
                  EPGBMPFileFormatReader, "BMP: BitmapInfoHeader.biCompression invalid");
  EXPECT_PG_ERROR(LoadBytes(image, ExtendedBMP(64, 1, 1, 24, 4, {}, TBytes(4))),
                  EPGBMPFileFormatReader, "BMP: BitmapInfoHeader.biCompression invalid");
  // Embedded JPEG or PNG data (compression 4 and 5) stays refused in the Windows headers.
  EXPECT_PG_ERROR(LoadBytes(image, ExtendedBMP(124, 1, 1, 24, 5, {}, TBytes(4))),
                  EPGBMPFileFormatReader, "BMP: BitmapInfoHeader.biCompression invalid");

  TBMPFileFormatReader reader;
  TPGMemoryStream os2(ExtendedBMP(64, 2, 1, 1, 0, {}, pal));
  EXPECT_EQ(reader.GetInfo(os2, 0, CaptureFormatContext()).VersionText, "OS/2 2.x, RGB");
  TPGMemoryStream v5(ExtendedBMP(124, 1, -1, 32, 3, {}, TBytes(4)));
  const TPGFileInfo info = reader.GetInfo(v5, 0, CaptureFormatContext());
  EXPECT_EQ(info.VersionText, "Windows V5, Top-Down");
  EXPECT_EQ(info.BitsPerPixel, 32);
}

TEST_F(BMPTest, WriterLayoutMatchesTheStorage) {
  TPixelGraphic image;
  image.SetSize(3, 2, pf4Bit);
  image.SetPaletteCount(5);
  image.SetPixel(2, 0, 4);
  const TBytes file = SaveBytes(image, "bmp");
  EXPECT_EQ(GetLE32(file.data() + 10), 74u);      // pixel offset
  EXPECT_EQ(GetLE32(file.data() + 46), 5u);       // colours used
  EXPECT_EQ(GetLE32(file.data() + 2), file.size());  // file size field
  TPixelGraphic back;
  LoadBytes(back, file);
  EXPECT_EQ(back.PaletteCount(), 5);
  EXPECT_EQ(back.Pixel(2, 0), 4u);
}

}  // namespace

namespace {

TEST_F(BMPTest, PaletteImageWithoutPaletteKeepsItsPixels) {
  TPixelGraphic image;
  image.SetSize(2, 1, pf8Bit);  // no palette yet
  image.SetPixel(1, 0, 200);
  const TBytes file = SaveBytes(image, "bmp");
  EXPECT_EQ(file.size(), 54u + 1024 + 4);
  TPixelGraphic back;
  LoadBytes(back, file);
  EXPECT_EQ(back.Pixel(1, 0), 200u);
}

TEST_F(BMPTest, ZeroWidthWithHugeHeightReadsNothingQuickly) {
  // A top-down file 0 pixels wide and two billion rows high: no storage, no row loop.
  TPixelGraphic image;
  LoadBytes(image, InfoBMP(0, -2000000000, 24, 0, TBytes(16)));
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.Height(), 2000000000);
  LoadBytes(image, InfoBMP(0, 2000000000, 32, 0, TBytes(16)));
  EXPECT_TRUE(image.Empty());
}

}  // namespace
